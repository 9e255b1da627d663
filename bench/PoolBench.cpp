// Times the number pool's bulk operations on a pool of 1,000,000 numbers and prints each figure
// next to the time `cp` takes to copy the same pool files, the floor of any pass over them.
//
//   PoolBench [numbers]

#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/RandomGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

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
    row("range generation (with its index rebuild)", range, floor);

    t.restart();
    pool.GenerateIndex();
    row("index rebuild", seconds(t), floor);

    QString chars;
    qint32 count = 0;
    t.restart();
    const qint32 digits = pool.AnalyseBitsAndChars(count, chars);
    row("analysis (count, digits, characters)", seconds(t), floor);
    std::printf("  -> %d numbers, %d digits, characters %s\n", count, digits, qPrintable(chars));

    const QString importPath = folder + "/numbers.txt";
    writeImportFile(importPath, n);
    pool.Clear();
    t.restart();
    pool.ImportFromFile(importPath, QStringLiteral(","), 0);
    const double import = seconds(t);
    floor = copyFloor(folder);
    row("import of a file (with its index rebuild)", import, floor);
    std::printf("  -> %u records, file of %lld bytes\n", pool.GetCount(), QFile(importPath).size());

    // Draw 99.9 % of the pool over the two levels, then time picks that are not recorded.
    status.m_nuBase.m_nCount = qint32(pool.GetCount());
    const quint32 total = pool.GetCount();
    std::vector<bool> drawn(total, false);
    RandomGenerator spread;
    spread.Seed(12345);
    quint32 free = total;
    for (quint32 i = 0; i < total; ++i) {
        if ((quint64(i) * 7919u) % 1000u == 0)
            continue; // one in a thousand stays free
        status.Level(i % 2).m_taken.Add(i);
        drawn[i] = true;
        --free;
    }
    RandomGenerator generator;
    generator.Seed(1);
    pool.SetRandomGenerator(&generator);
    pool.DrawRandomNumber(); // builds the index of drawn numbers
    const int picks = 20000;
    int wrong = 0;
    t.restart();
    for (int i = 0; i < picks; ++i) {
        const LoNuInfo r = pool.DrawRandomNumber();
        if (r.m_nIndex < 0 || drawn[quint32(r.m_nIndex)])
            ++wrong;
    }
    const double pickSeconds = seconds(t) / picks;
    std::printf("%-44s %9.2f us  (%u of %u numbers free, %d wrong picks)\n",
                "pick with 99.9 % of the pool drawn", pickSeconds * 1e6, free, total, wrong);

    // Every number drawn: the pick answers "none" after one bounded walk.
    for (quint32 i = 0; i < total; ++i) {
        if (!drawn[i])
            status.Level(0).m_taken.Add(i);
    }
    pool.DrawRandomNumber();
    t.restart();
    const LoNuInfo none = pool.DrawRandomNumber();
    std::printf("%-44s %9.3f ms  (index %d)\n", "pick with the whole pool drawn", seconds(t) * 1e3,
                none.m_nIndex);
    return wrong == 0 && none.m_nIndex == -1 ? 0 : 1;
}
