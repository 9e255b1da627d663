#pragma once

#include "show/MessageBoxPrompter.h"

#include <QDialog>

#include <functional>

class SettingsHost;
class NuFileDeal;
class PrizesDlg;
class Prompter;
class QPushButton;
class QTabWidget;
class Sheet_LotteryNo;
class Sheet_Other;
class TumoStatus;

// The program's one settings window, modeless and over the draw window: the pages "Numbers",
// "Prize levels" and "Other options", and "Reset", "Load Scheme", "Backup Scheme" and "Close".
// The pages edit the live status and the live number pool in place; there is no undo.
//
// It ends with exactly one closing report, the signal SettingsClosed (the window message
// UM_SETTINGS_CLOSED): the receiver connects it queued, so that the window's own handler has
// returned before the draw window deletes it. The window never hides or deletes itself.
class XSet : public QDialog {
    Q_OBJECT
public:
    static QString ResetQuestion();    // string 32798
    static QString LoadQuestion();     // string 19
    static QString SchemeFileFilter(); // the scheme pack choosers' filter
    // A pack name chosen without the ".TSC" ending gets it; any case of it counts.
    static QString CompleteSchemeExtension(const QString& path);

    // Without a prompter the window shows its own message boxes and file choosers.
    explicit XSet(Prompter* prompter = nullptr);
    ~XSet() override;

    // Builds the pages (the three pointers below must be set) and shows the window.
    bool Create();
    bool OnInitDialog();

    // Shows page 0 to 2 and hides the others; another index does nothing.
    void ShowPage(int index);
    // "Close", Enter, Esc and the close box: saves the other options (when their page was set
    // up) and reports whether the numbers or the monitor changed.
    void CloseAndReport();
    // After yes the settings files go and the program restarts without saving; either answer
    // closes the window (after No without saving the other options).
    void OnReset();
    // Restores a scheme pack over the program folder and restarts without saving.
    void OnLoadScheme();
    // Saves the whole scheme into a pack; the window stays open.
    void OnBackupScheme();
    // A row of the prize levels page asked for design mode (row i is prize level i + 1, the last
    // row the default level): the window hides and the draw window takes over.
    void OnDesignMode(int row);
    // How the draw window enters design mode for a row (false when it could not); set by whoever
    // creates the window.
    std::function<bool(int row)> m_enterDesignMode;

    QTabWidget* Tabs() const { return m_tab; }
    QWidget* Page(int index) const;
    Sheet_LotteryNo* NumbersPage() const { return m_pageNumbers; }
    PrizesDlg* PrizesPage() const { return m_pagePrizes; }
    Sheet_Other* OtherPage() const { return m_pageOther; }

    qint32 m_nCloseCode = 0;
    SettingsHost* m_pMainDlg = nullptr;
    TumoStatus* m_pStatus = nullptr;
    NuFileDeal* m_pNumberStore = nullptr;

Q_SIGNALS:
    // closeCode: -1 restart without saving (Reset, Load Scheme), 0 closed, 1 closed after the
    // numbers changed; monitorChanged: 1 when the program must restart (after saving) to move
    // to another monitor.
    void SettingsClosed(int closeCode, int monitorChanged);

public Q_SLOTS:
    // Esc.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildButtons();
    void Report(int closeCode, int monitorChanged);
    void EnableMainWindow();
    void RegisterPage(QWidget* page);
    void Centre();
    // After a pack that could not be restored: the old files stand, so the state in memory is
    // still the truth; the pool, closed for the restore, is opened again and the program
    // restarts after saving.
    void RestartAfterFailedLoad();

    MessageBoxPrompter m_boxes;
    Prompter* m_pPrompter;
    QTabWidget* m_tab = nullptr;
    Sheet_LotteryNo* m_pageNumbers = nullptr;
    PrizesDlg* m_pagePrizes = nullptr;
    Sheet_Other* m_pageOther = nullptr;
    QPushButton* m_btnLoad = nullptr;
    QPushButton* m_btnBackup = nullptr;
    bool m_bReported = false;
};
