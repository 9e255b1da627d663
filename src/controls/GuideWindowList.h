#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// The windows whose controls the guide window points at, in the order they announced themselves.
// A window that has gone stays in the list as a null entry, where no control is found.
using GuideWindowList = QList<QPointer<QWidget>>;

struct GuideControl {
    QWidget* window = nullptr;  // the first registered window that holds the control
    QWidget* control = nullptr; // the control in it
};

// Looks the control up in each window in order; the first window that holds it decides.
GuideControl FindGuideControl(const GuideWindowList* windows, int id);

// Whether the control is shown at present: the first window that holds it shows it (the control,
// its window and every parent in between are visible). A control found nowhere is not shown.
bool IsGuideControlShown(const GuideWindowList* windows, int id);
