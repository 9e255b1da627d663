#include "model/LotteryBanner.h"

#include "model/Archive.h"

void LotteryBanner::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strFile = ar.RelativePath(m_strFile);
        ar << m_bShow << m_strFile << m_rect;
        return;
    }
    ar >> m_bShow >> m_strFile >> m_rect;
    m_strFile = ar.AbsolutePath(m_strFile);
}
