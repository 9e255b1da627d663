#pragma once

#include "base/AppPaths.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"

#include <QString>

// Makes `folder` the program folder with a pool of the numbers `first` to `last`, its summary in
// `status`, as a show that generated them has it. The pool stays open.
inline bool FillBenchPool(const QString& folder, TumoStatus& status, NuFileDeal& pool,
                          quint32 first, quint32 last) {
    SetAppFolder(folder);
    status.m_strDataFolder = folder;
    status.LoadAll();
    pool.m_strFolder = folder;
    pool.m_pStatus = &status;
    if (pool.OpenStore() < 0)
        return false;
    pool.Clear();
    pool.CreateContinuousNumbers(first, last);
    pool.AnalyseInto(status.m_nuBase);
    return true;
}
