#include "model/GradeInfo.h"
#include "model/LotterySym.h"
#include "show/SymbolLayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

WinRect Cell(const LotterySym& sym, int row, int position) {
    return sym.m_listLayout.at(row).m_items.at(position).m_rect;
}

TEST(PlaySymLayoutTest, SquareMovieOnFullHdScreenKeepsItsAspectInsideTheGrid) {
    LotterySym sym;
    sym.m_listFiles = {QStringLiteral("/a.swf"), QStringLiteral("/b.swf")};
    SymbolLayout::AutoLayout(sym, QSize(100, 100), QSize(1920, 1080), 2, 3);

    ASSERT_EQ(sym.m_listLayout.size(), 2);
    EXPECT_EQ(sym.GetColumnCount(), 3);
    EXPECT_EQ(sym.m_bLayoutValid, 1);
    // A new layout starts without per-position movies.
    EXPECT_EQ(sym.m_listFiles, QStringList(3, QString()));

    EXPECT_EQ(Cell(sym, 0, 2), WinRect(345, 225, 615, 495));
    EXPECT_EQ(Cell(sym, 0, 1), WinRect(825, 225, 1095, 495));
    EXPECT_EQ(Cell(sym, 0, 0), WinRect(1305, 225, 1575, 495));
    EXPECT_EQ(Cell(sym, 1, 2), WinRect(345, 585, 615, 855));
    EXPECT_EQ(Cell(sym, 1, 0), WinRect(1305, 585, 1575, 855));
}

TEST(PlaySymLayoutTest, WideMovieShrinksTheHeight) {
    LotterySym sym;
    // Step 480 x 360, cell 360 x 270; aspect 4 is wider than the cell, so the height gives way.
    SymbolLayout::AutoLayout(sym, QSize(400, 100), QSize(1920, 1080), 2, 3);
    EXPECT_EQ(Cell(sym, 0, 2), WinRect(300, 315, 660, 405));
}

TEST(PlaySymLayoutTest, FractionalStepsTruncateLikeTheStoredLayouts) {
    LotterySym sym;
    // 1000 / 7 = 142.857: cellW = int(107.14) = 107, grid step 142. 700 / 2 = 350: cellH = 262.
    // Aspect 0.25 < 107 / 262, so cellW = int(262 * 0.25) = 65, and its half 32.
    SymbolLayout::AutoLayout(sym, QSize(50, 200), QSize(1000, 700), 1, 6);
    EXPECT_EQ(Cell(sym, 0, 5), WinRect(110, 219, 175, 481));
    EXPECT_EQ(Cell(sym, 0, 0), WinRect(110 + 5 * 142, 219, 175 + 5 * 142, 481));
}

TEST(PlaySymLayoutTest, MovieWithoutASizeTakesTheGridCell) {
    for (QSize movie : {QSize(0, 0), QSize(100, 0), QSize(0, 100), QSize(-5, 100)}) {
        LotterySym sym;
        SymbolLayout::AutoLayout(sym, movie, QSize(1920, 1080), 2, 3);
        EXPECT_EQ(Cell(sym, 0, 2), WinRect(300, 225, 660, 495))
            << movie.width() << "x" << movie.height();
        EXPECT_EQ(sym.m_bLayoutValid, 1);
    }
}

TEST(PlaySymLayoutTest, EmptyScreenOrNoRowsGivesEmptyCellsWithoutFault) {
    LotterySym sym;
    SymbolLayout::AutoLayout(sym, QSize(100, 100), QSize(0, 0), 2, 3);
    EXPECT_EQ(Cell(sym, 1, 1), WinRect(0, 0, 0, 0));

    SymbolLayout::AutoLayout(sym, QSize(100, 100), QSize(1920, 1080), 0, 3);
    EXPECT_TRUE(sym.m_listLayout.isEmpty());
    SymbolLayout::AutoLayout(sym, QSize(100, 100), QSize(1920, 1080), -2, -1);
    EXPECT_TRUE(sym.m_listLayout.isEmpty());
}

TEST(PlaySymLayoutTest, CellRectReportsMissingCells) {
    LotterySym sym;
    sym.ResetLayout(2, 3);
    sym.m_listLayout[1].m_items[2].m_rect = WinRect(1, 2, 3, 4);
    sym.m_listLayout[1].m_items.removeLast(); // a row cut short
    bool missing = false;
    EXPECT_EQ(SymbolLayout::CellRect(sym, 0, 2, &missing), WinRect());
    EXPECT_FALSE(missing);
    for (auto [row, position] : {std::pair{1, 2}, {2, 0}, {-1, 0}, {0, -1}, {0, 3}}) {
        missing = false;
        EXPECT_EQ(SymbolLayout::CellRect(sym, row, position, &missing), SymbolLayout::kNoCell);
        EXPECT_TRUE(missing) << row << "," << position;
    }
}

// A level from a settings file made elsewhere, with a stored layout for three rows, fitted to the
// screen it is shown on.
struct FitCase {
    const char* what = nullptr;
    QSize movie;
    QSize screen;
    qint32 perScreen = 0;
    int positions = 0;
    qint32 rows = 0; // numbers on the screen afterwards
    bool lowered = false;
    bool byScreen = false; // one more row would leave the symbols without a pixel
};

TEST(PlaySymLayoutTest, LevelsAskingForMoreThanTheScreenShowsKeepARealCellForEverySymbol) {
    const FitCase cases[] = {
        {"a few rows fit as they are", {100, 100}, {1920, 1080}, 2, 3, 2, false, false},
        {"the rows of the stored layout", {360, 480}, {1920, 1080}, 3, 3, 3, false, false},
        {"a million rows of the default movie",
         {360, 480},
         {1920, 1080},
         1000000,
         3,
         404,
         true,
         true},
        {"a movie of no size keeps the grid cell", {0, 0}, {1920, 1080}, 4096, 1, 809, true, true},
        {"a wide movie", {400, 100}, {1920, 1080}, 4096, 1, 809, true, true},
        {"too many symbols, room for the rest", {100, 100}, {1920, 1080}, 50, 100, 40, true, false},
        {"no screen: fewer rows would not help", {100, 100}, {0, 0}, 5, 3, 5, false, false},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.what);
        GradeInfo level;
        level.m_base.m_nPerScreen = c.perScreen;
        level.m_sym.ResetLayout(3, c.positions);
        level.m_sym.m_bLayoutValid = 1;

        EXPECT_EQ(SymbolLayout::FitLevel(level, c.positions, c.movie, c.screen), c.lowered);
        const int rows = level.m_base.m_nPerScreen;
        EXPECT_EQ(rows, c.rows);
        // A lowered level's stored rows are not the screen's: it is laid out afresh, not
        // reported as damaged.
        EXPECT_EQ(level.m_sym.m_bLayoutValid, c.lowered ? 0 : 1);
        if (c.byScreen) {
            const QSize more = SymbolLayout::CellSize(c.movie, c.screen, rows + 1, c.positions);
            EXPECT_TRUE(more.width() <= 0 || more.height() <= 0);
        }
        if (c.screen.isEmpty())
            continue;

        SymbolLayout::AutoLayout(level.m_sym, c.movie, c.screen, rows, c.positions);
        int lastBottom = 0;
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < c.positions; ++j) {
                const QRect cell = Cell(level.m_sym, i, j).toQRect();
                ASSERT_FALSE(cell.isEmpty()) << "row " << i << " position " << j;
                ASSERT_TRUE(QRect(QPoint(0, 0), c.screen).contains(cell))
                    << "row " << i << " position " << j;
                ASSERT_GE(cell.top(), lastBottom) << "row " << i << " overlaps the one above";
            }
            lastBottom = Cell(level.m_sym, i, 0).bottom;
        }
    }
}

TEST(PlaySymLayoutTest, ShortLastScreenUsesTheMiddleSlots) {
    auto five = SymbolLayout::CentreShortScreen(5, 2);
    ASSERT_TRUE(five);
    EXPECT_EQ(five->firstSlot, 1);
    EXPECT_EQ(five->hidden, QList<int>({0, 3, 4}));

    auto three = SymbolLayout::CentreShortScreen(3, 2);
    ASSERT_TRUE(three);
    EXPECT_EQ(three->firstSlot, 0);
    EXPECT_EQ(three->hidden, QList<int>({2}));

    auto one = SymbolLayout::CentreShortScreen(3, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->firstSlot, 1);
    EXPECT_EQ(one->hidden, QList<int>({0, 2}));

    EXPECT_FALSE(SymbolLayout::CentreShortScreen(3, 3));
    EXPECT_FALSE(SymbolLayout::CentreShortScreen(3, 7));
    EXPECT_FALSE(SymbolLayout::CentreShortScreen(3, 0));
    EXPECT_FALSE(SymbolLayout::CentreShortScreen(3, -2));
}

TEST(PlaySymLayoutTest, SizeVariablesReadLikeTheStandardConversion) {
    EXPECT_EQ(SymbolLayout::LeadingInt(QStringLiteral("120")), 120);
    EXPECT_EQ(SymbolLayout::LeadingInt(QStringLiteral("  \t96px")), 96);
    EXPECT_EQ(SymbolLayout::LeadingInt(QStringLiteral("+7")), 7);
    EXPECT_EQ(SymbolLayout::LeadingInt(QStringLiteral("-7")), -7);
    EXPECT_EQ(SymbolLayout::LeadingInt(QStringLiteral("12.9")), 12);
    EXPECT_EQ(SymbolLayout::LeadingInt(QStringLiteral("px12")), 0);
    EXPECT_EQ(SymbolLayout::LeadingInt(QString()), 0);
    EXPECT_EQ(SymbolLayout::LeadingInt(QStringLiteral("99999999999999999999")),
              std::numeric_limits<int>::max());
}

} // namespace
