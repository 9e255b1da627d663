#include "controls/XComBoxReadOnly.h"

#include <QAbstractItemView>
#include <QKeyEvent>

XComBoxReadOnly::XComBoxReadOnly(QWidget* parent) : QComboBox(parent) {}

void XComBoxReadOnly::showPopup() {
    // The open list takes the keyboard focus; watch it each time, since the owner may have
    // replaced the view since the last opening (installing the same filter twice is harmless).
    view()->installEventFilter(this);
    QComboBox::showPopup();
}

void XComBoxReadOnly::keyPressEvent(QKeyEvent* event) {
    // Consumed: neither the combo box nor the window around it sees the key.
    event->accept();
}

bool XComBoxReadOnly::eventFilter(QObject* watched, QEvent* event) {
    // The open list picks its current line on Enter already when the key is offered as a
    // shortcut, so both forms of the key are stopped here.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (watched == view() && key) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            hidePopup();
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}
