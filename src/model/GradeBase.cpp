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
    m_nPerScreen = qBound(1, m_nPerScreen, kMaxSymbolPositions);
    ar >> m_bPauseWhenDone >> m_bAutoDraw >> m_nStopTime >> m_nScrollTime >> m_nSwitchTime;
}

bool GradeBase::FitToScreen(qint32 digits) {
    if (SymbolPositions(m_nPerScreen, digits) <= kMaxSymbolPositions)
        return false;
    m_nPerScreen = qMax<qint32>(1, kMaxSymbolPositions / qMax(digits, 1));
    return true;
}
