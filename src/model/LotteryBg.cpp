#include "model/LotteryBg.h"

#include "app/AppPaths.h"
#include "model/Archive.h"

void LotteryBg::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strFile = MakeRelativePath(m_strFile);
        ar << m_nDisplay << m_clrBack << m_strFile;
        return;
    }
    ar >> m_nDisplay >> m_clrBack >> m_strFile;
    m_strFile = MakeAbsolutePath(m_strFile);
}
