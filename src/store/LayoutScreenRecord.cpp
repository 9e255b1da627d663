#include "store/LayoutScreenRecord.h"

#include "model/LayoutScreenFile.h"
#include "model/SafeFileWriter.h"
#include "store/FilePack.h"

#include <QFileInfo>

QString LayoutScreenRecord::Name() {
    return LayoutScreenFile::FileName();
}

QString LayoutScreenRecord::ExtractedName(const QString& storedName) {
    return storedName.compare(Name(), Qt::CaseInsensitive) == 0 ? Name() : QString();
}

bool LayoutScreenRecord::Add(FilePack& pack, const QString& folder) {
    const QString path = LayoutScreenFile::PathIn(folder);
    if (!QFileInfo(path).isFile())
        return true;
    return pack.AddFile(path, Name());
}

void LayoutScreenRecord::Forget(const QString& folder) {
    if (QFileInfo::exists(LayoutScreenFile::PathIn(folder)) && LayoutScreenFile::Remove(folder))
        SafeFileWriter::SyncFolder(folder);
}
