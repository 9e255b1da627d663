#include "media/MovieCache.h"

#include "base/AppPaths.h"
#include "media/MovieLoader.h"

#include <QFileInfo>

MovieCache& MovieCache::Instance() {
    static MovieCache cache;
    return cache;
}

QString MovieCache::KeyOf(const QString& path) {
    if (path.isEmpty())
        return path;
    return QFileInfo(ResolveFileCase(path)).absoluteFilePath();
}

MovieLoadResult MovieCache::Load(const QString& path) {
    const QString key = KeyOf(path);
    const QFileInfo info(key);
    if (key.isEmpty() || !info.isFile())
        return MovieLoadResult::Failure(QStringLiteral("no movie file %1").arg(path));
    {
        QMutexLocker lock(&m_mutex);
        auto it = m_entries.find(key);
        if (it != m_entries.end() && it->modified == info.lastModified() &&
            it->fileSize == info.size()) {
            it->lastUse = ++m_useCounter;
            return {it->movie, QString()};
        }
    }
    // Decoding can take a while for a big background; the lock is not held meanwhile, so the
    // other thread's players are not kept waiting. Two threads decoding one file at once merely
    // do the work twice; the first result is kept.
    MovieLoadResult result = MovieLoader::Load(key);
    if (!result.Ok())
        return result;
    QMutexLocker lock(&m_mutex);
    Entry& entry = m_entries[key];
    if (!entry.movie || entry.modified != info.lastModified() || entry.fileSize != info.size())
        entry = Entry{result.movie, info.lastModified(), info.size(), 0};
    entry.lastUse = ++m_useCounter;
    result.movie = entry.movie;
    TrimLocked();
    return result;
}

void MovieCache::TrimLocked() {
    qint64 total = 0;
    for (const Entry& e : m_entries)
        total += e.movie->ByteSize();
    while (total > m_budget) {
        auto victim = m_entries.end();
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->movie.use_count() == 1 &&
                (victim == m_entries.end() || it->lastUse < victim->lastUse))
                victim = it;
        }
        if (victim == m_entries.end())
            return; // everything left is on screen
        total -= victim->movie->ByteSize();
        m_entries.erase(victim);
    }
}

void MovieCache::Clear() {
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
}

void MovieCache::SetBudgetBytes(qint64 bytes) {
    QMutexLocker lock(&m_mutex);
    m_budget = bytes;
    TrimLocked();
}

int MovieCache::Count() const {
    QMutexLocker lock(&m_mutex);
    return static_cast<int>(m_entries.size());
}
