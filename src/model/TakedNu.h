#pragma once

#include "model/SUINT.h"

#include <QList>
#include <QtGlobal>

#include <memory>

class Archive;
class DrawnNumberIndex;

// The numbers drawn in one prize level, in draw order: each entry holds the number's index in
// the pool and the flag 1.
//
// The list and its count are private so that they cannot drift apart and so that every change
// is seen: each change moves the record's own stamp (Stamp()) on by one, and a copy or a moved-to
// record starts one past its source. TumoStatus keeps an index of all drawn numbers: Add(),
// RemoveAt() and RemoveAll() report each entry to the index built over this record, which follows
// in place; being assigned or loaded counts as a change too, and the index rebuilds when it sees
// a stamp it did not follow.
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
    friend class DrawnNumberIndex;

    void Changed();
    void report(quint64 before, const QList<quint32>& removed);

    qint32 m_nCount = 0; // always m_list.size()
    QList<SUINT> m_list;
    quint64 m_nStamp = 0;
    // The index built over this record; never copied, so a copy reports to no one.
    mutable std::weak_ptr<DrawnNumberIndex*> m_observer;
};
