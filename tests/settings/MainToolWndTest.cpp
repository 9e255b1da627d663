#include "settings/MainToolWnd.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "controls/GuideWindowList.h"
#include "media/MovieTestUtil.h"
#include "model/TumoStatus.h"
#include "settings/BannerShow.h"
#include "settings/DesignDialogs.h"
#include "settings/MaskDlg.h"
#include "settings/Set_BB.h"
#include "settings/Set_BG.h"
#include "settings/Set_Sym.h"
#include "settings/SettingsDialogs.h"
#include "settings/SoundDD.h"
#include "settings/XHScrollWnd.h"
#include "settings/XSet.h"
#include "show/CToolWnd.h"
#include "show/CTumoDlg.h"
#include "show/DesignModeWnd.h"
#include "show/MainMenu.h"
#include "show/MainWindowTestUtil.h"
#include "show/SymbolView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace movietest;

namespace {

using mainwindowtest::kWaitMs;

// A draw window over a scheme of three prize levels, in design mode with the real design tool.
class MainToolWndTest : public mainwindowtest::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        TumoStatus status;
        status.m_strDataFolder = dir.path();
        status.ClearGrades();
        status.AddLevel(GradeInfo());
        status.Level(0).m_base.m_strName = QStringLiteral("Default Settings");
        for (const char* name : {"Gold", "Silver", "Bronze"}) {
            GradeInfo level;
            level.m_base.m_strName = QString::fromLatin1(name);
            level.m_base.m_nQuantity = 5;
            level.m_base.m_nPerScreen = 2;
            level.m_sym.m_strDefaultFile = dir.filePath("defsym.swf");
            status.AddLevel(level);
        }
        status.Level(0).m_sym.m_strDefaultFile = dir.filePath("defsym.swf");
        ASSERT_TRUE(status.SaveAll());
        MainToolWnd::Install(&prompter);
        main = std::make_unique<CTumoDlg>(&prompter);
        ASSERT_TRUE(mainwindowtest::StartReady(*main));
    }
    void TearDown() override {
        if (main)
            main->OnQuit();
        main.reset();
        CTumoDlg::InstallDesignTool({});
        CTumoDlg::InstallDialogs({});
        ProgramFolderTest::TearDown();
    }

    bool WaitReady() { return mainwindowtest::WaitReady(*main); }
    MainToolWnd* Tool() { return static_cast<MainToolWnd*>(main->Design().DesignToolWindow()); }

    RecordingPrompter prompter;
    std::unique_ptr<CTumoDlg> main;
};

TEST_F(MainToolWndTest, TheToolBarHasTheLevelsAndTheLevelButtons) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    MainToolWnd* tool = Tool();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("Design Mode Tools"));
    QComboBox* box = tool->LevelBox();
    ASSERT_EQ(box->count(), 4);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Gold"));
    EXPECT_EQ(box->itemText(3), QStringLiteral("Default Settings"));
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->toolTip(), QStringLiteral("select a prize to set"));
    const QStringList tips = {"Base settings",
                              "Background picture options",
                              "Rolling symbol settings",
                              "Banner options",
                              "Bulletin board options",
                              "Sound options",
                              "Symbol bit mask options",
                              "Add a string",
                              "Quit"};
    const QList<int> order = MainToolWnd::ButtonOrder();
    ASSERT_EQ(order.size(), 10);
    for (int k = 1; k < order.size(); ++k)
        EXPECT_EQ(tool->Button(order[k])->toolTip(), tips[k - 1]);
    EXPECT_FALSE(tool->Button(order[1])->icon().isNull());
    tool->grab().save(QDir(TUMO_BINARY_DIR).filePath("design-tool.png"));
}

// The guide file points at the draw window's buttons and the design tool's by their commands.
TEST_F(MainToolWndTest, TheGuideFindsTheDrawButtonsAndTheToolButtonsShown) {
    const GuideWindowList& windows = main->GuideWindows();
    const QList<int> drawButtons = {OtherOption::kCmdQuit, OtherOption::kCmdSettings,
                                    OtherOption::kCmdShowWinning, OtherOption::kCmdDraw,
                                    OtherOption::kCmdRestart};
    for (int id : drawButtons) {
        EXPECT_TRUE(IsGuideControlShown(&windows, id)) << id;
        EXPECT_EQ(FindGuideControl(&windows, id).window, main.get()) << id;
    }
    EXPECT_FALSE(IsGuideControlShown(&windows, DesignCommand::kQuit));
    main->OnCommand(MainMenu::kCmdDesignMode);
    for (int id : MainToolWnd::ButtonOrder()) {
        EXPECT_TRUE(IsGuideControlShown(&windows, id)) << id;
        EXPECT_EQ(FindGuideControl(&windows, id).window, Tool()) << id;
    }
}

TEST_F(MainToolWndTest, ChoosingALevelDesignsItAndPutsItOnTheScreen) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    MainToolWnd* tool = Tool();
    QComboBox* box = tool->LevelBox();
    box->setCurrentIndex(3);
    Q_EMIT box->activated(3);
    EXPECT_EQ(tool->Grade(), &main->Status().Level(0));
    EXPECT_EQ(main->CurGrade(), &main->Status().Level(0));
    EXPECT_EQ(main->Status().CurGradeIndex(), 0);
    Q_EMIT box->activated(1);
    EXPECT_EQ(main->CurGrade(), &main->Status().Level(2));
    EXPECT_EQ(box->currentIndex(), 1);
}

TEST_F(MainToolWndTest, AnOpenLevelDialogTurnsTheLevelChoiceAndTheSymbolButtonOff) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    MainToolWnd* tool = Tool();
    bool choiceDuring = true;
    bool symbolsDuring = true;
    DesignDialogs::Mask(*main, &prompter, [&](QDialog& dialog) {
        choiceDuring = tool->LevelBox()->isEnabled();
        symbolsDuring = tool->Button(DesignCommand::kSymbolPlacement)->isEnabled();
        EXPECT_EQ(dialog.windowTitle(), MaskDlg::Caption());
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(choiceDuring);
    EXPECT_FALSE(symbolsDuring);
    EXPECT_TRUE(tool->LevelBox()->isEnabled());
    EXPECT_TRUE(tool->Button(DesignCommand::kSymbolPlacement)->isEnabled());
}

TEST_F(MainToolWndTest, BackgroundAfterOkGoesIntoTheLevelDesigned) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    GradeInfo& designed = *Tool()->Grade();
    const QString movie = Write(dir, "other.swf", *ColourLoop(2));
    DesignDialogs::Background(*main, designed, &prompter, [&](QDialog& dialog) {
        auto& bg = static_cast<Set_BG&>(dialog);
        bg.FileEdit()->setText(movie);
        bg.accept();
        return int(dialog.result());
    });
    EXPECT_EQ(designed.m_bg.m_strFile, movie);
    EXPECT_TRUE(Tool()->LevelBox()->isEnabled()) << "no dialog counted open";

    DesignDialogs::Background(*main, designed, &prompter, [&](QDialog& dialog) {
        static_cast<Set_BG&>(dialog).FileEdit()->setText(QStringLiteral("cancelled.jpg"));
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(designed.m_bg.m_strFile, movie);
}

TEST_F(MainToolWndTest, SoundsAreEditedOnACopyAndPlayAgainAfterwards) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    GradeInfo* level = main->CurGrade();
    level->m_sound.m_bLoopStop = 0;
    DesignDialogs::Sound(*main, &prompter, [&](QDialog& dialog) {
        auto& sounds = static_cast<SoundDD&>(dialog);
        sounds.LoopCheck(SoundDD::Winning)->setChecked(true);
        sounds.accept();
        return int(dialog.result());
    });
    EXPECT_EQ(level->m_sound.m_bLoopStop, 1);
    EXPECT_TRUE(Tool()->LevelBox()->isEnabled()) << "no dialog counted open";
}

TEST_F(MainToolWndTest, BaseSettingsThatChangeTheScreenLayTheSymbolsOutAgain) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    GradeInfo* level = main->CurGrade();
    bool choiceDuring = true;
    DesignDialogs::BaseSettings(*main, &prompter, [&](GradeInfo& copy, bool defaultLevel) {
        choiceDuring = Tool()->LevelBox()->isEnabled();
        EXPECT_FALSE(defaultLevel);
        copy.m_base.m_nPerScreen = 3;
        return true;
    });
    EXPECT_FALSE(choiceDuring) << "counted as an open dialog";
    EXPECT_EQ(level->m_base.m_nPerScreen, 3);
    EXPECT_EQ(level->m_sym.m_listLayout.size(), 3);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return mainwindowtest::SymbolViewsOf(*main).size() >= size_t{3} * 3; }, kWaitMs))
        << "a third row of symbols";
    EXPECT_TRUE(Tool()->LevelBox()->isEnabled());
}

// The page takes as many numbers on the screen as the level has winners; the screen shows only so
// many rows with a real cell for each symbol, and says so once.
TEST_F(MainToolWndTest, BaseSettingsAskingForMoreThanTheScreenShowsGiveEverySymbolACell) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    GradeInfo* level = main->CurGrade();
    const qsizetype toldBefore = prompter.messages.size();
    DesignDialogs::BaseSettings(*main, &prompter, [](GradeInfo& copy, bool) {
        copy.m_base.m_nQuantity = GradeBase::kMaxSymbolPositions;
        copy.m_base.m_nPerScreen = GradeBase::kMaxSymbolPositions;
        return true;
    });
    EXPECT_EQ(prompter.messages.mid(toldBefore), QStringList{GradeBase::PerScreenText()});
    const qint32 rows = level->m_base.m_nPerScreen;
    EXPECT_GE(rows, 1);
    EXPECT_LT(rows, GradeBase::kMaxSymbolPositions);
    const auto onScreen =
        std::size_t(GradeBase::SymbolPositions(rows, main->Status().m_nuBase.m_nDigits));
    EXPECT_TRUE(mainwindowtest::WaitSymbolsPlaced(*main, onScreen))
        << "every symbol has a cell of its own";
}

TEST_F(MainToolWndTest, ClosingTheToolLeavesDesignModeOnceTheDialogsAreClosed) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    MainToolWnd* tool = Tool();
    main->Design().CountDialogOpened();
    tool->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->Design().IsDesignMode());
    main->Design().CountDialogClosed();
    tool->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(main->Design().IsDesignMode());
}

TEST_F(MainToolWndTest, TheBoardOptionsOpenFromTheToolAndReportTheirEnd) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    Tool()->OnCommand(DesignCommand::kBulletinOptions);
    QPointer<Set_BB> options = main->findChild<Set_BB*>();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(Tool()->LevelBox()->isEnabled()) << "counted as an open dialog";
    options->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return options.isNull(); }, kWaitMs));
    EXPECT_TRUE(Tool()->LevelBox()->isEnabled());
}

TEST_F(MainToolWndTest, TheBannerIsPlacedFromItsOptionsAndKeptOnlyAfterOk) {
    SettingsDialogs::Install(&prompter);
    main->OnCommand(MainMenu::kCmdDesignMode);
    GradeInfo* level = main->CurGrade();
    for (bool ok : {false, true}) {
        Tool()->OnCommand(DesignCommand::kBannerOptions);
        QPointer<BannerShow> options = main->findChild<BannerShow*>();
        ASSERT_NE(options, nullptr);
        EXPECT_FALSE(Tool()->LevelBox()->isEnabled()) << "counted as an open dialog";
        options->ShowCheck()->setChecked(true);
        options->OnShowClicked();
        const WinRect before = level->m_banner.m_rect;
        ASSERT_TRUE(options->OnVisualDesign());
        EXPECT_TRUE(main->Design().IsPlacing());
        EXPECT_FALSE(options->isVisible());
        SymbolView* banner = main->findChild<SymbolView*>(QStringLiteral("banner"));
        ASSERT_EQ(mainwindowtest::TrackerFramesOf(*main).size(), 1);
        ASSERT_NE(mainwindowtest::FrameAround(*main, banner), nullptr);
        const QRect placed = banner->geometry().translated(30, 40);
        mainwindowtest::DragOnScreen(*main, banner, QPoint(30, 40));
        mainwindowtest::AdjustToolOf(*main)->OnCommand(CToolWnd::kQuit);
        EXPECT_FALSE(main->Design().IsPlacing());
        EXPECT_TRUE(options->isVisible());
        EXPECT_EQ(options->PositionEdit(0)->text(), QString::number(placed.x()));
        EXPECT_EQ(options->PositionEdit(1)->text(), QString::number(placed.y()));
        EXPECT_EQ(level->m_banner.m_rect, before) << "the level waits for OK";
        if (ok)
            options->accept();
        else
            options->reject();
        EXPECT_TRUE(QTest::qWaitFor([&] { return options.isNull(); }, kWaitMs));
        EXPECT_EQ(main->findChild<BannerShow*>(), nullptr);
        EXPECT_TRUE(Tool()->LevelBox()->isEnabled());
        if (ok)
            EXPECT_EQ(level->m_banner.m_rect, WinRect::fromQRect(placed));
        else
            EXPECT_EQ(level->m_banner.m_rect, before);
    }
}

TEST_F(MainToolWndTest, DesignModeFromTheSettingsWindowGivesItBackAfterwards) {
    SettingsDialogs::Install(&prompter);
    main->OnCommand(MainMenu::kCmdSettings);
    auto* settings = qobject_cast<XSet*>(main->SettingsWindow());
    ASSERT_NE(settings, nullptr);
    settings->OnDesignMode(2); // the third prize level
    EXPECT_TRUE(main->Design().IsDesignMode());
    EXPECT_FALSE(settings->isVisible());
    EXPECT_EQ(Tool()->Grade(), &main->Status().Level(3));
    // The trackers need the mouse although the settings window is only hidden.
    ASSERT_TRUE(WaitReady());
    main->Design().OnDesignCommand(DesignCommand::kSymbolPlacement);
    SymbolView* first = mainwindowtest::SymbolViewsOf(*main)[0];
    const QRect placed = first->geometry().translated(20, 10);
    mainwindowtest::DragOnScreen(*main, first, QPoint(20, 10));
    EXPECT_EQ(first->geometry(), placed);
    mainwindowtest::AdjustToolOf(*main)->OnCommand(CToolWnd::kQuit);
    Tool()->OnCommand(DesignCommand::kQuit);
    EXPECT_FALSE(main->Design().IsDesignMode());
    EXPECT_TRUE(settings->isVisible());
    QTest::keyClick(main.get(), Qt::Key_Space);
    EXPECT_EQ(main->Status().GetTakenCount(), 0) << "the settings window is open again";
}

TEST_F(MainToolWndTest, TheDesignWindowsLookTidy) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    ASSERT_TRUE(WaitReady());
    main->Design().OnDesignCommand(DesignCommand::kSymbolPlacement);
    CToolWnd* adjust = mainwindowtest::AdjustToolOf(*main);
    ASSERT_NE(adjust, nullptr);
    EXPECT_LE(adjust->width(), 640);
    EXPECT_LE(Tool()->width(), 640);
    const QDir out(TUMO_BINARY_DIR);
    adjust->grab().save(out.filePath("design-adjust-tool.png"));
    main->findChild<DesignModeWnd*>()->grab().save(out.filePath("design-badge.png"));
    main->grab()
        .scaled(960, 540, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .save(out.filePath("design-screen.png"));
    adjust->OnCommand(CToolWnd::kQuit);
}

} // namespace

namespace {

// The design tool as the program installs it: without a prompter of its own. Its dialogs must
// still ask and report, through the draw window's prompter.
class InstalledToolTest : public MainToolWndTest {
protected:
    void SetUp() override {
        MainToolWndTest::SetUp();
        MainToolWnd::Install();
    }
    // Runs `act` on the modal dialog of type D once it is up, then closes it.
    template <class D> void OnModal(std::function<void(D&)> act) {
        QTimer::singleShot(0, [act] {
            D* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!dialog) {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* d = qobject_cast<D*>(w); d && d->isVisible())
                        dialog = d;
            }
            if (!dialog)
                return;
            act(*dialog);
            dialog->reject();
        });
    }
};

TEST_F(InstalledToolTest, BrowseAndTheSymbolMessagesReachTheWindowsPrompter) {
    main->OnCommand(MainMenu::kCmdDesignMode);
    ASSERT_NE(Tool(), nullptr);
    bool browsed = false;
    prompter.answers = {true};
    prompter.chosenFiles = {dir.filePath("gone.swf")};
    OnModal<Set_Sym>([&](Set_Sym& dialog) {
        dialog.OnBrowse();
        browsed = true;
    });
    Tool()->ChooseSymbolFile(-1);
    EXPECT_TRUE(browsed);
    EXPECT_EQ(prompter.questions, QStringList({Set_Sym::BrowseQuestion()}));
    EXPECT_EQ(prompter.openFilters.size(), 1) << "Browse opened the file chooser";
    EXPECT_EQ(prompter.messages, QStringList({XHScrollWnd::FileNotExistText()}));

    // The mask dialog's strip reports a symbol movie it cannot read.
    QFile bad(dir.filePath("bad.swf"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no movie");
    bad.close();
    Tool()->Grade()->m_sym.m_strDefaultFile = dir.filePath("bad.swf");
    prompter.messages.clear();
    bool masked = false;
    OnModal<MaskDlg>([&](MaskDlg&) { masked = true; });
    Tool()->OnCommand(DesignCommand::kMaskOptions);
    EXPECT_TRUE(masked);
    EXPECT_FALSE(prompter.messages.isEmpty());
    Tool()->Grade()->m_sym.m_strDefaultFile = dir.filePath("defsym.swf");
}

} // namespace
