#pragma once

#include <QString>

class NuFileDeal;

// Writes the whole pool to a text file that the import reads back: UTF-16LE with its byte-order
// mark, one "number,information" line per record ending in CR LF, a line break inside the
// information written as backslash, n. The file is replaced only once it is complete.
class NumberOutput {
public:
    enum class Result { Written, OpenFailed, WriteFailed };

    static Result Write(NuFileDeal& pool, const QString& path);
    // One record's line, CR LF included.
    static QString Line(const QString& number, const QString& info);
};
