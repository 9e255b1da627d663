#pragma once

#include "model/TumoStatus.h"

#include <QStringList>

// A status with the default level and the named prize levels, levels 1.. holding `quantity`
// winners each, over a pool of `poolCount` numbers of `digits` characters.
inline void FillLevels(TumoStatus& status, const QStringList& prizeLevels, qint32 quantity = 10,
                       qint32 poolCount = 100, qint32 digits = 3) {
    status.ClearGrades();
    status.m_nuBase.m_nCount = poolCount;
    status.m_nuBase.m_nDigits = digits;
    status.AddLevel(GradeInfo());
    for (const QString& name : prizeLevels) {
        GradeInfo level;
        level.m_base.m_strName = name;
        level.m_base.m_nQuantity = quantity;
        status.AddLevel(level);
    }
    status.RecomputeDefaultGradeTotal();
}

inline QStringList LevelNames(const TumoStatus& status) {
    QStringList names;
    for (const GradeInfo& level : status.Levels())
        names << level.m_base.m_strName;
    return names;
}
