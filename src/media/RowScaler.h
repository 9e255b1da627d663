#pragma once

#include <QImage>
#include <QSize>

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Enlarges a picture handed over row by row, top to bottom, straight into the picture it is kept
// in, blending neighbouring pixels linearly: only two of its rows are held at a time, where
// scaling a whole decoded picture would hold it besides the result.
class RowScaler {
public:
    // `out` is the enlarged picture, premultiplied 32-bit, at least `source` in each direction.
    RowScaler(QSize source, QImage& out);

    // The next source row of premultiplied pixels.
    void Add(const QRgb* row);
    // After the last row; rows the source never gave (it broke off) are black.
    void Finish();

    // `weight` of b in 256ths. Inline: a fade calls it for every row of every tile it steps.
    static void BlendRow(const QRgb* a, const QRgb* b, int weight, QRgb* out, int count);
    static QRgb BlendPixel(QRgb a, QRgb b, quint32 weight);

private:
    struct Tap {
        int first;
        int second;
        int weight; // of the second, in 256ths
    };
    static std::vector<Tap> Taps(int from, int to);
    void Emit(int y, const QRgb* a, const QRgb* b, int weight);

    QImage& m_out;
    std::vector<Tap> m_columns;
    std::vector<Tap> m_rows;
    std::vector<QRgb> m_previous; // source rows scaled across
    std::vector<QRgb> m_current;
    int m_added = 0; // source rows given
    int m_emitted = 0;
};

inline QRgb RowScaler::BlendPixel(QRgb a, QRgb b, quint32 weight) {
    const quint32 wa = 256 - weight;
    const quint32 rb = (((a & 0xff00ff) * wa + (b & 0xff00ff) * weight) >> 8) & 0xff00ff;
    const quint32 ag = (((a >> 8) & 0xff00ff) * wa + ((b >> 8) & 0xff00ff) * weight) & 0xff00ff00;
    return rb | ag;
}

inline void RowScaler::BlendRow(const QRgb* a, const QRgb* b, int weight, QRgb* out, int count) {
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
