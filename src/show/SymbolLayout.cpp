#include "show/SymbolLayout.h"

#include "model/GradeInfo.h"
#include "model/LotterySym.h"

#include <algorithm>
#include <limits>

namespace {

// Single precision and truncation throughout, so that stored layouts come out the same on every
// build.
float StepX(QSize screen, int positions) {
    return float(screen.width()) / float(positions + 1);
}

float StepY(QSize screen, int rows) {
    return float(screen.height()) / float(rows + 1);
}

} // namespace

QSize SymbolLayout::CellSize(QSize movie, QSize screen, int rows, int positions) {
    rows = std::max(rows, 0);
    positions = std::max(positions, 0);
    int cellW = int(StepX(screen, positions) * 3.0 * 0.25);
    int cellH = int(StepY(screen, rows) * 3.0 * 0.25);

    // A movie of unknown size (0 x 0 when it publishes none) has no aspect ratio to keep; dividing
    // by it would give garbage rectangles, so the symbol takes the grid cell as it is.
    if (movie.width() > 0 && movie.height() > 0 && cellW > 0 && cellH > 0) {
        const float aspect = float(movie.width()) / float(movie.height());
        if (aspect >= float(cellW) / float(cellH))
            cellH = int(float(cellW) / aspect);
        else
            cellW = int(float(cellH) * aspect);
    }
    return {cellW, cellH};
}

void SymbolLayout::AutoLayout(LotterySym& sym, QSize movie, QSize screen, int rows, int positions) {
    rows = std::max(rows, 0);
    positions = std::max(positions, 0);
    const QSize cell = CellSize(movie, screen, rows, positions);
    const int cellW = cell.width();
    const int cellH = cell.height();

    sym.ResetLayout(rows, positions);
    const int gridX = int(StepX(screen, positions));
    const int gridY = int(StepY(screen, rows));
    for (int i = 0; i < rows; ++i) {
        const int top = (i + 1) * gridY - cellH / 2;
        int left = gridX - cellW / 2;
        SymBitDataArray& row = sym.m_listLayout[i];
        // The leftmost character is the highest position.
        for (int k = 0; k < positions; ++k) {
            row.m_items[positions - 1 - k].m_rect = WinRect(left, top, left + cellW, top + cellH);
            left += gridX;
        }
    }
    sym.m_bLayoutValid = 1;
}

bool SymbolLayout::FitLevel(GradeInfo& level, int positions, QSize movie, QSize screen) {
    GradeBase& base = level.m_base;
    bool lowered = base.FitToScreen(positions);
    const auto fits = [&](int rows) {
        const QSize cell = CellSize(movie, screen, rows, positions);
        return cell.width() > 0 && cell.height() > 0;
    };
    // Cells only shrink as rows are added, so the most rows that fit are found by halving. With
    // no room even for one row, fewer rows would not help.
    if (base.m_nPerScreen > 1 && !fits(base.m_nPerScreen) && fits(1)) {
        int good = 1;
        int bad = base.m_nPerScreen;
        while (bad - good > 1) {
            const int mid = good + (bad - good) / 2;
            (fits(mid) ? good : bad) = mid;
        }
        base.m_nPerScreen = good;
        lowered = true;
    }
    if (lowered)
        level.m_sym.m_bLayoutValid = 0;
    return lowered;
}

bool SymbolLayout::IsAutomatic(const LotterySym& sym, int rows, int positions) {
    if (rows <= 0 || positions <= 0)
        return false;
    bool missing = false;
    const WinRect first = CellRect(sym, 0, positions - 1, &missing); // the leftmost symbol
    const int cellW = first.Width();
    const int cellH = first.Height();
    if (missing || cellW <= 0 || cellH <= 0)
        return false;
    const int gridX = positions >= 2 ? CellRect(sym, 0, positions - 2, &missing).left - first.left
                                     : first.left + cellW / 2;
    const int gridY = first.top + cellH / 2;
    if (missing || gridX <= 0 || gridY <= 0 || first.left != gridX - cellW / 2)
        return false;
    for (int i = 0; i < rows; ++i) {
        const int top = (i + 1) * gridY - cellH / 2;
        int left = gridX - cellW / 2;
        for (int k = 0; k < positions; ++k) {
            if (CellRect(sym, i, positions - 1 - k, &missing) !=
                    WinRect(left, top, left + cellW, top + cellH) ||
                missing)
                return false;
            left += gridX;
        }
    }
    // The cell is three quarters of a grid step one way and no more the other way, on a screen
    // whose steps truncate to this grid. Each step truncates from at most positions + 1 (or
    // rows + 1) screen sizes; one more each way covers single-precision rounding.
    const auto fullCells = [](int grid, int count) {
        QList<int> cells;
        for (int side = grid * (count + 1) - 1; side <= (grid + 1) * (count + 1); ++side) {
            const float step = float(side) / float(count + 1);
            if (int(step) == grid)
                cells.append(int(step * 3.0 * 0.25));
        }
        return cells;
    };
    const QList<int> fullW = fullCells(gridX, positions);
    const QList<int> fullH = fullCells(gridY, rows);
    for (int w : fullW) {
        for (int h : fullH) {
            if ((cellW == w && cellH <= h) || (cellH == h && cellW <= w))
                return true;
        }
    }
    return false;
}

WinRect SymbolLayout::CellRect(const LotterySym& sym, int row, int position, bool* missing) {
    if (row >= 0 && row < sym.m_listLayout.size() && position >= 0) {
        const SymBitDataArray& cells = sym.m_listLayout.at(row);
        if (position < cells.m_items.size())
            return cells.m_items.at(position).m_rect;
    }
    if (missing)
        *missing = true;
    return kNoCell;
}

std::optional<SymbolLayout::SurplusSlots> SymbolLayout::CentreShortScreen(int slots,
                                                                          int remaining) {
    if (remaining <= 0 || remaining >= slots)
        return std::nullopt;
    SurplusSlots result;
    result.firstSlot = (slots - remaining) / 2;
    for (int slot = 0; slot < result.firstSlot; ++slot)
        result.hidden.append(slot);
    for (int slot = result.firstSlot + remaining; slot < slots; ++slot)
        result.hidden.append(slot);
    return result;
}

int SymbolLayout::LeadingInt(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        value = std::min<qint64>(value, qint64(std::numeric_limits<int>::max()) + 1);
    }
    if (negative)
        value = -value;
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}
