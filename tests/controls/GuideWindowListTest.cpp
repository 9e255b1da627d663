#include "controls/GuideWindowList.h"
#include "controls/ControlId.h"

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(ControlIdLookup, FindsControlsAtAnyDepthButNotInsideOwnedWindows) {
    QWidget window;
    auto* group = new QGroupBox(&window);
    auto* nested = new QPushButton(group);
    SetControlId(nested, 1174);
    auto* named = new QPushButton(&window);
    named->setObjectName("1017");
    auto* dialog = new QDialog(&window);
    auto* inDialog = new QPushButton(dialog);
    SetControlId(inDialog, 55);

    EXPECT_EQ(FindControlById(&window, 1174), nested);
    EXPECT_EQ(FindControlById(&window, 1017), named);
    EXPECT_EQ(ControlId(named), 1017);
    EXPECT_EQ(FindControlById(&window, 55), nullptr);
    EXPECT_EQ(FindControlById(dialog, 55), inDialog);
    EXPECT_EQ(FindControlById(&window, 0), nullptr);
    EXPECT_EQ(FindControlById(nullptr, 1174), nullptr);
    // A number set on purpose wins over a name that happens to be a number.
    SetControlId(named, 9);
    EXPECT_EQ(ControlId(named), 9);
    EXPECT_EQ(FindControlById(&window, 1017), nullptr);
}

TEST(GuideLookup, TheFirstRegisteredWindowThatHoldsTheControlDecides) {
    QWidget first, second;
    auto* hiddenButton = new QPushButton(&first);
    SetControlId(hiddenButton, 7);
    hiddenButton->hide();
    auto* shownButton = new QPushButton(&second);
    SetControlId(shownButton, 7);
    auto* other = new QPushButton(&second);
    SetControlId(other, 8);
    first.show();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));

    auto gone = std::make_unique<QWidget>();
    GuideWindowList windows{gone.get(), &first, &second};
    gone.reset();

    const GuideControl found = FindGuideControl(&windows, 7);
    EXPECT_EQ(found.window, &first);
    EXPECT_EQ(found.control, hiddenButton);
    EXPECT_FALSE(IsGuideControlShown(&windows, 7));
    EXPECT_TRUE(IsGuideControlShown(&windows, 8));
    EXPECT_FALSE(IsGuideControlShown(&windows, 9));
    EXPECT_FALSE(IsGuideControlShown(nullptr, 8));

    // A control is shown only while its window is.
    second.hide();
    EXPECT_FALSE(IsGuideControlShown(&windows, 8));
}
