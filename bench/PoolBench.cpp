// Times the number pool's bulk operations on a pool of 1,000,000 numbers and prints each figure
// next to the time `cp` takes to copy the same pool files, the floor of any pass over them; the
// import of as many lines next to `wc -l` of its file (goal: within 10 times). Then a recorded pick
// (pick, then append to the level) on pools of 1,000,000 and 5,000,000 numbers with 0 %, 50 %
// and 99.9 % drawn (goal: under 50 us), and an append of 10 numbers to the larger pool (goal: under
// 10 ms).
//
//   PoolBench [numbers]

#include "model/TumoStatus.h"
#include "store/FairRandom.h"
#include "store/NuFileDeal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e9;
}

double copyFloor(const QString& folder) {
    QElapsedTimer t;
    t.start();
    QProcess::execute(QStringLiteral("cp"),
                      {folder + "/data.dat", folder + "/index.dat", folder + "/copy-of-pool"});
    const double s = seconds(t);
    QFile::remove(folder + "/copy-of-pool/data.dat");
    QFile::remove(folder + "/copy-of-pool/index.dat");
    return s;
}

void row(const char* what, double s, double floor) {
    std::printf("%-44s %9.3f s   (cp of the pool files: %.3f s)\n", what, s, floor);
}

bool writeImportFile(const QString& path, quint32 count) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    for (quint32 i = 1; i <= count; ++i) {
        block += "A" + QByteArray::number(i) + ",Row " + QByteArray::number(i % 40) + "\\nseat " +
                 QByteArray::number(i % 25) + "\r\n";
        if (block.size() > (1 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    return f.write(block) == block.size();
}

void clearDrawn(TumoStatus& status) {
    for (GradeInfo& level : status.Levels())
        level.m_taken.RemoveAll();
}

// Times recorded picks at 0 %, 50 % and 99.9 % drawn, then an append of 10 numbers. Returns
// the number of picks that chose a drawn number or none.
int recordedPicks(NuFileDeal& pool, TumoStatus& status, const QString& folder, quint32 size) {
    clearDrawn(status);
    pool.Clear();
    pool.CreateContinuousNumbers(1, size);
    status.m_nuBase.m_nCount = qint32(pool.GetCount());
    QRandomGenerator seeded(42);
    FairRandom source(&seeded);
    pool.SetPickSource(&source);
    int wrong = 0;
    for (const double share : {0.0, 0.5, 0.999}) {
        clearDrawn(status);
        // Every level-0 entry is a drawn number spread over the pool; one in 1/(1-share) stays
        // free.
        const quint64 period = share == 0.0 ? 0 : quint64(std::llround(1.0 / (1.0 - share)));
        if (period > 0) {
            for (quint32 i = 0; i < size; ++i)
                if ((quint64(i) * 7919u) % period != 0)
                    status.Level(0).m_taken.Add(i);
        }
        const quint64 freeBefore = pool.FreeCount();
        LoNuInfo warm;
        pool.Pick(warm); // sizes the index; not recorded
        const int picks = int(std::min<quint64>(20000, freeBefore / 2));
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < picks; ++i) {
            LoNuInfo r;
            if (pool.Pick(r) != NuFileDeal::PickResult::Picked) {
                ++wrong;
                continue;
            }
            status.Level(1).m_taken.Add(quint32(r.m_nIndex));
        }
        const double each = seconds(t) / std::max(picks, 1);
        if (pool.FreeCount() != freeBefore - quint64(picks))
            ++wrong;
        char what[80];
        std::snprintf(what, sizeof what, "recorded pick, %u numbers, %.1f %% drawn", size,
                      share * 100);
        std::printf("%-44s %9.2f us  (goal: under 50 us; %d picks)\n", what, each * 1e6, picks);
    }
    clearDrawn(status);

    const QString tenPath = folder + "/ten.txt";
    writeImportFile(tenPath, 10);
    QElapsedTimer t;
    t.start();
    pool.ImportFromFile(tenPath, QStringLiteral(","), 0);
    std::printf("%-44s %9.3f ms  (goal: under 10 ms; %u records)\n",
                qPrintable(QStringLiteral("append of 10 numbers to %1").arg(size)),
                seconds(t) * 1e3, pool.GetCount());
    return wrong;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const quint32 n = argc > 1 ? QByteArray(argv[1]).toUInt() : 1000000u;
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("copy-of-pool");
    const QString folder = dir.path();

    TumoStatus status;
    status.SetLevels({GradeInfo(), GradeInfo()});
    NuFileDeal pool;
    pool.m_strFolder = folder;
    pool.m_pStatus = &status;
    pool.OpenStore();
    pool.Clear();

    std::printf("Pool of %u numbers in %s\n", n, qPrintable(folder));
    QElapsedTimer t;
    t.start();
    pool.CreateContinuousNumbers(1, n);
    const double range = seconds(t);
    double floor = copyFloor(folder);
    std::printf("data.dat %lld bytes, index.dat %lld bytes\n", QFile(folder + "/data.dat").size(),
                QFile(folder + "/index.dat").size());
    row("range generation (indexed as it appends)", range, floor);

    t.restart();
    pool.GenerateIndex();
    row("index rebuild", seconds(t), floor);

    QString chars;
    qint32 count = 0;
    t.restart();
    const qint32 digits = pool.AnalyseBitsAndChars(count, chars);
    row("analysis (count, digits, characters)", seconds(t), floor);
    std::printf("  -> %d numbers, %d digits, characters %s\n", count, digits, qPrintable(chars));

    // The machine may be shared: the import and `wc -l` each count their best of three runs.
    const QString importPath = folder + "/numbers.txt";
    writeImportFile(importPath, n);
    double import = 1e9;
    for (int run = 0; run < 3; ++run) {
        pool.Clear();
        t.restart();
        pool.ImportFromFile(importPath, QStringLiteral(","), 0);
        import = std::min(import, seconds(t));
    }
    floor = copyFloor(folder);
    row("import of a file (best of 3)", import, floor);
    std::printf("  -> %u records, file of %lld bytes\n", pool.GetCount(), QFile(importPath).size());
    // What "Clear the old numbers." does: the new pool is built aside, then put in place.
    double replace = 1e9;
    for (int run = 0; run < 3; ++run) {
        t.restart();
        pool.ImportFromFile(importPath, QStringLiteral(","), 0, NuFileDeal::Fill::Replace);
        replace = std::min(replace, seconds(t));
    }
    row("import replacing the pool (best of 3)", replace, floor);

    double wcSeconds = 1e9;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer wc;
        wc.start();
        QProcess::execute(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("wc -l '%1' >/dev/null").arg(importPath)});
        wcSeconds = std::min(wcSeconds, seconds(wc));
    }
    std::printf("  -> %.1f times `wc -l` of the file (%.3f s, best of 3; goal: within 10 times)\n",
                import / wcSeconds, wcSeconds);

    int wrong = 0;
    for (const quint32 size : {1000000u, 5000000u})
        wrong += recordedPicks(pool, status, folder, size);
    return wrong == 0 ? 0 : 1;
}
