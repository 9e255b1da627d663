#include "controls/GuideWindowList.h"

#include "controls/ControlId.h"

GuideControl FindGuideControl(const GuideWindowList* windows, int id) {
    if (!windows || id == 0)
        return {};
    for (const QPointer<QWidget>& window : *windows)
        if (window)
            if (QWidget* control = FindControlById(window, id))
                return {window, control};
    return {};
}

bool IsGuideControlShown(const GuideWindowList* windows, int id) {
    const GuideControl found = FindGuideControl(windows, id);
    return found.control && found.control->isVisible();
}
