#pragma once

// The application object: finds the program folder, registers the scheme file type, runs the
// draw window until it quits and, when a restart was asked for, starts the new instance once the
// draw window has written its files.
class CTumoApp {
public:
    // Registers the scheme file type (failures ignored) and sets the program folder to the
    // executable's folder.
    bool InitApplication();
    // Runs the draw window. Always false: the program ends when the window does.
    bool InitInstance();
    // The process's exit code.
    int ExitInstance();

    // The three in order.
    int Run();

private:
    int m_nExitCode = 0;
};
