#include "model/LotteryBg.h"

#include "model/Archive.h"

void LotteryBg::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strFile = ar.RelativePath(m_strFile);
        ar << m_nDisplay << m_clrBack << m_strFile;
        return;
    }
    ar >> m_nDisplay >> m_clrBack >> m_strFile;
    m_strFile = ar.AbsolutePath(m_strFile);
}
