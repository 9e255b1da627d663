#pragma once

#include "store/LoNuInfo.h"

// The number pool as the draw sequence uses it: the random pick of a free number and reading a
// number by its pool index. Index -1 in the answer means none.
class NumberSource {
public:
    virtual ~NumberSource() = default;

    virtual LoNuInfo DrawRandomNumber() = 0;
    virtual LoNuInfo ReadNumber(quint32 index) = 0;
};
