#include "model/GradeInfo.h"

#include "model/Archive.h"

void GradeInfo::Serialize(Archive& ar) {
    m_banner.Serialize(ar);
    m_base.Serialize(ar);
    m_bg.Serialize(ar);
    m_mask.Serialize(ar);
    m_notify.Serialize(ar);
    m_sym.Serialize(ar);
    m_taken.Serialize(ar);
    m_takeStyle.Serialize(ar);
    m_sound.Serialize(ar);
    m_aPanel.Serialize(ar);
}
