#include "media/AnimatedMovieReader.h"

#include <QImageReader>
#include <QMovie>

bool AnimatedMovieReader::IsAnimationFormat(const QByteArray& format) {
    static const QList<QByteArray> kAnimations{"gif", "webp", "mng"};
    return kAnimations.contains(format) && QMovie::supportedFormats().contains(format);
}

MovieLoadResult AnimatedMovieReader::Read(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!IsAnimationFormat(reader.format()))
        return MovieLoadResult::Failure(QStringLiteral("%1 is not an animation").arg(path));

    std::vector<QImage> frames;
    std::vector<int> delays;
    qint64 bytes = 0;
    while (reader.canRead() && static_cast<int>(frames.size()) < kMaxFrames) {
        QImage frame = reader.read();
        if (frame.isNull())
            break;
        if (!frames.empty() && frame.size() != frames.front().size())
            frame = frame.scaled(frames.front().size());
        bytes += frame.sizeInBytes();
        if (bytes > kMaxDecodedBytes)
            break;
        const int delay = reader.nextImageDelay();
        frames.push_back(std::move(frame));
        delays.push_back(delay > 10 ? delay : kFallbackDelayMs);
    }
    auto movie = StripMovie::MakeAnimation(frames, delays);
    if (!movie)
        return MovieLoadResult::Failure(path + QStringLiteral(": ") + reader.errorString());
    return {movie, QString()};
}
