#include "show/SchemeFileType.h"

#include "model/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QString SchemeFileType::UserDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

namespace {

constexpr int kUpdateWaitMs = 5000;

QString TypeName(const QString& documentType) {
    QString name = documentType.toLower();
    return name.replace(QLatin1Char('.'), QLatin1Char('-'));
}

} // namespace

QString SchemeFileType::MimeTypeOf(const QString& documentType) {
    return QStringLiteral("application/x-") + TypeName(documentType);
}

QString SchemeFileType::PackageXml(const QString& extension, const QString& documentType,
                                   const QString& description) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info "
                          "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2</comment>\n"
                          "    <generic-icon name=\"package-x-generic\"/>\n"
                          "    <glob pattern=\"*%3\" case-sensitive=\"false\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(MimeTypeOf(documentType), description.toHtmlEscaped(), extension.toHtmlEscaped());
}

QString SchemeFileType::PackagePath(const QString& dataFolder, const QString& documentType) {
    return dataFolder + QStringLiteral("/mime/packages/") + TypeName(documentType) +
           QStringLiteral(".xml");
}

bool SchemeFileType::Register(const QString& dataFolder, const QString& extension,
                              const QString& documentType, const QString& description) {
    if (dataFolder.isEmpty())
        return false;
    const QByteArray xml = PackageXml(extension, documentType, description).toUtf8();
    const QString path = PackagePath(dataFolder, documentType);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == xml)
        return true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    if (!SafeFileWriter::WriteWhole(path, xml))
        return false;
    // Once per new package, so the short wait does not slow every start.
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!tool.isEmpty()) {
        QProcess update;
        update.start(tool, {dataFolder + QStringLiteral("/mime")});
        update.waitForFinished(kUpdateWaitMs);
    }
    return true;
}

bool RegisterSchemeFileType(const QString& extension, const QString& documentType,
                            const QString& description) {
    return SchemeFileType::Register(SchemeFileType::UserDataFolder(), extension, documentType,
                                    description);
}
