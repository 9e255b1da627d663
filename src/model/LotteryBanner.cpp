#include "model/LotteryBanner.h"

#include "app/AppPaths.h"
#include "model/Archive.h"

void LotteryBanner::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strFile = MakeRelativePath(m_strFile);
        ar << m_bShow << m_strFile << m_rect;
        return;
    }
    ar >> m_bShow >> m_strFile >> m_rect;
    m_strFile = MakeAbsolutePath(m_strFile);
}
