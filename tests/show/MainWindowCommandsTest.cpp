#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "controls/XButton.h"
#include "model/TumoStatus.h"
#include "show/CTumoDlg.h"
#include "show/MainMenu.h"
#include "show/MainWindowTestUtil.h"
#include "show/MessageWnd.h"
#include "show/PoolReanalysis.h"
#include "store/NuFileDeal.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace mainwindowtest;

namespace {

// ---- the menu ----

TEST(MainWindowMenu, EntriesInOrderWithTheirCommands) {
    const QList<MainMenu::Entry> entries = MainMenu::Entries(true, true);
    const QList<int> ids = {1003, 0, 102, 13, 0, 32801, 0, 32813, 32842, 0, 32802, 0, 7};
    ASSERT_EQ(entries.size(), ids.size());
    for (int i = 0; i < ids.size(); ++i)
        EXPECT_EQ(entries[i].id, ids[i]) << i;
    EXPECT_EQ(entries[0].text, "Settings...");
    EXPECT_EQ(entries[3].text, "Delete the winning number");
    EXPECT_EQ(entries[8].text, "New Version Check");
    for (const MainMenu::Entry& e : entries)
        EXPECT_TRUE(e.enabled) << e.text.toStdString();
}

TEST(MainWindowMenu, DeleteIsGreyedUnlessAResultIsShownAndDeletingAllowed) {
    const auto deleteEnabled = [](bool shown, bool allowed) {
        return MainMenu::Entries(shown, allowed)[3].enabled;
    };
    EXPECT_TRUE(deleteEnabled(true, true));
    EXPECT_FALSE(deleteEnabled(false, true));
    EXPECT_FALSE(deleteEnabled(true, false));
    QMenu menu;
    MainMenu::Fill(menu, MainMenu::Entries(false, true));
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 13);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[3]->data().toInt(), 13);
    EXPECT_FALSE(actions[3]->isEnabled());
    EXPECT_EQ(MainMenu::KeyboardPoint(QPoint(100, 40)), QPoint(105, 45));
}

// ---- the draw window's commands ----

// A program folder of its own; the windows of the settings library are stand-ins that record.
class MainWindowCommandsTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        MainWindowDialogs dialogs;
        dialogs.createSettings = [this](SettingsHost&) {
            ++settingsOpened;
            settings = new QWidget;
            return settings.data();
        };
        dialogs.runWinningNumbers = [this](SettingsHost& main) {
            const int drawn = main.CurGrade()->m_taken.Count();
            QTest::keyClick(&main.Window(), Qt::Key_Space);
            keysRefusedDuringWinners = main.CurGrade()->m_taken.Count() == drawn;
        };
        dialogs.createGuide = [this](SettingsHost&) {
            guide = new QWidget;
            return guide.data();
        };
        dialogs.openFile = [this](const QString& path) {
            opened << path;
            return false;
        };
        CTumoDlg::InstallDialogs(dialogs);
    }
    void TearDown() override {
        CTumoDlg::InstallDialogs({});
        ProgramFolderTest::TearDown();
    }

    void Prepare(const std::function<void(TumoStatus&)>& change) {
        PrepareSettings(dir.path(), change);
    }

    RecordingPrompter prompter;
    int settingsOpened = 0;
    QPointer<QWidget> settings;
    bool keysRefusedDuringWinners = false;
    QPointer<QWidget> guide;
    QStringList opened;
};

TEST_F(MainWindowCommandsTest, SettingsOpenOnceAndTheWindowTakesNoInputUntilTheReport) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.CurGrade()->m_base.m_bAutoDraw = 1;
    dlg.CurGrade()->m_base.m_nStopTime = 60000;
    dlg.Draw().OnDraw();
    // The automatic wait begins once the symbols have landed.
    ASSERT_TRUE(QTest::qWaitFor([&] { return TimerRunning(dlg, "autoRestart"); }, 5000));

    dlg.OnCommand(MainMenu::kCmdSettings);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(dlg.SettingsWindow(), settings);
    EXPECT_FALSE(TimerRunning(dlg, "autoRestart"));
    EXPECT_EQ(dlg.GuideWindows().last(), settings);
    // The worker re-enabling the window (new symbols) must not let keys or buttons through.
    dlg.RestoreZOrder();
    const int drawn = dlg.CurGrade()->m_taken.Count();
    QTest::keyClick(&dlg, Qt::Key_Space);
    ButtonsOf(dlg)[3]->click();
    dlg.OnCommand(MainMenu::kCmdSettings);
    EXPECT_EQ(dlg.CurGrade()->m_taken.Count(), drawn);
    EXPECT_EQ(settingsOpened, 1);

    EXPECT_EQ(dlg.OnSettingsWindowClosed(0, 0), 1);
    EXPECT_TRUE(settings.isNull()) << "the draw window deletes the settings window";
    EXPECT_EQ(dlg.SettingsWindow(), nullptr);
    EXPECT_FALSE(dlg.IsQuitting());
    EXPECT_EQ(dlg.CurGrade()->m_taken.Count(), drawn) << "the drawn numbers stay";
    EXPECT_FALSE(dlg.Draw().IsScreenDone());
    EXPECT_TRUE(DrawKeyDraws(dlg)) << "the window takes input again";
    dlg.OnQuit();
}

TEST_F(MainWindowCommandsTest, LevelsMovedInMemoryWhileTheSettingsAreOpenAreNeverReadStale) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdSettings);
    ASSERT_TRUE(dlg.SettingsWindow());
    const QString name = dlg.CurGrade()->m_base.m_strName;
    // What the prize-levels page does: the list grows (and moves in memory) and levels are
    // moved before the one on show; the status's current index follows its level.
    TumoStatus& status = dlg.Status();
    for (int i = 0; i < 64; ++i)
        status.MoveLevel(status.AddLevel(GradeInfo()), 1);
    EXPECT_EQ(dlg.CurGrade(), status.CurrentLevel());
    EXPECT_EQ(dlg.CurGrade()->m_base.m_strName, name);
    dlg.OnSettingsWindowClosed(0, 0);
    ASSERT_TRUE(WaitReady(dlg));
    dlg.OnQuit();
}

TEST_F(MainWindowCommandsTest, CloseCodeMinusOneRestartsWithoutSaving) {
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.FlushSaves();
        // As a reset leaves it: the files are gone and must stay gone.
        QFile::remove(File("TumoStatus.dat"));
        dlg.OnSettings();
        EXPECT_EQ(dlg.OnSettingsWindowClosed(-1, 0), 0);
        EXPECT_TRUE(dlg.IsQuitting());
        EXPECT_TRUE(CTumoDlgTestAccess::NoSave(dlg));
        EXPECT_TRUE(ProgramRestart::IsRequested());
    }
    EXPECT_FALSE(QFile::exists(File("TumoStatus.dat")));
}

TEST_F(MainWindowCommandsTest, AnotherMonitorRestartsAfterSaving) {
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.OnSettings();
        EXPECT_EQ(dlg.OnSettingsWindowClosed(0, 1), 1);
        EXPECT_TRUE(dlg.IsQuitting());
        EXPECT_FALSE(CTumoDlgTestAccess::NoSave(dlg));
        EXPECT_TRUE(ProgramRestart::IsRequested());
    }
    EXPECT_TRUE(QFile::exists(File("TumoStatus.dat")));
}

TEST_F(MainWindowCommandsTest, ChangedNumbersAreScannedAgainAndLayoutsFollowTheNewLength) {
    Prepare([](TumoStatus& s) {
        GradeInfo second = s.Level(0);
        second.m_base.m_nPerScreen = 2;
        second.m_base.m_nQuantity = 5;
        s.AddLevel(second);
    });
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    ASSERT_EQ(dlg.Status().m_nuBase.m_nDigits, 3);

    for (int round = 0; round < 2; ++round) {
        dlg.OnSettings();
        if (round == 0) {
            ASSERT_EQ(dlg.Numbers().AddNumber(QStringLiteral("A000"), QString()), 0);
        }
        EXPECT_EQ(dlg.OnSettingsWindowClosed(1, 0), 1);
    }
    const LotteryNuBase& base = dlg.Status().m_nuBase;
    EXPECT_EQ(base.m_nDigits, 4);
    EXPECT_EQ(base.m_nCount, 101);
    EXPECT_EQ(base.m_strChars.count('A'), 1);
    EXPECT_EQ(base.m_strChars.count('0'), 1) << base.m_strChars.toStdString();
    // The second closing saw no new length and left the layouts alone; the first made them anew.
    for (const GradeInfo& level : dlg.Status().Levels()) {
        ASSERT_EQ(level.m_sym.m_listLayout.size(), level.m_base.m_nPerScreen);
        EXPECT_EQ(level.m_sym.GetColumnCount(), 4);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return SymbolViewsOf(dlg).size() == 8; }, kWaitMs));
    EXPECT_TRUE(DrawKeyDraws(dlg)) << "the window takes input again";
    dlg.OnQuit();
}

TEST_F(MainWindowCommandsTest, ResetAfterYesDeletesTheSettingsButKeepsTheNumbers) {
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.OnQuit();
    }
    ProgramRestart::Cancel();
    const QByteArray pool = [&] {
        QFile f(File("data.dat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(pool.isEmpty());
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        prompter.answers = {false};
        dlg.OnCommand(MainMenu::kCmdReset);
        EXPECT_FALSE(dlg.IsQuitting());
        prompter.answers = {true};
        dlg.OnCommand(MainMenu::kCmdReset);
        EXPECT_TRUE(dlg.IsQuitting());
        EXPECT_TRUE(ProgramRestart::IsRequested());
        ASSERT_EQ(prompter.questions.size(), 2);
        EXPECT_EQ(prompter.questions[0], CTumoDlg::ResetQuestion());
    }
    EXPECT_FALSE(QFile::exists(File("TumoStatus.dat")));
    EXPECT_FALSE(QFile::exists(File("default.TumoScheme")));
    QFile f(File("data.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), pool);
}

TEST_F(MainWindowCommandsTest, WinningNumbersHelpAndGuide) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.OnCommand(MainMenu::kCmdShowWinningAlt);
    EXPECT_TRUE(keysRefusedDuringWinners);
    const int drawn = dlg.CurGrade()->m_taken.Count();
    QTest::keyClick(&dlg, Qt::Key_Space);
    EXPECT_EQ(dlg.CurGrade()->m_taken.Count(), drawn + 1) << "keys work again afterwards";

    // No help file: Help opens the guide window.
    dlg.OnCommand(MainMenu::kCmdHelp);
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_TRUE(guide);
    dlg.OnGuideClosed(0, 0);
    EXPECT_TRUE(guide.isNull()) << "the draw window deletes the guide window";
    {
        QFile help(File("tumo.chm"));
        ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    }
    QTest::keyClick(&dlg, Qt::Key_F1);
    dlg.OnCommand(MainMenu::kCmdHelp);
    EXPECT_EQ(opened, QStringList(2, dir.path() + "/tumo.chm"));
    EXPECT_FALSE(guide);

    // The window registered itself; the guide hears of later registrations only while it is open.
    ASSERT_FALSE(dlg.GuideWindows().isEmpty());
    EXPECT_EQ(dlg.GuideWindows().first(), &dlg);
    QSignalSpy refresh(&dlg, &CTumoDlg::GuideRefresh);
    QWidget page;
    dlg.RegisterWithGuide(&page);
    EXPECT_EQ(refresh.count(), 0);
    dlg.OnCommand(MainMenu::kCmdOpenGuide);
    ASSERT_TRUE(guide);
    dlg.RegisterWithGuide(&page);
    EXPECT_EQ(refresh.count(), 1);
    dlg.Status().m_bShowGuide = 1;
    dlg.OnGuideClosed(0, 0);
    EXPECT_TRUE(guide.isNull());
    EXPECT_EQ(dlg.Status().m_bShowGuide, 1) << "Cancel keeps the flag";
    dlg.OnOpenGuide();
    dlg.OnGuideClosed(1, 0);
    EXPECT_EQ(dlg.Status().m_bShowGuide, 0);
    dlg.OnQuit();
}

TEST_F(MainWindowCommandsTest, RightClickMenuIssuesTheChosenCommand) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    QPoint shownAt;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shownAt = menu->pos();
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == MainMenu::kCmdSettings)
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    const QPoint at = dlg.mapToGlobal(QPoint(200, 150));
    dlg.RouteChildMouse(MouseRouting::Kind::RightUp, at);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_EQ(shownAt, at);
    // With the settings window open the mouse opens nothing.
    dlg.RouteChildMouse(MouseRouting::Kind::RightUp, at);
    EXPECT_EQ(settingsOpened, 1);
    dlg.OnSettingsWindowClosed(0, 0);
    dlg.OnQuit();
}

// ---- the pool scanned again ----

TEST(MainWindowPoolScan, EmptyPoolIsFilledAndAClosedPoolIsLeftAlone) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TumoStatus status;
    status.LoadAll(dir.filePath("none.TumoScheme"));
    NuFileDeal pool;
    pool.m_strFolder = dir.path();
    pool.m_pStatus = &status;
    ASSERT_EQ(pool.OpenStore(), 1);
    pool.Clear();
    EXPECT_TRUE(PoolReanalysis::Run(pool, status, 1));
    EXPECT_EQ(status.m_nuBase.m_nCount, 100);
    EXPECT_EQ(status.m_nuBase.m_nDigits, 3);
    EXPECT_EQ(status.Level(0).m_sym.m_bLayoutValid, 0);

    pool.Close();
    status.m_nuBase.m_nCount = 7;
    EXPECT_FALSE(PoolReanalysis::Run(pool, status, 3));
    EXPECT_EQ(status.m_nuBase.m_nCount, 7);
}

} // namespace

// Closing the settings window sets every symbol rolling: a half-full screen of style 0 starts
// anew in its first slot, and the numbers already drawn stay recorded.
TEST_F(MainWindowCommandsTest, ClosingTheSettingsInTheMiddleOfAScreenStartsAFreshOne) {
    Prepare([](TumoStatus& status) {
        status.Level(0).m_base.m_nPerScreen = 3;
        status.Level(0).m_takeStyle.m_nStopMode = LotteryTakeStyle::StopNumber;
    });
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    dlg.Draw().OnDraw();
    dlg.Draw().OnDraw();
    GradeInfo* shown = dlg.CurGrade();
    ASSERT_EQ(shown->m_taken.Count(), 2);
    ASSERT_EQ(dlg.Draw().LastSlot(), 1);

    dlg.OnCommand(MainMenu::kCmdSettings);
    ASSERT_TRUE(dlg.SettingsWindow());
    dlg.OnSettingsWindowClosed(0, 0);
    ASSERT_TRUE(WaitReady(dlg));
    EXPECT_EQ(dlg.CurGrade()->m_taken.Count(), 2);
    dlg.Draw().OnDraw();
    EXPECT_EQ(dlg.Draw().LastSlot(), 0);
    EXPECT_FALSE(dlg.Draw().IsScreenDone());
    dlg.OnQuit();
}

// The settings pages take as many numbers on the screen as the level has winners, and new numbers
// may be longer; either way the level comes back to the screen with a real cell for every symbol
// and the operator is told once.
struct TooManyOnScreenCase {
    const char* what;
    qint32 perScreenAtStart;
    qint32 perScreenSet; // by a page while the window was open; 0 leaves it
    QString numberAdded; // to the pool while the window was open; empty adds none
    int closeCode;
};

TEST_F(MainWindowCommandsTest, ALevelSetForMoreThanTheScreenShowsComesBackWithARealCellEach) {
    const TooManyOnScreenCase cases[] = {
        {"the most numbers on the screen a page takes", 1, GradeBase::kMaxSymbolPositions, {}, 0},
        {"numbers grown too long for the rows", 150, 0, QStringLiteral("A") + QString(30, '0'), 1},
    };
    for (const TooManyOnScreenCase& c : cases) {
        SCOPED_TRACE(c.what);
        Prepare([&c](TumoStatus& s) {
            s.Level(0).m_base.m_nPerScreen = c.perScreenAtStart;
            s.Level(0).m_base.m_nQuantity = GradeBase::kMaxSymbolPositions;
        });
        RecordingPrompter told;
        CTumoDlg dlg(&told);
        ASSERT_TRUE(StartReady(dlg));
        ASSERT_EQ(dlg.CurGrade()->m_base.m_nPerScreen, c.perScreenAtStart);
        ASSERT_TRUE(told.messages.isEmpty());

        dlg.OnCommand(MainMenu::kCmdSettings);
        if (c.perScreenSet > 0) {
            dlg.CurGrade()->m_base.m_nPerScreen = c.perScreenSet;
            dlg.CurGrade()->m_base.m_nQuantity = c.perScreenSet;
        }
        if (!c.numberAdded.isEmpty()) {
            ASSERT_EQ(dlg.Numbers().AddNumber(c.numberAdded, QString()), 0);
        }
        EXPECT_EQ(dlg.OnSettingsWindowClosed(c.closeCode, 0), 1);

        // Longer numbers may also bring the note on the symbol file's characters.
        EXPECT_EQ(told.messages.count(GradeBase::PerScreenText()), 1)
            << told.messages.join('\n').toStdString();
        const qint32 perScreen = dlg.CurGrade()->m_base.m_nPerScreen;
        const qint32 digits = dlg.Status().m_nuBase.m_nDigits;
        EXPECT_GE(perScreen, 1);
        EXPECT_LT(perScreen, c.perScreenSet > 0 ? c.perScreenSet : c.perScreenAtStart);
        const auto onScreen = std::size_t(GradeBase::SymbolPositions(perScreen, digits));
        EXPECT_LE(onScreen, std::size_t(GradeBase::kMaxSymbolPositions));
        EXPECT_TRUE(WaitSymbolsPlaced(dlg, onScreen)) << "every symbol has a cell of its own";
        CTumoDlgTestAccess::SetNoSave(dlg, true);
        dlg.OnQuit();
    }
}
