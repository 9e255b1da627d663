#include "model/SUINT.h"

#include "model/Archive.h"

void SUINT::Serialize(Archive& ar) {
    if (ar.IsStoring())
        ar << m_nFlag << m_nValue;
    else
        ar >> m_nFlag >> m_nValue;
}
