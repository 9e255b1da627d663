#include "store/ImportLineReader.h"

#include "model/AnsiCodec.h"

#include <QIODevice>

#include <cstring>

namespace {

// Checks UTF-8 fed in pieces of any size: shortest forms only, no surrogates, nothing above
// U+10FFFF.
class Utf8Check {
public:
    void Feed(const char* data, qsizetype size) {
        for (qsizetype i = 0; i < size && m_ok; ++i) {
            const quint8 b = quint8(data[i]);
            if (m_need > 0) {
                m_ok = b >= m_low && b <= m_high;
                m_low = 0x80;
                m_high = 0xBF;
                --m_need;
            } else if (b >= 0x80) {
                start(b);
            }
        }
    }
    bool Valid() const { return m_ok && m_need == 0; }
    bool Failed() const { return !m_ok; }

private:
    void start(quint8 b) {
        if (b >= 0xC2 && b <= 0xDF) {
            m_need = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_need = 2;
            m_low = b == 0xE0 ? 0xA0 : 0x80;
            m_high = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_need = 3;
            m_low = b == 0xF0 ? 0x90 : 0x80;
            m_high = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            m_ok = false;
        }
    }

    bool m_ok = true;
    int m_need = 0;
    quint8 m_low = 0x80;
    quint8 m_high = 0xBF;
};

} // namespace

ImportLineReader::ImportLineReader(QIODevice& file, qsizetype blockBytes)
    : m_file(file), m_blockBytes(blockBytes) {
    const QByteArray head = m_file.peek(3);
    m_bUtf16 = head.size() >= 2 && quint8(head[0]) == 0xFF && quint8(head[1]) == 0xFE;
    if (m_bUtf16) {
        m_file.read(2);
        m_bufFileOffset = 2;
    } else if (head.startsWith("\xEF\xBB\xBF")) {
        // Spreadsheets mark their UTF-8 so; the mark says how to read the file.
        m_file.read(3);
        m_bufFileOffset = 3;
        m_utf8 = Utf8::Yes;
    }
    m_unitBytes = m_bUtf16 ? 2 : 1;
    m_maxLineBytes = m_bUtf16 ? kMaxUtf16LineBytes : kMaxAnsiLineBytes;
}

bool ImportLineReader::fill() {
    if (m_bEof)
        return false;
    // Keep the unfinished line only; a line being skipped keeps just the units that may hold
    // the start of its CR LF.
    qsizetype keepFrom = m_lineStart;
    if (m_bSkipping)
        keepFrom = std::max(m_lineStart, m_buf.size() - 2 * m_unitBytes);
    keepFrom -= (keepFrom - m_lineStart) & (m_unitBytes - 1);
    m_searchFrom = std::max<qsizetype>(0, m_searchFrom - keepFrom);
    m_bufFileOffset += keepFrom;
    // The kept bytes move to the front of the same buffer and the block is read in behind them:
    // no allocation per block, and the units stay aligned.
    const qsizetype kept = m_buf.size() - keepFrom;
    if (kept > 0 && keepFrom > 0)
        std::memmove(m_buf.data(), m_buf.constData() + keepFrom, size_t(kept));
    m_buf.resize(kept + m_blockBytes);
    const qint64 read = m_file.read(m_buf.data() + kept, m_blockBytes);
    m_buf.resize(kept + std::max<qint64>(read, 0));
    m_lineStart = 0;
    m_lastLineStart = 0;
    if (read <= 0) {
        m_bEof = true;
        m_bFailed = read < 0;
        return false;
    }
    return true;
}

// The position of the next LF that sits on a character boundary.
qsizetype ImportLineReader::findLineEnd(qsizetype from) const {
    const char* buf = m_buf.constData();
    const qsizetype size = m_buf.size();
    while (from < size) {
        const void* hit = std::memchr(buf + from, '\n', size_t(size - from));
        if (!hit)
            return -1;
        const qsizetype at = static_cast<const char*>(hit) - buf;
        if (!m_bUtf16)
            return at;
        if (((at - m_lineStart) & 1) == 0 && at + 1 < size && buf[at + 1] == '\0')
            return at;
        from = at + 1;
    }
    return -1;
}

bool ImportLineReader::IsUtf8() {
    if (m_bUtf16)
        return false;
    // Lines before the current one held no byte above 0x7F (it would have decided this), and
    // read the same either way.
    if (m_utf8 == Utf8::Unknown)
        m_utf8 = restIsUtf8() ? Utf8::Yes : Utf8::No;
    return m_utf8 == Utf8::Yes;
}

// Checks what is buffered from the line last returned on and the rest of the file, then goes back
// to where reading stopped.
bool ImportLineReader::restIsUtf8() {
    Utf8Check check;
    check.Feed(m_buf.constData() + m_lastLineStart, m_buf.size() - m_lastLineStart);
    if (m_file.isSequential())
        return check.Valid();
    const qint64 resume = m_file.pos();
    QByteArray block;
    while (!check.Failed()) {
        block = m_file.read(1 << 20);
        if (block.isEmpty())
            break;
        check.Feed(block.constData(), block.size());
    }
    m_file.seek(resume);
    return check.Valid();
}

QString ImportLineReader::Decode(QByteArrayView bytesView) {
    const char* data = bytesView.data();
    const qsizetype bytes = bytesView.size();
    if (m_bUtf16)
        return QString(reinterpret_cast<const QChar*>(data), bytes / 2);
    for (qsizetype i = 0; i < bytes; ++i) {
        if (quint8(data[i]) >= 0x80) {
            if (IsUtf8())
                return QString::fromUtf8(data, bytes);
            return AnsiCodec::toUnicode(QByteArrayView(data, bytes));
        }
    }
    return QString::fromLatin1(data, bytes);
}

ImportLineReader::Result ImportLineReader::finishLine(qsizetype end, QByteArrayView& bytes) {
    const qsizetype length = end - m_lineStart;
    const bool tooLong = m_bSkipping || length > m_maxLineBytes;
    if (!tooLong)
        bytes = QByteArrayView(m_buf.constData() + m_lineStart, length & ~(m_unitBytes - 1));
    m_bSkipping = false;
    return tooLong ? Result::TooLong : Result::Line;
}

ImportLineReader::Result ImportLineReader::Next(QString& line) {
    line.clear();
    QByteArrayView bytes;
    const Result r = NextRaw(bytes);
    if (r == Result::Line)
        line = Decode(bytes);
    return r;
}

ImportLineReader::Result ImportLineReader::NextRaw(QByteArrayView& bytes) {
    bytes = QByteArrayView();
    for (;;) {
        const qsizetype lf = findLineEnd(std::max(m_searchFrom, m_lineStart));
        if (lf >= 0) {
            // A CR right before the LF belongs to the line end.
            qsizetype end = lf;
            const char* buf = m_buf.constData();
            if (end - m_lineStart >= m_unitBytes && buf[end - m_unitBytes] == '\r' &&
                (m_unitBytes == 1 || buf[end - 1] == '\0'))
                end -= m_unitBytes;
            const Result r = finishLine(end, bytes);
            m_lastLineStart = m_lineStart;
            m_lineStart = lf + m_unitBytes;
            m_searchFrom = m_lineStart;
            return r;
        }
        // A UTF-16 LF may straddle the end of what is buffered.
        m_searchFrom = std::max(m_lineStart, m_buf.size() - m_unitBytes + 1);
        m_searchFrom -= (m_searchFrom - m_lineStart) & (m_unitBytes - 1);
        if (m_buf.size() - m_lineStart > m_maxLineBytes)
            m_bSkipping = true;
        if (!fill()) {
            if (m_buf.size() - m_lineStart < m_unitBytes && !m_bSkipping) {
                m_lineStart = m_buf.size();
                return Result::End;
            }
            const Result r = finishLine(m_buf.size(), bytes);
            m_lastLineStart = m_lineStart;
            m_lineStart = m_buf.size();
            return r;
        }
    }
}
