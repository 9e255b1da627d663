#include "model/SymBitDataArray.h"

#include "model/Archive.h"

#include <algorithm>

SymBitDataArray::SymBitDataArray(const SymBitDataArray& other)
    : m_nCount(other.m_nCount),
      m_items(other.m_items.first(std::clamp<qsizetype>(other.m_nCount, 0, other.m_items.size()))) {
}

SymBitDataArray& SymBitDataArray::operator=(const SymBitDataArray& other) {
    // Copying a row onto itself must not drop its cells.
    if (this != &other)
        *this = SymBitDataArray(other);
    return *this;
}

void SymBitDataArray::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_nCount;
        ar.SerializeObjectList(m_items);
        return;
    }
    ar >> m_nCount;
    m_items.clear();
    ar.SerializeObjectList(m_items);
    // The symbol windows are looked up by column below this count.
    m_nCount = qint32(m_items.size());
}
