#pragma once

#include "model/SafeFileWriter.h"

#include <QString>

// While it lives, every write to a file whose name ends with the given text fails the way a full
// disk makes it fail; the failure stops with the object, also when a test ends early.
class InjectedWriteFailure {
public:
    explicit InjectedWriteFailure(const QString& nameEnd) {
        SafeFileWriter::SetFailureInjector(
            [nameEnd](const QString& path) { return path.endsWith(nameEnd); });
    }
    ~InjectedWriteFailure() { SafeFileWriter::SetFailureInjector({}); }
    InjectedWriteFailure(const InjectedWriteFailure&) = delete;
    InjectedWriteFailure& operator=(const InjectedWriteFailure&) = delete;
};
