#include "model/LotteryNuBase.h"

#include "model/Archive.h"
#include "model/GradeBase.h"

void LotteryNuBase::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_nDigits << m_nCount << m_nSpare2 << m_nSpare1 << m_strChars;
        return;
    }
    // Each field lands in the member as soon as it is read: a cut file keeps what came before.
    ar >> m_nDigits;
    // A column count: negative would size the layout below 0, and more than a screen shows is
    // no count the pool gave; 0 has the start count it again from the pool.
    if (m_nDigits < 0 || m_nDigits > GradeBase::kMaxSymbolPositions)
        m_nDigits = 0;
    ar >> m_nCount;
    m_nCount = qMax(m_nCount, 0); // the range of the random pick
    ar >> m_nSpare2 >> m_nSpare1 >> m_strChars;
}
