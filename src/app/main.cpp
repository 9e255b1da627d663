#include "app/CTumoApp.h"
#include "base/ProcessSetup.h"

#include <QApplication>

int main(int argc, char** argv) {
    ProcessSetup::Prepare();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tumo"));
    // The draw window is hidden while it starts and while its message boxes are up; only its own
    // Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    CTumoApp theApp;
    return theApp.Run();
}
