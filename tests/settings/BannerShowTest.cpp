#include "settings/BannerShow.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "model/GradeInfo.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class BannerShowTest : public ::testing::Test {
protected:
    BannerShowTest() { SetAppFolder("/opt/tumo"); }
    ~BannerShowTest() override { SetAppFolder(saved); }

    std::unique_ptr<BannerShow> Open() {
        return std::make_unique<BannerShow>(&level, nullptr, &prompter);
    }
    static bool SevenEnabled(BannerShow& dlg) {
        bool all = dlg.FileEdit()->isEnabled() && dlg.BrowseButton()->isEnabled() &&
                   dlg.DesignButton()->isEnabled();
        bool none = !dlg.FileEdit()->isEnabled() && !dlg.BrowseButton()->isEnabled() &&
                    !dlg.DesignButton()->isEnabled();
        for (int i = 0; i < 4; ++i) {
            all = all && dlg.PositionEdit(i)->isEnabled();
            none = none && !dlg.PositionEdit(i)->isEnabled();
        }
        EXPECT_TRUE(all || none);
        return all;
    }

    QString saved = g_strAppFolder;
    GradeInfo level;
    RecordingPrompter prompter;
};

TEST_F(BannerShowTest, OpensOnTheLevelsBannerWithABareNameInTheProgramFolder) {
    auto dlg = Open();
    EXPECT_EQ(dlg->FileEdit()->text(), "/opt/tumo/DefBan.swf");
    EXPECT_EQ(dlg->WorkingBanner().m_strFile, "/opt/tumo/DefBan.swf");
    EXPECT_EQ(level.m_banner.m_strFile, "DefBan.swf"); // the level only on saving
    const char* shown[] = {"20", "20", "180", "80"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dlg->PositionEdit(i)->text(), shown[i]);
    EXPECT_FALSE(dlg->ShowCheck()->isChecked());
    EXPECT_FALSE(SevenEnabled(*dlg));
    dlg->ShowCheck()->click();
    EXPECT_TRUE(SevenEnabled(*dlg));
    dlg->ShowCheck()->click();
    EXPECT_FALSE(SevenEnabled(*dlg));

    EXPECT_EQ(BannerShow::ShownFile(""), "/opt/tumo/");
    EXPECT_EQ(BannerShow::ShownFile("C:\\show\\b.swf"), "C:\\show\\b.swf");
}

TEST_F(BannerShowTest, BrowseOpensOnTheCurrentFile) {
    auto dlg = Open();
    dlg->ShowCheck()->click();
    prompter.chosenFiles = {"/media/glint.swf"};
    dlg->OnBrowse();
    dlg->OnBrowse(); // cancelled
    EXPECT_EQ(prompter.openFolders, QStringList({"/opt/tumo/DefBan.swf", "/media/glint.swf"}));
    EXPECT_EQ(dlg->FileEdit()->text(), "/media/glint.swf");
}

TEST_F(BannerShowTest, ApplyThenCancelKeepsTheAppliedBanner) {
    auto dlg = Open();
    QList<QPair<WinRect, WinRect>> applied; // (level, previous) banner rectangles
    QObject::connect(dlg.get(), &BannerShow::applyGrade, [&](GradeInfo* g, GradeInfo* before) {
        EXPECT_EQ(g, &level);
        applied.append({g->m_banner.m_rect, before->m_banner.m_rect});
    });
    QSignalSpy closed(dlg.get(), &BannerShow::closed);
    dlg->ShowCheck()->click();
    dlg->PositionEdit(0)->setText("100");
    dlg->PositionEdit(3)->setText("50");
    ASSERT_TRUE(dlg->OnApply());
    ASSERT_EQ(applied.size(), 1);
    EXPECT_EQ(applied[0].first, WinRect(100, 20, 280, 70));
    EXPECT_EQ(applied[0].second, WinRect(20, 20, 200, 100));
    EXPECT_EQ(level.m_banner.m_bShow, 1);
    EXPECT_EQ(level.m_banner.m_strFile, "/opt/tumo/DefBan.swf");

    dlg->PositionEdit(1)->setText("400"); // typed after Apply: dropped by Cancel
    dlg->reject();
    EXPECT_EQ(level.m_banner.m_rect, WinRect(100, 20, 280, 70));
    QCoreApplication::processEvents();
    ASSERT_EQ(closed.size(), 1);
    EXPECT_EQ(closed[0][0].toInt(), 0);
}

TEST_F(BannerShowTest, OnlyOkReportsOne) {
    for (const int way : {0, 1, 2}) {
        auto dlg = Open();
        dlg->show();
        QSignalSpy closed(dlg.get(), &BannerShow::closed);
        if (way == 0)
            dlg->accept();
        else if (way == 1)
            dlg->reject();
        else
            dlg->close();
        EXPECT_TRUE(closed.isEmpty()); // reported through the queue
        QCoreApplication::processEvents();
        ASSERT_EQ(closed.size(), 1) << way;
        EXPECT_EQ(closed[0][0].toInt(), way == 0 ? 1 : 0) << way;
        dlg->reject(); // a second closing is not reported again
        QCoreApplication::processEvents();
        EXPECT_EQ(closed.size(), 1);
    }
}

TEST_F(BannerShowTest, RefusedPositionStopsEverySave) {
    auto dlg = Open();
    dlg->show();
    int applied = 0;
    QObject::connect(dlg.get(), &BannerShow::applyGrade, [&] { ++applied; });
    QSignalSpy layout(dlg.get(), &BannerShow::bannerLayoutRequested);
    QSignalSpy closed(dlg.get(), &BannerShow::closed);
    dlg->ShowCheck()->click();
    dlg->PositionEdit(2)->setText("");
    EXPECT_FALSE(dlg->OnVisualDesign());
    dlg->accept();
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(applied, 0);
    EXPECT_TRUE(layout.isEmpty());
    EXPECT_TRUE(closed.isEmpty());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(level.m_banner, LotteryBanner());
}

TEST_F(BannerShowTest, PlacementAppliesFirstAndComesBackIntoTheFields) {
    auto dlg = Open();
    QStringList order;
    QObject::connect(dlg.get(), &BannerShow::applyGrade, [&] { order << "apply"; });
    QObject::connect(dlg.get(), &BannerShow::bannerLayoutRequested, [&] { order << "layout"; });
    dlg->ShowCheck()->click();
    prompter.chosenFiles = {"/media/glint.swf"};
    dlg->OnBrowse();
    EXPECT_TRUE(dlg->OnVisualDesign());
    EXPECT_EQ(order, QStringList({"apply", "layout"}));

    dlg->SetPosition(QRect(5, 6, 300, 40));
    EXPECT_EQ(dlg->PositionEdit(0)->text(), "5");
    EXPECT_EQ(dlg->PositionEdit(2)->text(), "300");
    EXPECT_EQ(dlg->FileEdit()->text(), "/media/glint.swf");
    EXPECT_TRUE(dlg->ShowCheck()->isChecked());
    // The placed rectangle reaches the level only when the window is confirmed.
    EXPECT_EQ(level.m_banner.m_rect, WinRect(20, 20, 200, 100));
    dlg->accept();
    EXPECT_EQ(level.m_banner.m_rect, WinRect(5, 6, 305, 46));
    EXPECT_EQ(level.m_banner.m_strFile, "/media/glint.swf");
}

} // namespace
