#include "app/CTumoApp.h"

#include "base/AppPaths.h"
#include "media/ProgramIcon.h"
#include "settings/MainToolWnd.h"
#include "settings/SettingsDialogs.h"
#include "show/CTumoDlg.h"
#include "show/ProgramFolderLock.h"
#include "show/SchemeFileType.h"
#include "store/RestoreScheme.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

// How often the refusal puts itself back on top.
constexpr int kKeepAboveMs = 250;

// Why this start ends, over the show that runs in the folder. That show may still be starting and
// come up after the box, and without a window manager nothing restacks a box it covers: the box
// keeps putting itself back on top. It leaves the keyboard where it was, so that the draw key
// pressed for the show neither closes it unseen nor is lost to the show; a click takes it.
void ShowRefusal(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tumo"), text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setAttribute(Qt::WA_ShowWithoutActivating);
    QTimer above;
    QObject::connect(&above, &QTimer::timeout, &box, [&box] {
        if (!box.isVisible())
            return;
        box.raise();
        // Nothing else may be on its way to the display soon to carry the request along.
        QGuiApplication::sync();
    });
    above.start(kKeepAboveMs);
    // Not modal: a modal window takes the keyboard focus as it shows.
    box.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
    box.show();
    loop.exec();
}

} // namespace

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
        ShowRefusal(text);
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
