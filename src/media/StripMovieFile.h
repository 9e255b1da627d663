#pragma once

#include "media/MovieLoadResult.h"

#include <QMap>
#include <QString>

#include <optional>

// The program's own movie file: a PNG holding the cells stacked top to bottom, each exactly cx
// by cy pixels, with text keys Movie = "strip/1", Kind = "symbols" or "loop", cx, cy,
// SymbolsBits (symbols), RollMs (symbols) and FrameMs (loop). Every key the file holds is a
// variable of the movie. Files keep the ".swf" names that settings and defaults use.
class StripMovieFile {
public:
    // Largest decoded picture accepted, so that a forged header cannot exhaust memory.
    static constexpr int kMaxDecodeMb = 768;

    static MovieLoadResult Read(const QString& path);
    // The keys of a strip movie that Read would accept as far as its pixels, read without
    // decoding them; nullopt for anything else (an animation, a damaged or foreign file).
    static std::optional<QMap<QString, QString>> ReadVariables(const QString& path);
    // Writes through a temporary file, so a failed write leaves no half movie behind.
    static bool Write(const QString& path, const StripMovie& movie, QString* error = nullptr);
};
