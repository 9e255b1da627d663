#include "settings/OpenGuideWindow.h"

#include "model/TumoStatus.h"
#include "settings/CGuidHelpWnd.h"
#include "show/SettingsHost.h"
#include "show/ToolWindowPlace.h"

#include <QScreen>
#include <QWidget>

#include <optional>

namespace {

// The guide beside the windows it points into, not over them: the settings window, the design
// tool, the base settings. Where it is stays while it covers none of them.
void PlaceGuide(CGuidHelpWnd& guide, SettingsHost& main, std::optional<QPoint> current) {
    const QWidget& screen = main.Window();
    QList<QRect> pointedInto;
    for (const QPointer<QWidget>& registered : main.GuideWindows()) {
        const QWidget* window = registered ? registered->window() : nullptr;
        if (window && window != &screen && window != &guide && window->isVisible())
            pointedInto << window->frameGeometry();
    }
    QRect area(screen.mapToGlobal(QPoint(0, 0)), screen.size());
    if (!screen.isVisible() && guide.screen())
        area = guide.screen()->availableGeometry();
    guide.move(ToolWindowPlace::Choose(guide.frameGeometry().size(), area, pointedInto, current));
}

} // namespace

CGuidHelpWnd* OpenGuideWindow(SettingsHost& main) {
    auto* guide = new CGuidHelpWnd;
    guide->m_pWindowList = &main.GuideWindows();
    guide->m_bShowAtStartup = main.Status().m_bShowGuide != 0;
    main.WatchGuideRefresh(guide, [guide, &main] {
        guide->OnGuideRefresh();
        // A window that opened over the guide would hide it: it steps aside, in front.
        const QPoint before = guide->pos();
        PlaceGuide(*guide, main, before);
        if (guide->pos() != before)
            guide->raise();
    });
    QObject::connect(
        guide, &CGuidHelpWnd::GuideClosed, &main.Window(),
        [&main](int ok, int showAtStartup) { main.OnGuideClosed(ok, showAtStartup); },
        Qt::QueuedConnection);
    guide->Create();
    PlaceGuide(*guide, main, std::nullopt);
    guide->show();
    guide->raise();
    guide->activateWindow();
    return guide;
}
