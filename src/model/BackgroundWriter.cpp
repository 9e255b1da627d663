#include "model/BackgroundWriter.h"

#include <chrono>

BackgroundWriter::BackgroundWriter(WholeFileWriter* files)
    : m_files(files ? *files : m_disk), m_thread([this] { Run(); }) {}

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
    return m_last.ok;
}

bool BackgroundWriter::WaitIdle(int milliseconds) {
    std::unique_lock<std::mutex> lock(m_lock);
    return m_idle.wait_for(lock, std::chrono::milliseconds(milliseconds),
                           [this] { return !m_bHasPending && !m_bWriting; });
}

BackgroundWriter::Outcome BackgroundWriter::LastOutcome() {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_last;
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
        const quint64 number = ++m_nTaken;
        lock.unlock();
        const bool ok = WriteBatch(batch, number);
        batch.clear(); // the copies go here, off the caller's thread
        lock.lock();
        m_bWriting = false;
        m_last = {number, ok};
        m_idle.notify_all();
    }
}

bool BackgroundWriter::WriteBatch(const Batch& batch, quint64 number) {
    QString failedPath;
    QString reason;
    auto failed = [&](const QString& path, const QString& why) {
        if (failedPath.isEmpty()) {
            failedPath = path;
            reason = why;
        }
    };
    bool skip = false;
    bool allWritten = true; // every file so far is on disk
    QStringList written;
    for (const File& file : batch) {
        if (skip || (file.onlyAfterEarlierFiles && !allWritten)) {
            skip = false;
            allWritten = false;
            continue;
        }
        QByteArray bytes;
        if (!file.bytes || !file.bytes(bytes)) {
            allWritten = false;
            skip = file.skipNextOnFailure;
            failed(file.path, QStringLiteral("archive error"));
            continue;
        }
        QString why;
        switch (m_files.Write(file.path, bytes, why)) {
        case WholeFileWriter::Result::Written:
            written << file.path;
            continue;
        case WholeFileWriter::Result::NotCreated:
            if (!file.quietWhenNotCreated)
                failed(file.path, why);
            break;
        case WholeFileWriter::Result::Failed:
            skip = file.skipNextOnFailure;
            failed(file.path, why);
            break;
        }
        allWritten = false;
    }
    // One sync of the folder makes the whole step durable: a power cut cannot bring back an
    // earlier state once the batch is reported written.
    if (!written.isEmpty())
        m_files.SyncFolders(written);
    Report report;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        report = m_report;
    }
    const bool ok = failedPath.isEmpty();
    if (report)
        report({number, ok}, failedPath, reason);
    return ok;
}
