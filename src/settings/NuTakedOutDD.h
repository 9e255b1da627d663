#pragma once

#include "settings/WinningList.h"
#include "show/MessageBoxPrompter.h"

#include <QDialog>

class SettingsHost;
class NuFileDeal;
class Prompter;
class QCheckBox;
class QLabel;
class QPushButton;
class QTreeView;
class WinningListModel;
class TumoStatus;

// The modal "Winning  Numbers" dialog: every winner drawn so far, level by level, with copying
// to the clipboard, writing to a text file, the automatic winners file and clearing every
// winner. Paths chosen and the clearing act on the live status at once; the box for the
// automatic file reaches the status only when the dialog is closed with "Close" or its close
// box (Enter and Esc close it without storing the box).
class NuTakedOutDD : public QDialog {
    Q_OBJECT
public:
    // The main window is told after a clearing so the show starts again; without one (tests of
    // the dialog alone) only the status is cleared. Without a prompter the dialog shows its own
    // message boxes and file choosers.
    explicit NuTakedOutDD(SettingsHost* mainDlg, Prompter* prompter = nullptr,
                          QWidget* parent = nullptr);

    // Fills the list and the box; call once both pointers are set.
    bool OnInitDialog();

    void OnClearAll();
    void OnCopy();
    void OnOutput();
    void OnAutoOutput();
    void OnCloseButton();
    void OnClose();
    // The list as text, as copied and written.
    QString BuildText() const;

    QTreeView* List() const { return m_list; }
    QCheckBox* AutoOutputBox() const { return m_check; }
    QString AutoOutputCaption() const;

    NuFileDeal* m_pNumberStore = nullptr;
    TumoStatus* m_pStatus = nullptr;
    qint32 m_bAutoOutput = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void FillList();
    void ShowCaption();
    void StoreCheckBox();

    SettingsHost* m_pMainDlg;
    MessageBoxPrompter m_boxes;
    Prompter* m_pPrompter;
    WinningListModel* m_model = nullptr;
    QTreeView* m_list = nullptr;
    QCheckBox* m_check = nullptr;
    QLabel* m_checkText = nullptr;
};
