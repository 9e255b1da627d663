#pragma once

#include "store/LoNuInfo.h"

// The number pool as the draw sequence uses it: the random pick of a free number and reading a
// number by its pool index. Index -1 in the answer means none: every number was drawn, or the
// pool is damaged (IsDamaged), which its owner has reported and ends the program for.
class NumberSource {
public:
    virtual ~NumberSource() = default;

    virtual LoNuInfo DrawRandomNumber() = 0;
    virtual LoNuInfo ReadNumber(quint32 index) = 0;
    virtual bool IsDamaged() const { return false; }
};
