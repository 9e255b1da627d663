#include "model/WholeFileWriter.h"

#include "model/SafeFileWriter.h"

WholeFileWriter::Result WholeFileWriter::Write(const QString& path, const QByteArray& bytes,
                                               QString& reason) {
    SafeFileWriter writer(path);
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
