#include "media/MovieCache.h"

#include "base/AppPaths.h"
#include "media/MovieLoader.h"
#include "media/ScaledMovieCache.h"

#include <QFileInfo>

#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

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
        for (;;) {
            auto it = m_entries.find(key);
            if (it != m_entries.end() && it->modified == info.lastModified() &&
                it->fileSize == info.size()) {
                it->lastUse = ++m_useCounter;
                return {it->movie, QString()};
            }
            if (!m_decoding.contains(key))
                break;
            // Another thread decodes the file now: its result is this one's too. A failure is not
            // kept, and this thread then tries for itself.
            m_decoded.wait(&m_mutex);
        }
        m_decoding.insert(key);
    }
    // Decoding can take a while for a big background; the lock is not held meanwhile, so the
    // other thread's players are not kept waiting for other files.
    MovieLoadResult result = MovieLoader::Load(key);
    QMutexLocker lock(&m_mutex);
    m_decoding.remove(key);
    m_decoded.wakeAll();
    if (!result.Ok())
        return result;
    Entry& entry = m_entries[key];
    if (!entry.movie || entry.modified != info.lastModified() || entry.fileSize != info.size())
        entry = Entry{result.movie, info.lastModified(), info.size(), 0};
    entry.lastUse = ++m_useCounter;
    result.movie = entry.movie;
    TrimLocked();
    return result;
}

namespace {

// The threads of Prefetch, waited for before the cache goes.
class PrefetchThreads {
public:
    ~PrefetchThreads() { Join(); }
    void Start(std::function<void()> work) {
        std::lock_guard<std::mutex> lock(m_lock);
        try {
            m_threads.emplace_back(std::move(work));
        } catch (const std::system_error&) {
            // No thread to be had: the movie is decoded when it is first shown, as without this.
        }
    }
    void Join() {
        std::vector<std::thread> threads;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            threads.swap(m_threads);
        }
        for (std::thread& t : threads)
            t.join();
    }

private:
    std::mutex m_lock;
    std::vector<std::thread> m_threads;
};

PrefetchThreads& Prefetches() {
    static PrefetchThreads threads;
    return threads;
}

} // namespace

void MovieCache::Prefetch(const QString& path, QSize firstCell) {
    // The caches are made first, so that they outlive the threads that fill them.
    MovieCache& cache = Instance();
    ScaledMovieCache& scaled = ScaledMovieCache::Instance();
    Prefetches().Start([&cache, &scaled, path, firstCell] {
        const MovieLoadResult result = cache.Load(path);
        if (result.Ok() && !firstCell.isEmpty())
            scaled.MakeAhead(result.movie, 0, firstCell);
    });
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
