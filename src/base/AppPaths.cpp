#include "base/AppPaths.h"

#include <QDir>
#include <QFileInfo>

QString g_strAppFolder;

namespace {

QString toSlashes(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString joinToFolder(const QString& path, const QString& folder = g_strAppFolder) {
    return folder + QLatin1Char('/') + toSlashes(path);
}

} // namespace

void SetAppFolder(const QString& folder) {
    QString f = folder;
    while (f.size() > 1 && (f.endsWith(QLatin1Char('/')) || f.endsWith(QLatin1Char('\\'))))
        f.chop(1);
    g_strAppFolder = f;
}

bool IsAbsolutePath(const QString& path) {
    return path.startsWith(QLatin1Char('/')) || path.contains(QLatin1String(":\\")) ||
           path.contains(QLatin1String(":/"));
}

QString MakeRelativePath(const QString& path) {
    return MakeRelativePath(path, g_strAppFolder);
}

QString MakeRelativePath(const QString& path, const QString& programFolder) {
    if (programFolder.isEmpty())
        return path;
    const QString unified = toSlashes(path);
    const QString folder = toSlashes(programFolder);
    if (unified == folder)
        return QString();
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (!unified.startsWith(prefix))
        return path;
    QString rel = unified.mid(prefix.size());
    return rel.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString MakeAbsolutePath(const QString& path) {
    return MakeAbsolutePath(path, g_strAppFolder);
}

QString MakeAbsolutePath(const QString& path, const QString& folder) {
    if (IsAbsolutePath(path))
        return path;
    return joinToFolder(path, folder);
}

QString MakeAbsolutePathNoColon(const QString& path) {
    if (path.startsWith(QLatin1Char('/')) || path.indexOf(QLatin1Char(':'), 1) >= 1)
        return path;
    return joinToFolder(path);
}

QString GetFileNameOfPath(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

bool HasPathSeparator(const QString& name) {
    return name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('/'));
}

QString ResolveFileCase(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString native = toSlashes(path);
    QString current =
        native.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QStringLiteral(".");
    for (const QString& part : native.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QDir dir(current);
        QString match;
        if (QFileInfo::exists(dir.filePath(part))) {
            match = part;
        } else {
            const auto entries =
                dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            for (const QString& e : entries) {
                if (e.compare(part, Qt::CaseInsensitive) == 0) {
                    match = e;
                    break;
                }
            }
        }
        if (match.isEmpty())
            return path;
        current = dir.filePath(match);
    }
    return QDir::cleanPath(current);
}
