#include "model/TakedNu.h"

#include "model/Archive.h"
#include "model/DrawnNumberIndex.h"

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
    const quint64 before = m_nStamp;
    m_list.append(SUINT(poolIndex, 1));
    Changed();
    if (const auto index = m_observer.lock())
        (*index)->Added(*this, before, poolIndex);
}

void TakedNu::RemoveAt(qsizetype i) {
    const quint64 before = m_nStamp;
    const quint32 value = m_list.at(i).m_nValue;
    m_list.removeAt(i);
    Changed();
    report(before, {value});
}

void TakedNu::RemoveAll() {
    const quint64 before = m_nStamp;
    QList<quint32> values;
    if (!m_observer.expired()) {
        values.reserve(m_list.size());
        for (const SUINT& e : m_list)
            values.append(e.m_nValue);
    }
    m_list.clear();
    Changed();
    report(before, values);
}

void TakedNu::report(quint64 before, const QList<quint32>& removed) {
    if (const auto index = m_observer.lock())
        (*index)->Removed(*this, before, removed);
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
