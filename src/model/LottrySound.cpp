#include "model/LottrySound.h"

#include "app/AppPaths.h"
#include "model/Archive.h"

void LottrySound::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strBackSound = MakeRelativePath(m_strBackSound);
        m_strBBSound = MakeRelativePath(m_strBBSound);
        m_strStopSound = MakeRelativePath(m_strStopSound);
        ar << m_strBackSound << m_strBBSound << m_strStopSound << m_bLoopBack << m_bLoopBB
           << m_bLoopStop;
        return;
    }
    ar >> m_strBackSound >> m_strBBSound >> m_strStopSound >> m_bLoopBack >> m_bLoopBB >>
        m_bLoopStop;
    m_strBackSound = MakeAbsolutePath(m_strBackSound);
    m_strBBSound = MakeAbsolutePath(m_strBBSound);
    m_strStopSound = MakeAbsolutePath(m_strStopSound);
}
