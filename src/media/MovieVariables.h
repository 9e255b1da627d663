#pragma once

#include <QString>

#include <optional>

// Reads a movie's published variables without a player or a window: what callers used to learn
// from a hidden temporary control (the symbol set, the natural size). Safe on any thread. A strip
// movie is not decoded for it; an animation is, and stays in the shared cache for the players.
class MovieVariables {
public:
    // The value, or nullopt when the file cannot be played or lacks the variable.
    static std::optional<QString> Read(const QString& path, const QString& name);
    // "_root._level0.SymbolsBits" and "SymbolsBits" name the same variable.
    static QString KeyOf(const QString& name);
};
