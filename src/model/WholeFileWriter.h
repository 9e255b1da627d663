#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Puts one file in place whole or not at all, through SafeFileWriter. Writers that save as the
// draw goes take one by reference, so that a test can stand a disk in its place that fails and
// later works again.
class WholeFileWriter {
public:
    enum class Result {
        Written,
        NotCreated, // the file could not even be opened for writing
        Failed,     // opened, but not every byte reached the disk; the old file stays
    };

    virtual ~WholeFileWriter() = default;
    // reason: the operating system's reason when it is not Written.
    // The file's own bytes are synced before it takes its place; the renames are put on the disk
    // by SyncFolders, once for several files.
    virtual Result Write(const QString& path, const QByteArray& bytes, QString& reason);
    // Syncs the folders of the files given, each once.
    virtual void SyncFolders(const QStringList& paths);
};
