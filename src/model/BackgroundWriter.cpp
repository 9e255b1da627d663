#include "model/BackgroundWriter.h"

#include "model/SafeFileWriter.h"

BackgroundWriter::BackgroundWriter() : m_thread([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_bStop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void BackgroundWriter::SetReport(Report report) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_report = std::move(report);
}

void BackgroundWriter::Submit(Batch batch) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_bHasPending) {
            // Files of the older batch that the newer one leaves out still go, after it.
            for (File& older : m_pending) {
                bool replaced = false;
                for (const File& newer : batch)
                    replaced = replaced || newer.path == older.path;
                if (!replaced)
                    batch.append(std::move(older));
            }
        }
        m_pending = std::move(batch);
        m_bHasPending = true;
    }
    m_wake.notify_all();
}

void BackgroundWriter::DropPending() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_pending.clear();
    m_bHasPending = false;
    m_idle.notify_all();
}

bool BackgroundWriter::Flush() {
    std::unique_lock<std::mutex> lock(m_lock);
    m_idle.wait(lock, [this] { return !m_bHasPending && !m_bWriting; });
    return m_bLastOk;
}

void BackgroundWriter::Run() {
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [this] { return m_bHasPending || m_bStop; });
        if (!m_bHasPending)
            return; // stopping with nothing left to write
        Batch batch = std::move(m_pending);
        m_pending.clear();
        m_bHasPending = false;
        m_bWriting = true;
        lock.unlock();
        const bool ok = WriteBatch(batch);
        batch.clear(); // the copies go here, off the caller's thread
        lock.lock();
        m_bWriting = false;
        m_bLastOk = ok;
        m_idle.notify_all();
    }
}

bool BackgroundWriter::WriteBatch(const Batch& batch) {
    QString failedPath;
    QString reason;
    auto failed = [&](const QString& path, const QString& why) {
        if (failedPath.isEmpty()) {
            failedPath = path;
            reason = why;
        }
    };
    bool skip = false;
    for (const File& file : batch) {
        if (skip) {
            skip = false;
            continue;
        }
        SafeFileWriter writer(file.path);
        if (!writer.open()) {
            if (!file.quietWhenNotCreated)
                failed(file.path, writer.errorString());
            continue;
        }
        QByteArray bytes;
        const bool made = file.bytes && file.bytes(bytes);
        if (made && writer.write(bytes) && writer.commit())
            continue;
        writer.cancel();
        skip = file.skipNextOnFailure;
        failed(file.path, made ? writer.errorString() : QStringLiteral("archive error"));
    }
    Report report;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        report = m_report;
    }
    const bool ok = failedPath.isEmpty();
    if (report)
        report(ok, failedPath, reason);
    return ok;
}
