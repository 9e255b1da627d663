#include "controls/XToolBarEx.h"
#include "controls/ToolBarBitmaps.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A 402 x 40 strip whose cells carry their number in the red channel, on a key colour taken
// from the lower-left pixel (the first one a bottom-up bitmap stores).
QImage NumberedStrip(QRgb key = qRgb(0, 255, 0)) {
    QImage strip(402, 40, QImage::Format_RGB888);
    strip.fill(QColor(1, 2, 3));
    for (int k = 0; k < 10; ++k)
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x < 30; ++x)
                strip.setPixel(k * 40 + x, y, qRgb(100 + k, 0, 0));
    strip.setPixel(0, 39, key);
    strip.setPixel(5, 5, key);
    return strip;
}

QImage Argb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

QStringList kButtons = {"level", "base",  "background", "symbol", "banner",
                        "board", "sound", "mask",       "string", "quit"};

struct ToolBarTest : ::testing::Test {
    QWidget window;
    XToolBarEx* bar = new XToolBarEx(&window);
    QList<int> requested;

    void AddButtons() {
        for (const QString& name : kButtons) {
            bar->addAction(name);
            if (name == QLatin1String("board"))
                bar->addSeparator();
        }
    }
    void UseStrips(bool normalLoads, bool disabledLoads) {
        bar->SetBitmapSource([=, this](int id) {
            requested << id;
            if (id == CTrueColorToolBar::kNormalBitmap && normalLoads)
                return NumberedStrip();
            if (id == CTrueColorToolBar::kDisabledBitmap && disabledLoads)
                return NumberedStrip(qRgb(0, 0, 255));
            return QImage();
        });
    }
    // The non-separator action that shows image k.
    QAction* Button(int k) const {
        QList<QAction*> buttons;
        for (QAction* action : bar->actions())
            if (!action->isSeparator() && !action->text().isEmpty())
                buttons << action;
        return buttons[k];
    }
};

} // namespace

TEST(ToolBarImages, FortyPixelCellsWithTheFirstPixelsColourTransparent) {
    const QList<QPixmap> images = CTrueColorToolBar::MakeImageList(NumberedStrip());
    ASSERT_EQ(images.size(), 10); // the two spare columns make no eleventh image
    for (int k = 0; k < 10; ++k) {
        const QImage image = Argb(images[k]);
        ASSERT_EQ(image.size(), QSize(40, 40));
        EXPECT_EQ(image.pixel(20, 20), qRgb(100 + k, 0, 0));
        EXPECT_EQ(qAlpha(image.pixel(1, 1)), 255); // not the key: opaque
    }
    EXPECT_EQ(qAlpha(Argb(images[0]).pixel(0, 39)), 0);
    EXPECT_EQ(qAlpha(Argb(images[0]).pixel(5, 5)), 0);

    EXPECT_TRUE(CTrueColorToolBar::MakeImageList(QImage()).isEmpty());
    EXPECT_TRUE(CTrueColorToolBar::MakeImageList(QImage(39, 40, QImage::Format_RGB888)).isEmpty());
}

TEST_F(ToolBarTest, ImagesGoToTheButtonsInOrderInAllThreeLooks) {
    UseStrips(true, true);
    AddButtons();
    ASSERT_TRUE(bar->LoadImageLists());
    EXPECT_EQ(requested, (QList<int>{146, 146, 148}));
    EXPECT_EQ(bar->iconSize(), QSize(40, 40));
    for (int k : {0, 5, 6, 9}) {
        const QIcon icon = Button(k)->icon();
        EXPECT_EQ(Argb(icon.pixmap(40, 40, QIcon::Normal)).pixel(20, 20), qRgb(100 + k, 0, 0));
        EXPECT_EQ(Argb(icon.pixmap(40, 40, QIcon::Active)).pixel(20, 20), qRgb(100 + k, 0, 0));
        // The disabled look is the disabled bitmap's own, not a greyed normal image.
        const QImage disabled = Argb(icon.pixmap(40, 40, QIcon::Disabled));
        EXPECT_EQ(disabled.pixel(20, 20), qRgb(100 + k, 0, 0));
        EXPECT_EQ(qAlpha(disabled.pixel(2, 2)), 255); // the green key is not this one's key
    }
}

TEST_F(ToolBarTest, AFailingBitmapStopsTheLoading) {
    UseStrips(false, true);
    AddButtons();
    EXPECT_FALSE(bar->LoadImageLists());
    EXPECT_EQ(requested, (QList<int>{146}));
    EXPECT_FALSE(bar->HasImageList(CTrueColorToolBar::ImageList::Normal));
    EXPECT_FALSE(bar->HasImageList(CTrueColorToolBar::ImageList::Hot));
    EXPECT_FALSE(bar->HasImageList(CTrueColorToolBar::ImageList::Disabled));
    EXPECT_TRUE(Button(1)->icon().isNull());

    XToolBarEx other;
    other.SetBitmapSource([](int id) { return id == 146 ? NumberedStrip() : QImage(); });
    EXPECT_FALSE(other.LoadImageLists());
    EXPECT_TRUE(other.HasImageList(CTrueColorToolBar::ImageList::Hot));
    EXPECT_FALSE(other.HasImageList(CTrueColorToolBar::ImageList::Disabled));
}

TEST_F(ToolBarTest, TheComboTakesTheFirstButtonsPlaceTheOthersKeepTheirImages) {
    EXPECT_FALSE(bar->CreateCombo()); // no buttons yet
    UseStrips(true, true);
    bar->LoadImageLists(); // before the buttons: they get their images when added
    AddButtons();
    ASSERT_TRUE(bar->CreateCombo());
    EXPECT_FALSE(bar->CreateCombo());

    QComboBox* combo = bar->GetComboBox();
    EXPECT_EQ(combo->parentWidget(), bar);
    EXPECT_EQ(combo->objectName(), QStringLiteral("32778"));
    EXPECT_EQ(combo->width(), XToolBarEx::kComboWidth);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_FALSE(Button(0)->isVisible());
    for (int k : {1, 8})
        EXPECT_EQ(Argb(Button(k)->icon().pixmap(40, 40)).pixel(20, 20), qRgb(100 + k, 0, 0));

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(combo->isVisible());
    // The combo sits where the first button was: left of every visible button.
    EXPECT_LT(combo->geometry().right(), bar->widgetForAction(Button(1))->geometry().left());
}

TEST_F(ToolBarTest, EveryChoiceInTheListIsReportedEvenTheSameEntryButNotChoicesInCode) {
    AddButtons();
    bar->CreateCombo();
    QComboBox* combo = bar->GetComboBox();
    combo->addItems({"First prize", "Second prize", "Default"});
    QSignalSpy chosen(bar, &XToolBarEx::PrizeLevelChosen);

    combo->setCurrentIndex(1);
    EXPECT_EQ(chosen.count(), 0);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    combo->showPopup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(combo->view()->window()));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(chosen[1][0].toInt(), 2);
}

TEST(ToolBarBitmapsArt, TenDrawnCellsOnTheKeyColourAndAGreyCopy) {
    const QImage normal = ToolBarBitmaps::Load(146);
    const QImage disabled = ToolBarBitmaps::Load(148);
    EXPECT_TRUE(ToolBarBitmaps::Load(147).isNull());
    ASSERT_EQ(normal.size(), QSize(402, 40));
    ASSERT_EQ(disabled.size(), QSize(402, 40));
    EXPECT_EQ(normal.depth(), 24);
    const QRgb key = ToolBarBitmaps::KeyColor().rgb();
    EXPECT_EQ(CTrueColorToolBar::TransparentColor(normal), key);
    EXPECT_EQ(CTrueColorToolBar::TransparentColor(disabled), key);

    for (int k = 0; k < 10; ++k) {
        int drawn = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = k * 40; x < k * 40 + 40; ++x) {
                const QRgb n = normal.pixel(x, y) | 0xFF000000u;
                const QRgb d = disabled.pixel(x, y) | 0xFF000000u;
                // The grey copy is transparent exactly where the normal one is.
                ASSERT_EQ(n == key, d == key) << x << "," << y;
                if (d != key) {
                    ASSERT_TRUE(qRed(d) == qGreen(d) && qGreen(d) == qBlue(d));
                }
                drawn += n != key;
            }
        EXPECT_GT(drawn, 200) << "cell " << k;
    }
}
