#include "show/WinnersFile.h"

#include "model/SafeFileWriter.h"

#include <QtEndian>

namespace {

const QString kSeparator = QStringLiteral(",");
const QString kLineEnd = QStringLiteral("\r\n");

void appendUtf16Le(QByteArray& out, const QString& text) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    out.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
#else
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        out.append(char(unit & 0xFF));
        out.append(char(unit >> 8));
    }
#endif
}

QString headerLine() {
    return QStringLiteral("SN.") + kSeparator + QStringLiteral("Prize level") + kSeparator +
           QStringLiteral("Winning numbers") + kSeparator +
           QStringLiteral("Additional information") + kLineEnd;
}

void appendLine(QByteArray& out, qint64 serial, const QString& level, const QString& number,
                const QString& info) {
    QString text = info;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    appendUtf16Le(out, QString::number(serial) + kSeparator + level + kSeparator + number +
                           kSeparator + text + kLineEnd);
}

QByteArray header() {
    QByteArray out;
    out.append('\xFF');
    out.append('\xFE');
    appendUtf16Le(out, headerLine());
    return out;
}

} // namespace

qsizetype WinnersLevel::Count() const {
    return blocks.isEmpty() ? 0 : (blocks.size() - 1) * kBlock + blocks.constLast().size();
}

void WinnersLevel::Append(const WinnerText& text) {
    if (blocks.isEmpty() || blocks.constLast().size() >= kBlock) {
        blocks.append(QList<WinnerText>());
        blocks.last().reserve(kBlock);
    }
    blocks.last().append(text);
}

void WinnersLevel::Truncate(qsizetype count) {
    count = qMax<qsizetype>(0, count);
    if (count >= Count())
        return;
    blocks.resize((count + kBlock - 1) / kBlock);
    if (!blocks.isEmpty())
        blocks.last().resize(count - (blocks.size() - 1) * kBlock);
}

QByteArray EncodeWinnersText(const QList<WinnerLine>& lines) {
    QByteArray out = header();
    qint64 serial = 0;
    for (const WinnerLine& line : lines)
        appendLine(out, ++serial, line.level, line.number, line.info);
    return out;
}

QByteArray EncodeWinnersText(const QList<WinnersLevel>& levels) {
    QByteArray out = header();
    qint64 serial = 0;
    for (const WinnersLevel& level : levels) {
        for (const QList<WinnerText>& block : level.blocks) {
            for (const WinnerText& text : block)
                appendLine(out, ++serial, level.name, text.number, text.info);
        }
    }
    return out;
}

bool SaveWinnersText(const QString& path, const QByteArray& bytes) {
    return !path.isEmpty() && SafeFileWriter::WriteWhole(path, bytes);
}
