#pragma once

#include <QString>

#include <functional>

class GradeInfo;
class LotterySym;
class Prompter;
class TumoStatus;

// The edits of the prize levels page and the base settings command without widgets: adding,
// deleting and reordering levels, and putting an edited copy of a level back. The list itself
// belongs to the status, which keeps its last index, the default level's quantity and its current
// level in step; this class adds the page's rules (the clearing question, the copy's name, a
// layout that fits the pool).
//
// Rows count as the page shows them: row i is prize level i + 1 and the last row is the default
// level.
class PrizeLevels {
public:
    // Edits a copy of a level (the base settings dialog); true on OK.
    using Editor = std::function<bool(GradeInfo& copy, bool defaultLevel)>;

    enum class Outcome {
        Declined,   // No to clearing the winning numbers: nothing was done
        Cancelled,  // the editor was cancelled (winning numbers may have been cleared)
        Applied,    // the copy went back into the level
        LayoutReset // ... and the level's symbol layout was recreated empty
    };

    struct MoveMenu {
        bool up = false;
        bool down = false;
    };

    static QString PulledOutText();
    static QString SureText() { return QStringLiteral("Are you sure?"); }
    static QString CopyPrefix() { return QStringLiteral("Copy of "); }

    // When winning numbers were drawn, asks whether to clear them all: true (cleared, or nothing
    // to clear) to go on, false on No.
    static bool ConfirmClearTaken(TumoStatus& status, Prompter& prompter);

    static int LevelOfRow(int row, int rowCount);
    static bool IsDefaultRow(int row, int rowCount) { return row == rowCount - 1; }

    // A new level: a copy of the last level of the list, named "Copy of " and its name.
    static GradeInfo NewLevel(const TumoStatus& status);
    // Appends an edited new level as the last prize level. True when its layout was recreated.
    static bool AppendLevel(TumoStatus& status, const GradeInfo& level);
    // Takes prize level `index` (1 to the last prize level) out of the list.
    static void RemoveLevel(TumoStatus& status, int index);
    // Exchanges two prize levels' places in the draw order.
    static void SwapLevels(TumoStatus& status, int a, int b);

    // Puts an edited copy back into its level. True when the layout was recreated.
    static bool ApplyBaseSettings(TumoStatus& status, GradeInfo& level, const GradeInfo& copy);
    // The whole base settings command on one level: the clearing question, the editor on a copy,
    // and the copy put back on OK.
    static Outcome EditBaseSettings(TumoStatus& status, GradeInfo& level, bool defaultLevel,
                                    Prompter& prompter, const Editor& editor);

    // A stored layout fits when it has one row per number on the screen and, in its first row, a
    // cell per character position.
    static bool LayoutFits(const LotterySym& sym, int perScreen, int digits);
    // Recreates an empty, invalid layout when the stored one does not fit; true when it did.
    static bool FitLayout(GradeInfo& level, int digits);

    // "Move Up" and "Move Down" for the selected row: the default level and a lone prize level
    // cannot move; the first cannot go up, the last not down.
    static MoveMenu MoveMenuState(int selectedRow, int lastGrade, int rowCount);
};
