#pragma once

#include "show/NumberSource.h"

class NuFileDeal;

// The draw sequence's view of the real number pool.
class PoolNumberSource : public NumberSource {
public:
    explicit PoolNumberSource(NuFileDeal& pool) : m_pool(pool) {}

    LoNuInfo DrawRandomNumber() override;
    LoNuInfo ReadNumber(quint32 index) override;
    QList<LoNuInfo> ReadNumbers(const QList<quint32>& indexes) override;
    bool IsDamaged() const override;

private:
    NuFileDeal& m_pool;
};
