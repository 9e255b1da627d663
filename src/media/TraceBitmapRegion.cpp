#include "media/TraceBitmapRegion.h"

namespace {

enum Heading { East, South, West, North };

// The four neighbour cells tested for a heading, as offsets from the current pixel, and the
// headings a turn leads to.
struct HeadingRule {
    QPoint left, frontLeft, front, frontRight;
    Heading turnLeft = East, turnRight = East;
};

constexpr int kThreshold = 10;

const HeadingRule& RuleFor(Heading h) {
    static const HeadingRule rules[4] = {
        {{0, -1}, {1, -1}, {1, 0}, {1, 1}, North, South},   // east
        {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, East, West},      // south
        {{0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, South, North}, // west
        {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, West, East},  // north
    };
    return rules[h];
}

// The outline runs along outer pixel edges: the corner of the pixel that a heading reaches.
QPoint Vertex(QPoint p, Heading h) {
    switch (h) {
    case South:
        return QPoint(p.x() + 1, p.y());
    case West:
        return QPoint(p.x(), p.y() + 1);
    default:
        return p;
    }
}

enum class Outcome { Done, Overflow, Lost };

class Tracer {
public:
    Tracer(const QImage& image, bool compact) : m_image(image), m_compact(compact) {}

    // Fills `points`; Done with an empty list when there is nothing to trace.
    Outcome Run(QPolygon& points);

private:
    bool Inside(QPoint p) const;
    int FindStart() const;
    void Store(QPoint vertex, bool straight);
    void CompactRun();

    const QImage& m_image;
    const bool m_compact;
    QPolygon* m_points = nullptr;
    int m_run = 0; // straight steps since the last diagonal step or turn
};

bool Tracer::Inside(QPoint p) const {
    if (p.x() < 0 || p.y() < 0 || p.x() >= m_image.width() || p.y() >= m_image.height())
        return false;
    const QRgb c = reinterpret_cast<const QRgb*>(m_image.constScanLine(p.y()))[p.x()];
    return qRed(c) >= kThreshold || qGreen(c) >= kThreshold || qBlue(c) >= kThreshold;
}

int Tracer::FindStart() const {
    const int x0 = m_image.width() / 2;
    for (int y = 0; y < m_image.height(); ++y) {
        if (Inside(QPoint(x0, y)))
            return y;
    }
    return -1;
}

void Tracer::CompactRun() {
    if (m_compact && m_run >= 3) {
        QPolygon& pts = *m_points;
        const qsizetype last = pts.size() - 1;
        const qsizetype first = pts.size() - m_run;
        pts[first + 1] = pts[last];
        pts.resize(first + 2);
    }
    m_run = 0;
}

void Tracer::Store(QPoint vertex, bool straight) {
    if (!straight)
        CompactRun();
    m_points->append(vertex);
    if (straight)
        ++m_run;
}

Outcome Tracer::Run(QPolygon& points) {
    points.clear();
    m_points = &points;
    m_run = 0;
    const int y0 = FindStart();
    if (y0 < 0)
        return Outcome::Done;
    const QPoint start(m_image.width() / 2, y0);
    points.reserve(kTraceBufferPoints);
    points.append(start);
    QPoint cur = start;
    Heading heading = East;
    // Each (pixel, heading) state leads to exactly one next state, so a trace that has not come
    // back to its start after that many steps is circling elsewhere and never will.
    const qint64 maxSteps = 4LL * m_image.width() * m_image.height() + 4;
    for (qint64 step = 0; step < maxSteps; ++step) {
        if (points.size() > kTraceOverflowPoints)
            return Outcome::Overflow;
        const HeadingRule& r = RuleFor(heading);
        if (Inside(cur + r.left)) {
            CompactRun();
            heading = r.turnLeft;
        } else if (Inside(cur + r.frontLeft)) {
            cur += r.frontLeft;
            Store(Vertex(cur, heading), false);
        } else if (Inside(cur + r.front)) {
            cur += r.front;
            Store(Vertex(cur, heading), true);
        } else if (Inside(cur + r.frontRight)) {
            cur += r.frontRight;
            Store(Vertex(cur, heading), false);
        } else {
            CompactRun();
            heading = r.turnRight;
        }
        if (cur == start)
            return Outcome::Done;
    }
    return Outcome::Lost;
}

QImage Opaque(const QImage& bitmap) {
    if (bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32)
        return bitmap;
    return bitmap.convertToFormat(QImage::Format_RGB32);
}

} // namespace

int TraceBitmapRegion(const QImage& bitmap, QRegion& region, QPolygon& points, bool compact) {
    region = QRegion();
    const QImage image = Opaque(bitmap);
    Outcome outcome = Tracer(image, compact).Run(points);
    if (outcome == Outcome::Overflow && !compact)
        outcome = Tracer(image, true).Run(points);
    if (outcome != Outcome::Done || points.size() < 3) {
        points.clear();
        return 0;
    }
    region = RegionFromOutline(points);
    return static_cast<int>(points.size());
}

QRegion RegionFromOutline(const QPolygon& points) {
    if (points.size() < 3)
        return QRegion();
    return QRegion(points, Qt::OddEvenFill);
}
