#include "model/GradeBase.h"

#include "model/Archive.h"

void GradeBase::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_strName << m_nQuantity << m_nPerScreen << m_bPauseWhenDone << m_bAutoDraw
           << m_nStopTime << m_nScrollTime << m_nSwitchTime;
        return;
    }
    ar >> m_strName >> m_nQuantity >> m_nPerScreen;
    // The screen-slot arithmetic divides by it.
    m_nPerScreen = qMax(m_nPerScreen, 1);
    ar >> m_bPauseWhenDone >> m_bAutoDraw >> m_nStopTime >> m_nScrollTime >> m_nSwitchTime;
}
