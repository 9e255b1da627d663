#include "show/ProgramFolderLock.h"

#include <QDir>
#include <QTemporaryFile>

namespace {

// The operating system's words for why nothing can be created in the folder.
QString WhyNotWritable(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.tumo-probe-XXXXXX"));
    if (probe.open())
        return QString();
    return probe.errorString();
}

} // namespace

ProgramFolderLock::ProgramFolderLock(const QString& folder)
    : m_folder(folder),
      m_lock(std::make_unique<QLockFile>(folder + QLatin1Char('/') + FileName())) {
    // A lock is stale only when its process is gone, never by its age: a show runs for hours.
    m_lock->setStaleLockTime(0);
}

bool ProgramFolderLock::TryLock() {
    m_reason.clear();
    if (m_lock->tryLock(0))
        return true;
    const QString where = QDir::toNativeSeparators(m_folder);
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        m_reason = QStringLiteral("Tumo is already running in this folder (%1). Use that "
                                  "window, or end it before starting Tumo again.")
                       .arg(where);
        break;
    case QLockFile::PermissionError: {
        QString why = WhyNotWritable(m_folder);
        if (why.isEmpty())
            why = QStringLiteral("Permission denied");
        m_reason = QStringLiteral("%1. Tumo keeps its settings, winners and numbers in its own "
                                  "folder (%2) and cannot write there.")
                       .arg(why, where);
        break;
    }
    default:
        m_reason = QStringLiteral("Tumo cannot lock its folder (%1).").arg(where);
        break;
    }
    return false;
}

void ProgramFolderLock::Unlock() {
    m_lock->unlock();
}

QString ProgramFolderLock::Message() const {
    return QStringLiteral("dataFile:") + m_reason;
}
