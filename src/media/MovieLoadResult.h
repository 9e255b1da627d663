#pragma once

#include "media/StripMovie.h"

#include <QString>

#include <memory>

// A decoded movie, or why the file could not be played. The error is for the log: callers tell
// the operator in their own words ("Incompatible symbol file!").
struct MovieLoadResult {
    std::shared_ptr<const StripMovie> movie;
    QString error;

    bool Ok() const { return movie != nullptr; }
    static MovieLoadResult Failure(const QString& why) { return {nullptr, why}; }
};
