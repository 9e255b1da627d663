#include "model/LayoutScreenFile.h"

#include "model/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QList>

QString LayoutScreenFile::PathIn(const QString& folder) {
    return QDir(folder).filePath(FileName());
}

std::optional<QSize> LayoutScreenFile::Read(const QString& folder) {
    QFile file(PathIn(folder));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxBytes)
        return std::nullopt;
    return Decode(file.read(kMaxBytes));
}

bool LayoutScreenFile::Write(const QString& folder, QSize size) {
    return SafeFileWriter::WriteWhole(PathIn(folder), Encode(size));
}

bool LayoutScreenFile::Remove(const QString& folder) {
    QFile file(PathIn(folder));
    return !file.exists() || file.remove();
}

QByteArray LayoutScreenFile::Encode(QSize size) {
    return QByteArray("[Layout]\r\nWidth=") + QByteArray::number(size.width()) +
           "\r\nHeight=" + QByteArray::number(size.height()) + "\r\n";
}

std::optional<QSize> LayoutScreenFile::Decode(const QByteArray& bytes) {
    if (bytes.size() > kMaxBytes)
        return std::nullopt;
    int width = 0;
    int height = 0;
    for (QByteArray line : bytes.split('\n')) {
        line = line.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray key = line.left(eq).trimmed().toLower();
        bool ok = false;
        const int value = line.mid(eq + 1).trimmed().toInt(&ok);
        if (!ok)
            continue;
        if (key == "width")
            width = value;
        else if (key == "height")
            height = value;
    }
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return std::nullopt;
    return QSize(width, height);
}
