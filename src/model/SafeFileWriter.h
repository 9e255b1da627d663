#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Writes a file whole or not at all. The bytes go to a temporary file beside the target, which
// replaces the target only when every byte reached the disk. Qt 6.4's QSaveFile::commit() can
// report success after its final flush failed (a full disk then leaves an empty or cut file), so
// every write here is flushed and its error checked before the commit.
//
// Streaming writers open it, write as they go and commit; one-shot writers call WriteWhole.
//
// The rename that puts the file in place is itself synced (the folder is flushed after it), so
// that a power cut after a commit cannot bring the previous file back.
class SafeFileWriter {
public:
    enum class FolderSync {
        AfterCommit, // the commit syncs the folder too
        ByCaller,    // the caller syncs it once for several files (SyncFolder)
    };

    explicit SafeFileWriter(const QString& path, FolderSync sync = FolderSync::AfterCommit);
    ~SafeFileWriter();

    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool open();
    // False as soon as one write came up short; later writes are then ignored.
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Flushes, checks and renames into place. False keeps the old file untouched.
    bool commit();
    // Drops the temporary file; the old file stays.
    void cancel();

    // The operating system's reason for the last failure, for messages.
    QString errorString() const { return m_error; }
    const QString& path() const { return m_path; }

    // One call for a file whose bytes are ready: true when the whole file was written.
    static bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);
    // Puts the folder's entries (the renames into it, the files made or removed) on the disk.
    static bool SyncFolder(const QString& folder);

private:
    bool fail(const QString& reason);

    QString m_path;
    FolderSync m_sync;
    QSaveFile m_file;
    QString m_error;
    bool m_open = false;
    bool m_failed = false;
};
