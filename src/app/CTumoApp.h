#pragma once

#include <memory>

class ProgramFolderLock;

// The application object: finds the program folder and takes it for this instance, registers
// the scheme file type, runs the draw window until it quits and, when a restart was asked for,
// starts the new instance once the draw window has written its files.
class CTumoApp {
public:
    CTumoApp();
    ~CTumoApp();

    // Sets the program folder to the executable's folder and locks it, then registers the scheme
    // file type (failures ignored). False when another instance runs in the folder or it cannot
    // be written: the operator has been told and nothing was written.
    bool InitApplication();
    // Runs the draw window. Always false: the program ends when the window does.
    bool InitInstance();
    // The process's exit code.
    int ExitInstance();

    // The three in order.
    int Run();

private:
    int m_nExitCode = 0;
    std::unique_ptr<ProgramFolderLock> m_pLock;
};
