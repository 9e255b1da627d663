#include "show/MonitorChoice.h"

#include <QGuiApplication>
#include <QScreen>

QRect MonitorChoice::Choose(const QList<QRect>& monitors, int number) {
    if (monitors.isEmpty())
        return {};
    if (monitors.size() < number || monitors.size() == 1 || number < 1)
        return QRect(QPoint(0, 0), monitors.first().size());
    return monitors.at(number - 1);
}

QList<QRect> MonitorChoice::ScreenRects() {
    QList<QRect> rects;
    for (const QScreen* screen : QGuiApplication::screens())
        rects << screen->geometry();
    return rects;
}
