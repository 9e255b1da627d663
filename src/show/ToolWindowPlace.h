#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Where a tool window goes over the draw screen so that it does not hide what the operator
// works on: the elements being placed, or the windows the guide points into.
class ToolWindowPlace {
public:
    // Between a window and the screen's edges.
    static constexpr int kEdge = 10;
    // Below the top edge: the traditional place of the tool windows is (10, 20).
    static constexpr int kTop = 20;
    // Above the bottom edge, clear of the draw screen's row of buttons.
    static constexpr int kBottom = 40;

    // The top-left corner for a window of `size` inside `screen` (both in one coordinate
    // system, as are the rectangles to keep clear). `current` stays when the window fits the
    // screen there and covers none of them; otherwise the first place along the edges that
    // covers none, top-left first; when every place covers some, the one that covers least.
    static QPoint Choose(const QSize& size, const QRect& screen, const QList<QRect>& keepClear,
                         std::optional<QPoint> current = std::nullopt);

    // How much of the rectangles a window at `rect` covers, in pixels.
    static qint64 Covered(const QRect& rect, const QList<QRect>& keepClear);
};
