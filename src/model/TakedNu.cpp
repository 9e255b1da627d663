#include "model/TakedNu.h"

#include "model/Archive.h"

TakedNu::TakedNu() = default;

TakedNu::TakedNu(const TakedNu& other)
    : m_nCount(other.m_nCount), m_list(other.m_list), m_nStamp(other.m_nStamp + 1) {}

TakedNu::TakedNu(TakedNu&& other) noexcept
    : m_nCount(other.m_nCount), m_list(std::move(other.m_list)), m_nStamp(other.m_nStamp + 1) {
    other.m_list.clear();
    other.Changed();
}

TakedNu& TakedNu::operator=(const TakedNu& other) {
    if (this != &other) {
        m_list = other.m_list;
        Changed();
    }
    return *this;
}

TakedNu& TakedNu::operator=(TakedNu&& other) noexcept {
    if (this != &other) {
        m_list = std::move(other.m_list);
        other.m_list.clear();
        other.Changed();
        Changed();
    }
    return *this;
}

void TakedNu::Changed() {
    m_nCount = qint32(m_list.size());
    ++m_nStamp;
}

void TakedNu::Add(quint32 poolIndex) {
    m_list.append(SUINT(poolIndex, 1));
    Changed();
}

void TakedNu::RemoveAt(qsizetype i) {
    m_list.removeAt(i);
    Changed();
}

void TakedNu::RemoveAll() {
    m_list.clear();
    Changed();
}

void TakedNu::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_nCount;
        ar.SerializeObjectList(m_list);
        return;
    }
    qint32 storedCount = 0;
    ar >> storedCount;
    // Read aside: a list cut short leaves the record as it was.
    QList<SUINT> entries;
    ar.SerializeObjectList(entries);
    m_list = std::move(entries);
    Changed();
}
