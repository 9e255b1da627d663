#include "store/RestoreScheme.h"

#include "model/TumoStatus.h"
#include "store/FilePack.h"
#include "store/SchemeBackup.h"

QString SchemePackName(const QString& storedName, QString* schemeFile) {
    QString name = storedName;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QString prefix = SchemeBackup::PackFolderPrefix();
    if (name.size() > prefix.size() && name.startsWith(prefix, Qt::CaseInsensitive))
        return prefix + name.mid(prefix.size());
    if (name.contains(QLatin1Char('\\')))
        return QString();
    // Packs name the status file in lower case; this program reads it by its own spelling, and
    // a file system that tells case apart would otherwise keep the old status file beside it.
    if (name.compare(SchemeBackup::PackedStatusName(), Qt::CaseInsensitive) == 0)
        return TumoStatus::StatusFileName();
    for (const QLatin1String pool : {QLatin1String("data.dat"), QLatin1String("index.dat")}) {
        if (name.compare(pool, Qt::CaseInsensitive) == 0)
            return pool;
    }
    const QLatin1String schemeSuffix(".TumoScheme");
    if (name.size() > schemeSuffix.size() && name.endsWith(schemeSuffix, Qt::CaseInsensitive)) {
        if (!schemeFile)
            return name;
        if (schemeFile->isEmpty())
            *schemeFile = name;
        return schemeFile->compare(name, Qt::CaseInsensitive) == 0 ? name : QString();
    }
    return QString();
}

bool RestoreScheme(const QString& packPath, const QString& folder, Prompter* prompter) {
    // A pack comes from elsewhere: anything but the parts of a scheme (the program itself, say)
    // refuses the whole pack.
    QString schemeFile;
    auto mapName = [&schemeFile](const QString& name) { return SchemePackName(name, &schemeFile); };
    FilePack pack(packPath);
    return pack.Extract(folder, prompter, mapName);
}
