#pragma once

#include "common/FileSizeLimit.h"
#include "store/FairRandom.h"
#include "store/ProgressSink.h"
#include "store/RandomGenerator.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>

// Records what a long operation shows, and asks it to stop after a number of pumps.
class RecordingSink : public ProgressSink {
public:
    QStringList tasks;
    QStringList texts;
    int pumps = 0;
    int ends = 0;
    int quitAfterPumps = -1; // -1: never

    void Begin(const QString& task) override { tasks << task; }
    void ShowProgress(const QString& text) override { texts << text; }
    bool Pump() override {
        ++pumps;
        return quitAfterPumps < 0 || pumps < quitAfterPumps;
    }
    void End() override { ++ends; }
};

// Gives the draws a test asks for, in order; 0 once they run out.
class ScriptedRandom : public FairRandom {
public:
    QList<quint64> values;
    quint64 Below(quint64 bound) override {
        const quint64 v = values.isEmpty() ? 0 : values.takeFirst();
        return v < bound ? v : bound - 1;
    }
};

inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray Utf16(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}
