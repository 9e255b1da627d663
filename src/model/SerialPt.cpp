#include "model/SerialPt.h"

#include "model/Archive.h"

void SerialPt::Serialize(Archive& ar) {
    if (ar.IsStoring())
        ar << m_pt;
    else
        ar >> m_pt;
}
