#pragma once

#include "model/WholeFileWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Writes whole files on a thread of its own, so that saving as the draw goes never holds up the
// draw key. A batch is an ordered list of files whose bytes are made on that thread from copies
// taken when the batch was handed over; each file is written whole (WholeFileWriter), and the
// folders of a batch are synced once after its last file.
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
        // Written only when every file before it in the batch was written: the winners text
        // never lists a winner that the settings files on disk lack.
        bool onlyAfterEarlierFiles = false;
    };
    using Batch = QList<File>;
    // What became of a batch: batches are numbered from 1 in the order they are written; 0 with
    // ok is the state before the first one.
    struct Outcome {
        quint64 batch = 0;
        bool ok = true;
    };
    // Told on the writer's thread after every batch: whether all of it was written and, when not,
    // the first file that failed and why.
    using Report =
        std::function<void(const Outcome& outcome, const QString& path, const QString& reason)>;

    // files: where the files go; null for the disk. It must outlive the writer.
    explicit BackgroundWriter(WholeFileWriter* files = nullptr);
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
    // As Flush, but for at most `milliseconds`: false when a batch is still waiting or being
    // written then.
    bool WaitIdle(int milliseconds);
    // The last batch written.
    Outcome LastOutcome();

private:
    void Run();
    bool WriteBatch(const Batch& batch, quint64 number);

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    Batch m_pending;
    bool m_bHasPending = false;
    bool m_bWriting = false;
    bool m_bStop = false;
    quint64 m_nTaken = 0; // batches taken up for writing
    Outcome m_last;
    Report m_report;
    WholeFileWriter m_disk;
    WholeFileWriter& m_files;
    std::thread m_thread;
};
