#include "controls/XComBoxReadOnly.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct KeyRecorder : QWidget {
    int keys = 0;
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

struct ComboTest : ::testing::Test {
    KeyRecorder page;
    XComBoxReadOnly* combo = new XComBoxReadOnly(&page);
    QSignalSpy changes{combo, &QComboBox::currentIndexChanged};
    ComboTest() {
        combo->addItems({"Alpha", "Beta", "Gamma", "Delta"});
        combo->setCurrentIndex(1);
        changes.clear();
        page.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&page));
        combo->setFocus();
    }
    bool ListOpen() const { return combo->view()->isVisible(); }
};

} // namespace

TEST_F(ComboTest, KeysChangeNothingAndGoNowhere) {
    for (Qt::Key key :
         {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End,
          Qt::Key_G, Qt::Key_D, Qt::Key_Space, Qt::Key_F4, Qt::Key_Return, Qt::Key_Escape})
        QTest::keyClick(combo, key);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(changes.size(), 0);
    EXPECT_FALSE(ListOpen());
    EXPECT_EQ(page.keys, 0);
}

TEST_F(ComboTest, OpenListIgnoresKeysAndTakesAMouseChoice) {
    QSignalSpy activated(combo, &QComboBox::activated);
    combo->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ListOpen(); }));
    QAbstractItemView* list = combo->view();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_G, Qt::Key_Return})
        QTest::keyClick(list, key);
    EXPECT_TRUE(ListOpen());
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(activated.size(), 0);

    const QRect gamma = list->visualRect(combo->model()->index(2, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, gamma.center());
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(activated.size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ListOpen(); }));

    combo->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ListOpen(); }));
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ListOpen(); }));
    EXPECT_EQ(combo->currentIndex(), 2);
}
