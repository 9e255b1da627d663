#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running program per program folder. Two instances on one folder would both draw from one
// pool (the same number twice) and the last to end would write its winners over the other's.
// The lock is a file in the folder that the operating system's process list backs: a lock left
// behind by a program that was killed or crashed does not keep the next start out.
class ProgramFolderLock {
public:
    static QString FileName() { return QStringLiteral(".tumo.lock"); }

    explicit ProgramFolderLock(const QString& folder);

    // True when this process holds the folder now. Otherwise Reason() says why, for the operator.
    bool TryLock();
    QString Reason() const { return m_reason; }
    // Lets the folder go, for a new instance that takes it over.
    void Unlock();
    // The message shown when the program cannot start in the folder: "dataFile:" and the reason.
    QString Message() const;

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QString m_reason;
};
