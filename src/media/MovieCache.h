#pragma once

#include "media/MovieLoadResult.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QString>

// Decoded movies by file, shared by every player on every thread. A file that changed on disk
// since it was decoded is decoded again; failures are not kept, so a file the operator repairs
// plays at the next try. Movies no player holds any more are dropped once the budget is passed.
class MovieCache {
public:
    static constexpr qint64 kDefaultBudgetBytes = 768LL * 1024 * 1024;

    static MovieCache& Instance();

    MovieLoadResult Load(const QString& path);

    void Clear();
    void SetBudgetBytes(qint64 bytes);
    int Count() const;

private:
    struct Entry {
        std::shared_ptr<const StripMovie> movie;
        QDateTime modified;
        qint64 fileSize = 0;
        quint64 lastUse = 0;
    };

    // Names stored with another case still find their file, as on Windows.
    static QString KeyOf(const QString& path);
    void TrimLocked();

    mutable QMutex m_mutex;
    QHash<QString, Entry> m_entries;
    qint64 m_budget = kDefaultBudgetBytes;
    quint64 m_useCounter = 0;
};
