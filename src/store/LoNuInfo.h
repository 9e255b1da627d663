#pragma once

#include <QString>

// One pool record as read: its index and its two texts, white space trimmed. Index -1 stands
// for "no record" (out of range, pool busy or damaged, or no free number to pick).
class LoNuInfo {
public:
    LoNuInfo() = default;
    LoNuInfo(qint32 index, const QString& number, const QString& info);
    LoNuInfo(const LoNuInfo&) = default;
    LoNuInfo& operator=(const LoNuInfo&) = default;
    virtual ~LoNuInfo() = default;

    bool IsValid() const { return m_nIndex >= 0; }

    qint32 m_nIndex = -1;
    QString m_strNumber;
    QString m_strInfo;
};
