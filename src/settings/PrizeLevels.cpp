#include "settings/PrizeLevels.h"

#include "model/Prompter.h"
#include "model/TumoStatus.h"

QString PrizeLevels::PulledOutText() {
    return QStringLiteral("Some winning numbers have been pulled out! \nIf you press OK, all the "
                          "winning numbers will be cleared\nMaybe you should backup these winning "
                          "numbers first.");
}

bool PrizeLevels::ConfirmClearTaken(TumoStatus& status, Prompter& prompter) {
    if (status.GetTakenCount() <= 0)
        return true;
    if (!prompter.AskYesNo(PulledOutText()))
        return false;
    status.ClearAllTaken();
    return true;
}

int PrizeLevels::LevelOfRow(int row, int rowCount) {
    return IsDefaultRow(row, rowCount) ? 0 : row + 1;
}

GradeInfo PrizeLevels::NewLevel(const TumoStatus& status) {
    const int last = qBound(0, status.m_nLastGrade, int(status.m_listGrades.size()) - 1);
    GradeInfo level = status.m_listGrades.isEmpty() ? GradeInfo() : status.m_listGrades.at(last);
    level.m_base.m_strName = CopyPrefix() + level.m_base.m_strName;
    return level;
}

bool PrizeLevels::AppendLevel(TumoStatus& status, const GradeInfo& level) {
    // The new level goes right after the last one that counts, even in a list that holds more.
    const int index = qBound(0, status.m_nLastGrade + 1, int(status.m_listGrades.size()));
    status.m_listGrades.insert(index, level);
    status.m_nLastGrade = index;
    status.RecomputeDefaultGradeTotal();
    RefreshCurrent(status);
    return FitLayout(status.m_listGrades[index], status.m_nuBase.m_nDigits);
}

void PrizeLevels::RemoveLevel(TumoStatus& status, int index) {
    if (index < 1 || index > status.m_nLastGrade || index >= status.m_listGrades.size())
        return;
    status.m_listGrades.removeAt(index);
    --status.m_nLastGrade;
    if (status.m_nCurGrade == index)
        status.m_nCurGrade = 0;
    else if (status.m_nCurGrade > index)
        --status.m_nCurGrade;
    status.RecomputeDefaultGradeTotal();
    RefreshCurrent(status);
}

void PrizeLevels::SwapLevels(TumoStatus& status, int a, int b) {
    const int count = int(status.m_listGrades.size());
    if (a < 0 || b < 0 || a >= count || b >= count || a == b)
        return;
    status.m_listGrades.swapItemsAt(a, b);
    if (status.m_nCurGrade == a)
        status.m_nCurGrade = b;
    else if (status.m_nCurGrade == b)
        status.m_nCurGrade = a;
    RefreshCurrent(status);
}

bool PrizeLevels::ApplyBaseSettings(TumoStatus& status, GradeInfo& level, const GradeInfo& copy) {
    level = copy;
    status.RecomputeDefaultGradeTotal();
    return FitLayout(level, status.m_nuBase.m_nDigits);
}

PrizeLevels::Outcome PrizeLevels::EditBaseSettings(TumoStatus& status, GradeInfo& level,
                                                   bool defaultLevel, Prompter& prompter,
                                                   const Editor& editor) {
    if (!ConfirmClearTaken(status, prompter))
        return Outcome::Declined;
    GradeInfo copy = level;
    if (!editor || !editor(copy, defaultLevel))
        return Outcome::Cancelled;
    return ApplyBaseSettings(status, level, copy) ? Outcome::LayoutReset : Outcome::Applied;
}

bool PrizeLevels::LayoutFits(const LotterySym& sym, int perScreen, int digits) {
    return sym.m_listLayout.size() == perScreen && sym.GetColumnCount() == digits;
}

bool PrizeLevels::FitLayout(GradeInfo& level, int digits) {
    const int perScreen = level.m_base.m_nPerScreen;
    if (LayoutFits(level.m_sym, perScreen, digits))
        return false;
    level.m_sym.ClearLayout();
    level.m_sym.ResetLayout(perScreen, digits);
    level.m_sym.m_bLayoutValid = 0;
    return true;
}

PrizeLevels::MoveMenu PrizeLevels::MoveMenuState(int selectedRow, int lastGrade, int rowCount) {
    MoveMenu menu;
    if (lastGrade <= 1 || IsDefaultRow(selectedRow, rowCount))
        return menu;
    menu.up = selectedRow != 0;
    menu.down = selectedRow + 1 != lastGrade;
    return menu;
}

void PrizeLevels::RefreshCurrent(TumoStatus& status) {
    if (status.m_nCurGrade < 0 || status.m_nCurGrade >= status.m_listGrades.size())
        status.m_nCurGrade = 0;
    status.m_pCurGrade =
        status.m_listGrades.isEmpty() ? nullptr : &status.m_listGrades[status.m_nCurGrade];
}
