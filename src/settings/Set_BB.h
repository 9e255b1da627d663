#pragma once

#include <QDialog>

#include <memory>

class GradeInfo;
class LotteryNotify;
class MessageBoxPrompter;
class Prompter;
class QCheckBox;
class QTabWidget;
class Set_BB_P1;
class Set_BB_P2;
class Set_BB_P3;
class Set_BB_P4;

// The bulletin-board options of the current prize level, a modeless window over the draw
// screen. Its pages edit a working copy of the level's board record; OK writes the copy into the
// level, Cancel (or the close box) puts the level's record back as it was when the window
// opened, undoing what visual placements wrote into it meanwhile.
//
// The draw window opens it and wires it up:
//     auto* dlg = new Set_BB(CurGrade(), this);
//     connect(dlg, &Set_BB::closed, ...);                    // was UM_BBOPTIONS_CLOSED
//     connect(dlg, &Set_BB::boardLayoutRequested, ...);      // BeginBulletinLayout
//     connect(dlg, &Set_BB::numberAreaLayoutRequested, ...); // BeginNumberAreaLayout(0)
//     dlg->show();
// The window never deletes itself: after `closed` the draw window deletes it (deleteLater, or
// delete: the signal arrives through the event queue).
class Set_BB : public QDialog {
    Q_OBJECT
public:
    // Tab order of the pages.
    enum Page { HowToShow = 0, Shape = 1, Numbers = 2, SizeAndPosition = 3 };

    // `level` is the live current level; it must outlive the window. Without a prompter the
    // window shows its own message boxes and file choosers.
    explicit Set_BB(GradeInfo* level, QWidget* parent = nullptr, Prompter* prompter = nullptr);
    ~Set_BB() override;

    // The start of a visual placement: every page into the working copy (the size and position
    // page without condition) and the copy into the live level with the board switch; nothing
    // closes. False, with the prompt shown and the level untouched, when an edit is refused.
    bool ApplyAll();
    // The end of a placement: the working copy takes the live level's record again and the size
    // and position page shows its rectangles.
    void RefreshFromLevel();

    // The working copy the pages edit; the draw window may overwrite it from the live level.
    LotteryNotify& WorkingCopy() { return *m_pNotify; }

    void ShowPage(int index);

    QTabWidget* Tabs() const { return m_pTabs; }
    QCheckBox* EnableCheck() const { return m_pEnable; }
    Set_BB_P1& ShapePage() const { return *m_pP1; }
    Set_BB_P2& NumbersPage() const { return *m_pP2; }
    Set_BB_P3& SizePage() const { return *m_pP3; }
    Set_BB_P4& HowToShowPage() const { return *m_pP4; }
    bool IsClosed() const { return m_bClosed; }

public Q_SLOTS:
    // OK.
    void accept() override;
    // Cancel, Esc and the close box.
    void reject() override;

Q_SIGNALS:
    // The window is gone, after OK, Cancel or the close box alike. Delivered through the event
    // queue, so the receiver may delete the window.
    void closed();
    // The "Visiual design" buttons: place the board, or its number area, with the mouse.
    void boardLayoutRequested();
    void numberAreaLayoutRequested();

private:
    void BuildControls();
    void OnEnableClicked();
    void EnableBoard(bool enable);
    // Every page into the working copy; the size page only when asked or when the board has a
    // width (a new shape picture zeroes it, and the page's old numbers must not come back).
    bool ReadPages(bool saveSizeAlways);
    void WriteToLevel();
    void Finish(int result);

    GradeInfo* m_pGrade;
    std::unique_ptr<MessageBoxPrompter> m_pOwnPrompter;
    Prompter* m_pPrompter;
    std::unique_ptr<LotteryNotify> m_pNotify;
    std::unique_ptr<LotteryNotify> m_pBefore;
    QTabWidget* m_pTabs = nullptr;
    QCheckBox* m_pEnable = nullptr;
    Set_BB_P1* m_pP1 = nullptr;
    Set_BB_P2* m_pP2 = nullptr;
    Set_BB_P3* m_pP3 = nullptr;
    Set_BB_P4* m_pP4 = nullptr;
    bool m_bClosed = false;
};
