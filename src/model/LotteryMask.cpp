#include "model/LotteryMask.h"

#include "model/Archive.h"

void LotteryMask::Serialize(Archive& ar) {
    if (ar.IsStoring())
        ar << m_strMaskChar;
    else
        ar >> m_strMaskChar;
    ar.SerializeObjectList(m_listBits);
}
