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
    const qsizetype last =
        qBound(qsizetype(0), qsizetype(status.LastGrade()), status.LevelCount() - 1);
    GradeInfo level = status.LevelCount() == 0 ? GradeInfo() : status.Level(last);
    level.m_base.m_strName = CopyPrefix() + level.m_base.m_strName;
    return level;
}

bool PrizeLevels::AppendLevel(TumoStatus& status, const GradeInfo& level) {
    const qint32 index = status.AddLevel(level);
    return FitLayout(status.Level(index), status.m_nuBase.m_nDigits);
}

void PrizeLevels::RemoveLevel(TumoStatus& status, int index) {
    status.RemoveLevel(index);
}

void PrizeLevels::SwapLevels(TumoStatus& status, int a, int b) {
    status.MoveLevel(a, b);
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
