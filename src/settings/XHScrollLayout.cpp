#include "settings/XHScrollLayout.h"

#include <algorithm>
#include <limits>

int XHScrollLayout::ParseInt(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || (text.at(i) >= QLatin1Char('\t') &&
                                                                  text.at(i) <= QLatin1Char('\r'))))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i)
        value = std::min(kLimit, value * 10 + (text.at(i).unicode() - '0'));
    if (negative)
        return int(std::max(-value, qint64(std::numeric_limits<int>::min())));
    return int(std::min(value, qint64(std::numeric_limits<int>::max())));
}

int XHScrollLayout::CellCount(bool maskMode, int positions, const QString& symbolChars) {
    return maskMode ? std::max(0, positions) : int(symbolChars.size()) + 2;
}

int XHScrollLayout::ScrollMaximum(bool maskMode, int positions, const QString& symbolChars) {
    const int n = maskMode ? positions : int(symbolChars.size());
    return (n - 2) * kPitch;
}

XHScrollLayout::CellBox XHScrollLayout::FitCell(int cx, int cy, int clientHeight) {
    const int available = clientHeight - kTopMargin - kBottomReserve;
    if (cx <= 0 || cy <= 0)
        return {kCellWidth, available};
    const double ratio = double(cy) / double(cx);
    if (ratio > double(available) / double(kCellWidth))
        return {int(double(cx) / double(cy) * available), available};
    return {kCellWidth, int(kCellWidth * ratio)};
}

QRect XHScrollLayout::CellRect(int i, CellBox box, int clientHeight, bool maskMode) {
    const int centre = kPitch * i + 50;
    const int left = centre - box.width / 2 + 2;
    const int right = centre + box.width / 2 - 2;
    int top = 0;
    int bottom = 0;
    if (maskMode) {
        top = 7;
        bottom = clientHeight - kTopMargin - kBottomReserve + 3;
    } else {
        const int middle = (clientHeight - kBottomReserve + kTopMargin) / 2;
        top = middle - box.height / 2 + 2;
        bottom = middle + box.height / 2 - 2;
    }
    // Windows rectangles exclude their right and bottom edges.
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect XHScrollLayout::CheckRect(int i, CellBox box, int clientHeight) {
    const QRect cell = CellRect(i, box, clientHeight, true);
    return QRect(QPoint(cell.left(), clientHeight - 25), QPoint(cell.right(), clientHeight - 6));
}

QRect XHScrollLayout::FrameRect(int i, int offset, int clientHeight) {
    const int left = offset + kGap + kPitch * i;
    return QRect(QPoint(left, kTopMargin), QPoint(left + kCellWidth - 1, clientHeight - 31));
}

QRect XHScrollLayout::CaptionRect(int i, int offset, int clientHeight) {
    const QRect frame = FrameRect(i, offset, clientHeight);
    return QRect(frame.left(), frame.bottom() + 1, frame.width(), kCaptionBand);
}

QString XHScrollLayout::CaptionOf(int i, const QString& symbolChars) {
    if (i == 0)
        return QStringLiteral("Scrolling");
    if (i == 1)
        return QStringLiteral("Mask");
    if (i - 2 < symbolChars.size())
        return QString(symbolChars.at(i - 2));
    return QString();
}

int XHScrollLayout::NextScrollPosition(ScrollRequest request, int position, int maximum,
                                       int thumb) {
    switch (request) {
    case ScrollRequest::LineLeft:
        return position > kScrollMinimum ? position - 1 : position;
    case ScrollRequest::LineRight:
        return position < maximum - 1 ? position + 1 : position;
    case ScrollRequest::PageLeft:
    case ScrollRequest::PageRight:
        return position;
    case ScrollRequest::Thumb:
        return thumb;
    case ScrollRequest::LeftEnd:
        return kScrollMinimum;
    case ScrollRequest::RightEnd:
        return maximum;
    }
    return position;
}
