#pragma once

// How the end-to-end helpers take a program folder, as the program itself does at its start.

#include "base/AppPaths.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"

#include <QString>

// The folder becomes the program folder and its settings files are loaded.
inline void UseFolder(TumoStatus& status, const QString& folder) {
    SetAppFolder(folder);
    status.m_strDataFolder = folder;
    status.LoadAll();
}

// Opens the folder's pool; a folder without one gets the pool 1..100.
inline bool OpenPool(NuFileDeal& pool, TumoStatus& status, const QString& folder) {
    pool.m_strFolder = folder;
    pool.m_pStatus = &status;
    return pool.OpenStore() >= 0;
}

// The folder taken (UseFolder) and its pool opened and summed up in the status, as a folder the
// program has run in holds it.
inline bool UseFolderWithPool(TumoStatus& status, const QString& folder) {
    UseFolder(status, folder);
    NuFileDeal pool;
    if (!OpenPool(pool, status, folder))
        return false;
    pool.AnalyseInto(status.m_nuBase);
    pool.Close();
    return true;
}
