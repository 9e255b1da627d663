#include "settings/SettingsDialogs.h"

#include "settings/CGuidHelpWnd.h"
#include "settings/DesignDialogs.h"
#include "settings/NuTakedOutDD.h"
#include "settings/OpenGuideWindow.h"
#include "settings/XSet.h"
#include "show/CTumoDlg.h"

void SettingsDialogs::Install(Prompter* prompter) {
    MainWindowDialogs dialogs;
    dialogs.createSettings = [prompter](SettingsHost& main) {
        return CreateSettings(main, prompter);
    };
    dialogs.runWinningNumbers = [prompter](SettingsHost& main) {
        RunWinningNumbers(main, prompter);
    };
    dialogs.createGuide = [](SettingsHost& main) -> QWidget* { return OpenGuideWindow(main); };
    dialogs.createBannerOptions = [prompter](SettingsHost& main) {
        return DesignDialogs::CreateBannerOptions(main, prompter);
    };
    CTumoDlg::InstallDialogs(dialogs);
}

QWidget* SettingsDialogs::CreateSettings(SettingsHost& main, Prompter* prompter) {
    auto* settings = new XSet(prompter);
    settings->m_pMainDlg = &main;
    settings->m_pStatus = &main.Status();
    settings->m_pNumberStore = &main.Numbers();
    settings->m_enterDesignMode = [&main](int row) {
        return main.Design().EnterDesignMode(row) == 1;
    };
    // Queued, as the window message was posted: the report's sender has returned before the
    // draw window deletes it.
    QObject::connect(
        settings, &XSet::SettingsClosed, &main.Window(),
        [&main](int closeCode, int monitorChanged) {
            main.OnSettingsWindowClosed(closeCode, monitorChanged);
        },
        Qt::QueuedConnection);
    if (!settings->Create()) {
        delete settings;
        return nullptr;
    }
    return settings;
}

void SettingsDialogs::RunWinningNumbers(SettingsHost& main, Prompter* prompter) {
    NuTakedOutDD dialog(&main, prompter);
    dialog.m_pNumberStore = &main.Numbers();
    dialog.m_pStatus = &main.Status();
    dialog.OnInitDialog();
    dialog.exec();
}
