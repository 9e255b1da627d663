#include "model/SafeFileWriter.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

SafeFileWriter::SafeFileWriter(const QString& path, FolderSync sync)
    : m_path(path), m_sync(sync), m_file(path) {}

SafeFileWriter::~SafeFileWriter() {
    if (m_open)
        m_file.cancelWriting();
}

bool SafeFileWriter::open() {
    m_failed = false;
    m_error.clear();
    m_open = m_file.open(QIODevice::WriteOnly);
    if (!m_open)
        return fail(m_file.errorString());
    return true;
}

bool SafeFileWriter::write(const char* data, qint64 size) {
    if (!m_open || m_failed)
        return false;
    if (size == 0)
        return true;
    if (m_file.write(data, size) != size)
        return fail(m_file.errorString());
    return true;
}

bool SafeFileWriter::commit() {
    if (!m_open)
        return false;
    if (m_failed) {
        cancel();
        return false;
    }
    // The flush is where a full disk shows for the last buffered block; QSaveFile would lose it.
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError) {
        const QString reason = m_file.errorString();
        cancel();
        m_error = reason;
        return false;
    }
    m_open = false;
    if (!m_file.commit()) {
        m_error = m_file.errorString();
        return false;
    }
    // The file's bytes were synced before the rename; the rename lives in the folder. The file is
    // in place either way, so a folder that cannot be synced is not a failed write.
    if (m_sync == FolderSync::AfterCommit && !SyncFolder(QFileInfo(m_path).absolutePath()))
        qWarning("%s: its folder could not be synced", qPrintable(m_path));
    return true;
}

void SafeFileWriter::cancel() {
    if (m_open)
        m_file.cancelWriting();
    m_open = false;
}

bool SafeFileWriter::fail(const QString& reason) {
    m_failed = true;
    m_error = reason;
    return false;
}

bool SafeFileWriter::WriteWhole(const QString& path, const QByteArray& bytes, QString* error) {
    SafeFileWriter file(path);
    const bool ok = file.open() && file.write(bytes) && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

bool SafeFileWriter::SyncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}
