#include "model/WholeFileWriter.h"

#include "model/SafeFileWriter.h"

#include <QFileInfo>

WholeFileWriter::Result WholeFileWriter::Write(const QString& path, const QByteArray& bytes,
                                               QString& reason) {
    SafeFileWriter writer(path, SafeFileWriter::FolderSync::ByCaller);
    if (!writer.open()) {
        reason = writer.errorString();
        return Result::NotCreated;
    }
    if (writer.write(bytes) && writer.commit())
        return Result::Written;
    writer.cancel();
    reason = writer.errorString();
    return Result::Failed;
}

void WholeFileWriter::SyncFolders(const QStringList& paths) {
    QStringList folders;
    for (const QString& path : paths) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!folders.contains(folder)) {
            folders << folder;
            SafeFileWriter::SyncFolder(folder);
        }
    }
}
