#include "media/StripMovieFile.h"

#include "media/StripRows.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QtEndian>

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <thread>

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

// Whether the file ends with its end chunk and every chunk's checksum holds. The rows of a strip
// shown before it is wholly decoded must not turn out damaged half-way, as a cut or garbled copy
// would; such a file is decoded whole first, and refused as before. Read piece by piece: the file
// is never held whole besides its picture.
bool ChunksIntact(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file);
    if (size < 0 || std::fseek(file, 8, SEEK_SET) != 0)
        return false;
    std::vector<uchar> piece(size_t(1) << 16);
    long pos = 8;
    while (pos + 12 <= size) {
        uchar head[8];
        if (std::fread(head, 1, 8, file) != 8)
            return false;
        const long length = long(qFromBigEndian<quint32>(head));
        if (length > size - pos - 12)
            return false;
        uLong crc = crc32(crc32(0, nullptr, 0), head + 4, 4);
        for (long left = length; left > 0;) {
            const auto n = static_cast<size_t>(std::min<long>(left, long(piece.size())));
            if (std::fread(piece.data(), 1, n, file) != n)
                return false;
            crc = crc32(crc, piece.data(), static_cast<uInt>(n));
            left -= long(n);
        }
        uchar stored[4];
        if (std::fread(stored, 1, 4, file) != 4 || crc != qFromBigEndian<quint32>(stored))
            return false;
        pos += 12 + length;
        if (std::memcmp(head + 4, "IEND", 4) == 0)
            return pos == size && std::fseek(file, 0, SEEK_SET) == 0;
    }
    return false;
}

// The rows of an 8-bit RGB PNG, decoded a few at a time into 32-bit pixels as QImageReader makes
// them (0xffRRGGBB). Anything else (transparency, other depths, interlacing, colour management)
// is left to QImageReader.
class PngRows {
public:
    // Takes the file, read from its start.
    explicit PngRows(std::FILE* file) : m_file(file) {}
    ~PngRows() {
        if (m_png)
            png_destroy_read_struct(&m_png, &m_info, nullptr);
        std::fclose(m_file);
    }
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;

    bool Open(QSize expected) {
        if (Q_BYTE_ORDER != Q_LITTLE_ENDIAN)
            return false;
        m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
        if (!m_png)
            return false;
        m_info = png_create_info_struct(m_png);
        if (!m_info)
            return false;
        // NOLINTNEXTLINE(cert-err52-cpp): libpng reports its errors only by a long jump
        if (setjmp(png_jmpbuf(m_png)))
            return false;
        png_init_io(m_png, m_file);
        png_read_info(m_png, m_info);
        constexpr png_uint_32 kManaged =
            PNG_INFO_tRNS | PNG_INFO_gAMA | PNG_INFO_cHRM | PNG_INFO_iCCP | PNG_INFO_sRGB;
        if (png_get_color_type(m_png, m_info) != PNG_COLOR_TYPE_RGB ||
            png_get_bit_depth(m_png, m_info) != 8 ||
            png_get_interlace_type(m_png, m_info) != PNG_INTERLACE_NONE ||
            png_get_valid(m_png, m_info, kManaged) != 0 ||
            png_get_image_width(m_png, m_info) != static_cast<png_uint_32>(expected.width()) ||
            png_get_image_height(m_png, m_info) != static_cast<png_uint_32>(expected.height()))
            return false;
        png_set_bgr(m_png);
        png_set_filler(m_png, 0xff, PNG_FILLER_AFTER);
        png_read_update_info(m_png, m_info);
        return png_get_rowbytes(m_png, m_info) == static_cast<size_t>(expected.width()) * 4;
    }

    // Decodes rows [from, to) into the picture at `bits`.
    bool Read(uchar* bits, qsizetype bytesPerLine, int from, int to) {
        // NOLINTNEXTLINE(cert-err52-cpp): libpng reports its errors only by a long jump
        if (setjmp(png_jmpbuf(m_png)))
            return false;
        for (int y = from; y < to; ++y)
            png_read_row(m_png, bits + qsizetype(y) * bytesPerLine, nullptr);
        return true;
    }

private:
    static void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
    static void OnWarning(png_structp, png_const_charp) {}

    std::FILE* m_file;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
};

// A strip of opaque cells is handed out once its first cell is decoded; the rest is decoded on a
// thread of its own, and a cell asked for before its rows are in waits for them. This is what
// lets the first frame show while most of a big background is still being decoded. nullopt when
// the file is not such a strip, or not whole: QImageReader then decodes it, or says why not.
struct EarlyCells {
    std::vector<QImage> cells;
    std::shared_ptr<const StripRows> rows;
};

std::optional<EarlyCells> ReadEarly(const QString& path, const Header& header) {
    const QSize size = header.size;
    const int cellHeight = header.layout.cell.height();
    if (header.layout.count < 2 ||
        qint64(size.width()) * size.height() * 4 > qint64(StripMovieFile::kMaxDecodeMb) << 20)
        return std::nullopt;
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rbe");
    if (!file)
        return std::nullopt;
    auto rows = std::make_shared<PngRows>(file);
    if (!ChunksIntact(file) || !rows->Open(size))
        return std::nullopt;
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        return std::nullopt;
    // Written only here and by the decoding thread, each row before it is published.
    uchar* bits = picture.bits();
    const qsizetype line = picture.bytesPerLine();
    if (!rows->Read(bits, line, 0, cellHeight))
        return std::nullopt;
    auto published = std::make_shared<StripRows>();
    published->Publish(cellHeight);
    auto strip = std::make_shared<const QImage>(std::move(picture));
    std::vector<QImage> cells = CellViews(strip, header.layout.cell, header.layout.count,
                                          QImage::Format_ARGB32_Premultiplied);
    // The thread holds all it works on, and nothing else waits for it than the cells' readers:
    // it is let go, and a program that ends meanwhile does not wait for a picture it will not show.
    const auto rest = [rows, strip, bits, line, published, cellHeight, height = size.height()] {
        for (int y = cellHeight; y < height; y += cellHeight) {
            const int to = std::min(height, y + cellHeight);
            if (!rows->Read(bits, line, y, to)) {
                // Data that broke the decoder despite whole chunks: what is left stays black.
                for (int r = y; r < height; ++r)
                    std::fill_n(reinterpret_cast<quint32*>(bits + qsizetype(r) * line),
                                strip->width(), 0xff000000u);
                break;
            }
            published->Publish(to);
        }
        published->Publish(height);
    };
    try {
        std::thread(rest).detach();
    } catch (const std::system_error&) {
        rest(); // no thread to be had: the picture is decoded whole here, as before
    }
    return EarlyCells{std::move(cells), std::move(published)};
}

} // namespace

MovieLoadResult StripMovieFile::Read(const QString& path) {
    QImageReader reader(path);
    QString why;
    const std::optional<Header> header = ReadHeader(reader, path, why);
    if (!header)
        return MovieLoadResult::Failure(why);
    if (std::optional<EarlyCells> early = ReadEarly(path, *header)) {
        const Layout& layout = header->layout;
        std::vector<int> cellMs(early->cells.size(), layout.frameMs);
        return {std::shared_ptr<const StripMovie>(
                    new StripMovie(layout.kind, std::move(early->cells), header->keys,
                                   std::move(cellMs), layout.rollMs, true, std::move(early->rows))),
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
