#include "media/StripCellDecoder.h"

#include "media/PngRows.h"
#include "media/RowScaler.h"

#include <QColor>

#include <algorithm>
#include <vector>

StripCellDecoder::StripCellDecoder(const QString& path, qint64 size, const QDateTime& modified,
                                   QSize cell, int count)
    : m_path(path), m_fileSize(size), m_modified(modified), m_cell(cell), m_count(count),
      m_picture(cell.width(), cell.height() * count) {}

StripCellDecoder::~StripCellDecoder() = default;

std::shared_ptr<StripCellDecoder> StripCellDecoder::Open(const QString& path, qint64 size,
                                                         const QDateTime& modified, QSize picture,
                                                         QSize cell) {
    if (cell.isEmpty() || picture.width() != cell.width() || picture.height() % cell.height() != 0)
        return nullptr;
    std::shared_ptr<StripCellDecoder> decoder(
        new StripCellDecoder(path, size, modified, cell, picture.height() / cell.height()));
    if (!decoder->Restart())
        return nullptr;
    if (decoder->m_rows->HasAlpha()) {
        // A transparent cell must be blended over what lies beneath, an opaque one may cover it;
        // which it is, only the pixels tell.
        QImage line(cell.width(), 1, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < picture.height() && decoder->m_opaque; ++y) {
            if (!decoder->m_rows->Read(line.bits(), line.bytesPerLine(), 1))
                break; // a damaged picture is found out again where its cells are made
            const auto* pixels = reinterpret_cast<const QRgb*>(line.constBits());
            decoder->m_opaque =
                std::all_of(pixels, pixels + cell.width(), [](QRgb p) { return qAlpha(p) == 255; });
        }
        decoder->m_rows.reset();
    }
    // A strip whose data fails at once is refused here; its first cell is left to whoever shows
    // it first, on a thread of their own, rather than decoded twice or on the loading thread.
    QImage line(cell.width(), 1, QImage::Format_ARGB32_Premultiplied);
    if ((!decoder->m_rows && !decoder->Restart()) ||
        !decoder->m_rows->Read(line.bits(), line.bytesPerLine(), 1))
        return nullptr;
    decoder->m_rows.reset();
    return decoder;
}

bool StripCellDecoder::Restart() const {
    m_rows = std::make_unique<PngRows>(m_path, m_fileSize, m_modified);
    if (m_rows->Open(m_picture))
        return true;
    m_rows.reset();
    return false;
}

QImage StripCellDecoder::Cell(int index) const {
    if (index < 0 || index >= m_count)
        return QImage();
    const std::lock_guard<std::mutex> lock(m_lock);
    QImage cell = Decode(index);
    // No file is held open between cells: a show plays many movies, for hours.
    if (m_rows)
        m_rows->ReleaseFile();
    return cell;
}

bool StripCellDecoder::DecodeScaled(int index, QImage& out) const {
    if (index < 0 || index >= m_count || out.width() < m_cell.width() ||
        out.height() < m_cell.height() || out.depth() != 32)
        return false;
    RowScaler scaler(m_cell, out);
    const std::lock_guard<std::mutex> lock(m_lock);
    std::vector<QRgb> row(size_t(m_cell.width()));
    DecodeRows(
        index, [&](int) { return reinterpret_cast<uchar*>(row.data()); },
        [&](int) { scaler.Add(row.data()); });
    if (m_rows)
        m_rows->ReleaseFile();
    // Data that broke the decoder despite whole chunks: what it could not give stays black.
    scaler.Finish();
    return true;
}

QImage StripCellDecoder::Decode(int index) const {
    QImage cell(m_cell, QImage::Format_ARGB32_Premultiplied);
    if (cell.isNull())
        return cell;
    const int made = DecodeRows(
        index, [&cell](int y) { return cell.scanLine(y); }, [](int) {});
    // Data that broke the decoder despite whole chunks: what it could not give stays black.
    for (int y = made; y < m_cell.height(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(cell.scanLine(y)), m_cell.width(), 0xff000000u);
    return cell;
}

int StripCellDecoder::DecodeRows(int index, const std::function<uchar*(int)>& into,
                                 const std::function<void(int)>& done) const {
    const int top = index * m_cell.height();
    int made = 0;
    if (m_brokenRow >= 0 && m_brokenRow <= top)
        return made;
    if ((!m_rows || m_rows->Row() > top) && !Restart()) {
        m_brokenRow = 0;
    } else if (!m_rows->Read(nullptr, 0, top - m_rows->Row())) {
        m_brokenRow = m_rows->Row();
    } else {
        for (; made < m_cell.height(); ++made) {
            if (!m_rows->Read(into(made), 0, 1)) {
                m_brokenRow = top + made;
                break;
            }
            done(made);
        }
    }
    if (m_brokenRow >= 0)
        m_rows.reset();
    return made;
}
