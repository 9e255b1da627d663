#include "model/APanel.h"

#include "model/Archive.h"

void APanel::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_strText << m_cf.cbSize << m_cf.dwMask << m_cf.dwEffects << m_cf.yHeight
           << m_cf.crTextColor << m_cf.szFaceName << m_rect;
        return;
    }
    // The members the file does not keep start from zero, whatever the record held before.
    CharFormat cf;
    QString face;
    ar >> m_strText >> cf.cbSize >> cf.dwMask >> cf.dwEffects >> cf.yHeight >> cf.crTextColor >>
        face >> m_rect;
    cf.SetFaceName(face);
    m_cf = cf;
}
