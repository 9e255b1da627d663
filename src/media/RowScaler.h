#pragma once

#include <QImage>
#include <QSize>

#include <vector>

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

    // `weight` of b in 256ths.
    static void BlendRow(const QRgb* a, const QRgb* b, int weight, QRgb* out, int count);

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
