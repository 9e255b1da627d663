// The number pool opened from a data.dat it did not write, then read.
#include "FuzzSupport.h"
#include "store/NuFileDeal.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString folder = FuzzSupport::Folder().path();
    QFile::remove(folder + QStringLiteral("/index.dat"));
    FuzzSupport::WriteFile(QStringLiteral("data.dat"), FuzzSupport::Bytes(data, size));
    NuFileDeal pool;
    pool.m_strFolder = folder;
    if (pool.OpenStore() == 1) {
        const quint32 count = pool.GetCount();
        for (quint32 i = 0; i < count && i < 64; ++i)
            pool.ReadNumber(i);
    }
    pool.Close();
    return 0;
}
