#pragma once

#include <QList>
#include <QRect>

// Which part of the desktop the draw window covers. The option counts monitors from 1, in the
// order the system lists them (the primary one first).
class MonitorChoice {
public:
    // The rectangle of monitor `number`. A single monitor, or a number the list does not reach
    // (a monitor that was unplugged since the option was set), gives the first monitor's size at
    // (0, 0). So does a number below 1, which no monitor can have. Empty without any monitor.
    static QRect Choose(const QList<QRect>& monitors, int number);

    // The monitors as the window system lists them, in virtual-desktop coordinates.
    static QList<QRect> ScreenRects();
};
