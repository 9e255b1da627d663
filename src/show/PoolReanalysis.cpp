#include "show/PoolReanalysis.h"

#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"

bool PoolReanalysis::Run(NuFileDeal& numbers, TumoStatus& status, int savedDigits) {
    if (!numbers.IsReady() || numbers.IsDamaged())
        return false;
    LotteryNuBase base = status.m_nuBase;
    numbers.AnalyseInto(base);
    if (numbers.IsDamaged())
        return false;
    if (base.m_nCount == 0 && numbers.CreateContinuousNumbers(1, 100))
        numbers.AnalyseInto(base);
    status.m_nuBase = base;
    const qint32 digits = base.m_nDigits;
    if (digits == savedDigits)
        return false;
    for (GradeInfo& level : status.Levels()) {
        level.m_sym.ResetLayout(level.m_base.m_nPerScreen, digits);
        // Empty cells are no layout: the worker lays the level out again instead of shrinking
        // every symbol to nothing.
        level.m_sym.m_bLayoutValid = 0;
    }
    return true;
}
