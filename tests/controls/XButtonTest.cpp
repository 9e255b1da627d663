#include "controls/XButton.h"

#include <QDialog>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage Look(XButton* button) {
    return button->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Columns that hold a pixel of the given text colour (within a tolerance for smoothing).
std::pair<int, int> InkColumns(const QImage& image, QRgb ink) {
    int first = image.width(), last = -1;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (qAbs(qGray(image.pixel(x, y)) - qGray(ink)) < 60) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// Waits for the enter notice too, which a real display sends on its own time.
void MoveOnto(QWidget* widget) {
    QTest::mouseMove(widget, widget->rect().center());
    (void)QTest::qWaitFor([&] { return widget->underMouse(); }, 1000);
}

struct ButtonTest : ::testing::Test {
    QWidget window;
    XButton* button = new XButton(QStringLiteral("Draw"), &window);
    XButton* neighbour = new XButton(QStringLiteral("Quit"), &window);
    ButtonTest() {
        window.resize(300, 40);
        button->setGeometry(0, 0, 80, 20);
        neighbour->setGeometry(100, 0, 80, 20);
        // Start with the mouse away from both, whatever the last test left it on.
        QCursor::setPos(window.screen()->geometry().bottomRight());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
};

} // namespace

TEST_F(ButtonTest, GreyAtRestBlueWithWhiteTextUnderTheMouse) {
    const QImage rest = Look(button);
    EXPECT_EQ(rest.pixel(0, 0), qRgb(0x66, 0x66, 0x66));
    EXPECT_EQ(rest.pixel(79, 19), qRgb(0x66, 0x66, 0x66));
    EXPECT_EQ(rest.pixel(2, 2), qRgb(0xCC, 0xCC, 0xCC));
    EXPECT_GE(InkColumns(rest, qRgb(0, 0, 0)).second, 0);

    MoveOnto(button);
    ASSERT_TRUE(button->IsHovered());
    const QImage hover = Look(button);
    EXPECT_EQ(hover.pixel(0, 0), qRgb(0x66, 0x66, 0x66));
    EXPECT_EQ(hover.pixel(2, 2), qRgb(0x33, 0x66, 0xDD));
    EXPECT_GE(InkColumns(hover, qRgb(0xFF, 0xFF, 0xFF)).second, 0);

    MoveOnto(neighbour);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(Look(button), rest);
}

TEST_F(ButtonTest, PressedFocusedAndDisabledKeepTheLook) {
    const QImage rest = Look(button);
    button->setFocus();
    EXPECT_EQ(Look(button), rest);

    MoveOnto(button);
    const QImage hover = Look(button);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 10));
    ASSERT_TRUE(button->isDown());
    EXPECT_EQ(Look(button), hover);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 10));

    MoveOnto(neighbour);
    button->setEnabled(false);
    EXPECT_EQ(Look(button), rest);
    MoveOnto(button);
    EXPECT_FALSE(button->IsHovered());
}

TEST_F(ButtonTest, ClicksReachTheOwnerButEnterInADialogDoesNot) {
    QSignalSpy clicks(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(clicks.size(), 1);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(clicks.size(), 1);

    QDialog dialog;
    auto* inDialog = new XButton(QStringLiteral("Quit"), &dialog);
    QSignalSpy dialogClicks(inDialog, &QPushButton::clicked);
    dialog.show();
    inDialog->setFocus();
    QTest::keyClick(inDialog, Qt::Key_Return);
    EXPECT_EQ(dialogClicks.size(), 0);
}

TEST_F(ButtonTest, TextIsCentredAndCutOnOneLine) {
    button->setText(QStringLiteral("Set"));
    const auto [first, last] = InkColumns(Look(button), qRgb(0, 0, 0));
    ASSERT_LT(first, last);
    EXPECT_LE(qAbs(first - (79 - last)), 2);

    button->setText(QStringLiteral("A caption far too long for the button"));
    const QImage cut = Look(button);
    const auto [cutFirst, cutLast] = InkColumns(cut, qRgb(0, 0, 0));
    EXPECT_LE(cutFirst, 3);
    EXPECT_GE(cutLast, 76);
    EXPECT_EQ(cut.pixel(0, 10), qRgb(0x66, 0x66, 0x66));
    EXPECT_LE(QFontMetrics(XButton::MakeButtonFont()).height(), 14);
}
