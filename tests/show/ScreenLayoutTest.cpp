#include "SymbolTestUtil.h"

#include "model/GradeInfo.h"
#include "model/ScreenMapping.h"
#include "show/LayoutRebase.h"
#include "show/PlaySym.h"
#include "show/SymbolLayout.h"

#include <QMap>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QList<QSize> kScreens = {{1024, 768}, {1280, 720}, {1920, 1080}, {3840, 2160}, {1080, 1920}};

WinRect& CellOf(LotterySym& sym, int row, int position) {
    return sym.m_listLayout[row].m_items[position].m_rect;
}

// The worker's automatic layout is recognised on whatever screen it was made, for any movie, so
// that it is laid out afresh elsewhere; one cell moved by hand makes it a placed layout.
TEST(ScreenLayoutTest, AutomaticLayoutsAreRecognisedOnEveryScreen) {
    for (const QSize& screen : kScreens) {
        for (const QSize& movie : {QSize(100, 100), QSize(400, 100), QSize(60, 200), QSize()}) {
            for (const auto& [rows, positions] : {std::pair{1, 3}, {3, 1}, {4, 7}}) {
                LotterySym sym;
                SymbolLayout::AutoLayout(sym, movie, screen, rows, positions);
                ASSERT_TRUE(SymbolLayout::IsAutomatic(sym, rows, positions))
                    << screen.width() << "x" << screen.height() << " movie " << movie.width() << "x"
                    << movie.height() << " " << rows << "x" << positions;
                CellOf(sym, rows - 1, 0).right += 1;
                EXPECT_FALSE(SymbolLayout::IsAutomatic(sym, rows, positions));
            }
        }
    }
    LotterySym sym;
    SymbolLayout::AutoLayout(sym, QSize(100, 100), QSize(1920, 1080), 2, 3);
    // A layout of other rows or positions is no automatic layout of this screen's.
    EXPECT_FALSE(SymbolLayout::IsAutomatic(sym, 3, 3));
    EXPECT_FALSE(SymbolLayout::IsAutomatic(sym, 2, 4));
    EXPECT_FALSE(SymbolLayout::IsAutomatic(LotterySym(), 2, 3));
}

// A level prepared on a 1920 x 1080 screen, with every element placed.
GradeInfo PlacedLevel() {
    GradeInfo level;
    level.m_base.m_nPerScreen = 1;
    level.m_sym.ResetLayout(1, 2);
    level.m_sym.m_bLayoutValid = 1;
    CellOf(level.m_sym, 0, 1) = WinRect(1500, 100, 1700, 400);
    CellOf(level.m_sym, 0, 0) = WinRect(1700, 100, 1920, 400);
    level.m_notify.m_rcBoard = WinRect(384, 135, 1920, 945);
    level.m_notify.m_shape.m_rect = level.m_notify.m_rcBoard;
    level.m_notify.m_shape.m_points = {SerialPt({0, 0}), SerialPt({1536, 0}), SerialPt({0, 810})};
    level.m_notify.m_shape.m_nCount = 3;
    level.m_notify.m_rcNumbers = WinRect(384, 202, 1152, 607);
    level.m_notify.m_fontNumbers.lfHeight = 44;
    level.m_notify.m_fontTitle.lfHeight = -30;
    level.m_banner.m_bShow = 1;
    level.m_banner.m_rect = WinRect(20, 20, 200, 100);
    APanel panel;
    panel.m_rect = WinRect(1600, 1000, 1900, 1060);
    panel.m_cf.yHeight = 480; // 32 pixels
    level.m_aPanel.m_listPanels = {panel, APanel()};
    return level;
}

TEST(ScreenLayoutTest, PlacedElementsFollowTheMappingAndUnplacedOnesStayUnplaced) {
    TumoStatus status;
    status.ClearGrades();
    status.m_nuBase.m_nDigits = 2;
    status.AddLevel(PlacedLevel());
    GradeInfo automatic = PlacedLevel();
    SymbolLayout::AutoLayout(automatic.m_sym, QSize(100, 100), QSize(1920, 1080), 1, 2);
    automatic.m_notify.m_rcBoard = WinRect();
    status.AddLevel(automatic);
    EXPECT_EQ(LayoutRebase::PlacedBounds(status), QRect(20, 20, 1900, 1040));

    const ScreenMapping m(QSize(1920, 1080), QSize(1024, 768)); // half and a little, 96 down
    LayoutRebase::MapStatus(status, m);
    const GradeInfo& placed = status.Level(0);
    EXPECT_EQ(placed.m_sym.m_listLayout[0].m_items[0].m_rect, WinRect(907, 149, 1024, 309));
    EXPECT_EQ(placed.m_notify.m_rcBoard, WinRect(205, 168, 1024, 600));
    EXPECT_EQ(placed.m_notify.m_shape.m_rect, placed.m_notify.m_rcBoard);
    EXPECT_EQ(placed.m_notify.m_shape.m_points[1].m_pt, QPoint(819, 0));
    // Inside the board: scaled, not moved.
    EXPECT_EQ(placed.m_notify.m_rcNumbers, WinRect(205, 108, 614, 324));
    EXPECT_EQ(placed.m_notify.m_fontNumbers.lfHeight, 23);
    EXPECT_EQ(placed.m_notify.m_fontTitle.lfHeight, -16);
    EXPECT_EQ(placed.m_notify.m_nLineSpace, 3);
    EXPECT_EQ(placed.m_banner.m_rect, WinRect(11, 107, 107, 149));
    EXPECT_EQ(placed.m_aPanel.m_listPanels[0].m_rect, WinRect(853, 629, 1013, 661));
    EXPECT_EQ(placed.m_aPanel.m_listPanels[0].m_cf.yHeight, 256);
    EXPECT_EQ(placed.m_aPanel.m_listPanels[1].m_rect, WinRect());

    // The automatic layout is laid out afresh instead; a board never placed is placed later.
    LotterySym fresh;
    SymbolLayout::AutoLayout(fresh, QSize(100, 100), QSize(1920, 1080), 1, 2);
    EXPECT_EQ(status.Level(1).m_sym.m_listLayout, fresh.m_listLayout);
    EXPECT_EQ(status.Level(1).m_notify.m_rcBoard, WinRect());
}

// The worker shows the symbols of a level prepared at 1920 x 1080 on each screen.
class ScreenWorkerTest : public ::testing::Test {
protected:
    ScreenWorkerTest() {
        symtest::SetLevels(status, 2, 1, 2, 3);
        QObject::connect(&worker, &PlaySym::viewWindowChanged,
                         [this](int i, const SymbolWindowState& w) { windows[i] = w.rect; });
        QObject::connect(&worker, &PlaySym::layoutComputed, [this](const SymLayoutResult& r) {
            results << r;
            applied = r.nSerial;
        });
    }
    void Init(QSize screen) {
        auto snap = std::make_shared<SymSnapshot>(SymSnapshot::Take(status, screen, applied));
        snap->layoutScreen = QSize(1920, 1080);
        worker.HandleCommand(SymCommand{SymCmd::Init{}, snap});
    }

    symtest::ProgramFolder folder;
    TumoStatus status;
    PlaySym worker;
    QMap<int, QRect> windows;
    QList<SymLayoutResult> results;
    quint64 applied = 0;
};

TEST_F(ScreenWorkerTest, PlacedSymbolsAreScaledAndAutomaticOnesLaidOutAfresh) {
    LotterySym automatic;
    SymbolLayout::AutoLayout(automatic, QSize(100, 100), QSize(1920, 1080), 2, 3);
    automatic.m_listFiles = {QString(), folder.Path("defsym.swf"), QString()};
    LotterySym placed = automatic;
    CellOf(placed, 0, 0) = WinRect(1700, 100, 1920, 400);

    for (const QSize& screen : kScreens) {
        // The automatic layout fills this screen as if made here; the movies chosen per position
        // stay, and the GUI thread is told to keep the new layout.
        status.Level(1).m_sym = automatic;
        worker.HandleCommand(SymCommand{SymCmd::Quit{}, nullptr});
        windows.clear();
        results.clear();
        Init(screen);
        LotterySym expected;
        SymbolLayout::AutoLayout(expected, QSize(100, 100), screen, 2, 3);
        for (int i = 0; i < 6; ++i) {
            ASSERT_EQ(WinRect::fromQRect(windows.value(i)),
                      expected.m_listLayout[i / 3].m_items[i % 3].m_rect);
            EXPECT_TRUE(QRect(QPoint(), screen).contains(windows.value(i)));
        }
        if (screen != QSize(1920, 1080)) {
            ASSERT_EQ(results.size(), 1);
            EXPECT_TRUE(results[0].bAutoLaid);
            EXPECT_EQ(results[0].files, automatic.m_listFiles);
        }

        // Placed by hand: every symbol where the one rule puts it, on the screen.
        status.Level(1).m_sym = placed;
        worker.HandleCommand(SymCommand{SymCmd::Quit{}, nullptr});
        windows.clear();
        Init(screen);
        const ScreenMapping m(QSize(1920, 1080), screen);
        for (int i = 0; i < 6; ++i) {
            ASSERT_EQ(WinRect::fromQRect(windows.value(i)),
                      m.MapRect(placed.m_listLayout[i / 3].m_items[i % 3].m_rect));
            EXPECT_TRUE(QRect(QPoint(), screen).contains(windows.value(i)));
        }
    }
}

} // namespace
