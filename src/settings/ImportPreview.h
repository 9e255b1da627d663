#pragma once

#include <QList>
#include <QString>

// The first lines of a number file as the import will split them, for the operator to check the
// separator before anything is written. Unlike the import it lists every line, empty numbers
// included, and leaves backslash-n in the information as it stands.
class ImportPreview {
public:
    static constexpr int kMaxRows = 20;

    enum class Status {
        Listed,     // rows hold the first lines
        NoFile,     // nothing at the path
        OpenFailed, // the file is there but cannot be read
        NotUnicode  // big-endian UTF-16: the import would garble it
    };

    struct Row {
        QString number;
        QString info;
    };

    Status status = Status::NoFile;
    QList<Row> rows;
    // A line was longer than the import takes; it is left out.
    bool tooLong = false;

    static ImportPreview Read(const QString& path, const QString& separator, bool makeUpper);
    // Whether the import can take the file: Listed when it can, else why not. The preview and
    // the dialog's OK refuse the same files.
    static Status Check(const QString& path);
};
