#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

// strace, for tests that follow or inject system calls in a child process; empty where it is
// missing or may not trace here (a container without the right to).
inline QString UsableStrace() {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        return QString();
    QProcess probe;
    probe.start(strace, {QStringLiteral("-qq"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                         QStringLiteral("true")});
    const bool traced = probe.waitForFinished(30000) &&
                        probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
    return traced ? strace : QString();
}
