// Times the settings files with many winners and prints each figure next to a plain copy of the
// same bytes (`cp` of the scheme file, best of three like every figure here):
//   - the save (status and scheme file, as at the end of a session; goal: under 5 times the copy);
//   - the encoding alone, which the writer thread does after every draw step;
//   - the load (goal: under 3 times the copy), and the first question to the index of drawn
//     numbers after it, which the first pick asks;
// then the peak memory a scheme backup adds with a pool of that many numbers (goal: under 64 MB).
//
//   SaveBench [winners, default 4900000] [pool numbers, default 5000000]

#include "base/AppPaths.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/SchemeBackup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kLevels = 10;
constexpr int kRuns = 3;

double bestOf(const std::function<void()>& run) {
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        best = std::min(best, double(t.nsecsElapsed()) / 1e9);
    }
    return best;
}

double copySeconds(const QString& from, const QString& to) {
    const double s = bestOf([&] { QProcess::execute(QStringLiteral("cp"), {from, to}); });
    QFile::remove(to);
    return s;
}

void row(const char* what, double s, double floor, const char* goal) {
    std::printf("%-46s %8.3f s  %5.1f times the copy%s\n", what, s, s / floor, goal);
}

// The process's resident memory in kB: now, and its peak since the last reset.
long statusKb(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    return -1;
}

bool resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

void fillWinners(TumoStatus& status, quint32 winners, quint32 pool) {
    QList<GradeInfo> levels(kLevels);
    for (quint32 i = 0; i < winners; ++i)
        levels[int(i % kLevels)].m_taken.Add(quint32((quint64(i) * 7919u) % pool));
    for (GradeInfo& level : levels)
        level.m_base.m_nQuantity = level.m_taken.Count() + 1;
    status.SetLevels(std::move(levels));
    status.m_nuBase.m_nCount = qint32(pool);
}

void timeSettingsFiles(const QString& folder, quint32 winners, quint32 pool) {
    TumoStatus status;
    status.m_strDataFolder = folder;
    status.m_strSchemeFile = folder + QStringLiteral("/default.TumoScheme");
    fillWinners(status, winners, pool);

    const double save = bestOf([&] { status.SaveAll(); });
    const QString scheme = status.SchemeFilePath();
    const double copy = copySeconds(scheme, folder + QStringLiteral("/copy.TumoScheme"));
    std::printf("%u winners in %d levels: scheme file of %lld bytes, cp %.3f s\n", winners, kLevels,
                QFile(scheme).size(), copy);
    row("save (status and scheme file)", save, copy, "  (goal: under 5)");

    QByteArray bytes;
    const double encode = bestOf([&] { status.EncodeSchemeFile(bytes); });
    row("encoding of the scheme file alone", encode, copy, "");

    double index = 0;
    const double load = bestOf([&] {
        TumoStatus loaded;
        loaded.m_strDataFolder = folder;
        loaded.m_strSchemeFile = scheme;
        loaded.LoadAll();
        QElapsedTimer t;
        t.start();
        loaded.IsNumberTaken(0);
        index = double(t.nsecsElapsed()) / 1e9;
        if (loaded.LevelCount() != kLevels)
            std::printf("  the load lost levels: %lld\n", qlonglong(loaded.LevelCount()));
    });
    row("load (status and scheme file)", load, copy, "  (goal: under 3)");
    row("  then the index of drawn numbers", index, copy, "");
}

void measureBackup(const QString& folder, quint32 numbers) {
    SetAppFolder(folder);
    TumoStatus status;
    status.m_strDataFolder = folder;
    status.m_strSchemeFile = folder + QStringLiteral("/default.TumoScheme");
    NuFileDeal pool;
    pool.m_strFolder = folder;
    pool.m_pStatus = &status;
    pool.OpenStore();
    pool.Clear();
    pool.CreateContinuousNumbers(1, numbers);
    pool.AnalyseInto(status.m_nuBase);
    status.SaveAll();

    SchemeBackup backup(&status);
    const QString pack = folder + QStringLiteral("/bench.TSC");
    const long before = statusKb("VmRSS:");
    const bool peakReset = resetPeak();
    QElapsedTimer t;
    t.start();
    const bool ok = backup.Backup(pack);
    const double s = double(t.nsecsElapsed()) / 1e9;
    const long peak = statusKb("VmHWM:");
    std::printf("backup of a pool of %u numbers: %s, pack of %lld bytes, %.3f s\n", numbers,
                ok ? "written" : "FAILED", QFile(pack).size(), s);
    if (peakReset)
        std::printf("  peak memory added: %.1f MB  (goal: under 64 MB)\n",
                    double(peak - before) / 1024.0);
    else
        std::printf("  peak memory: %.1f MB (the peak could not be reset)\n", double(peak) / 1024);
    pool.Close();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const quint32 winners = argc > 1 ? QByteArray(argv[1]).toUInt() : 4900000u;
    const quint32 numbers = argc > 2 ? QByteArray(argv[2]).toUInt() : 5000000u;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    timeSettingsFiles(dir.path(), winners, std::max(numbers, winners));
    QTemporaryDir backupDir;
    if (!backupDir.isValid())
        return 1;
    measureBackup(backupDir.path(), numbers);
    return 0;
}
