#include "media/MovieVariables.h"

#include "base/AppPaths.h"
#include "media/MovieCache.h"
#include "media/StripMovieFile.h"

std::optional<QString> MovieVariables::Read(const QString& path, const QString& name) {
    // A strip movie's variables are its file's text keys: no pixel needs decoding for them.
    const QString file = ResolveFileCase(path);
    if (!file.isEmpty()) {
        if (const auto keys = StripMovieFile::ReadVariables(file)) {
            const auto it = keys->constFind(KeyOf(name));
            return it == keys->constEnd() ? std::nullopt : std::optional<QString>(*it);
        }
    }
    // Animations publish their frame size only once decoded.
    const MovieLoadResult loaded = MovieCache::Instance().Load(path);
    if (!loaded.Ok())
        return std::nullopt;
    return loaded.movie->Variable(KeyOf(name));
}

QString MovieVariables::KeyOf(const QString& name) {
    static const QString kPrefixes[] = {QStringLiteral("_root._level0."),
                                        QStringLiteral("_level0."), QStringLiteral("_root.")};
    for (const QString& prefix : kPrefixes) {
        if (name.startsWith(prefix))
            return name.mid(prefix.size());
    }
    return name;
}
