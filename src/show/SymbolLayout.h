#pragma once

#include "model/SymBitDataArray.h"
#include "model/WinRect.h"

#include <QList>
#include <QSize>
#include <QString>

#include <optional>

class GradeInfo;
class LotterySym;

// The arithmetic of the symbol screen, kept apart from the worker so that it can be checked
// number by number: the automatic layout, the lookup of a stored cell and the centring of a short
// last screen.
class SymbolLayout {
public:
    // Where the stored layout has no cell for a symbol, it gets this rectangle.
    static constexpr WinRect kNoCell{};

    // The slots of a short last screen: the first one used and those that stay empty.
    struct SurplusSlots {
        int firstSlot = 0;
        QList<int> hidden; // in increasing order
    };

    // Lays rows x positions symbols out on a grid of (positions + 1) x (rows + 1) steps over the
    // screen, each symbol three quarters of a step and with the movie's aspect ratio. The cells
    // are reset first (which drops the per-position movies, as a new layout always has); the valid
    // flag is set. A movie that reports no usable size keeps the grid cell's own shape.
    static void AutoLayout(LotterySym& sym, QSize movie, QSize screen, int rows, int positions);
    // The size of every symbol of that layout.
    static QSize CellSize(QSize movie, QSize screen, int rows, int positions);

    // Lowers a level's numbers on the screen to what one screen shows: no more symbols than a
    // screen holds, and no more rows than leave every symbol of the automatic layout at least a
    // pixel each way. A level so lowered is laid out afresh, since its stored layout was made
    // for other rows. True when the level asked for more.
    static bool FitLevel(GradeInfo& level, int positions, QSize movie, QSize screen);

    // Whether the first rows x positions cells are the automatic layout of some screen: the grid
    // and the cells of AutoLayout, whatever the movie. Such a layout was never placed by hand, so
    // on another screen it is laid out afresh rather than scaled.
    static bool IsAutomatic(const LotterySym& sym, int rows, int positions);

    // The stored rectangle of a symbol, or kNoCell when the layout lacks the cell (then *missing
    // is set).
    static WinRect CellRect(const LotterySym& sym, int row, int position, bool* missing);

    // With fewer numbers left than slots, the numbers fill the middle ones. Empty (no change)
    // when remaining is 0 or less or at least slots.
    static std::optional<SurplusSlots> CentreShortScreen(int slots, int remaining);

    // The standard decimal conversion of a movie's size variables: leading blanks, a sign, the
    // leading digits; 0 when there are none.
    static int LeadingInt(const QString& text);
};
