#include "model/LottrySound.h"

#include "model/Archive.h"

void LottrySound::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strBackSound = ar.RelativePath(m_strBackSound);
        m_strBBSound = ar.RelativePath(m_strBBSound);
        m_strStopSound = ar.RelativePath(m_strStopSound);
        ar << m_strBackSound << m_strBBSound << m_strStopSound << m_bLoopBack << m_bLoopBB
           << m_bLoopStop;
        return;
    }
    ar >> m_strBackSound >> m_strBBSound >> m_strStopSound >> m_bLoopBack >> m_bLoopBB >>
        m_bLoopStop;
    m_strBackSound = ar.AbsolutePath(m_strBackSound);
    m_strBBSound = ar.AbsolutePath(m_strBBSound);
    m_strStopSound = ar.AbsolutePath(m_strStopSound);
}
