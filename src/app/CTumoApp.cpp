#include "app/CTumoApp.h"

#include "base/AppPaths.h"
#include "media/ProgramIcon.h"
#include "settings/MainToolWnd.h"
#include "settings/SettingsDialogs.h"
#include "show/CTumoDlg.h"
#include "show/MessageBoxPrompter.h"
#include "show/ProgramFolderLock.h"
#include "show/SchemeFileType.h"
#include "store/RestoreScheme.h"

#include <QCoreApplication>
#include <QGuiApplication>

CTumoApp::CTumoApp() = default;
CTumoApp::~CTumoApp() = default;

bool CTumoApp::InitApplication() {
    // Also for the boxes that come before the draw window, or without it.
    QGuiApplication::setWindowIcon(ProgramIcon::Icon());
    SetAppFolder(QCoreApplication::applicationDirPath());
    m_pLock = std::make_unique<ProgramFolderLock>(g_strAppFolder);
    if (!m_pLock->TryLock()) {
        const QString text = m_pLock->Message();
        qWarning("%s", qPrintable(text));
        MessageBoxPrompter boxes;
        boxes.Message(text, Prompter::Icon::Error);
        return false;
    }
    // A scheme load or backup that a kill interrupted is finished or undone before anything
    // reads the folder.
    RecoverSchemeFiles(g_strAppFolder);
    RegisterSchemeFileType(QStringLiteral(".TSC"), QStringLiteral("TumoScheme.Document"),
                           QStringLiteral("scheme file of the Tumo"));
    return true;
}

bool CTumoApp::InitInstance() {
    SettingsDialogs::Install();
    MainToolWnd::Install();
    // The new instance of a restart takes the folder over: it is let go once this one's files
    // are written, just before the new one starts.
    m_nExitCode = CTumoDlg::RunModal(
        [this](const QString& program, const QStringList& arguments, const QString& folder) {
            m_pLock->Unlock();
            return ProgramRestart::StartDetached(program, arguments, folder);
        });
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
