#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "controls/XButton.h"
#include "model/LayoutScreenFile.h"
#include "model/TumoStatus.h"
#include "show/BulletinBoard.h"
#include "show/CToolWnd.h"
#include "show/CTumoDlg.h"
#include "show/DesignLevels.h"
#include "show/DesignModeWnd.h"
#include "show/MainMenu.h"
#include "show/MainWindowTestUtil.h"
#include "show/SymbolView.h"
#include "show/TrackerGeometry.h"
#include "show/WinNuBoard.h"
#include "show/XAPanel.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <tuple>

using namespace mainwindowtest;

namespace {

using Kind = MouseRouting::Kind;

// The design tool as a test sees it: it records what the draw window asks of it.
class FakeDesignTool : public QWidget, public DesignTool {
public:
    FakeDesignTool(SettingsHost& main, int level)
        : QWidget(&main.Window(), Qt::Tool), m_main(main) {
        m_pGrade = &main.Status().Level(level);
        createdFor = level;
    }
    QWidget* Window() override { return this; }
    GradeInfo* Grade() const override { return m_pGrade; }
    void SelectPrizeLevel(int index) override {
        selected << index;
        const int list = DesignLevels::ListIndexOf(index, m_main.Status().LastGrade());
        if (GradeInfo* level = m_main.Design().ChooseDesignLevel(list))
            m_pGrade = level;
    }
    void EnableLevelChoice(bool enable) override { levelChoice << enable; }
    void ChooseSymbolFile(int position) override { symbolFiles << position; }
    void EditTextItem(int index) override { textItems << index; }
    BoardOptionsLink CreateBulletinOptions() override {
        BoardOptionsLink link;
        boardOptions = new QWidget;
        boardOptions->show();
        link.window = boardOptions;
        link.applyAll = [] {
            ++appliedAll;
            return refuseApply == 0;
        };
        link.refreshFromLevel = [] { ++refreshed; };
        return link;
    }

    static inline int createdFor = -1;
    static inline QList<int> selected;
    static inline QList<bool> levelChoice;
    static inline QList<int> symbolFiles;
    static inline QList<int> textItems;
    static inline QPointer<QWidget> boardOptions;
    static inline int appliedAll = 0;
    static inline int refreshed = 0;
    static inline int refuseApply = 0;

private:
    SettingsHost& m_main;
    GradeInfo* m_pGrade = nullptr;
};

// A program folder with a scheme of three prize levels and the default level.
class DesignModeTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        FakeDesignTool::createdFor = -1;
        FakeDesignTool::selected.clear();
        FakeDesignTool::levelChoice.clear();
        FakeDesignTool::symbolFiles.clear();
        FakeDesignTool::textItems.clear();
        FakeDesignTool::appliedAll = 0;
        FakeDesignTool::refreshed = 0;
        FakeDesignTool::refuseApply = 0;
        CTumoDlg::InstallDesignTool(
            [](SettingsHost& main, int level) { return new FakeDesignTool(main, level); });
        // The winners list, opened by its hot key (Ctrl+V): a harmless sign that keys get in.
        MainWindowDialogs dialogs;
        dialogs.runWinningNumbers = [this](SettingsHost&) { ++winnersShown; };
        CTumoDlg::InstallDialogs(dialogs);
    }
    void TearDown() override {
        CTumoDlg::InstallDesignTool({});
        CTumoDlg::InstallDialogs({});
        ProgramFolderTest::TearDown();
    }

    // Levels 1 to 3 with these quantities (0 makes a level complete), perScreen numbers each.
    void WriteScheme(QList<int> quantities, int perScreen = 2) {
        TumoStatus status;
        status.m_strDataFolder = dir.path();
        status.ClearGrades();
        status.AddLevel(GradeInfo());
        status.Level(0).m_base.m_strName = QStringLiteral("Default");
        for (int i = 0; i < quantities.size(); ++i) {
            GradeInfo level;
            level.m_base.m_strName = QStringLiteral("Level %1").arg(i + 1);
            level.m_base.m_nQuantity = quantities[i];
            level.m_base.m_nPerScreen = perScreen;
            status.AddLevel(level);
        }
        for (GradeInfo& level : status.Levels())
            level.m_sym.m_strDefaultFile = dir.filePath("defsym.swf");
        ASSERT_TRUE(status.SaveAll());
    }

    static FakeDesignTool* Tool(CTumoDlg& dlg) {
        return static_cast<FakeDesignTool*>(dlg.Design().DesignToolWindow());
    }
    static QPoint Centre(const QWidget* w) { return w->mapToGlobal(w->rect().center()); }
    static void Drag(CTumoDlg& dlg, const QWidget* element, QPoint delta) {
        DragOnScreen(dlg, element, delta);
    }
    static void Quit(CTumoDlg& dlg) {
        CToolWnd* tool = AdjustToolOf(dlg);
        ASSERT_NE(tool, nullptr);
        tool->OnCommand(CToolWnd::kQuit);
    }

    RecordingPrompter prompter;
    int winnersShown = 0;
};

TEST_F(DesignModeTest, TheDefaultLevelOnTheScreenIsTheSelectorsLastEntry) {
    WriteScheme({0, 0, 0}); // every prize level complete: the default level is shown
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    ASSERT_EQ(dlg.CurGrade(), &dlg.Status().Level(0));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    ASSERT_NE(Tool(dlg), nullptr);
    EXPECT_EQ(FakeDesignTool::createdFor, 0);
    EXPECT_EQ(FakeDesignTool::selected, QList<int>{3});
    EXPECT_EQ(dlg.GuideWindows().last(), Tool(dlg)->Window());
    dlg.OnQuit();
}

TEST_F(DesignModeTest, DesignModeStopsTheShowUntilTheToolIsClosed) {
    WriteScheme({5, 5, 5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    ASSERT_TRUE(dlg.Design().IsDesignMode());
    EXPECT_EQ(FakeDesignTool::createdFor, 1);
    EXPECT_EQ(FakeDesignTool::selected, QList<int>{0});
    ASSERT_NE(dlg.findChild<DesignModeWnd*>(), nullptr);
    EXPECT_TRUE(dlg.findChild<DesignModeWnd*>()->isVisible());
    for (XButton* button : ButtonsOf(dlg))
        EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(dlg.Design().EnterDesignMode(0), -1) << "entering twice does nothing";

    // No draw: not by key, not by a click, not by command; no other hot key either.
    ASSERT_TRUE(WaitReady(dlg));
    QTest::keyClick(&dlg, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(winnersShown, 0);
    QTest::keyClick(&dlg, Qt::Key_Space);
    dlg.RouteChildMouse(Kind::LeftDown, Centre(&dlg));
    dlg.RouteChildMouse(Kind::LeftUp, Centre(&dlg));
    dlg.Draw().OnDraw();
    EXPECT_EQ(dlg.Status().GetTakenCount(), 0);

    QPointer<QWidget> tool = Tool(dlg)->Window();
    dlg.Design().OnDesignClosed();
    EXPECT_FALSE(dlg.Design().IsDesignMode());
    QTest::keyClick(&dlg, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(winnersShown, 1) << "the hot keys are back";
    EXPECT_FALSE(dlg.findChild<DesignModeWnd*>()->isVisible());
    for (XButton* button : ButtonsOf(dlg))
        EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(dlg.Design().DesignToolWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tool.isNull());
    EXPECT_TRUE(DrawKeyDraws(dlg)) << "the show goes on";
    dlg.OnQuit();
}

TEST_F(DesignModeTest, OpenLevelDialogsKeepDesignModeAndTheLevelChoiceOff) {
    WriteScheme({5, 5, 5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    dlg.Design().CountDialogOpened();
    dlg.Design().CountDialogOpened();
    EXPECT_EQ(FakeDesignTool::levelChoice, QList<bool>{false}) << "only the first one";
    dlg.Design().OnDesignCommand(DesignCommand::kQuit);
    EXPECT_TRUE(dlg.Design().IsDesignMode()) << "closing is ignored while a dialog is open";
    dlg.Design().CountDialogClosed();
    EXPECT_EQ(FakeDesignTool::levelChoice, QList<bool>{false});
    dlg.Design().CountDialogClosed();
    EXPECT_EQ(FakeDesignTool::levelChoice, (QList<bool>{false, true}));
    dlg.Design().CountDialogClosed(); // one too many: the count stays at 0
    dlg.Design().CountDialogOpened();
    EXPECT_EQ(FakeDesignTool::levelChoice, (QList<bool>{false, true, false}));
    dlg.Design().CountDialogClosed();
    dlg.Design().OnDesignCommand(DesignCommand::kQuit);
    EXPECT_FALSE(dlg.Design().IsDesignMode());
    dlg.OnQuit();
}

TEST_F(DesignModeTest, PlacedSymbolsAreStoredAndKeptAfterARestart) {
    WriteScheme({5, 5, 5});
    QRect placed;
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.OnCommand(MainMenu::kCmdDesignMode);
        ASSERT_TRUE(WaitReady(dlg));
        dlg.Design().OnDesignCommand(DesignCommand::kSymbolPlacement);
        EXPECT_TRUE(dlg.Design().IsPlacing());
        EXPECT_FALSE(Tool(dlg)->isVisible()) << "the design tool makes way for the adjust tool";
        const int digits = dlg.Status().m_nuBase.m_nDigits;
        ASSERT_EQ(digits, 3);
        // Every symbol of the screen can be selected; the first one is at the start.
        const std::vector<SymbolView*> views = SymbolViewsOf(dlg);
        ASSERT_EQ(views.size(), size_t(2 * digits));
        ASSERT_EQ(TrackerFramesOf(dlg).size(), 1);
        EXPECT_NE(FrameAround(dlg, views[0]), nullptr);
        for (size_t i = 1; i < views.size(); ++i)
            ClickOn(dlg, views[i], Qt::ControlModifier);
        for (const SymbolView* view : views)
            EXPECT_NE(FrameAround(dlg, view), nullptr);
        ClickOn(dlg, views[0]); // a click without a move selects that one alone
        ASSERT_EQ(TrackerFramesOf(dlg).size(), 1);
        EXPECT_NE(FrameAround(dlg, views[0]), nullptr);

        SymbolView* first = views[0];
        placed = first->geometry().translated(40, 30);
        Drag(dlg, first, QPoint(40, 30));
        EXPECT_EQ(first->geometry(), placed);
        Quit(dlg);
        EXPECT_FALSE(dlg.Design().IsPlacing());
        EXPECT_TRUE(Tool(dlg)->isVisible());
        const LotterySym& sym = dlg.CurGrade()->m_sym;
        EXPECT_EQ(sym.m_bLayoutValid, 1);
        EXPECT_EQ(sym.m_listLayout[0].m_items[0].m_rect, WinRect::fromQRect(placed));
        EXPECT_EQ(sym.m_listLayout[1].m_items[2].m_rect,
                  WinRect::fromQRect(SymbolViewsOf(dlg)[5]->geometry()));
        // The worker lays the symbols out from the level again: the placed one stays.
        ASSERT_TRUE(WaitReady(dlg));
        EXPECT_EQ(first->geometry(), placed);
        dlg.Design().OnDesignClosed();
        ASSERT_TRUE(WaitReady(dlg));
        EXPECT_EQ(first->geometry(), placed);
        dlg.OnQuit();
    }
    TumoStatus reread;
    reread.m_strDataFolder = dir.path();
    reread.LoadAll();
    EXPECT_EQ(reread.Level(1).m_sym.m_listLayout[0].m_items[0].m_rect, WinRect::fromQRect(placed));
    EXPECT_EQ(reread.Level(1).m_sym.m_bLayoutValid, 1);
}

TEST_F(DesignModeTest, TheBoardIsPlacedFromItsOptionsAndStoredWhenThePlacementEnds) {
    WriteScheme({5, 5, 5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    dlg.Design().OnDesignCommand(DesignCommand::kBulletinOptions);
    QPointer<QWidget> options = FakeDesignTool::boardOptions;
    ASSERT_TRUE(options);
    EXPECT_EQ(FakeDesignTool::levelChoice, QList<bool>{false}) << "counted as an open dialog";
    dlg.Design().OnDesignCommand(DesignCommand::kBulletinOptions);
    EXPECT_EQ(FakeDesignTool::boardOptions, options) << "one options window at a time";
    EXPECT_EQ(FakeDesignTool::levelChoice, QList<bool>{false});

    dlg.Design().BeginBulletinLayout();
    EXPECT_EQ(FakeDesignTool::appliedAll, 1);
    EXPECT_TRUE(dlg.Design().IsPlacing());
    EXPECT_FALSE(options->isVisible());
    BulletinBoard* board = dlg.findChild<BulletinBoard*>();
    ASSERT_TRUE(board->isVisible());
    ASSERT_EQ(TrackerFramesOf(dlg).size(), 1);
    ASSERT_NE(FrameAround(dlg, board), nullptr);
    dlg.Design().BeginBulletinLayout();
    EXPECT_EQ(FakeDesignTool::appliedAll, 1) << "no second placement while one runs";

    const WinRect stored = dlg.CurGrade()->m_notify.m_rcBoard;
    const QRect moved = board->geometry().translated(50, 20);
    Drag(dlg, board, QPoint(50, 20));
    EXPECT_EQ(board->geometry(), moved);
    EXPECT_EQ(dlg.CurGrade()->m_notify.m_rcBoard, stored) << "a pure move waits for the end";
    Quit(dlg);
    EXPECT_EQ(dlg.CurGrade()->m_notify.m_rcBoard, WinRect::fromQRect(moved));
    EXPECT_EQ(dlg.CurGrade()->m_notify.m_shape.m_rect, WinRect::fromQRect(moved));
    EXPECT_EQ(FakeDesignTool::refreshed, 1);
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(dlg.Design().IsPlacing());

    EXPECT_EQ(dlg.Design().OnBulletinOptionsClosed(), 1);
    EXPECT_TRUE(options.isNull());
    EXPECT_EQ(FakeDesignTool::levelChoice, (QList<bool>{false, true})) << "the count is back at 0";
    EXPECT_EQ(dlg.Design().CloseBulletinOptions(), 0);
    dlg.OnQuit();
}

TEST_F(DesignModeTest, ARefusedEditKeepsTheBoardFromBeingPlaced) {
    WriteScheme({5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    dlg.Design().OnDesignCommand(DesignCommand::kBulletinOptions);
    FakeDesignTool::refuseApply = 1;
    dlg.Design().BeginBulletinLayout();
    dlg.Design().BeginNumberAreaLayout();
    EXPECT_FALSE(dlg.Design().IsPlacing());
    EXPECT_TRUE(FakeDesignTool::boardOptions->isVisible());
    dlg.OnQuit();
}

TEST_F(DesignModeTest, TheNumberAreaFollowsItsStandInWhileItMoves) {
    WriteScheme({5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    dlg.Design().OnDesignCommand(DesignCommand::kBulletinOptions);
    GradeInfo* level = dlg.CurGrade();
    level->m_notify.m_rcNumbers = WinRect(10, 10, 60, 40);
    dlg.Design().BeginNumberAreaLayout();
    WinNuBoard* proxy = dlg.findChild<WinNuBoard*>();
    ASSERT_NE(proxy, nullptr);
    BulletinBoard* board = dlg.findChild<BulletinBoard*>();
    EXPECT_EQ(proxy->geometry(), QRect(10, 10, 50, 30).translated(board->pos()));
    ASSERT_EQ(TrackerFramesOf(dlg).size(), 1);
    EXPECT_NE(FrameAround(dlg, proxy), nullptr) << "the stand-in is placed, not the board";
    EXPECT_FALSE(board->isEnabled());

    Drag(dlg, proxy, QPoint(7, 5));
    EXPECT_EQ(level->m_notify.m_rcNumbers, WinRect(17, 15, 67, 45));
    Quit(dlg);
    EXPECT_EQ(dlg.findChild<WinNuBoard*>(), nullptr);
    EXPECT_TRUE(board->isEnabled());
    EXPECT_EQ(level->m_notify.m_rcNumbers, WinRect(17, 15, 67, 45));
    dlg.OnQuit();
}

TEST_F(DesignModeTest, TextPanelsArePlacedAddedEditedAndDeleted) {
    WriteScheme({5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    ASSERT_TRUE(WaitReady(dlg));
    GradeInfo* level = dlg.CurGrade();
    CharFormat cf;
    cf.yHeight = 20 * 15;
    level->m_aPanel.AddPanel(QStringLiteral("First ~?~"), cf);
    level->m_aPanel.AddPanel(QStringLiteral("Second"), cf);
    level->m_aPanel.m_listPanels[0].m_rect = WinRect(100, 100, 300, 140);
    level->m_aPanel.m_listPanels[1].m_rect = WinRect(100, 300, 300, 340);
    dlg.RefreshInfoPanels(false);
    dlg.RefreshInfoPanels(true);
    ASSERT_EQ(PanelsOf(dlg).size(), 2);

    EXPECT_EQ(dlg.Design().OnTextLayout(), 0);
    // Both panels can be selected.
    ClickOn(dlg, PanelsOf(dlg)[1], Qt::ControlModifier);
    ASSERT_EQ(TrackerFramesOf(dlg).size(), 2);
    EXPECT_NE(FrameAround(dlg, PanelsOf(dlg)[1]), nullptr);
    CToolWnd* tool = AdjustToolOf(dlg);
    ASSERT_NE(tool, nullptr);
    EXPECT_TRUE(tool->Button(CToolWnd::kAddString)->isVisible());

    // A double click on a panel edits its item.
    dlg.RouteChildMouse(Kind::LeftDoubleClick, Centre(PanelsOf(dlg)[1]));
    QCoreApplication::processEvents();
    EXPECT_EQ(FakeDesignTool::textItems, QList<int>{1});

    // The editor added an item: its panel joins the placement, selected.
    tool->OnCommand(CToolWnd::kAddString);
    EXPECT_EQ(FakeDesignTool::textItems, (QList<int>{1, -1}));
    level->m_aPanel.AddPanel(QStringLiteral("Third"), cf);
    dlg.Design().OnStringEdited(-1);
    ASSERT_EQ(PanelsOf(dlg).size(), 3);
    XAPanel* third = PanelsOf(dlg)[2];
    ASSERT_EQ(TrackerFramesOf(dlg).size(), 1);
    EXPECT_NE(FrameAround(dlg, third), nullptr);
    EXPECT_EQ(level->m_aPanel.m_listPanels[2].m_rect, WinRect::fromQRect(third->geometry()));

    // An edited text resizes its panel; the frame goes around the panel again.
    ClickOn(dlg, PanelsOf(dlg)[0]);
    level->m_aPanel.m_listPanels[0].m_strText = QStringLiteral("A much longer first text ~?~");
    dlg.Design().OnStringEdited(0);
    XAPanel* firstPanel = PanelsOf(dlg)[0];
    EXPECT_TRUE(firstPanel->Text().endsWith(QStringLiteral("text 5")));
    EXPECT_NE(FrameAround(dlg, firstPanel), nullptr);

    Drag(dlg, third, QPoint(200, 250)); // clear of the others, to be clicked on its own
    const QRect thirdPlaced = third->geometry();
    ClickOn(dlg, PanelsOf(dlg)[1]);
    tool->OnCommand(CToolWnd::kDeleteString);
    ASSERT_EQ(level->m_aPanel.m_listPanels.size(), 2);
    EXPECT_EQ(level->m_aPanel.m_listPanels[1].m_strText, QStringLiteral("Third"));
    ASSERT_EQ(PanelsOf(dlg).size(), 2);
    // The deleted panel left the placement: the two left are all there is to select.
    ClickOn(dlg, PanelsOf(dlg)[0]);
    ClickOn(dlg, PanelsOf(dlg)[1], Qt::ControlModifier);
    EXPECT_EQ(TrackerFramesOf(dlg).size(), 2);

    Quit(dlg);
    EXPECT_EQ(level->m_aPanel.m_listPanels[1].m_rect, WinRect::fromQRect(thirdPlaced));
    EXPECT_FALSE(dlg.Design().IsPlacing());
    dlg.OnQuit();
}

TEST_F(DesignModeTest, SymbolCommandsOfThePlacementGoToTheDesignTool) {
    WriteScheme({5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    ASSERT_TRUE(WaitReady(dlg));
    dlg.Design().OnDesignCommand(DesignCommand::kSymbolPlacement);
    CToolWnd* tool = AdjustToolOf(dlg);
    ASSERT_NE(tool, nullptr);
    EXPECT_FALSE(tool->Button(CToolWnd::kAddString)->isVisible());
    tool->OnCommand(CToolWnd::kChooseSymbolFile);
    EXPECT_EQ(FakeDesignTool::symbolFiles, QList<int>{-1});
    EXPECT_TRUE(tool->isEnabled()) << "the adjust tool waits for the dialog only";
    // Nothing was right-clicked yet: no symbol to load a movie for.
    dlg.Design().OnDesignCommand(DesignCommand::kLoadSymbol);
    EXPECT_EQ(FakeDesignTool::symbolFiles, QList<int>{-1});
    Quit(dlg);
    dlg.OnQuit();
}

// Leaving design mode sets every symbol rolling: a half-full screen of style 0 must not go on at
// its next slot beside winners no longer shown.
TEST_F(DesignModeTest, LeavingInTheMiddleOfAScreenStartsAFreshOne) {
    WriteScheme({9, 9, 9}, 3);
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.Draw().OnDraw();
    dlg.Draw().OnDraw();
    GradeInfo* shown = dlg.CurGrade();
    ASSERT_EQ(shown->m_taken.Count(), 2);
    ASSERT_EQ(dlg.Draw().LastSlot(), 1);

    dlg.OnCommand(MainMenu::kCmdDesignMode);
    Tool(dlg)->SelectPrizeLevel(1); // level 2: nothing drawn
    EXPECT_EQ(dlg.CurGrade(), &dlg.Status().Level(2));
    EXPECT_EQ(dlg.Status().CurGradeIndex(), 2);
    EXPECT_EQ(dlg.Status().m_nTakenAtGradeStart, 0);
    dlg.Design().OnDesignClosed();
    EXPECT_EQ(dlg.CurGrade(), shown);
    EXPECT_EQ(shown->m_taken.Count(), 2) << "the numbers drawn stay recorded";
    EXPECT_EQ(dlg.Status().m_nTakenAtGradeStart, 2);
    EXPECT_FALSE(dlg.Draw().IsScreenDone());

    ASSERT_TRUE(WaitReady(dlg));
    dlg.Draw().OnDraw();
    EXPECT_EQ(shown->m_taken.Count(), 3);
    EXPECT_EQ(dlg.Draw().LastSlot(), 0);
    EXPECT_FALSE(dlg.Draw().IsScreenDone()) << "a fresh screen of three holds one number";
    dlg.OnQuit();
}

} // namespace

namespace {

// The level on show was laid out on a screen twice this one's size: it shows at half size,
// and what the operator places here is kept in this screen's pixels, to the pixel.
TEST_F(DesignModeTest, ALayoutFromAnotherScreenShowsScaledAndIsPlacedInThisScreensPixels) {
    WriteScheme({5, 5, 5});
    const QSize screen = QGuiApplication::primaryScreen()->size();
    ASSERT_TRUE(LayoutScreenFile::Write(dir.path(), screen * 2));
    PrepareSettings(dir.path(), [](TumoStatus& status) {
        // The pool the window fills the folder with, as a session before had summed it up.
        status.m_nuBase.m_nDigits = 3;
        status.m_nuBase.m_nCount = 100;
        status.m_nuBase.m_strChars = QStringLiteral("0123456789");
        GradeInfo& level = status.Level(1);
        level.m_sym.ResetLayout(2, 3);
        level.m_sym.m_bLayoutValid = 1;
        for (int row = 0; row < 2; ++row) {
            for (int p = 0; p < 3; ++p) {
                const int left = 100 + (2 - p) * 200;
                const int top = 100 + row * 300;
                level.m_sym.m_listLayout[row].m_items[p].m_rect =
                    WinRect(left, top, left + 150, top + 200);
            }
        }
        level.m_banner.m_bShow = 1;
        level.m_banner.m_rect = WinRect(200, 200, 600, 400);
        level.m_notify.m_nShowWhen = 2; // always shown
        level.m_notify.m_rcBoard = WinRect(400, 300, 1200, 900);
        APanel panel(QStringLiteral("Left: ~#~"), CharFormat());
        panel.m_cf.yHeight = 600;
        panel.m_rect = WinRect(1000, 100, 1400, 200);
        level.m_aPanel.m_listPanels = {panel};
    });
    const auto storedLook = [this] {
        TumoStatus saved;
        saved.m_strDataFolder = dir.path();
        saved.LoadAll();
        const GradeInfo& level = saved.Level(1);
        return std::tuple(level.m_sym.m_listLayout, level.m_banner.m_rect,
                          level.m_aPanel.m_listPanels.value(0).m_rect,
                          level.m_aPanel.m_listPanels.value(0).m_cf.yHeight);
    };
    const auto prepared = storedLook();
    const auto panelOf = [](const CTumoDlg& dlg) { return dlg.findChild<XAPanel*>("panel0"); };

    QRect placed;
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        std::vector<SymbolView*> views = SymbolViewsOf(dlg);
        ASSERT_EQ(views.size(), size_t(6));
        EXPECT_EQ(views[0]->geometry(), QRect(250, 50, 75, 100));
        EXPECT_EQ(views[5]->geometry(), QRect(50, 200, 75, 100));
        EXPECT_EQ(dlg.findChild<QWidget*>("banner")->geometry(), QRect(100, 100, 200, 100));
        EXPECT_EQ(dlg.findChild<BulletinBoard*>()->geometry(), QRect(200, 150, 400, 300));
        ASSERT_NE(panelOf(dlg), nullptr);
        EXPECT_EQ(panelOf(dlg)->pos(), QPoint(500, 50));
        // Shown so, stored as made.
        dlg.FlushSaves();
        EXPECT_TRUE(storedLook() == prepared);

        // Design mode takes the layout to this screen's pixels as it shows here.
        dlg.OnCommand(MainMenu::kCmdDesignMode);
        ASSERT_TRUE(WaitReady(dlg));
        EXPECT_EQ(LayoutScreenFile::Read(dir.path()), screen);
        EXPECT_EQ(views[0]->geometry(), QRect(250, 50, 75, 100));
        EXPECT_EQ(dlg.CurGrade()->m_banner.m_rect, WinRect(100, 100, 300, 200));
        EXPECT_EQ(dlg.CurGrade()->m_aPanel.m_listPanels[0].m_cf.yHeight, 300);

        dlg.Design().OnDesignCommand(DesignCommand::kSymbolPlacement);
        views = SymbolViewsOf(dlg);
        placed = views[0]->geometry().translated(40, 30);
        Drag(dlg, views[0], QPoint(40, 30));
        Quit(dlg);
        dlg.Design().OnDesignClosed();
        ASSERT_TRUE(WaitReady(dlg));
        EXPECT_EQ(views[0]->geometry(), placed);
        dlg.OnQuit();
    }
    CTumoDlg again(&prompter);
    ASSERT_TRUE(StartReady(again));
    EXPECT_EQ(SymbolViewsOf(again)[0]->geometry(), placed);
    EXPECT_EQ(SymbolViewsOf(again)[5]->geometry(), QRect(50, 200, 75, 100));
    EXPECT_EQ(again.findChild<QWidget*>("banner")->geometry(), QRect(100, 100, 200, 100));
    EXPECT_EQ(again.findChild<BulletinBoard*>()->geometry(), QRect(200, 150, 400, 300));
    ASSERT_NE(panelOf(again), nullptr);
    EXPECT_EQ(panelOf(again)->pos(), QPoint(500, 50));
    again.OnQuit();
}

} // namespace
// The tool windows leave the element being placed in sight, handles and all: the default banner
// at the top-left corner, and a new text item, which starts whole inside the screen.
TEST_F(DesignModeTest, ToolWindowsKeepClearOfWhatIsPlaced) {
    WriteScheme({5});
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.CurGrade()->m_banner.m_bShow = 1; // the default place, (20, 20) to (200, 100)
    dlg.ApplyBanner();
    dlg.OnCommand(MainMenu::kCmdDesignMode);
    ASSERT_TRUE(WaitReady(dlg));
    const auto onScreen = [](const QWidget* w) {
        return TrackerGeometry::FrameOf(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
    };
    const QRect screen(dlg.mapToGlobal(QPoint(0, 0)), dlg.size());
    const QWidget* banner = dlg.findChild<SymbolView*>(QStringLiteral("banner"));
    ASSERT_NE(banner, nullptr);
    ASSERT_TRUE(banner->isVisible());
    EXPECT_FALSE(Tool(dlg)->frameGeometry().intersects(onScreen(banner)));
    EXPECT_TRUE(screen.contains(Tool(dlg)->frameGeometry()));

    dlg.Design().BeginBannerLayout([](const QRect&) {});
    CToolWnd* tool = AdjustToolOf(dlg);
    ASSERT_NE(tool, nullptr);
    EXPECT_FALSE(tool->frameGeometry().intersects(onScreen(banner)));
    EXPECT_TRUE(screen.contains(tool->frameGeometry()));
    Quit(dlg);

    EXPECT_EQ(dlg.Design().OnTextLayout(), 0);
    tool = AdjustToolOf(dlg);
    ASSERT_NE(tool, nullptr);
    CharFormat cf;
    cf.yHeight = 40 * 15;
    dlg.CurGrade()->m_aPanel.AddPanel(QStringLiteral("NEW INFOMATION"), cf);
    dlg.Design().OnStringEdited(-1);
    ASSERT_EQ(PanelsOf(dlg).size(), 1);
    const XAPanel* added = PanelsOf(dlg)[0];
    EXPECT_TRUE(screen.contains(onScreen(added))) << "the new item's frame is whole on the screen";
    EXPECT_EQ(dlg.CurGrade()->m_aPanel.m_listPanels[0].m_rect,
              WinRect::fromQRect(added->geometry()));
    EXPECT_FALSE(tool->frameGeometry().intersects(onScreen(added)));
    Quit(dlg);
    dlg.OnQuit();
}
