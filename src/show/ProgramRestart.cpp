#include "show/ProgramRestart.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

bool ProgramRestart::s_bRequested = false;

void ProgramRestart::Request() {
    s_bRequested = true;
}

bool ProgramRestart::IsRequested() {
    return s_bRequested;
}

void ProgramRestart::Cancel() {
    s_bRequested = false;
}

int ProgramRestart::StartIfRequested(const Starter& starter) {
    if (!s_bRequested)
        return 0;
    s_bRequested = false;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool started =
        starter && starter(QCoreApplication::applicationFilePath(), arguments, QDir::currentPath());
    return started ? 0 : -1;
}

bool ProgramRestart::StartDetached(const QString& program, const QStringList& arguments,
                                   const QString& folder) {
    return QProcess::startDetached(program, arguments, folder);
}
