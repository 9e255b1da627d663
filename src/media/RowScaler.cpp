#include "media/RowScaler.h"

#include <algorithm>
#include <cmath>

std::vector<RowScaler::Tap> RowScaler::Taps(int from, int to) {
    // Pixel centres line up: target pixel i sits at source position (i + 0.5) * from / to - 0.5.
    std::vector<Tap> taps(static_cast<size_t>(std::max(0, to)));
    for (int i = 0; i < to; ++i) {
        const double at = std::clamp((i + 0.5) * from / to - 0.5, 0.0, double(from - 1));
        const int first = static_cast<int>(std::floor(at));
        taps[size_t(i)] = Tap{first, std::min(first + 1, from - 1),
                              static_cast<int>(std::lround((at - first) * 256))};
    }
    return taps;
}

RowScaler::RowScaler(QSize source, QImage& out)
    : m_out(out), m_columns(Taps(source.width(), out.width())),
      m_rows(Taps(source.height(), out.height())), m_previous(size_t(out.width())),
      m_current(size_t(out.width())) {}

void RowScaler::Emit(int y, const QRgb* a, const QRgb* b, int weight) {
    auto* line = reinterpret_cast<QRgb*>(m_out.scanLine(y));
    if (weight == 0 || a == b)
        std::copy_n(a, m_out.width(), line);
    else
        BlendRow(a, b, weight, line, m_out.width());
}

void RowScaler::Add(const QRgb* row) {
    std::swap(m_previous, m_current);
    for (size_t x = 0; x < m_columns.size(); ++x) {
        const Tap& t = m_columns[x];
        m_current[x] = BlendPixel(row[t.first], row[t.second], quint32(t.weight));
    }
    const int r = m_added++;
    // Every target row whose lower source row this is can be made now: its upper one is this
    // or the one before.
    while (m_emitted < m_out.height() && m_rows[size_t(m_emitted)].second <= r) {
        const Tap& t = m_rows[size_t(m_emitted)];
        const QRgb* upper = t.first == r ? m_current.data() : m_previous.data();
        Emit(m_emitted++, upper, m_current.data(), t.second == t.first ? 0 : t.weight);
    }
}

void RowScaler::Finish() {
    for (; m_emitted < m_out.height(); ++m_emitted)
        std::fill_n(reinterpret_cast<QRgb*>(m_out.scanLine(m_emitted)), m_out.width(), 0xff000000u);
}
