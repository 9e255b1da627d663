#pragma once

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <mutex>

class PngRows;

// The cells of a strip movie decoded from its file whenever one is asked for, rather than held
// decoded: a full-screen background holds 35 MB or more decoded, and each view keeps the cells it
// shows at its own size anyway. The decoder moves on from the last cell it made, so cells asked
// for in order (a loop playing, a set of cells made for a size) cost one cell's rows each. A file
// changed on disk since is not read from: its cells are black until the movie is loaded anew.
// Safe on any thread.
class StripCellDecoder {
public:
    // `path` names the file as found whole (its chunks checked) at `size` bytes and `modified`;
    // null when it is not a picture of `picture`'s size taken by PngRows, or its first row
    // cannot be decoded. An RGBA picture is read through once here, to learn whether every
    // pixel is opaque.
    static std::shared_ptr<StripCellDecoder>
    Open(const QString& path, qint64 size, const QDateTime& modified, QSize picture, QSize cell);
    ~StripCellDecoder();
    StripCellDecoder(const StripCellDecoder&) = delete;
    StripCellDecoder& operator=(const StripCellDecoder&) = delete;

    int Count() const { return m_count; }
    bool IsOpaque() const { return m_opaque; }
    // Cell `index` in premultiplied pixels; a cell the data breaks off in is black from there on.
    QImage Cell(int index) const;
    // Decodes the cell enlarged to `out`'s size straight into it, holding none of it besides;
    // false, and `out` untouched, when `out` is smaller than a cell in either direction.
    bool DecodeScaled(int index, QImage& out) const;
    // What the decoder holds at most, besides what it makes: a cell.
    qint64 ByteSize() const { return qint64(m_cell.width()) * m_cell.height() * 4; }

private:
    StripCellDecoder(const QString& path, qint64 size, const QDateTime& modified, QSize cell,
                     int count);
    bool Restart() const;
    // Decodes a cell, the lock held.
    QImage Decode(int index) const;
    // Decodes the rows of a cell one by one into `into(y)` and tells `done(y)`; returns how many
    // rows the data gave.
    int DecodeRows(int index, const std::function<uchar*(int)>& into,
                   const std::function<void(int)>& done) const;

    const QString m_path;
    const qint64 m_fileSize;
    const QDateTime m_modified;
    const QSize m_cell;
    const int m_count;
    const QSize m_picture;
    bool m_opaque = true;
    mutable std::mutex m_lock;
    mutable std::unique_ptr<PngRows> m_rows; // positioned after the last cell made
    mutable int m_brokenRow = -1;            // the first row the data could not give, once met
};
