#include "model/LotteryTakeStyle.h"

#include "model/Archive.h"

void LotteryTakeStyle::Serialize(Archive& ar) {
    if (ar.IsStoring())
        ar << m_nDirection << m_nStopMode;
    else
        ar >> m_nDirection >> m_nStopMode;
}
