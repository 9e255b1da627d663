#include "media/StripMovie.h"

#include "media/StripCellDecoder.h"

#include <algorithm>

namespace {

QImage Normalised(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool AllSameSize(const std::vector<QImage>& cells, QSize size) {
    return std::all_of(cells.begin(), cells.end(),
                       [size](const QImage& c) { return !c.isNull() && c.size() == size; });
}

bool IsOpaqueImage(const QImage& image) {
    if (!image.hasAlphaChannel())
        return true;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

QMap<QString, QString> BaseVariables(const QString& kind, QSize size) {
    QMap<QString, QString> v;
    v.insert(QStringLiteral("Movie"), QStringLiteral("strip/1"));
    v.insert(QStringLiteral("Kind"), kind);
    v.insert(QStringLiteral("cx"), QString::number(size.width()));
    v.insert(QStringLiteral("cy"), QString::number(size.height()));
    return v;
}

} // namespace

StripMovie::StripMovie(Kind kind, std::vector<QImage> cells, QMap<QString, QString> variables,
                       std::vector<int> cellMs, int rollMs, bool knownOpaque)
    : m_kind(kind), m_cells(std::move(cells)), m_variables(std::move(variables)),
      m_cellMs(std::move(cellMs)), m_rollMs(std::max(1, rollMs)) {
    for (QImage& c : m_cells)
        c = Normalised(c);
    m_size = m_cells.empty() ? QSize() : m_cells.front().size();
    m_cellMs.resize(m_cells.size(), kDefaultFrameMs);
    SumCellMs();
    m_opaque = knownOpaque || std::all_of(m_cells.begin(), m_cells.end(), IsOpaqueImage);
}

StripMovie::StripMovie(Kind kind, std::shared_ptr<const StripCellDecoder> decoder, QSize cell,
                       QMap<QString, QString> variables, std::vector<int> cellMs, int rollMs)
    : m_kind(kind), m_variables(std::move(variables)), m_cellMs(std::move(cellMs)),
      m_rollMs(std::max(1, rollMs)), m_size(cell), m_opaque(decoder->IsOpaque()),
      m_decoder(std::move(decoder)) {
    m_cellMs.resize(static_cast<size_t>(m_decoder->Count()), kDefaultFrameMs);
    SumCellMs();
}

void StripMovie::SumCellMs() {
    for (int& ms : m_cellMs) {
        ms = std::max(1, ms);
        m_cycleMs += ms;
    }
}

std::shared_ptr<const StripMovie> StripMovie::MakeSymbols(const QImage& rolling, const QImage& mask,
                                                          const std::vector<QImage>& characters,
                                                          const QString& symbolsBits, int rollMs) {
    std::vector<QImage> cells{rolling, mask};
    cells.insert(cells.end(), characters.begin(), characters.end());
    if (rolling.isNull() || characters.size() != static_cast<size_t>(symbolsBits.size()) ||
        !AllSameSize(cells, rolling.size()))
        return nullptr;
    QMap<QString, QString> v = BaseVariables(QStringLiteral("symbols"), rolling.size());
    v.insert(QStringLiteral("SymbolsBits"), symbolsBits);
    v.insert(QStringLiteral("RollMs"), QString::number(rollMs));
    return std::shared_ptr<const StripMovie>(
        new StripMovie(Kind::Symbols, std::move(cells), std::move(v), {}, rollMs));
}

std::shared_ptr<const StripMovie> StripMovie::MakeLoop(const std::vector<QImage>& cells,
                                                       int frameMs) {
    if (cells.empty() || !AllSameSize(cells, cells.front().size()))
        return nullptr;
    QMap<QString, QString> v = BaseVariables(QStringLiteral("loop"), cells.front().size());
    v.insert(QStringLiteral("FrameMs"), QString::number(frameMs));
    std::vector<int> ms(cells.size(), frameMs);
    return std::shared_ptr<const StripMovie>(
        new StripMovie(Kind::Loop, cells, std::move(v), std::move(ms), kDefaultRollMs));
}

std::shared_ptr<const StripMovie> StripMovie::MakeAnimation(const std::vector<QImage>& frames,
                                                            const std::vector<int>& delaysMs) {
    if (frames.empty() || !AllSameSize(frames, frames.front().size()))
        return nullptr;
    QMap<QString, QString> v;
    v.insert(QStringLiteral("cx"), QString::number(frames.front().width()));
    v.insert(QStringLiteral("cy"), QString::number(frames.front().height()));
    return std::shared_ptr<const StripMovie>(
        new StripMovie(Kind::Animation, frames, std::move(v), delaysMs, kDefaultRollMs));
}

QImage StripMovie::Cell(int index) const {
    if (index < 0 || index >= CellCount())
        return QImage();
    if (m_decoder)
        return m_decoder->Cell(index);
    return m_cells[static_cast<size_t>(index)];
}

bool StripMovie::DecodeScaled(int index, QImage& out) const {
    return m_decoder && m_decoder->DecodeScaled(index, out);
}

QString StripMovie::SymbolsBits() const {
    return IsSymbols() ? m_variables.value(QStringLiteral("SymbolsBits")) : QString();
}

int StripMovie::CharacterCount() const {
    return IsSymbols() ? std::max(0, CellCount() - 2) : 0;
}

int StripMovie::CellOfCharacter(int k) const {
    return k >= 0 && k < CharacterCount() ? k + 2 : 1;
}

int StripMovie::CellMs(int index) const {
    if (index < 0 || index >= static_cast<int>(m_cellMs.size()))
        return kDefaultFrameMs;
    return m_cellMs[static_cast<size_t>(index)];
}

std::optional<QString> StripMovie::Variable(const QString& key) const {
    auto it = m_variables.constFind(key);
    if (it == m_variables.constEnd())
        return std::nullopt;
    return *it;
}

qint64 StripMovie::ByteSize() const {
    qint64 bytes = m_decoder ? m_decoder->ByteSize() : 0;
    for (const QImage& c : m_cells)
        bytes += c.sizeInBytes();
    return bytes;
}
