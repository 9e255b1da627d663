#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "controls/XButton.h"
#include "media/MovieTestUtil.h"
#include "model/TumoStatus.h"
#include "show/BulletinBoard.h"
#include "show/CTumoDlg.h"
#include "show/MainWindowTestUtil.h"
#include "show/MessageWnd.h"
#include "show/MonitorChoice.h"
#include "show/SymbolView.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace movietest;

using namespace mainwindowtest;

namespace {

// A program folder of its own with small default media: a symbol movie of the ten digits and a
// looping background. Message boxes are recorded, never shown.
class MainWindowTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_FALSE(Write(dir, "DefBg.swf", *ColourLoop(2)).isEmpty());
    }

    void Prepare(const std::function<void(TumoStatus&)>& change) {
        PrepareSettings(dir.path(), change);
    }

    static QPoint Global(CTumoDlg& dlg, QPoint local) { return dlg.mapToGlobal(local); }

    static int Drawn(CTumoDlg& dlg) { return dlg.CurGrade()->m_taken.Count(); }

    RecordingPrompter prompter;
};

TEST_F(MainWindowTest, StaysHiddenUntilTheSymbolsAreReadyThenCoversTheMonitor) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(dlg.OnInitDialog());
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    EXPECT_FALSE(dlg.isVisible()) << "shown before the worker answered";
    ASSERT_TRUE(WaitReady(dlg));
    EXPECT_EQ(dlg.geometry(), MonitorChoice::Choose(MonitorChoice::ScreenRects(),
                                                    dlg.Status().m_options.m_nMonitor));
    // The program's icon, which the dialogs it owns show too.
    ASSERT_FALSE(dlg.windowIcon().isNull());
    QDialog owned(&dlg);
    EXPECT_EQ(owned.windowIcon().cacheKey(), dlg.windowIcon().cacheKey());
    EXPECT_FALSE(dlg.windowIcon().pixmap(16).isNull());
    dlg.hide();
    dlg.show();
    EXPECT_TRUE(dlg.isVisible()) << "once the symbols were ready, showing again is allowed";
    // The default pool (1 to 100) has three positions; the default level one number a screen.
    EXPECT_EQ(dlg.Status().m_nuBase.m_nDigits, 3);
    ASSERT_EQ(SymbolViewsOf(dlg).size(), 3u);
    for (const SymbolView* view : SymbolViewsOf(dlg)) {
        EXPECT_TRUE(view->isVisible());
        EXPECT_FALSE(view->geometry().isEmpty());
    }
    EXPECT_TRUE(TimerRunning(dlg, "soundPoll"));
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('\n').toStdString();
    EXPECT_TRUE(DrawKeyDraws(dlg)) << "the start-up is over: the window takes its keys";
    dlg.OnQuit();
}

TEST_F(MainWindowTest, RestoreZOrderPutsTheWindowsOwnChildrenOverTheSymbols) {
    Prepare([](TumoStatus& s) {
        APanel item;
        item.m_strText = QStringLiteral("Remaining ~#~");
        item.m_rect = WinRect{10, 10, 200, 40};
        s.Level(0).m_aPanel.m_listPanels.append(item);
    });
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    ASSERT_EQ(PanelsOf(dlg).size(), 1);
    // Symbols created later come out on top, as the worker's views do.
    dlg.CreateSymbolView(int(SymbolViewsOf(dlg).size()));
    dlg.RestoreZOrder();

    QList<QWidget*> order; // bottom to top
    for (QObject* child : dlg.children()) {
        if (child->isWidgetType())
            order << static_cast<QWidget*>(child);
    }
    const auto at = [&](const QWidget* w) { return order.indexOf(const_cast<QWidget*>(w)); };
    const int panel = at(PanelsOf(dlg).first());
    for (const SymbolView* view : SymbolViewsOf(dlg))
        EXPECT_LT(at(view), panel);
    EXPECT_LT(panel, at(dlg.findChild<BulletinBoard*>()));
    EXPECT_LT(at(dlg.findChild<BulletinBoard*>()),
              at(dlg.findChild<SymbolView*>(QStringLiteral("banner"))));
    EXPECT_LT(at(dlg.findChild<SymbolView*>(QStringLiteral("banner"))),
              at(dlg.findChild<MessageWnd*>()));
    const QList<XButton*> buttons = ButtonsOf(dlg);
    ASSERT_FALSE(buttons.contains(nullptr));
    const QStringList captions = {"Quit", "Set", "View", "Draw", "Restart"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(buttons[i]->text(), captions[i]);
        EXPECT_EQ(at(buttons[i]), order.size() - 5 + i);
    }
    EXPECT_TRUE(DrawKeyDraws(dlg)) << "the window takes input again";
    dlg.OnQuit();
}

TEST_F(MainWindowTest, ClickInTheButtonStripNeverDrawsEvenWithHiddenButtons) {
    Prepare([](TumoStatus& s) { s.m_options.m_bShowButtons = 0; });
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    for (const XButton* b : ButtonsOf(dlg))
        EXPECT_FALSE(b->isVisible());
    const int w = dlg.width();
    const int h = dlg.height();
    for (const QPoint p : {QPoint(w - 1, h - 1), QPoint(w - 400, h - 20), QPoint(w - 200, h - 5)}) {
        dlg.RouteChildMouse(MouseRouting::Kind::LeftUp, Global(dlg, p));
        EXPECT_EQ(Drawn(dlg), 0) << p.x() << "," << p.y();
    }
    // Just outside the strip a release draws.
    dlg.RouteChildMouse(MouseRouting::Kind::LeftUp, Global(dlg, QPoint(w - 401, h - 1)));
    EXPECT_EQ(Drawn(dlg), 1);
    dlg.OnQuit();
}

TEST_F(MainWindowTest, MouseLayerEventsDrawAndDoubleClickRestarts) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    const QPoint centre = dlg.rect().center();
    QTest::mouseClick(dlg.findChild<MessageWnd*>(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(Drawn(dlg), 1);
    EXPECT_TRUE(dlg.Draw().IsScreenDone());
    // A double click that sets the symbols rolling; the release that ends it draws nothing.
    const QPoint global = Global(dlg, centre);
    dlg.RouteChildMouse(MouseRouting::Kind::LeftDoubleClick, global);
    EXPECT_FALSE(dlg.Draw().IsScreenDone());
    dlg.RouteChildMouse(MouseRouting::Kind::LeftUp, global);
    EXPECT_EQ(Drawn(dlg), 1);
    EXPECT_FALSE(dlg.Draw().IsScreenDone());
    // The next release draws again; a right click opens the context menu and draws nothing.
    QTimer::singleShot(0, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    dlg.RouteChildMouse(MouseRouting::Kind::RightUp, global);
    EXPECT_EQ(Drawn(dlg), 1);
    dlg.RouteChildMouse(MouseRouting::Kind::LeftUp, global);
    EXPECT_EQ(Drawn(dlg), 2);
    dlg.OnQuit();
}

TEST_F(MainWindowTest, HotKeysDrawAndQuitAndTheStateIsSavedAsItGoes) {
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        QTest::keyClick(&dlg, Qt::Key_Space);
        EXPECT_EQ(Drawn(dlg), 1);
        // The winner is on disk before the end: a crash from here on does not lose it.
        dlg.FlushSaves();
        TumoStatus now;
        now.m_strDataFolder = dir.path();
        now.LoadAll();
        EXPECT_EQ(now.Level(0).m_taken.Count(), 1);
        QTest::keyClick(&dlg, Qt::Key_Q, Qt::ControlModifier);
        EXPECT_TRUE(dlg.IsQuitting());
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_FALSE(TimerRunning(dlg, "soundPoll"));
    }
    ASSERT_TRUE(QFile::exists(File("TumoStatus.dat")));
    TumoStatus saved;
    saved.m_strDataFolder = dir.path();
    saved.LoadAll();
    EXPECT_EQ(saved.Level(0).m_taken.Count(), 1);
}

TEST_F(MainWindowTest, TheDesktopsCloseRunsTheQuitSequenceAndSaves) {
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.close();
        EXPECT_TRUE(dlg.IsQuitting());
    }
    EXPECT_TRUE(QFile::exists(File("TumoStatus.dat")));
    EXPECT_TRUE(QFile::exists(File("default.TumoScheme")));
}

TEST_F(MainWindowTest, NoSaveKeepsTheFilesOnDiskAsTheyWere) {
    Prepare([](TumoStatus& s) { s.m_options.m_nMouseMode = 1; });
    QByteArray scheme;
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.FlushSaves();
        scheme = ReadAll(File("default.TumoScheme"));
        dlg.Status().m_options.m_nMouseMode = 0;
        CTumoDlgTestAccess::SetNoSave(dlg, true);
        dlg.OnQuit();
    }
    EXPECT_EQ(ReadAll(File("default.TumoScheme")), scheme);
}

// ---- restart and failed starts ----

// The draw window that RunModal made, while it exists.
CTumoDlg* RunningWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dlg = qobject_cast<CTumoDlg*>(window))
            return dlg;
    }
    return nullptr;
}

// Quits with a restart once the window is up.
void RestartWhenReady() {
    QTimer::singleShot(20, [] {
        CTumoDlg* dlg = RunningWindow();
        if (dlg && dlg->isVisible() && dlg->Draw().IsDrawEnabled())
            dlg->RestartProgram();
        else
            RestartWhenReady();
    });
}

TEST_F(MainWindowTest, RestartStartsTheNewInstanceOnlyAfterTheFilesAreWritten) {
    bool started = false;
    bool filesThere = false;
    QString program;
    const auto starter = [&](const QString& exe, const QStringList&, const QString&) {
        started = true;
        program = exe;
        filesThere = QFile::exists(File("TumoStatus.dat")) &&
                     QFile::exists(File("default.TumoScheme")) && !RunningWindow();
        return true;
    };
    RestartWhenReady();
    EXPECT_EQ(CTumoDlg::RunModal(starter, &prompter), 0);
    EXPECT_TRUE(started);
    EXPECT_TRUE(filesThere) << "the new instance started before this one had written its files";
    EXPECT_EQ(program, QCoreApplication::applicationFilePath());
    EXPECT_FALSE(ProgramRestart::IsRequested());
}

TEST_F(MainWindowTest, ANewInstanceThatCannotStartStillLeavesTheFilesWritten) {
    RestartWhenReady();
    const auto failing = [](const QString&, const QStringList&, const QString&) { return false; };
    EXPECT_EQ(CTumoDlg::RunModal(failing, &prompter), -1);
    EXPECT_TRUE(QFile::exists(File("TumoStatus.dat")));
    EXPECT_TRUE(QFile::exists(File("default.TumoScheme")));
}

TEST_F(MainWindowTest, QuittingWithoutRestartStartsNothing) {
    QTimer::singleShot(50, [] {
        if (CTumoDlg* dlg = RunningWindow())
            dlg->OnQuit();
    });
    bool started = false;
    const auto starter = [&](const QString&, const QStringList&, const QString&) {
        started = true;
        return true;
    };
    EXPECT_EQ(CTumoDlg::RunModal(starter, &prompter), 0);
    EXPECT_FALSE(started);
}

TEST_F(MainWindowTest, APoolThatCannotBeOpenedEndsWithoutSavingACountOfZero) {
    // A pool of 250 numbers was summed up by an earlier run.
    Prepare([](TumoStatus& s) {
        s.m_nuBase.m_nCount = 250;
        s.m_nuBase.m_nDigits = 3;
        s.m_nuBase.m_strChars = QStringLiteral("0123456789");
    });
    const QByteArray status = ReadAll(File("TumoStatus.dat"));
    const QByteArray scheme = ReadAll(File("default.TumoScheme"));
    // Something that is no file stands where the pool's file should be.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data.dat")));
    const auto starter = [](const QString&, const QStringList&, const QString&) { return true; };
    EXPECT_EQ(CTumoDlg::RunModal(starter, &prompter), 1);
    ASSERT_FALSE(prompter.messages.isEmpty());
    EXPECT_TRUE(prompter.messages.first().startsWith(QStringLiteral("dataFile:")));
    EXPECT_EQ(ReadAll(File("TumoStatus.dat")), status);
    EXPECT_EQ(ReadAll(File("default.TumoScheme")), scheme);
    EXPECT_EQ(RunningWindow(), nullptr);
}

} // namespace

// A new program folder: the status is read before the pool exists, so the default level's
// quantity must follow once the pool is open (a level proposed from it would otherwise hold 0).
TEST_F(MainWindowTest, FirstSessionGivesTheDefaultLevelThePoolsCount) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(dlg.OnInitDialog());
    ASSERT_GT(dlg.Status().m_nuBase.m_nCount, 0);
    EXPECT_EQ(dlg.Status().Level(0).m_base.m_nQuantity, dlg.Status().m_nuBase.m_nCount);
    dlg.OnQuit();
}
