#include "settings/ColourSwatch.h"

#include "settings/DialogData.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ColourSwatch::SetColour(quint32 colour) {
    m_colour = colour;
    update();
}

bool ColourSwatch::ChooseWithDialog(quint32& colour, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(DialogData::ToQColor(colour), parent);
    if (!chosen.isValid())
        return false;
    colour = DialogData::ToColorRef(chosen);
    return true;
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(isEnabled() ? Qt::black : palette().color(QPalette::Disabled, QPalette::WindowText));
    QColor fill = DialogData::ToQColor(m_colour);
    if (!isEnabled()) {
        // Still the colour, but faded like the rest of a disabled group.
        const QColor back = palette().color(QPalette::Window);
        fill = QColor((fill.red() + back.red()) / 2, (fill.green() + back.green()) / 2,
                      (fill.blue() + back.blue()) / 2);
    }
    p.setBrush(fill);
    p.drawRect(r);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void ColourSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) {
        Q_EMIT clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}
