#include "app/CTumoApp.h"

#include "app/AppPaths.h"
#include "settings/MainToolWnd.h"
#include "settings/SettingsDialogs.h"
#include "show/CTumoDlg.h"
#include "show/SchemeFileType.h"

#include <QCoreApplication>

bool CTumoApp::InitApplication() {
    RegisterSchemeFileType(QStringLiteral(".TSC"), QStringLiteral("TumoScheme.Document"),
                           QStringLiteral("scheme file of the Tumo"));
    SetAppFolder(QCoreApplication::applicationDirPath());
    return true;
}

bool CTumoApp::InitInstance() {
    SettingsDialogs::Install();
    MainToolWnd::Install();
    m_nExitCode = CTumoDlg::RunModal();
    return false;
}

int CTumoApp::ExitInstance() {
    return m_nExitCode;
}

int CTumoApp::Run() {
    if (!InitApplication())
        return 1;
    InitInstance();
    return ExitInstance();
}
