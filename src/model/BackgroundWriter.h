#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Writes whole files on a thread of its own, so that saving as the draw goes never holds up the
// draw key. A batch is an ordered list of files whose bytes are made on that thread from copies
// taken when the batch was handed over; each file is written through SafeFileWriter.
//
// One batch is written at a time, its files in order, so no two writes of one file ever overlap.
// A batch handed over while another is being written waits; a newer one replaces it (the newest
// state wins), keeping any file of the replaced batch that the newer one does not write.
class BackgroundWriter {
public:
    struct File {
        QString path;
        // Called on the writer's thread; false when the bytes could not be made.
        std::function<bool(QByteArray& bytes)> bytes;
        // A file that fails after it was opened leaves the next file of the batch unwritten (a
        // status file written halfway must not be followed by its scheme file).
        bool skipNextOnFailure = false;
        // A file that cannot even be created is passed over without a word, as the settings
        // files and the winners file are; otherwise that counts as a failure too.
        bool quietWhenNotCreated = true;
    };
    using Batch = QList<File>;
    // Told on the writer's thread after every batch: whether all of it was written and, when not,
    // the first file that failed and why.
    using Report = std::function<void(bool ok, const QString& path, const QString& reason)>;

    BackgroundWriter();
    // Writes what is still waiting, then ends the thread.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    void SetReport(Report report);
    void Submit(Batch batch);
    // Drops a batch that has not begun; one being written is finished.
    void DropPending();
    // Waits until every batch handed over is written. True when the last batch written had no
    // failure.
    bool Flush();

private:
    void Run();
    bool WriteBatch(const Batch& batch);

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    Batch m_pending;
    bool m_bHasPending = false;
    bool m_bWriting = false;
    bool m_bStop = false;
    bool m_bLastOk = true;
    Report m_report;
    std::thread m_thread;
};
