#include "model/SerialPtArray.h"

#include "model/Archive.h"

#include <algorithm>

SerialPtArray::SerialPtArray(const SerialPtArray& other)
    : m_nCount(other.m_nCount), m_rect(other.m_rect),
      m_points(
          other.m_points.first(std::clamp<qsizetype>(other.m_nCount, 0, other.m_points.size()))) {}

SerialPtArray& SerialPtArray::operator=(const SerialPtArray& other) {
    if (this != &other)
        *this = SerialPtArray(other);
    return *this;
}

void SerialPtArray::RemoveAllPoints() {
    m_points.clear();
    m_nCount = 0;
}

void SerialPtArray::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_nCount << m_rect;
        ar.SerializeObjectList(m_points);
        return;
    }
    ar >> m_nCount >> m_rect;
    m_points.clear(); // an array takes exactly the stored elements
    ar.SerializeObjectList(m_points);
    // Whoever walks the outline trusts the count: a damaged file must not make it run past the
    // points or hide some.
    m_nCount = qint32(m_points.size());
}
