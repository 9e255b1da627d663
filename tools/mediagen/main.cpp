// Draws the program's default media into the program folder at build time.
#include "ArtKit.h"
#include "BackgroundArt.h"
#include "BannerArt.h"
#include "BoardArt.h"
#include "SymbolArt.h"
#include "media/ProgramIcon.h"
#include "media/StripMovieFile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <future>

namespace {

bool Fail(const QString& what) {
    std::fprintf(stderr, "mediagen: %s\n", qPrintable(what));
    return false;
}

bool WriteMovie(const QDir& dir, const QString& name,
                const std::shared_ptr<const StripMovie>& movie) {
    if (!movie)
        return Fail(QStringLiteral("%1: the drawing gave no movie").arg(name));
    QString error;
    if (!StripMovieFile::Write(dir.filePath(name), *movie, &error))
        return Fail(QStringLiteral("%1: %2").arg(name, error));
    return true;
}

bool WritePicture(const QDir& dir, const QString& name, const QImage& image, const char* format,
                  int quality = -1) {
    QSaveFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("%1: %2").arg(name, file.errorString()));
    QImageWriter writer(&file, format);
    writer.setQuality(quality);
    if (!writer.write(image) || !file.commit())
        return Fail(QStringLiteral("%1: %2").arg(name, writer.errorString()));
    return true;
}

bool Copy(const QDir& dir, const QString& from, const QString& to) {
    QFile::remove(dir.filePath(to));
    if (!QFile::copy(dir.filePath(from), dir.filePath(to)))
        return Fail(QStringLiteral("cannot copy %1 to %2").arg(from, to));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        Fail(QStringLiteral("usage: mediagen <program folder>"));
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        return Fail(QStringLiteral("cannot create %1").arg(dir.path())), 1;
    QString error;
    if (!ArtKit::LoadFonts(&error))
        return Fail(error), 1;

    // Each medium is drawn and written on its own thread: the build waits for the slowest only.
    auto symbols = std::async(std::launch::async, [&dir] {
        // Settings name the default symbols in either case; the file system tells them apart.
        return WriteMovie(dir, QStringLiteral("defsym.swf"), SymbolArt::Make()) &&
               Copy(dir, QStringLiteral("defsym.swf"), QStringLiteral("DefSym.swf"));
    });
    auto background = std::async(std::launch::async, [&dir] {
        return WriteMovie(dir, QStringLiteral("DefBg.swf"), BackgroundArt::Make());
    });
    auto banner = std::async(std::launch::async, [&dir] {
        return WriteMovie(dir, QStringLiteral("DefBan.swf"), BannerArt::Make());
    });
    auto board = std::async(std::launch::async, [&dir] {
        return WritePicture(dir, QStringLiteral("DefBBSkin.bmp"), BoardArt::Skin(), "bmp") &&
               WritePicture(dir, QStringLiteral("DefBBBg.jpg"), BoardArt::Face(), "jpeg", 92) &&
               // "Auto background picture." looks for the skin's name with .jpg: the face it
               // finds there is the default face, so OK with nothing changed keeps it.
               Copy(dir, QStringLiteral("DefBBBg.jpg"), QStringLiteral("DefBBSkin.jpg"));
    });
    // The icon of the desktop entry, the one the windows draw for themselves.
    const bool icon = WritePicture(dir, QStringLiteral("tumo.png"), ProgramIcon::Draw(256), "png");
    // Every medium is waited for, whether or not another failed.
    const bool written[] = {symbols.get(), background.get(), banner.get(), board.get(), icon};
    return std::all_of(std::begin(written), std::end(written), [](bool ok) { return ok; }) ? 0 : 1;
}
