#pragma once

#include "media/MovieLoadResult.h"

#include <QString>

// Decodes the animations QMovie plays (GIF, WebP, MNG) into an immutable movie of full frames,
// so that they are shown by the same players and views as strip movies.
class AnimatedMovieReader {
public:
    static constexpr qint64 kMaxDecodedBytes = 512LL * 1024 * 1024;
    static constexpr int kMaxFrames = 10000;
    // Browsers treat near-zero delays as this; a GIF saying 0 would otherwise spin.
    static constexpr int kFallbackDelayMs = 100;

    static bool IsAnimationFormat(const QByteArray& format);
    static MovieLoadResult Read(const QString& path);
};
