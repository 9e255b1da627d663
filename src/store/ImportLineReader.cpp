#include "store/ImportLineReader.h"

#include "model/AnsiCodec.h"

#include <QIODevice>

ImportLineReader::ImportLineReader(QIODevice& file, qsizetype blockBytes)
    : m_file(file), m_blockBytes(blockBytes) {
    const QByteArray head = m_file.peek(2);
    m_bUtf16 = head.size() == 2 && quint8(head[0]) == 0xFF && quint8(head[1]) == 0xFE;
    if (m_bUtf16) {
        m_file.read(2);
        m_bufFileOffset = 2;
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
    keepFrom -= (keepFrom - m_lineStart) % m_unitBytes;
    m_searchFrom = std::max<qsizetype>(0, m_searchFrom - keepFrom);
    m_bufFileOffset += keepFrom;
    m_buf.remove(0, keepFrom);
    m_lineStart = 0;
    const QByteArray block = m_file.read(m_blockBytes);
    if (block.isEmpty()) {
        m_bEof = true;
        return false;
    }
    m_buf.append(block);
    return true;
}

qsizetype ImportLineReader::findLineEnd(qsizetype from) const {
    const QByteArrayView buf(m_buf);
    const QByteArrayView crlf = m_bUtf16 ? QByteArrayView("\r\0\n\0", 4) : QByteArrayView("\r\n");
    for (qsizetype at = buf.indexOf(crlf, from); at >= 0; at = buf.indexOf(crlf, at + 1)) {
        if ((at - m_lineStart) % m_unitBytes == 0)
            return at;
    }
    return -1;
}

QString ImportLineReader::decode(const char* data, qsizetype bytes) const {
    if (m_bUtf16)
        return QString(reinterpret_cast<const QChar*>(data), bytes / 2);
    for (qsizetype i = 0; i < bytes; ++i) {
        if (quint8(data[i]) >= 0x80)
            return AnsiCodec::toUnicode(QByteArrayView(data, bytes));
    }
    return QString::fromLatin1(data, bytes);
}

ImportLineReader::Result ImportLineReader::finishLine(qsizetype end, QString& line) {
    const qsizetype length = end - m_lineStart;
    const bool tooLong = m_bSkipping || length > m_maxLineBytes;
    if (!tooLong)
        line = decode(m_buf.constData() + m_lineStart, length - length % m_unitBytes);
    m_bSkipping = false;
    return tooLong ? Result::TooLong : Result::Line;
}

ImportLineReader::Result ImportLineReader::Next(QString& line) {
    line.clear();
    const qsizetype crlfBytes = 2 * m_unitBytes;
    for (;;) {
        const qsizetype end = findLineEnd(std::max(m_searchFrom, m_lineStart));
        if (end >= 0) {
            const Result r = finishLine(end, line);
            m_lineStart = end + crlfBytes;
            m_searchFrom = m_lineStart;
            return r;
        }
        // The CR LF may straddle the end of what is buffered.
        m_searchFrom = std::max(m_lineStart, m_buf.size() - crlfBytes + 1);
        m_searchFrom -= (m_searchFrom - m_lineStart) % m_unitBytes;
        if (m_buf.size() - m_lineStart > m_maxLineBytes)
            m_bSkipping = true;
        if (!fill()) {
            if (m_buf.size() - m_lineStart < m_unitBytes && !m_bSkipping) {
                m_lineStart = m_buf.size();
                return Result::End;
            }
            const Result r = finishLine(m_buf.size(), line);
            m_lineStart = m_buf.size();
            return r;
        }
    }
}
