// A scheme pack from elsewhere, restored into a program folder.
#include "FuzzSupport.h"
#include "store/RestoreScheme.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString pack =
        FuzzSupport::WriteFile(QStringLiteral("in.TSC"), FuzzSupport::Bytes(data, size));
    QDir out(FuzzSupport::Folder().filePath(QStringLiteral("prog")));
    out.removeRecursively();
    RestoreScheme(pack, out.path());
    return 0;
}
