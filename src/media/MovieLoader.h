#pragma once

#include "media/MovieLoadResult.h"

#include <QString>

// Opens whatever a movie path names: a strip movie, or an animation QMovie plays. Anything else,
// a real Flash file included, is a failure with a reason, never a crash.
class MovieLoader {
public:
    static MovieLoadResult Load(const QString& path);
};
