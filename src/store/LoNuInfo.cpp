#include "store/LoNuInfo.h"

LoNuInfo::LoNuInfo(qint32 index, const QString& number, const QString& info)
    : m_nIndex(index), m_strNumber(number), m_strInfo(info) {}
