#include "media/StripMovieFile.h"

#include "media/StripCellDecoder.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kMaxCellSide = 16384;
constexpr int kMaxCells = 4096;
constexpr int kMaxMs = 600000;

// Reads a decimal key; nullopt when present but not a number in range, fallback when absent.
std::optional<int> ReadNumber(const QMap<QString, QString>& keys, const QString& key, int fallback,
                              int max) {
    if (!keys.contains(key))
        return fallback;
    bool ok = false;
    int value = keys.value(key).trimmed().toInt(&ok);
    if (!ok || value < 1 || value > max)
        return std::nullopt;
    return value;
}

QMap<QString, QString> ReadKeys(const QImageReader& reader) {
    QMap<QString, QString> keys;
    for (const QString& k : reader.textKeys())
        keys.insert(k, reader.text(k));
    return keys;
}

struct Layout {
    StripMovie::Kind kind;
    QSize cell;
    int count;
    int rollMs;
    int frameMs;
};

// Checks the keys against the picture's size before any pixel is decoded.
std::optional<Layout> CheckLayout(const QMap<QString, QString>& keys, QSize picture, QString* why) {
    const QString kind = keys.value(QStringLiteral("Kind"));
    if (kind != QLatin1String("symbols") && kind != QLatin1String("loop")) {
        *why = QStringLiteral("unknown movie kind \"%1\"").arg(kind);
        return std::nullopt;
    }
    const auto cx = ReadNumber(keys, QStringLiteral("cx"), 0, kMaxCellSide);
    const auto cy = ReadNumber(keys, QStringLiteral("cy"), 0, kMaxCellSide);
    const auto roll =
        ReadNumber(keys, QStringLiteral("RollMs"), StripMovie::kDefaultRollMs, kMaxMs);
    const auto frame =
        ReadNumber(keys, QStringLiteral("FrameMs"), StripMovie::kDefaultFrameMs, kMaxMs);
    if (!cx || !cy || *cx == 0 || *cy == 0 || !roll || !frame) {
        *why = QStringLiteral("cell size or timing keys missing or out of range");
        return std::nullopt;
    }
    if (picture.width() != *cx || picture.height() % *cy != 0 || picture.height() == 0) {
        *why = QStringLiteral("picture is not a stack of %1 x %2 cells").arg(*cx).arg(*cy);
        return std::nullopt;
    }
    Layout layout{kind == QLatin1String("symbols") ? StripMovie::Kind::Symbols
                                                   : StripMovie::Kind::Loop,
                  QSize(*cx, *cy), picture.height() / *cy, *roll, *frame};
    if (layout.count > kMaxCells) {
        *why = QStringLiteral("too many cells");
        return std::nullopt;
    }
    const qsizetype chars = keys.value(QStringLiteral("SymbolsBits")).size();
    if (layout.kind == StripMovie::Kind::Symbols && layout.count != chars + 2) {
        *why = QStringLiteral("a symbol movie needs %1 cells, the picture holds %2")
                   .arg(chars + 2)
                   .arg(layout.count);
        return std::nullopt;
    }
    return layout;
}

bool IsFlashSignature(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(3);
    return head == "FWS" || head == "CWS" || head == "ZWS";
}

} // namespace

namespace {

// Whether every PNG chunk's length stays inside the file. The decoder allocates a chunk's
// declared length before it reads it, so a damaged length would ask for gigabytes.
bool ChunksFitFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // the reader reports it
    const qint64 size = file.size();
    qint64 pos = 8;
    while (pos + 12 <= size) {
        uchar length[4];
        if (!file.seek(pos) || file.read(reinterpret_cast<char*>(length), 4) != 4)
            return false;
        const qint64 bytes = qFromBigEndian<quint32>(length);
        if (bytes > size - pos - 12)
            return false;
        pos += 12 + bytes;
    }
    return true;
}

} // namespace

namespace {

struct Header {
    QMap<QString, QString> keys;
    Layout layout{};
    QSize size;
};

// Everything a strip movie says before its pixels: its keys and how its cells lie.
std::optional<Header> ReadHeader(QImageReader& reader, const QString& path, QString& why) {
    if (IsFlashSignature(path)) {
        why = QStringLiteral("%1 is a Flash movie").arg(path);
        return std::nullopt;
    }
    if (!ChunksFitFile(path)) {
        why = QStringLiteral("%1 is damaged").arg(path);
        return std::nullopt;
    }
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(StripMovieFile::kMaxDecodeMb);
    if (reader.format() != "png") {
        why = QStringLiteral("%1 is not a strip movie").arg(path);
        return std::nullopt;
    }
    Header header;
    header.keys = ReadKeys(reader);
    if (header.keys.value(QStringLiteral("Movie")) != QLatin1String("strip/1")) {
        why = QStringLiteral("%1 has no strip/1 movie key").arg(path);
        return std::nullopt;
    }
    // The header's size, taken before decoding: the reader cannot tell it once it has read on.
    header.size = reader.size();
    QString layoutWhy;
    const auto layout = CheckLayout(header.keys, header.size, &layoutWhy);
    if (!layout) {
        why = path + QStringLiteral(": ") + layoutWhy;
        return std::nullopt;
    }
    header.layout = *layout;
    return header;
}

} // namespace

std::optional<QMap<QString, QString>> StripMovieFile::ReadVariables(const QString& path) {
    QImageReader reader(path);
    QString why;
    const std::optional<Header> header = ReadHeader(reader, path, why);
    if (!header)
        return std::nullopt;
    return header->keys;
}

namespace {

void ReleaseStrip(void* strip) {
    delete static_cast<std::shared_ptr<const QImage>*>(strip);
}

// Each cell shares the picture's pixels and keeps the picture alive; writing to a cell would
// copy it first, as QImage does with any shared pixels.
std::vector<QImage> CellViews(const std::shared_ptr<const QImage>& strip, QSize cell, int count,
                              QImage::Format format) {
    const qsizetype line = strip->bytesPerLine();
    std::vector<QImage> cells;
    cells.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const uchar* first = strip->constBits() + qsizetype(i) * cell.height() * line;
        cells.emplace_back(first, cell.width(), cell.height(), line, format, ReleaseStrip,
                           new std::shared_ptr<const QImage>(strip));
    }
    return cells;
}

} // namespace

namespace {

// Whether the file ends with its end chunk and every chunk's checksum holds. Cells decoded as
// they are asked for must not turn out damaged half-way through a show, as a cut or garbled copy
// would; such a file is decoded whole at once, and refused as before. Read piece by piece: the
// file is never held whole.
bool ChunksIntact(QFile& file) {
    const qint64 size = file.size();
    if (!file.seek(8))
        return false;
    std::vector<char> piece(size_t(1) << 16);
    qint64 pos = 8;
    while (pos + 12 <= size) {
        uchar head[8];
        if (file.read(reinterpret_cast<char*>(head), 8) != 8)
            return false;
        const qint64 length = qFromBigEndian<quint32>(head);
        if (length > size - pos - 12)
            return false;
        uLong crc = crc32(crc32(0, nullptr, 0), head + 4, 4);
        for (qint64 left = length; left > 0;) {
            const qint64 n = std::min<qint64>(left, qint64(piece.size()));
            if (file.read(piece.data(), n) != n)
                return false;
            crc = crc32(crc, reinterpret_cast<const Bytef*>(piece.data()), uInt(n));
            left -= n;
        }
        uchar stored[4];
        if (file.read(reinterpret_cast<char*>(stored), 4) != 4 ||
            crc != qFromBigEndian<quint32>(stored))
            return false;
        pos += 12 + length;
        if (std::memcmp(head + 4, "IEND", 4) == 0)
            return pos == size;
    }
    return false;
}

std::shared_ptr<StripCellDecoder> OpenDecoder(const QString& path, const Header& header) {
    // The same bound as for a picture decoded whole, though only a cell is held at a time.
    if (qint64(header.size.width()) * header.size.height() * 4 >
        qint64(StripMovieFile::kMaxDecodeMb) << 20)
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
    if (!ChunksIntact(file))
        return nullptr;
    return StripCellDecoder::Open(path, file.size(), modified, header.size, header.layout.cell);
}

} // namespace

MovieLoadResult StripMovieFile::Read(const QString& path) {
    QImageReader reader(path);
    QString why;
    const std::optional<Header> header = ReadHeader(reader, path, why);
    if (!header)
        return MovieLoadResult::Failure(why);
    if (auto decoder = OpenDecoder(path, *header)) {
        const Layout& layout = header->layout;
        std::vector<int> cellMs(size_t(layout.count), layout.frameMs);
        return {std::shared_ptr<const StripMovie>(new StripMovie(layout.kind, std::move(decoder),
                                                                 layout.cell, header->keys,
                                                                 std::move(cellMs), layout.rollMs)),
                QString()};
    }
    const QMap<QString, QString>& keys = header->keys;
    const QSize size = header->size;
    const std::optional<Layout> layout = header->layout;
    QImage picture = reader.read();
    if (picture.isNull() || picture.size() != size)
        return MovieLoadResult::Failure(path + QStringLiteral(": ") + reader.errorString());
    // The cells are read-only views into the one decoded picture, in the form the movie keeps
    // them: no cell is copied, and a big background takes its memory once, not three times.
    // Opaque pixels (0xffRRGGBB) are already premultiplied as they stand: such a picture is
    // neither converted nor searched for transparency, a pass each over a whole background.
    const bool opaque = picture.format() == QImage::Format_RGB32;
    if (!opaque)
        picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    std::vector<QImage> cells =
        CellViews(std::make_shared<const QImage>(std::move(picture)), layout->cell, layout->count,
                  QImage::Format_ARGB32_Premultiplied);
    std::vector<int> cellMs(cells.size(), layout->frameMs);
    return {std::shared_ptr<const StripMovie>(new StripMovie(
                layout->kind, std::move(cells), keys, std::move(cellMs), layout->rollMs, opaque)),
            QString()};
}

bool StripMovieFile::Write(const QString& path, const StripMovie& movie, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (movie.GetKind() == StripMovie::Kind::Animation || movie.CellCount() == 0)
        return fail(QStringLiteral("only symbol and loop movies are written as strips"));
    const QSize cell = movie.NaturalSize();
    QImage strip(cell.width(), cell.height() * movie.CellCount(),
                 movie.IsOpaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    {
        QPainter p(&strip);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (int i = 0; i < movie.CellCount(); ++i)
            p.drawImage(0, i * cell.height(), movie.Cell(i));
    }
    for (auto it = movie.Variables().cbegin(); it != movie.Variables().cend(); ++it)
        strip.setText(it.key(), it.value());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(strip)) {
        file.cancelWriting();
        return fail(writer.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
