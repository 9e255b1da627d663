#pragma once

#include <QProcessEnvironment>

// What the program sets about its own process before Qt starts, and the environment the programs
// it starts (a browser for a link) get instead.
class ProcessSetup {
public:
    // Call first thing in main().
    static void Prepare();
    // The environment as the program found it, without what Prepare set for this process alone.
    static QProcessEnvironment ForChildren();
};
