#include "settings/OpenGuideWindow.h"

#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "controls/CHTMLListCtrl.h"
#include "settings/CGuidHelpWnd.h"
#include "show/CTumoDlg.h"
#include "show/MainWindowTestUtil.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A draw window that is never started, with the guide installed as the program installs it.
struct OpenGuideTest : ::testing::Test {
    QTemporaryDir folder;
    QString savedFolder = g_strAppFolder;
    RecordingPrompter prompter;
    std::unique_ptr<CTumoDlg> main;

    OpenGuideTest() {
        SetAppFolder(folder.path());
        main = std::make_unique<CTumoDlg>(&prompter);
        CTumoDlgTestAccess::SetNoSave(*main, true);
        MainWindowDialogs dialogs;
        dialogs.createGuide = [this](SettingsHost& dlg) {
            opened << OpenGuideWindow(dlg);
            return opened.last().data();
        };
        CTumoDlg::InstallDialogs(dialogs);
    }
    ~OpenGuideTest() override {
        main.reset();
        CTumoDlg::InstallDialogs({});
        SetAppFolder(savedFolder);
    }

    // The guide windows the draw window had opened, in order, and the last of them.
    QList<QPointer<CGuidHelpWnd>> opened;
    CGuidHelpWnd* Guide() const { return opened.isEmpty() ? nullptr : opened.last().data(); }
};

} // namespace

TEST_F(OpenGuideTest, OpensOnceWithTheDrawWindowsWindowsAndFlag) {
    main->Status().m_bShowGuide = 1;
    main->OnOpenGuide();
    CGuidHelpWnd* guide = Guide();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->m_pWindowList, &main->GuideWindows());
    EXPECT_TRUE(guide->ShowAtStartupBox()->isChecked());
    main->OnOpenGuide();
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(OpenGuideTest, OkStoresTheTickAndTheDrawWindowDeletesTheGuide) {
    main->Status().m_bShowGuide = 0;
    main->OnOpenGuide();
    QPointer<CGuidHelpWnd> guide = Guide();
    ASSERT_TRUE(guide);
    guide->ShowAtStartupBox()->setChecked(true);
    QTest::mouseClick(guide->OkButton(), Qt::LeftButton);
    // The report is posted: the guide is still there until the event loop delivers it.
    EXPECT_TRUE(guide);
    EXPECT_TRUE(QTest::qWaitFor([&] { return guide.isNull(); }));
    EXPECT_EQ(main->Status().m_bShowGuide, 1);
    main->OnOpenGuide();
    EXPECT_EQ(opened.size(), 2) << "the draw window knows its guide is gone";
}

TEST_F(OpenGuideTest, CancelAfterTickingLeavesTheStoredFlag) {
    main->Status().m_bShowGuide = 0;
    main->OnOpenGuide();
    QPointer<CGuidHelpWnd> guide = Guide();
    ASSERT_TRUE(guide);
    guide->ShowAtStartupBox()->setChecked(true);
    QTest::mouseClick(guide->CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return guide.isNull(); }));
    EXPECT_EQ(main->Status().m_bShowGuide, 0);
}

TEST_F(OpenGuideTest, ARegistrationRepaintsTheOpenGuide) {
    main->OnOpenGuide();
    CGuidHelpWnd* guide = Guide();
    ASSERT_NE(guide, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(guide));
    QApplication::processEvents();

    // Count the list's paintings from here on.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    guide->List()->viewport()->installEventFilter(&counter);
    QWidget window;
    main->RegisterWithGuide(&window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
    EXPECT_EQ(main->GuideWindows().last(), &window);
}

// The guide comes up in front and beside the windows it points into, and steps aside when one
// opens over it.
TEST_F(OpenGuideTest, TheGuideComesUpInFrontBesideTheWindowsItPointsInto) {
    QWidget settings;
    settings.setWindowTitle(QStringLiteral("Settings"));
    settings.setGeometry(320, 175, 160, 250);
    settings.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&settings));
    main->RegisterWithGuide(&settings);
    main->OnOpenGuide();
    CGuidHelpWnd* guide = Guide();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_FALSE(guide->frameGeometry().intersects(settings.frameGeometry()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == guide; }));

    QWidget base;
    base.setGeometry(QRect(guide->pos(), QSize(200, 200)));
    base.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&base));
    main->RegisterWithGuide(&base);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !guide->frameGeometry().intersects(base.frameGeometry()); }));
    EXPECT_FALSE(guide->frameGeometry().intersects(settings.frameGeometry()));
}
