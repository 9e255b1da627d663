#include "store/RestoreScheme.h"

#include "model/TumoStatus.h"
#include "store/FilePack.h"
#include "store/SchemeBackup.h"

bool RestoreScheme(const QString& packPath, const QString& folder, Prompter* prompter) {
    // Packs name the status file in lower case; this program reads it by its own spelling, and
    // a file system that tells case apart would otherwise keep the old status file beside it.
    auto mapName = [](const QString& name) {
        return name.compare(SchemeBackup::PackedStatusName(), Qt::CaseInsensitive) == 0
                   ? TumoStatus::StatusFileName()
                   : name;
    };
    FilePack pack(packPath);
    return pack.Extract(folder, prompter, mapName);
}
