#include "app/CTumoApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Qt's other media back end needs a sound card even to start; GStreamer plays or stays quiet.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tumo"));
    // The draw window is hidden while it starts and while its message boxes are up; only its own
    // Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    CTumoApp theApp;
    return theApp.Run();
}
