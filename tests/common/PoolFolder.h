#pragma once

#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"

#include <QStringList>
#include <QTemporaryDir>

// A number pool in a folder of its own, not opened yet, with a status of one prize level besides
// the default one and a prompter that records what the pool says.
struct PoolFolder {
    PoolFolder() {
        status.AddLevel(GradeInfo());
        status.AddLevel(GradeInfo());
        pool.m_strFolder = dir.path();
        pool.m_pStatus = &status;
        pool.SetPrompter(&prompter);
    }

    // The pool's numbers in pool order.
    QStringList Numbers() {
        QStringList out;
        for (quint32 i = 0; i < pool.GetCount(); ++i)
            out << pool.ReadNumber(i).m_strNumber;
        return out;
    }

    QTemporaryDir dir;
    RecordingPrompter prompter;
    TumoStatus status;
    NuFileDeal pool;
};
