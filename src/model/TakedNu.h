#pragma once

#include "model/SUINT.h"

#include <QList>
#include <QtGlobal>

class Archive;

// The numbers drawn in one prize level, in draw order: each entry holds the number's index in
// the pool and the flag 1.
//
// The list and its count are private so that they cannot drift apart and so that every change
// is seen: each change moves the record's own stamp (Stamp()) on by one. TumoStatus keeps an index
// of all drawn numbers and rebuilds it when any level's stamp differs from the one it was built
// from (the status itself tells the index when levels are added, removed or moved). Add drawn
// numbers with Add(), take them back with RemoveAt() and clear with RemoveAll(); being assigned or
// loaded counts as a change too, and a copy or a moved-to record starts one past its source.
class TakedNu {
public:
    static const char* ClassName() { return "TakedNu"; }

    TakedNu();
    TakedNu(const TakedNu& other);
    TakedNu(TakedNu&& other) noexcept;
    TakedNu& operator=(const TakedNu& other);
    TakedNu& operator=(TakedNu&& other) noexcept;

    qint32 Count() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    const QList<SUINT>& List() const { return m_list; }
    // The pool index of entry i (0 = drawn first).
    quint32 ValueAt(qsizetype i) const { return m_list.at(i).m_nValue; }

    // Records a drawn number: appends its pool index with the flag 1 and counts it.
    void Add(quint32 poolIndex);
    // Takes back entry i; the later entries move up by one.
    void RemoveAt(qsizetype i);
    void RemoveAll();

    // Storing writes the count, then the entries as a list of SUINT. Loading replaces the
    // entries; the count read is not trusted, it always ends up equal to the entries read.
    void Serialize(Archive& ar);

    quint64 Stamp() const { return m_nStamp; }

    friend bool operator==(const TakedNu& a, const TakedNu& b) { return a.m_list == b.m_list; }

private:
    void Changed();

    qint32 m_nCount = 0; // always m_list.size()
    QList<SUINT> m_list;
    quint64 m_nStamp = 0;
};
