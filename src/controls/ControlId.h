#pragma once

class QWidget;

// Controls that other windows (the guide) look up carry a number, as dialog controls do: set it
// with SetControlId, or name the control by the number itself (setObjectName("1174")).
void SetControlId(QWidget* control, int id);
// The control's number, 0 when it has none.
int ControlId(const QWidget* control);
// The first control with that number inside the window, not looking into other windows (dialogs
// or pop-ups) that the window happens to own. Null when there is none or id is 0.
QWidget* FindControlById(const QWidget* window, int id);
