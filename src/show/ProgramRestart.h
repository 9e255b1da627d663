#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Beginning again with fresh state: the program ends as usual, writes its files, and only then
// starts a new instance of itself with the same arguments, so the new instance reads what this
// one wrote. A new instance that cannot be started does not keep this one from saving.
class ProgramRestart {
public:
    // Starts a program without waiting for it; false when it could not be started.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments,
                                       const QString& folder)>;

    // Asks for a new instance once this one has ended.
    static void Request();
    static bool IsRequested();
    static void Cancel();

    // Called once the draw window is gone and its files are written. Starts the new instance
    // when one was asked for (the executable, this process's arguments, the current folder).
    // Returns the exit code of this process: 0, or -1 when the new instance could not start.
    static int StartIfRequested(const Starter& starter = StartDetached);

    static bool StartDetached(const QString& program, const QStringList& arguments,
                              const QString& folder);

private:
    static bool s_bRequested;
};
