#include "media/MovieLoader.h"

#include "media/AnimatedMovieReader.h"
#include "media/StripMovieFile.h"

#include <QFileInfo>
#include <QImageReader>

MovieLoadResult MovieLoader::Load(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return MovieLoadResult::Failure(QStringLiteral("no movie file %1").arg(path));
    QImageReader probe(path);
    probe.setDecideFormatFromContent(true);
    if (AnimatedMovieReader::IsAnimationFormat(probe.format()))
        return AnimatedMovieReader::Read(path);
    return StripMovieFile::Read(path);
}
