#include "media/RowScaler.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

inline QRgb BlendPixel(QRgb a, QRgb b, quint32 wb) {
    const quint32 wa = 256 - wb;
    const quint32 rb = (((a & 0xff00ff) * wa + (b & 0xff00ff) * wb) >> 8) & 0xff00ff;
    const quint32 ag = (((a >> 8) & 0xff00ff) * wa + ((b >> 8) & 0xff00ff) * wb) & 0xff00ff00;
    return rb | ag;
}

} // namespace

void RowScaler::BlendRow(const QRgb* a, const QRgb* b, int weight, QRgb* out, int count) {
    const auto wb = static_cast<quint32>(std::clamp(weight, 0, 256));
    int x = 0;
#if defined(__SSE2__)
    // Four pixels at a time: a whole-screen fade is the background's main cost.
    const __m128i zero = _mm_setzero_si128();
    const __m128i weightA = _mm_set1_epi16(static_cast<short>(256 - wb));
    const __m128i weightB = _mm_set1_epi16(static_cast<short>(wb));
    for (; x + 4 <= count; x += 4) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
        // a * (256 - w) + b * w stays below 65536 for any 8-bit a and b.
        const __m128i lo =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(va, zero), weightA),
                                         _mm_mullo_epi16(_mm_unpacklo_epi8(vb, zero), weightB)),
                           8);
        const __m128i hi =
            _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(va, zero), weightA),
                                         _mm_mullo_epi16(_mm_unpackhi_epi8(vb, zero), weightB)),
                           8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; x < count; ++x)
        out[x] = BlendPixel(a[x], b[x], wb);
}

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
