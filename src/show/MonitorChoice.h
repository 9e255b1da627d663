#pragma once

#include <QList>
#include <QRect>

class QScreen;

// Which part of the desktop the draw window covers. The option counts monitors from 1, in the
// order the system lists them (the primary one first).
class MonitorChoice {
public:
    // The rectangle of monitor `number`. A single monitor, or a number the list does not reach
    // (a monitor that was unplugged since the option was set), gives the first monitor's size at
    // (0, 0). So does a number below 1, which no monitor can have. Empty without any monitor.
    static QRect Choose(const QList<QRect>& monitors, int number);
    // The place of monitor `number` in a list of `count`, by the same rule; -1 without any.
    static int Index(int count, int number);

    // The screen of monitor `number` by the same rule; null without any. With several X screens
    // each is a desktop of its own, every one starting at (0, 0): the window must be put on the
    // screen itself, a rectangle alone cannot say which.
    static QScreen* Screen(int number);

    // The monitors as the window system lists them, in virtual-desktop coordinates.
    static QList<QRect> ScreenRects();
};
