#include "controls/CXInfoTip.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QPoint kAnchor(700, 500);

struct TipTest : ::testing::Test {
    QWidget owner;
    CXInfoTip* tip = new CXInfoTip(&owner);
    QSignalSpy results{tip, &CXInfoTip::InfoTipResult};
    TipTest() {
        owner.resize(800, 600);
        owner.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    void Show(const QString& text) {
        tip->ShowTip(text, kAnchor);
        ASSERT_TRUE(QTest::qWaitFor([&] { return tip->isVisible() && Cancel()->isVisible(); }));
    }
    QCheckBox* Check(int i) const { return tip->findChildren<QCheckBox*>().value(i); }
    QPushButton* Button(const QString& text) const {
        for (QPushButton* button : tip->findChildren<QPushButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }
    QPushButton* Delete() const { return Button(QStringLiteral("Delete")); }
    QPushButton* Cancel() const { return Button(QStringLiteral("Cancel")); }
    // The one result reported since the last showing, its text with "|" for "\n".
    std::pair<std::string, int> Result() {
        EXPECT_EQ(results.size(), 1);
        EXPECT_FALSE(tip->isVisible());
        if (results.isEmpty())
            return {"none", -1};
        const QList<QVariant> result = results.takeFirst();
        const QString text = result[0].toString();
        return {text.isNull() ? "null" : QString(text).replace('\n', '|').toStdString(),
                result[1].toInt()};
    }
};

} // namespace

TEST_F(TipTest, SitsAboveAndLeftOfTheAnchorWithOneBoxPerLine) {
    const QFontMetrics metrics(tip->font());
    const int lineHeight = metrics.height() + std::max(0, metrics.leading()) + 5;
    const QString wide = QStringLiteral("A-long-number-0000000000-with-information");
    for (const QString& text : {QStringLiteral("7"), QStringLiteral("12\n34\n"), wide}) {
        Show(text);
        const int lines = int(text.count('\n')) + 1;
        const int w = std::max(metrics.horizontalAdvance(text.section('\n', 0, 0)) + 54, 120);
        const int h = lines * lineHeight + 50;
        EXPECT_EQ(tip->geometry(), QRect(kAnchor - QPoint(w - 12, h - 10), QSize(w, h)))
            << text.toStdString();
        ASSERT_EQ(tip->LineCount(), lines);
        const int pitch = (h - 40) / lines;
        for (int i = 0; i < lines; ++i) {
            EXPECT_EQ(Check(i)->geometry(), QRect(w - 30, 10 + i * pitch - 1, 14, 14));
            EXPECT_TRUE(Check(i)->isVisible());
        }
        const int mid = w - w / 2;
        EXPECT_EQ(Delete()->geometry(), QRect(mid - 50, h - 30, 45, 20));
        EXPECT_EQ(Cancel()->geometry(), QRect(mid + 5, h - 30, 45, 20));
        EXPECT_EQ(QApplication::focusWidget(), Cancel());
    }
    EXPECT_GT(tip->width(), 120);

    const int plainWidth = tip->width();
    tip->SetTipIcon(QPixmap(32, 100));
    Show(wide);
    EXPECT_EQ(tip->size(), QSize(plainWidth + 32 + 20, 100));
    tip->SetTipIcon(QPixmap());
    Show(wide);
    EXPECT_EQ(tip->width(), plainWidth);

    tip->close();
    results.clear();
    QCursor::setPos(400, 300);
    tip->ShowTip(QStringLiteral("7"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tip->isVisible(); }));
    EXPECT_EQ(tip->geometry().bottomRight(), QPoint(400 + 11, 300 + 9));
}

TEST_F(TipTest, DrawsEachLineJustLeftOfItsBox) {
    Show(QStringLiteral("88\n88"));
    const QImage image = tip->grab().toImage();
    const int pitch = (tip->height() - 40) / 2;
    for (int line = 0; line < 2; ++line) {
        int lastInk = -1;
        for (int y = 10 + line * pitch; y < 10 + line * pitch + QFontMetrics(tip->font()).height();
             ++y)
            for (int x = 12; x < tip->width() - 31; ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    lastInk = std::max(lastInk, x);
        EXPECT_GE(lastInk, tip->width() - 40) << line;
        EXPECT_LT(lastInk, tip->width() - 35) << line;
    }
}

TEST_F(TipTest, DeleteReportsTheTickedLinesInAscendingOrder) {
    Show(QStringLiteral("a\nb\nc"));
    Check(2)->setChecked(true);
    Check(0)->setChecked(true);
    QTest::mouseClick(Delete(), Qt::LeftButton);
    EXPECT_EQ(Result(), std::make_pair(std::string("0|2"), 3));

    Show(QStringLiteral("0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11"));
    Check(10)->setChecked(true);
    Check(2)->setChecked(true);
    QTest::keyClick(Check(10), Qt::Key_Return);
    EXPECT_EQ(Result(), std::make_pair(std::string("2|10"), 12));

    Show(QStringLiteral("only"));
    Check(0)->setChecked(true);
    QTest::keyClick(Cancel(), Qt::Key_Enter);
    EXPECT_EQ(Result(), std::make_pair(std::string("0"), 1));

    // Nothing ticked is a removal of nothing, not a cancel: an empty text and the line count.
    Show(QStringLiteral("a\nb"));
    QTest::mouseClick(Delete(), Qt::LeftButton);
    EXPECT_EQ(Result(), std::make_pair(std::string(""), 2));
    Show(QStringLiteral("a\nb\nc"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Result(), std::make_pair(std::string(""), 3));
}

TEST_F(TipTest, EveryOtherWayOutIsOneCancel) {
    QWidget elsewhere;
    const std::vector<std::function<void()>> ways = {
        [&] { QTest::mouseClick(Cancel(), Qt::LeftButton); },
        [&] { QTest::keyClick(Check(1), Qt::Key_Escape); },
        [&] { tip->close(); },
        [&] { tip->hide(); },
        [&] { QTest::mouseClick(owner.windowHandle(), Qt::LeftButton, {}, QPoint(10, 10)); },
        [&] {
            elsewhere.show();
            elsewhere.activateWindow();
            (void)QTest::qWaitFor([&] { return !tip->isVisible(); });
        },
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        Show(QStringLiteral("a\nb"));
        ways[way]();
        EXPECT_EQ(Result(), std::make_pair(std::string("null"), 0)) << way;
        results.clear();
    }
}

TEST_F(TipTest, AShowingReplacedOrRepeatedFromTheResultStartsClean) {
    Show(QStringLiteral("a\nb\nc"));
    Check(1)->setChecked(true);
    Show(QStringLiteral("x\ny"));
    EXPECT_EQ(tip->LineCount(), 2);
    EXPECT_FALSE(Check(0)->isChecked() || Check(1)->isChecked());
    EXPECT_TRUE(results.isEmpty());

    bool again = true;
    QObject::connect(tip, &CXInfoTip::InfoTipResult, tip, [&] {
        EXPECT_FALSE(tip->isVisible());
        if (std::exchange(again, false))
            tip->ShowTip(QStringLiteral("z"), kAnchor);
    });
    QTest::keyClick(Cancel(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tip->isVisible(); }));
    EXPECT_EQ(tip->LineCount(), 1);
    EXPECT_EQ(results.size(), 1);
}
