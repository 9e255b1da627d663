#pragma once

#include "model/Archive.h"

#include <QtGlobal>

// A value with a flag: a drawn number's index in the pool, or one mask bit (1 = masked).
class SUINT {
public:
    static const char* ClassName() { return "SUINT"; }

    SUINT() = default;
    SUINT(quint32 value, qint32 flag) : m_nValue(value), m_nFlag(flag) {}

    // Inline: a scheme file holds one per winner.
    void Serialize(Archive& ar) {
        if (ar.IsStoring())
            ar << m_nFlag << m_nValue;
        else
            ar >> m_nFlag >> m_nValue;
    }

    friend bool operator==(const SUINT&, const SUINT&) = default;

    quint32 m_nValue = 0;
    qint32 m_nFlag = 0; // every entry the program creates carries 1
};
