#include "show/XAPanel.h"
#include "model/LotteryAPanel.h"
#include "show/InfoPanels.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

CharFormat Format(quint32 color, qint32 twips, quint32 effects = 0) {
    CharFormat cf;
    cf.dwMask = 0xE0000007;
    cf.dwEffects = effects;
    cf.yHeight = twips;
    cf.crTextColor = color;
    cf.SetFaceName("DejaVu Sans");
    return cf;
}

int CountPixels(const QImage& image, const QRect& area, QRgb color) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

} // namespace

TEST(XAPanel, FormatOnScreen) {
    const QFont font =
        XAPanel::FontOf(Format(0xFF, 600, CharFormat::CFE_BOLD | CharFormat::CFE_ITALIC));
    EXPECT_EQ(font.pixelSize(), 40); // 15 twips a pixel
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_EQ(font.family(), "DejaVu Sans");
    // Text of the old transparent key colour stays visible.
    EXPECT_EQ(XAPanel::TextColorOf(Format(0x4D4D4D, 300)), 0x4D4E4Du);
    EXPECT_EQ(XAPanel::TextColorOf(Format(0x0000FF, 300)), 0x0000FFu);
}

// Red text over a dark blue screen: the text shows in its colour and nothing else of the panel
// does. The picture is kept in the build folder for a look.
TEST(XAPanel, OnlyTheTextIsVisible) {
    QWidget screen;
    screen.resize(1600, 200);
    screen.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0, 0, 80));
    screen.setPalette(palette);
    XAPanel panel(&screen);
    panel.ShowText(Format(0x0000FF, 600, CharFormat::CFE_BOLD),
                   "Amount of the remained winning numbers in the grade:7.");
    panel.move(20, 60);
    EXPECT_GT(panel.width(), 600);
    EXPECT_GE(panel.height(), 40);
    screen.show();
    const QImage image = screen.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.save(TUMO_BINARY_DIR "/xapanel.png");
    const QRect area = panel.geometry();
    EXPECT_GT(CountPixels(image, area, qRgb(255, 0, 0)), 500);
    EXPECT_EQ(image.pixel(area.topLeft()), qRgb(0, 0, 80));
    EXPECT_EQ(image.pixel(area.bottomRight()), qRgb(0, 0, 80));
    EXPECT_EQ(CountPixels(image, QRect(0, 0, 1600, 55), qRgb(0, 0, 80)), 1600 * 55);
}

TEST(XAPanel, ClicksGoToTheOwnerFirst) {
    QWidget screen;
    QList<int> routed;
    XAPanel panel(&screen, [&](QWidget* source, QMouseEvent* e) {
        EXPECT_EQ(source, &panel);
        routed << int(e->type());
    });
    panel.ShowText(Format(0, 300), "x");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&panel, &release);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&panel, &dbl);
    EXPECT_EQ(routed, QList<int>({QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick}));
    EXPECT_TRUE(release.isAccepted());
}

TEST(InfoPanels, OnePanelPerItemWithTheCountsOfTheMoment) {
    QWidget screen;
    InfoPanels panels(&screen, {});
    LotteryAPanel items;
    items.AddPanel("Existing:~$~,Remaining:~#~,total:~?~.", Format(0xFFFFFF, 300));
    items.AddPanel("~#~ left", Format(0xFFFFFF, 300));
    items.m_listPanels[0].m_rect = WinRect(100, 50, 400, 90);
    items.m_listPanels[1].m_rect = WinRect(30, 500, 30, 500); // never placed
    panels.Create(items, 10, 3);
    ASSERT_EQ(panels.Panels().size(), 2);
    EXPECT_EQ(panels.Panels()[0]->Text(), "Existing:3,Remaining:7,total:10.");
    EXPECT_EQ(panels.Panels()[0]->pos(), QPoint(100, 50));
    EXPECT_EQ(panels.Panels()[0]->size(),
              XAPanel::TextSize(Format(0xFFFFFF, 300), panels.Panels()[0]->Text())
                  .expandedTo(QSize(300, 40)));
    EXPECT_EQ(panels.Panels()[1]->Text(), "7 left");
    EXPECT_EQ(panels.Panels()[1]->pos(), QPoint(30, 500));
    EXPECT_GT(panels.Panels()[1]->width(), 10);
    panels.Destroy();
    EXPECT_TRUE(panels.Panels().isEmpty());
    EXPECT_TRUE(screen.findChildren<XAPanel*>().isEmpty());
}

// A panel stored for a short count must not cut a longer one: it grows right and down from its
// stored corner, never shrinks below its stored size.
TEST(InfoPanels, APanelIsNeverSmallerThanItsText) {
    QWidget screen;
    InfoPanels panels(&screen, {});
    LotteryAPanel items;
    items.AddPanel("~$~ / ~?~", Format(0xFFFFFF, 600));
    items.m_listPanels[0].m_rect = WinRect(200, 100, 230, 110); // stored for "5 / 10", small
    items.AddPanel("~$~", Format(0xFFFFFF, 300));
    items.m_listPanels[1].m_rect = WinRect(10, 10, 610, 210); // roomy: kept
    panels.Create(items, 100, 5);
    ASSERT_EQ(panels.Panels().size(), 2);
    const XAPanel* grown = panels.Panels()[0];
    const QSize text = XAPanel::TextSize(grown->Format(), grown->Text());
    EXPECT_EQ(grown->pos(), QPoint(200, 100));
    EXPECT_EQ(grown->size(), text.expandedTo(QSize(30, 10)));
    EXPECT_GE(grown->width(), text.width());
    EXPECT_GE(grown->height(), text.height());
    EXPECT_EQ(panels.Panels()[1]->geometry(), QRect(10, 10, 600, 200));
    EXPECT_EQ(items.m_listPanels[0].m_rect, WinRect(200, 100, 230, 110));
}
