#pragma once

#include <QtGlobal>

// A range of selected pool records: the first and the last index, both included.
struct sel {
    qint32 m_nFirst = 0;
    qint32 m_nLast = 0;
};
