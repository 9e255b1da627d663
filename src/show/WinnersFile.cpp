#include "show/WinnersFile.h"

#include <QSaveFile>

namespace {

const QString kSeparator = QStringLiteral(",");
const QString kLineEnd = QStringLiteral("\r\n");

void appendUtf16Le(QByteArray& out, const QString& text) {
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        out.append(char(unit & 0xFF));
        out.append(char(unit >> 8));
    }
}

QString headerLine() {
    return QStringLiteral("SN.") + kSeparator + QStringLiteral("Prize level") + kSeparator +
           QStringLiteral("Winning numbers") + kSeparator +
           QStringLiteral("Additional information") + kLineEnd;
}

QString oneLine(qint64 serial, const WinnerLine& line) {
    QString info = line.info;
    info.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    return QString::number(serial) + kSeparator + line.level + kSeparator + line.number +
           kSeparator + info + kLineEnd;
}

} // namespace

QByteArray EncodeWinnersText(const QList<WinnerLine>& lines) {
    QByteArray out;
    out.append('\xFF');
    out.append('\xFE');
    appendUtf16Le(out, headerLine());
    qint64 serial = 0;
    for (const WinnerLine& line : lines)
        appendUtf16Le(out, oneLine(++serial, line));
    return out;
}

bool SaveWinnersText(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
