#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "controls/XButton.h"
#include "settings/CGuidHelpWnd.h"
#include "settings/DesignDialogs.h"
#include "settings/MainToolWnd.h"
#include "settings/NuTakedOutDD.h"
#include "settings/PrizesDlg.h"
#include "settings/SettingsDialogs.h"
#include "settings/Sheet_LotteryNo.h"
#include "settings/SoundDD.h"
#include "settings/XSet.h"
#include "show/CTumoDlg.h"
#include "show/MainMenu.h"
#include "show/MainWindowTestUtil.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

using mainwindowtest::kWaitMs;

// The draw window with the settings library's windows installed as the program installs them.
class SettingsProtocolTest : public mainwindowtest::ProgramFolderTest {
protected:
    SettingsProtocolTest() : ProgramFolderTest("0123456789A") {}

    void SetUp() override {
        ProgramFolderTest::SetUp();
        SettingsDialogs::Install(&prompter);
        dlg = std::make_unique<CTumoDlg>(&prompter);
        ASSERT_TRUE(mainwindowtest::StartReady(*dlg));
    }
    void TearDown() override {
        if (dlg)
            dlg->OnQuit();
        dlg.reset();
        CTumoDlg::InstallDialogs({});
        CTumoDlg::InstallDesignTool({});
        ProgramFolderTest::TearDown();
    }

    XSet* Settings() const { return qobject_cast<XSet*>(dlg->SettingsWindow()); }

    RecordingPrompter prompter;
    std::unique_ptr<CTumoDlg> dlg;
};

TEST_F(SettingsProtocolTest, SetButtonOpensTheWindowAndCloseHandsTheShowBack) {
    mainwindowtest::ButtonsOf(*dlg)[1]->click();
    QPointer<XSet> settings = Settings();
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->isVisible());
    // The window, then its three pages and the settings window, in the order they announced.
    const auto& guide = dlg->GuideWindows();
    ASSERT_EQ(guide.size(), 5);
    EXPECT_EQ(guide[0], dlg.get());
    EXPECT_EQ(guide[1], settings->Page(0));
    EXPECT_EQ(guide[3], settings->Page(2));
    EXPECT_EQ(guide[4], settings.data());

    QTest::keyClick(settings.data(), Qt::Key_Return);
    EXPECT_TRUE(settings) << "reported, not yet deleted";
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings.isNull(); }, kWaitMs));
    EXPECT_EQ(dlg->SettingsWindow(), nullptr);
    EXPECT_FALSE(dlg->IsQuitting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->Draw().IsDrawEnabled(); }, kWaitMs));
    QTest::keyClick(dlg.get(), Qt::Key_Space);
    EXPECT_EQ(dlg->CurGrade()->m_taken.Count(), 1);
}

TEST_F(SettingsProtocolTest, NumbersThatGrewAreScannedWhenTheWindowCloses) {
    dlg->OnCommand(OtherOption::kCmdSettings);
    XSet* settings = Settings();
    ASSERT_TRUE(settings);
    ASSERT_EQ(dlg->Numbers().AddNumber(QStringLiteral("A123"), QString()), 0);
    settings->NumbersPage()->MarkNumbersChanged();
    settings->CloseAndReport();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dlg->SettingsWindow(); }, kWaitMs));
    EXPECT_EQ(dlg->Status().m_nuBase.m_nDigits, 4);
    EXPECT_EQ(dlg->Status().m_nuBase.m_nCount, 101);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return mainwindowtest::SymbolViewsOf(*dlg).size() == 4; }, kWaitMs));
    EXPECT_TRUE(mainwindowtest::DrawKeyDraws(*dlg)) << "the window takes input again";
}

TEST_F(SettingsProtocolTest, ResetInTheSettingsWindowRestartsWithoutSaving) {
    dlg->OnSettings();
    prompter.answers = {true};
    Settings()->OnReset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->IsQuitting(); }, kWaitMs));
    EXPECT_TRUE(CTumoDlgTestAccess::NoSave(*dlg));
    EXPECT_TRUE(ProgramRestart::IsRequested());
    EXPECT_EQ(dlg->SettingsWindow(), nullptr);
}

TEST_F(SettingsProtocolTest, ClearingTheWinnersStartsTheShowAgain) {
    QTest::keyClick(dlg.get(), Qt::Key_Space);
    ASSERT_EQ(dlg->CurGrade()->m_taken.Count(), 1);
    ASSERT_TRUE(dlg->Draw().IsScreenDone());
    int rows = -1;
    QTimer::singleShot(0, [&] {
        auto* winners = qobject_cast<NuTakedOutDD*>(QApplication::activeModalWidget());
        if (!winners)
            return;
        rows = winners->List()->model()->rowCount();
        prompter.answers = {true};
        winners->OnClearAll();
        winners->OnCloseButton();
    });
    mainwindowtest::ButtonsOf(*dlg)[2]->click();
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(dlg->Status().GetTakenCount(), 0);
    EXPECT_FALSE(dlg->Draw().IsScreenDone());
    ASSERT_TRUE(QTest::qWaitFor([&] { return dlg->Draw().IsDrawEnabled(); }, kWaitMs));
    QTest::keyClick(dlg.get(), Qt::Key_Space);
    EXPECT_EQ(dlg->CurGrade()->m_taken.Count(), 1);
}

TEST_F(SettingsProtocolTest, GuideCommandOpensTheGuideWindowOnce) {
    // Guide windows among the top-level windows, but for those an earlier window left.
    const QList<QWidget*> before = QApplication::topLevelWidgets();
    const auto openGuides = [&before] {
        QList<CGuidHelpWnd*> guides;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* guide = qobject_cast<CGuidHelpWnd*>(window); guide && !before.contains(guide))
                guides << guide;
        }
        return guides;
    };
    dlg->OnCommand(MainMenu::kCmdOpenGuide);
    const QList<CGuidHelpWnd*> guides = openGuides();
    ASSERT_EQ(guides.size(), 1);
    EXPECT_TRUE(guides[0]->isVisible());
    dlg->OnCommand(MainMenu::kCmdOpenGuide);
    EXPECT_EQ(openGuides(), guides);
}

TEST_F(SettingsProtocolTest, DesignModeFromThePrizeLevelsPageHidesTheWindowUntilItEnds) {
    dlg->OnSettings();
    QPointer<XSet> settings = Settings();
    ASSERT_TRUE(settings);
    // Without a design tool design mode cannot begin: the window stays.
    settings->PrizesPage()->m_btnDesign->click();
    EXPECT_TRUE(settings->isVisible());
    EXPECT_FALSE(dlg->Design().IsDesignMode());

    MainToolWnd::Install(&prompter);
    settings->PrizesPage()->m_btnDesign->click();
    EXPECT_FALSE(settings->isVisible());
    EXPECT_TRUE(dlg->Design().IsDesignMode());
    dlg->Design().LeaveDesignMode();
    EXPECT_TRUE(settings->isVisible());
    QTest::keyClick(dlg.get(), Qt::Key_Space);
    EXPECT_EQ(dlg->Status().GetTakenCount(), 0) << "the settings window is open again";
    settings->CloseAndReport();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings.isNull(); }, kWaitMs));
    EXPECT_TRUE(mainwindowtest::DrawKeyDraws(*dlg)) << "the window takes input again";
}

TEST_F(SettingsProtocolTest, ALevelDialogOfDesignModeFromTheSettingsWindowIsOnDiskAsItCloses) {
    dlg->OnSettings();
    QPointer<XSet> settings = Settings();
    ASSERT_TRUE(settings);
    MainToolWnd::Install(&prompter);
    settings->PrizesPage()->m_btnDesign->click();
    ASSERT_TRUE(dlg->Design().IsDesignMode());
    const qsizetype index = dlg->Status().IndexOf(dlg->CurGrade());
    const int changed = dlg->CurGrade()->m_sound.m_bLoopStop ? 0 : 1;
    DesignDialogs::Sound(*dlg, &prompter, [&](QDialog& dialog) {
        static_cast<SoundDD&>(dialog).LoopCheck(SoundDD::Winning)->setChecked(changed == 1);
        dialog.accept();
        return int(dialog.result());
    });
    // Read back while the settings window is still open, as a crash now would leave the files.
    TumoStatus saved;
    saved.m_strDataFolder = dir.path();
    saved.LoadAll();
    ASSERT_GT(saved.Levels().size(), index);
    EXPECT_EQ(saved.Level(index).m_sound.m_bLoopStop, changed);
    EXPECT_TRUE(settings);
    dlg->Design().LeaveDesignMode();
    settings->CloseAndReport();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings.isNull(); }, kWaitMs));
}

} // namespace
