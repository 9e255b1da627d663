#include "show/PoolReanalysis.h"

#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"

namespace {

struct Summary {
    qint32 digits = 0;
    qint32 count = 0;
    QString chars;
};

Summary Analyse(NuFileDeal& numbers) {
    Summary s;
    // A fresh string each time: the scan appends, and the summary must hold each character once.
    s.digits = numbers.AnalyseBitsAndChars(s.count, s.chars);
    return s;
}

} // namespace

bool PoolReanalysis::Run(NuFileDeal& numbers, TumoStatus& status, int savedDigits) {
    if (!numbers.IsReady() || numbers.IsDamaged())
        return false;
    Summary s = Analyse(numbers);
    if (numbers.IsDamaged())
        return false;
    if (s.count == 0 && numbers.CreateContinuousNumbers(1, 100))
        s = Analyse(numbers);
    LotteryNuBase& base = status.m_nuBase;
    base.m_nDigits = s.digits;
    base.m_nCount = s.count;
    base.m_strChars = s.chars;
    if (s.digits == savedDigits)
        return false;
    for (GradeInfo& level : status.m_listGrades) {
        level.m_sym.ResetLayout(level.m_base.m_nPerScreen, s.digits);
        // Empty cells are no layout: the worker lays the level out again instead of shrinking
        // every symbol to nothing.
        level.m_sym.m_bLayoutValid = 0;
    }
    return true;
}
