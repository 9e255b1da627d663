// The status file's record and the scheme file, as the start reads them.
#include "FuzzSupport.h"
#include "model/Archive.h"
#include "model/ArchiveException.h"
#include "model/TumoStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    {
        TumoStatus status;
        Archive ar(bytes);
        try {
            status.Serialize(ar);
        } catch (const ArchiveException&) {
        }
    }
    TumoStatus status;
    status.LoadScheme(FuzzSupport::WriteFile(QStringLiteral("fuzz.TumoScheme"), bytes));
    return 0;
}
