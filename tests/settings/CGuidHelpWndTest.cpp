#include "settings/CGuidHelpWnd.h"

#include "base/AppPaths.h"
#include "controls/CHTMLListCtrl.h"
#include "controls/ControlId.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Balloon {
    QString title;
    QString message;
    QWidget* anchor;
    QWidget* parent;
};

QByteArray Item(const char* title, const char* content, int level, int control,
                const char* tipTitle = "Tip", const char* tipContent = "Text") {
    return QString("<Item><title>%1</title><content>%2</content><level>%3</level>"
                   "<relCtrlID>%4</relCtrlID><tipTitle>%5</tipTitle>"
                   "<tipContent>%6</tipContent></Item>")
        .arg(title, content)
        .arg(level)
        .arg(control)
        .arg(tipTitle, tipContent)
        .toUtf8();
}

struct GuideTest : ::testing::Test {
    QTemporaryDir folder;
    QString savedFolder = g_strAppFolder;
    QWidget window;        // a registered window, shown
    QWidget page{&window}; // a page of it, shown or hidden
    GuideWindowList windows{&window};
    std::unique_ptr<CGuidHelpWnd> guide;
    QList<Balloon> balloons;

    GuideTest() {
        SetAppFolder(folder.path());
        window.resize(300, 200);
        page.setGeometry(0, 0, 300, 200);
        auto* shown = new QPushButton("shown", &window);
        SetControlId(shown, 500);
        auto* onPage = new QPushButton("on page", &page);
        SetControlId(onPage, 600);
    }
    ~GuideTest() override { SetAppFolder(savedFolder); }

    void WriteGuide(const QByteArray& items) {
        QFile file(folder.filePath("GuidHelpContent.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Items>" + items + "</Items>");
    }

    void Open(bool showAtStartup = false) {
        guide = std::make_unique<CGuidHelpWnd>();
        guide->m_pWindowList = &windows;
        guide->m_bShowAtStartup = showAtStartup;
        guide->SetBalloonFunction(
            [this](const QString& t, const QString& m, QWidget* a, QWidget* p) {
                balloons.append({t, m, a, p});
            });
        ASSERT_TRUE(guide->Create());
        window.show();
        guide->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(guide.get()));
    }

    CHTMLListCtrl* List() const { return guide->List(); }
    void ClickItem(int i) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->GetItem(i)->rcItem.center());
    }
};

} // namespace

TEST_F(GuideTest, OpensWithTopicsOnlyAndAnEntryExpandsToShowItsDetails) {
    WriteGuide(Item("Topic", "Body", 0, 500) + Item("Detail", "", 1, 500) +
               Item("Deeper", "", 2, 500) + Item("Next topic", "", 0, 500));
    Open();
    ASSERT_EQ(List()->GetItemCount(), 4);
    EXPECT_EQ(List()->GetItem(0)->sItemText, "Topic<br>Body");
    EXPECT_EQ(List()->GetItem(1)->sItemText, "Detail");
    EXPECT_EQ(List()->GetItem(0)->uiImage, 0);
    EXPECT_EQ(List()->GetItem(1)->uiImage, 1);
    EXPECT_EQ(List()->GetItem(2)->uiImage, 1);
    EXPECT_TRUE(List()->GetItem(0)->bHasChildren);
    EXPECT_TRUE(List()->GetItem(1)->bHasChildren);
    EXPECT_FALSE(List()->GetItem(0)->bExpanded);
    EXPECT_FALSE(List()->GetItem(1)->bExpanded);
    EXPECT_FALSE(List()->GetItem(1)->bVisible);
    EXPECT_FALSE(List()->GetItem(2)->bVisible);
    EXPECT_TRUE(List()->GetItem(3)->bVisible);
    EXPECT_EQ(List()->ListStyle(), 6);

    // The chevron box at the bottom right of the topic opens it: its detail shows, the deeper
    // entry stays under its collapsed detail.
    const QRect& r = List()->GetItem(0)->rcItem;
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      QPoint(r.x() + r.width() - 10, r.y() + r.height() - 5));
    EXPECT_TRUE(List()->GetItem(1)->bVisible);
    EXPECT_FALSE(List()->GetItem(2)->bVisible);
}

TEST_F(GuideTest, AMissingOrDamagedGuideFileGivesAnEmptyList) {
    Open();
    EXPECT_EQ(List()->GetItemCount(), 0);
    guide.reset();
    WriteGuide(Item("Topic", "", 0, 500) + "<Item>");
    Open();
    EXPECT_EQ(List()->GetItemCount(), 0);
}

TEST_F(GuideTest, AClickPointsTheBalloonAtAShownControl) {
    WriteGuide(Item("Shown", "", 0, 500, "Title", "Message") +
               Item("Empty tips", "", 0, 500, "", "") + Item("No control", "", 0, 0) +
               Item("Nowhere", "", 0, 999));
    Open();
    ClickItem(0);
    ASSERT_EQ(balloons.size(), 1);
    EXPECT_EQ(balloons[0].title, "Title");
    EXPECT_EQ(balloons[0].message, "Message");
    EXPECT_EQ(balloons[0].anchor, FindControlById(&window, 500));
    EXPECT_EQ(balloons[0].parent, guide.get());

    ClickItem(1);
    ASSERT_EQ(balloons.size(), 2);
    EXPECT_EQ(balloons[1].title, "HERE");
    EXPECT_EQ(balloons[1].message, "HERE");

    ClickItem(2);
    ClickItem(3);
    EXPECT_EQ(balloons.size(), 2);
}

TEST_F(GuideTest, AControlOnAHiddenPageGetsNoBalloonAndItsEntryIsGrey) {
    WriteGuide(Item("On the page", "", 0, 600) + Item("Shown", "", 0, 500));
    page.hide();
    Open();
    ClickItem(0);
    EXPECT_TRUE(balloons.isEmpty());

    const auto ink = [this](int item) {
        const QImage image = List()->viewport()->grab().toImage();
        const QRect area = List()->GetItem(item)->rcItem.adjusted(30, 3, -30, -3);
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 100;
        return dark;
    };
    EXPECT_EQ(ink(0), 0);
    EXPECT_GT(ink(1), 0);

    // The page comes to the front: the entry turns black and the balloon finds the control.
    page.show();
    guide->OnGuideRefresh();
    EXPECT_GT(ink(0), 0);
    ClickItem(0);
    EXPECT_EQ(balloons.size(), 1);
}

TEST_F(GuideTest, OkReportsTheTickAndCancelReportsNothing) {
    WriteGuide(Item("Topic", "", 0, 500));
    Open(true);
    EXPECT_TRUE(guide->ShowAtStartupBox()->isChecked());
    QSignalSpy closed(guide.get(), &CGuidHelpWnd::GuideClosed);

    guide->ShowAtStartupBox()->setChecked(false);
    QTest::mouseClick(guide->CancelButton(), Qt::LeftButton);
    ASSERT_EQ(closed.size(), 1);
    EXPECT_EQ(closed[0], (QVariantList{0, 0}));
    EXPECT_FALSE(guide->isVisible());

    guide->show();
    guide->ShowAtStartupBox()->setChecked(true);
    QTest::keyClick(guide.get(), Qt::Key_Escape);
    ASSERT_EQ(closed.size(), 2);
    EXPECT_EQ(closed[1], (QVariantList{0, 0}));

    guide->show();
    QTest::mouseClick(guide->OkButton(), Qt::LeftButton);
    ASSERT_EQ(closed.size(), 3);
    EXPECT_EQ(closed[2], (QVariantList{1, 1}));
    EXPECT_FALSE(guide->isVisible());

    guide->show();
    guide->ShowAtStartupBox()->setChecked(false);
    guide->close();
    ASSERT_EQ(closed.size(), 4);
    EXPECT_EQ(closed[3], (QVariantList{0, 0}));
}

TEST_F(GuideTest, ListAndButtonsFollowTheWindowsSize) {
    Open();
    EXPECT_EQ(guide->windowTitle(), "Help");
    EXPECT_EQ(guide->OkButton()->text(), QString::fromUtf8("确定"));
    EXPECT_EQ(guide->CancelButton()->text(), QString::fromUtf8("取消"));
    EXPECT_EQ(guide->ShowAtStartupBox()->text(), "Show GuidHelp at startup");
    guide->resize(401, 600);
    QApplication::processEvents();
    const int half = (401 - 10) / 2;
    const int bw = guide->OkButton()->width();
    EXPECT_EQ(List()->geometry(), QRect(5, 5, 391, 545));
    EXPECT_EQ(guide->OkButton()->pos(), QPoint(half - bw, 570));
    EXPECT_EQ(guide->CancelButton()->pos(), QPoint(half + 10, 570));
    EXPECT_EQ(guide->ShowAtStartupBox()->pos(), QPoint(half - bw, 554));
    EXPECT_LE(guide->ShowAtStartupBox()->geometry().bottom(), guide->OkButton()->y());
}
