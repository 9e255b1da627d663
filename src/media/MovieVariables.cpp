#include "media/MovieVariables.h"

#include "media/MovieCache.h"

std::optional<QString> MovieVariables::Read(const QString& path, const QString& name) {
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
