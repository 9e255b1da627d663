// Renders every default medium into one picture for a person to look at.
#include "Gallery.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: mediagallery <program folder> <picture.png>\n");
        return 2;
    }
    Gallery gallery(QString::fromLocal8Bit(argv[1]));
    const QImage page = gallery.Render();
    if (page.isNull()) {
        std::fprintf(stderr, "mediagallery: %s\n", qPrintable(gallery.Error()));
        return 1;
    }
    if (!page.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "mediagallery: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
