#include "show/PoolNumberSource.h"

#include "store/NuFileDeal.h"

LoNuInfo PoolNumberSource::DrawRandomNumber() {
    return m_pool.DrawRandomNumber();
}

bool PoolNumberSource::IsDamaged() const {
    return m_pool.IsDamaged();
}

LoNuInfo PoolNumberSource::ReadNumber(quint32 index) {
    return m_pool.ReadNumber(index);
}

QList<LoNuInfo> PoolNumberSource::ReadNumbers(const QList<quint32>& indexes) {
    return m_pool.ReadNumbers(indexes);
}
