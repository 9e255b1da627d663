#include "show/MonitorChoice.h"

#include <QGuiApplication>
#include <QScreen>

QRect MonitorChoice::Choose(const QList<QRect>& monitors, int number) {
    const int index = Index(int(monitors.size()), number);
    if (index < 0)
        return {};
    if (index == 0)
        return QRect(QPoint(0, 0), monitors.first().size());
    return monitors.at(index);
}

int MonitorChoice::Index(int count, int number) {
    if (count <= 0)
        return -1;
    if (count < number || count == 1 || number < 1)
        return 0;
    return number - 1;
}

QScreen* MonitorChoice::Screen(int number) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int index = Index(int(screens.size()), number);
    return index < 0 ? nullptr : screens.at(index);
}

QList<QRect> MonitorChoice::ScreenRects() {
    QList<QRect> rects;
    for (const QScreen* screen : QGuiApplication::screens())
        rects << screen->geometry();
    return rects;
}
