#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <functional>

// Writes a file whole or not at all. The bytes go to a temporary file beside the target, which
// replaces the target only when every byte reached the disk. Qt 6.4's QSaveFile::commit() can
// report success after its final flush failed (a full disk then leaves an empty or cut file), so
// every write here is flushed and its error checked before the commit.
//
// Streaming writers open it, write as they go and commit; one-shot writers call WriteWhole.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString& path);
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

    // Tests make writes fail the way a full disk does: the injector is asked once per written
    // block with the target path, and a true answer fails that block. Pass {} to stop.
    using FailureInjector = std::function<bool(const QString& path)>;
    static void SetFailureInjector(FailureInjector f);

private:
    bool fail(const QString& reason);

    QString m_path;
    QSaveFile m_file;
    QString m_error;
    bool m_open = false;
    bool m_failed = false;
};
