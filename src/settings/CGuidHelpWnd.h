#pragma once

#include "controls/GuideWindowList.h"

#include <QDialog>
#include <QList>
#include <QPixmap>

#include <functional>

class CHTMLListCtrl;
class QCheckBox;
class QPushButton;
struct NMHTMLLIST;

// The guide: a modeless, resizable window "Help" that lists short help entries read from
// "GuidHelpContent.xml" in the program folder. Clicking an entry points a balloon at the control
// it describes, when the first registered window that holds the control shows it; entries whose
// control is not shown are grey. Entries nest by level and open collapsed.
//
// The main window gives it its list of registered windows and the stored start-up flag before
// Create, shows it, and deletes it after its closing report (GuideClosed, the UM_GUIDE_CLOSED
// message: connect it queued, as the message was posted). The window never deletes itself.
class CGuidHelpWnd : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDD = 167;
    static constexpr int IDC_SHOW_AT_STARTUP = 1174;
    // The balloon's texts when the entry gives none.
    static QString DefaultTipText() { return QStringLiteral("HERE"); }

    explicit CGuidHelpWnd(QWidget* parent = nullptr);
    ~CGuidHelpWnd() override;

    // Set by the main window before Create: its registered windows (kept by the main window)
    // and the initial state of "Show GuidHelp at startup".
    const GuideWindowList* m_pWindowList = nullptr;
    bool m_bShowAtStartup = false;

    // Builds the window and fills the list from the guide file (an unreadable file leaves it
    // empty). Does not show it.
    bool Create();

    // UM_GUIDE_REFRESH: a window was registered; the entries' grey and black are worked out anew.
    void OnGuideRefresh();

    // How the balloon is shown: ShowBalloonMsg unless a test puts its own in.
    using BalloonFunction = std::function<void(const QString& title, const QString& message,
                                               QWidget* anchor, QWidget* parent)>;
    void SetBalloonFunction(BalloonFunction show) { m_showBalloon = std::move(show); }

    CHTMLListCtrl* List() const { return m_pList; }
    QCheckBox* ShowAtStartupBox() const { return m_pCheck; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

Q_SIGNALS:
    // ok is 1 after OK, with showAtStartup the state of the check box (0 or 1); 0, 0 after
    // Cancel, Esc or the close box.
    void GuideClosed(int ok, int showAtStartup);

public:
    // The list's notices: a selected entry shows its balloon.
    void OnItemNotify(const NMHTMLLIST& notice);
    void OnClickedOk();
    void OnClickedCancel();

protected:
    void accept() override { OnClickedOk(); }
    void reject() override { OnClickedCancel(); }
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitDialog();
    void FillList();
    void LayoutControls();

    CHTMLListCtrl* m_pList = nullptr;
    QList<QPixmap> m_imageList;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    QCheckBox* m_pCheck = nullptr;
    BalloonFunction m_showBalloon;
};
