#include "controls/ControlId.h"

#include <QVariant>
#include <QWidget>

namespace {

const char kIdProperty[] = "controlId";

QWidget* FindAmongChildren(const QWidget* parent, int id) {
    for (QObject* object : parent->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow())
            continue;
        if (ControlId(child) == id)
            return child;
        if (QWidget* found = FindAmongChildren(child, id))
            return found;
    }
    return nullptr;
}

} // namespace

void SetControlId(QWidget* control, int id) {
    if (control)
        control->setProperty(kIdProperty, id);
}

int ControlId(const QWidget* control) {
    if (!control)
        return 0;
    const QVariant id = control->property(kIdProperty);
    if (id.isValid())
        return id.toInt();
    bool ok = false;
    const int named = control->objectName().toInt(&ok);
    return ok ? named : 0;
}

QWidget* FindControlById(const QWidget* window, int id) {
    if (!window || id == 0)
        return nullptr;
    return FindAmongChildren(window, id);
}
