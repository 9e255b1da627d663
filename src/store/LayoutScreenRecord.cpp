#include "store/LayoutScreenRecord.h"

#include "model/LayoutScreenFile.h"
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

void LayoutScreenRecord::Restored(const QString& packPath, const QString& folder) {
    FilePack::Contents contents;
    bool bad = false;
    const auto wanted = [](const QString& name) { return name == Name(); };
    const auto mapName = [](const QString& name) {
        const QString extracted = ExtractedName(name);
        return extracted.isEmpty() ? name : extracted;
    };
    if (FilePack(packPath).ReadFiles(wanted, contents, bad, mapName) && !contents.contains(Name()))
        LayoutScreenFile::Remove(folder);
}
