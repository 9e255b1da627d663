#pragma once

#include "media/MovieLoadResult.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSize>
#include <QString>
#include <QWaitCondition>

// Decoded movies by file, shared by every player on every thread. A file that changed on disk
// since it was decoded is decoded again; failures are not kept, so a file the operator repairs
// plays at the next try. Movies no player holds any more are dropped once the budget is passed.
// A file is decoded by one thread at a time: another thread that asks for it meanwhile waits for
// that decoding, so a movie decoded ahead on a thread of its own is never decoded twice.
class MovieCache {
public:
    static constexpr qint64 kDefaultBudgetBytes = 768LL * 1024 * 1024;

    static MovieCache& Instance();

    MovieLoadResult Load(const QString& path);
    // Decodes the movie on a thread of its own, so that whoever loads it next finds it decoded
    // or being decoded; with a size, its first cell is also scaled to it ahead of the first
    // paint. The thread is waited for at the program's end.
    static void Prefetch(const QString& path, QSize firstCell = QSize());

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
    QWaitCondition m_decoded;
    QSet<QString> m_decoding; // files a thread decodes now
    QHash<QString, Entry> m_entries;
    qint64 m_budget = kDefaultBudgetBytes;
    quint64 m_useCounter = 0;
};
