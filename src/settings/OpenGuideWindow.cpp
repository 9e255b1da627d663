#include "settings/OpenGuideWindow.h"

#include "settings/CGuidHelpWnd.h"
#include "show/CTumoDlg.h"

CGuidHelpWnd* OpenGuideWindow(CTumoDlg& main) {
    auto* guide = new CGuidHelpWnd;
    guide->m_pWindowList = &main.GuideWindows();
    guide->m_bShowAtStartup = main.Status().m_bShowGuide != 0;
    QObject::connect(&main, &CTumoDlg::GuideRefresh, guide, &CGuidHelpWnd::OnGuideRefresh,
                     Qt::QueuedConnection);
    QObject::connect(
        guide, &CGuidHelpWnd::GuideClosed, &main,
        [&main](int ok, int showAtStartup) { main.OnGuideClosed(ok, showAtStartup); },
        Qt::QueuedConnection);
    guide->Create();
    guide->show();
    return guide;
}
