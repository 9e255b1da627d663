#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Reads the lines of a number file. The first two bytes FF FE mark UTF-16LE (the text starts
// after them). Other files are single-byte or UTF-8 text from the first byte on: a file that is
// valid UTF-8 throughout is read as UTF-8, as Linux writes text; any other is read in the Windows
// code page. Lines end with LF or CR LF, on a character boundary (a CR before the LF is not part
// of the line; a lone CR is); the text after the last line end is the last line. The file is
// read in blocks and a line may span any number of them. A line longer than the limit (8191
// bytes single-byte, 40956 bytes UTF-16) is reported once as too long and skipped, so a file
// without line ends is still read through to its end. A file that starts with EF BB BF, the mark
// spreadsheets give UTF-8, is read as UTF-8 from after the mark.
class ImportLineReader {
public:
    static constexpr qsizetype kBlockBytes = 40960;
    static constexpr qsizetype kMaxAnsiLineBytes = 8191;
    static constexpr qsizetype kMaxUtf16LineBytes = kBlockBytes - 4;

    enum class Result { Line, TooLong, End };

    // The device is open for reading and positioned at its start.
    explicit ImportLineReader(QIODevice& file, qsizetype blockBytes = kBlockBytes);

    bool IsUtf16() const { return m_bUtf16; }
    // Single-byte files: whether the file is read as UTF-8. Decided when the first byte above
    // 0x7F is met (until then both readings agree), by checking the rest of the file.
    bool IsUtf8();
    Result Next(QString& line);
    // The same without decoding: the line's bytes, whole units only, its line end excluded. They
    // stay valid until the next call. Decode turns the bytes of the line returned last into the
    // text Next gives.
    Result NextRaw(QByteArrayView& bytes);
    QString Decode(QByteArrayView bytes);
    // After End: whether reading stopped at an error rather than at the end of the file.
    bool Failed() const { return m_bFailed; }
    // Bytes of the file up to the end of the last line returned (its CR LF included).
    qint64 BytesConsumed() const { return m_bufFileOffset + m_lineStart; }

private:
    bool fill();
    qsizetype findLineEnd(qsizetype from) const;
    bool restIsUtf8();
    Result finishLine(qsizetype end, QByteArrayView& bytes);

    QIODevice& m_file;
    qsizetype m_blockBytes;
    bool m_bUtf16 = false;
    qsizetype m_maxLineBytes;
    qsizetype m_unitBytes;
    QByteArray m_buf;
    qint64 m_bufFileOffset = 0;    // file offset of m_buf[0]
    qsizetype m_lineStart = 0;     // start of the current line in m_buf
    qsizetype m_lastLineStart = 0; // start of the line NextRaw returned last, for Decode
    qsizetype m_searchFrom = 0;    // no line end before this position of m_buf
    bool m_bEof = false;
    bool m_bFailed = false;
    bool m_bSkipping = false; // inside a line already known to be too long
    enum class Utf8 { Unknown, Yes, No };
    Utf8 m_utf8 = Utf8::Unknown;
};
