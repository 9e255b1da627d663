#include "show/AccelKeyFilter.h"

#include "show/AccelKeys.h"

#include <QApplication>
#include <QKeyEvent>

AccelKeyFilter::AccelKeyFilter(QWidget* window, CommandSink sink, Gate gate)
    : QObject(window), m_window(window), m_sink(std::move(sink)), m_gate(std::move(gate)) {}

void AccelKeyFilter::Install() {
    qApp->installEventFilter(this);
}

bool AccelKeyFilter::IsForWindow(QObject* receiver) const {
    if (!m_window || !receiver || !receiver->isWidgetType())
        return false;
    const QWidget* widget = static_cast<QWidget*>(receiver);
    return widget == m_window || m_window->isAncestorOf(widget);
}

int AccelKeyFilter::MatchedCommand(QObject* receiver, QEvent* event) const {
    if (event->type() != QEvent::KeyPress || !IsForWindow(receiver))
        return -1;
    if (QApplication::activeModalWidget() || (m_gate && !m_gate()))
        return -1;
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto press = AccelKeys::PressOf(key->key(), key->modifiers(), key->text());
    return press ? AccelKeys::Match(m_table, *press) : -1;
}

int AccelKeyFilter::CommandOf(QObject* receiver, QEvent* event) const {
    const int command = MatchedCommand(receiver, event);
    return command >= 0 && static_cast<QKeyEvent*>(event)->isAutoRepeat() ? -1 : command;
}

bool AccelKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    const int command = MatchedCommand(watched, event);
    if (command < 0)
        return QObject::eventFilter(watched, event);
    // A hot key held down is swallowed whole, so that its repeats reach no button either.
    if (!static_cast<QKeyEvent*>(event)->isAutoRepeat() && m_sink)
        m_sink(command);
    event->accept();
    return true;
}
