#include "settings/OpenGuideWindow.h"

#include "model/TumoStatus.h"
#include "settings/CGuidHelpWnd.h"
#include "show/SettingsHost.h"

#include <QWidget>

CGuidHelpWnd* OpenGuideWindow(SettingsHost& main) {
    auto* guide = new CGuidHelpWnd;
    guide->m_pWindowList = &main.GuideWindows();
    guide->m_bShowAtStartup = main.Status().m_bShowGuide != 0;
    main.WatchGuideRefresh(guide, [guide] { guide->OnGuideRefresh(); });
    QObject::connect(
        guide, &CGuidHelpWnd::GuideClosed, &main.Window(),
        [&main](int ok, int showAtStartup) { main.OnGuideClosed(ok, showAtStartup); },
        Qt::QueuedConnection);
    guide->Create();
    guide->show();
    return guide;
}
