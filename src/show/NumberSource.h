#pragma once

#include "store/LoNuInfo.h"

#include <QList>

// The number pool as the draw sequence uses it: the random pick of a free number and reading a
// number by its pool index. Index -1 in the answer means none: every number was drawn, or the
// pool is damaged (IsDamaged), which its owner has reported and ends the program for.
class NumberSource {
public:
    virtual ~NumberSource() = default;

    virtual LoNuInfo DrawRandomNumber() = 0;
    virtual LoNuInfo ReadNumber(quint32 index) = 0;
    // Many records, answered in the order asked; a pool reads them in one pass in file order.
    virtual QList<LoNuInfo> ReadNumbers(const QList<quint32>& indexes) {
        QList<LoNuInfo> numbers;
        numbers.reserve(indexes.size());
        for (quint32 index : indexes)
            numbers.append(ReadNumber(index));
        return numbers;
    }
    virtual bool IsDamaged() const { return false; }
};
