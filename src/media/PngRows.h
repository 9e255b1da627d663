#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <png.h>

// The rows of an 8-bit RGB or RGBA PNG file, decoded a few at a time, top to bottom, into
// premultiplied 32-bit pixels as QImage keeps them (0xAARRGGBB). Anything else (other depths,
// palettes, interlacing, colour management) is not taken, and left to QImageReader.
//
// The file is open only while rows are read: between reads, ReleaseFile lets it go, and the next
// read opens it again where the last one ended. A file that changed meanwhile (its size or time)
// is not read on from: the rows then fail.
class PngRows {
public:
    // `size` and `modified`: the file as it was found to be whole.
    PngRows(QString path, qint64 size, QDateTime modified)
        : m_path(std::move(path)), m_size(size), m_modified(std::move(modified)) {}
    ~PngRows();
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    // Reads the header; false when the picture is not of the size expected or not of a kind
    // taken here.
    bool Open(QSize expected);
    // Whether the file has an alpha channel (its pixels may still all be opaque).
    bool HasAlpha() const { return m_alpha; }
    // Decodes the next `count` rows into `bits`, one line apart; nullptr skips them.
    bool Read(uchar* bits, qsizetype bytesPerLine, int count);
    // Rows decoded so far.
    int Row() const { return m_row; }
    void ReleaseFile() { m_file.close(); }

private:
    static void OnError(png_structp png, png_const_charp);
    static void OnWarning(png_structp, png_const_charp) {}
    static void OnRead(png_structp png, png_bytep data, size_t length);

    const QString m_path;
    const qint64 m_size;
    const QDateTime m_modified;
    QFile m_file;
    qint64 m_offset = 0; // bytes of the file read
    png_structp m_read = nullptr;
    png_infop m_info = nullptr;
    int m_width = 0;
    bool m_alpha = false;
    int m_row = 0;
    QByteArray m_skipped; // where skipped rows go
};
