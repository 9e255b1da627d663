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

// Writes the lines of a long list straight into a buffer sized for them: the file is made
// again after every draw step, from every winner, on the writer's thread while the draw shows
// its stops.
class LineWriter {
public:
    LineWriter(QByteArray& out, qsizetype roomUnits) : m_out(out), m_start(out.size()) {
        m_out.resize(m_start + 2 * roomUnits);
        m_at = m_out.data() + m_start;
    }
    void Line(qint64 serial, QStringView level, QStringView number, QStringView info) {
        char digits[24];
        int n = 0;
        for (quint64 left = quint64(serial); n == 0 || left > 0; left /= 10)
            digits[n++] = char('0' + left % 10);
        while (n > 0)
            Unit(char16_t(digits[--n]));
        Unit(u',');
        Text(level);
        Unit(u',');
        Text(number);
        Unit(u',');
        // Each CR LF of the information becomes backslash-n.
        for (qsizetype at = info.indexOf(u'\r'); at >= 0; at = info.indexOf(u'\r', at + 1)) {
            if (at + 1 < info.size() && info.at(at + 1) == u'\n') {
                Text(info.left(at));
                Unit(u'\\');
                Unit(u'n');
                info = info.mid(at + 2);
                at = -1;
            }
        }
        Text(info);
        Unit(u'\r');
        Unit(u'\n');
    }
    void Finish() { m_out.resize(m_at - m_out.data()); }
    // Units a line takes at most.
    static qsizetype Room(QStringView level, QStringView number, QStringView info) {
        constexpr qsizetype kSerialAndMarks = 20 + 3 + 2; // digits, three commas, CR LF
        return level.size() + number.size() + info.size() + kSerialAndMarks;
    }

private:
    void Unit(char16_t unit) {
        qToLittleEndian(unit, m_at);
        m_at += 2;
    }
    void Text(QStringView text) {
        if (text.isEmpty())
            return; // an empty text may have no data at all, and memcpy takes none
        qToLittleEndian<char16_t>(text.utf16(), text.size(), m_at);
        m_at += 2 * text.size();
    }

    QByteArray& m_out;
    qsizetype m_start;
    char* m_at = nullptr;
};

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
    qsizetype room = 0;
    for (const WinnerLine& line : lines)
        room += LineWriter::Room(line.level, line.number, line.info);
    LineWriter writer(out, room);
    qint64 serial = 0;
    for (const WinnerLine& line : lines)
        writer.Line(++serial, line.level, line.number, line.info);
    writer.Finish();
    return out;
}

QByteArray EncodeWinnersText(const QList<WinnersLevel>& levels) {
    QByteArray out = header();
    qsizetype room = 0;
    for (const WinnersLevel& level : levels) {
        for (const QList<WinnerText>& block : level.blocks) {
            for (const WinnerText& text : block)
                room += LineWriter::Room(level.name, text.number, text.info);
        }
    }
    LineWriter writer(out, room);
    qint64 serial = 0;
    for (const WinnersLevel& level : levels) {
        for (const QList<WinnerText>& block : level.blocks) {
            for (const WinnerText& text : block)
                writer.Line(++serial, level.name, text.number, text.info);
        }
    }
    writer.Finish();
    return out;
}

bool SaveWinnersText(const QString& path, const QByteArray& bytes) {
    return !path.isEmpty() && SafeFileWriter::WriteWhole(path, bytes);
}
