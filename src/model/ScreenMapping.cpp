#include "model/ScreenMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

ScreenMapping::ScreenMapping(QSize layoutScreen, QSize shownScreen)
    : m_layout(layoutScreen), m_shown(shownScreen) {
    if (layoutScreen.isEmpty() || shownScreen.isEmpty() || layoutScreen == shownScreen)
        return;
    m_scale = std::min(double(shownScreen.width()) / layoutScreen.width(),
                       double(shownScreen.height()) / layoutScreen.height());
    // Whole pixels: every element moves by the same amount.
    m_offset = QPoint((shownScreen.width() - ScaleCoordinate(layoutScreen.width())) / 2,
                      (shownScreen.height() - ScaleCoordinate(layoutScreen.height())) / 2);
}

int ScreenMapping::ScaleCoordinate(int v) const {
    const double scaled = std::round(double(v) * m_scale);
    return int(std::clamp(scaled, double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

WinRect ScreenMapping::MapRect(const WinRect& r) const {
    const WinRect s = ScaleRect(r);
    return WinRect(s.left + m_offset.x(), s.top + m_offset.y(), s.right + m_offset.x(),
                   s.bottom + m_offset.y());
}

WinRect ScreenMapping::ScaleRect(const WinRect& r) const {
    // Edges, not sizes, are scaled: elements that touched stay touching.
    return WinRect(ScaleCoordinate(r.left), ScaleCoordinate(r.top), ScaleCoordinate(r.right),
                   ScaleCoordinate(r.bottom));
}

QPoint ScreenMapping::ScalePoint(QPoint p) const {
    return QPoint(ScaleCoordinate(p.x()), ScaleCoordinate(p.y()));
}

int ScreenMapping::ScaleLength(int length) const {
    if (length == 0)
        return 0;
    const int scaled = ScaleCoordinate(std::abs(length));
    return (length < 0 ? -1 : 1) * std::max(scaled, 1);
}

const QList<QSize>& ScreenMapping::CommonScreens() {
    static const QList<QSize> sizes = {{800, 600},   {1024, 768},  {1280, 720},  {1280, 800},
                                       {1280, 1024}, {1366, 768},  {1440, 900},  {1600, 900},
                                       {1680, 1050}, {1920, 1080}, {1920, 1200}, {2560, 1440},
                                       {2560, 1600}, {3840, 2160}, {7680, 4320}};
    return sizes;
}

QSize ScreenMapping::GuessLayoutScreen(const QRect& bounds, QSize shownScreen) {
    const int factor = FullHdFactor(shownScreen);
    const QSize dense(shownScreen.width() / factor, shownScreen.height() / factor);
    if (bounds.isEmpty())
        return dense;
    // Elements may stick out above or to the left; a screen only ever grows to the right and down.
    const int right = bounds.x() + bounds.width();
    const int bottom = bounds.y() + bounds.height();
    const auto holds = [&](QSize s) { return right <= s.width() && bottom <= s.height(); };
    for (const QSize& s : {dense, shownScreen}) {
        if (!s.isEmpty() && holds(s))
            return s;
    }
    QSize best;
    for (const QSize& s : CommonScreens()) {
        if (holds(s) && (best.isEmpty() ||
                         qint64(s.width()) * s.height() < qint64(best.width()) * best.height()))
            best = s;
    }
    return best.isEmpty() ? QSize(std::max(right, 1), std::max(bottom, 1)) : best;
}

int ScreenMapping::FullHdFactor(QSize screen) {
    constexpr int kLongSide = 1920;
    constexpr int kShortSide = 1080;
    const int longSide = std::max(screen.width(), screen.height());
    const int shortSide = std::min(screen.width(), screen.height());
    return std::max(1, std::min(longSide / kLongSide, shortSide / kShortSide));
}
