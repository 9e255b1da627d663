#include "StoreTestUtil.h"
#include "base/AppPaths.h"
#include "common/Strace.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/RestoreScheme.h"
#include "store/SchemeBackup.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A Load Scheme killed at any rename, by fault injection: a child process (this test program)
// restores a pack under strace, which kills it with SIGKILL at its N-th rename (or link). The next
// start's recovery must then leave every old file or every new one, and nothing of the restore
// behind.

namespace {

const char* const kPackVar = "TUMO_RESTORE_KILL_PACK";
const char* const kFolderVar = "TUMO_RESTORE_KILL_FOLDER";

using Files = QMap<QString, QByteArray>;

// Every file below the folder, hidden ones included, by its relative path.
Files snapshot(const QString& folder) {
    Files files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

QStringList leftovers(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".restore-*")},
                                  QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void writeFiles(const QString& folder, const Files& files) {
    QDir(folder).removeRecursively();
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = folder + QLatin1Char('/') + it.key();
        QDir().mkpath(QFileInfo(path).absolutePath());
        ASSERT_TRUE(WriteBytes(path, it.value()));
    }
}

// A pack made by Backup Scheme from a program folder of its own: a pool of numbers and a level
// per picture, each with a winner.
void makePack(const QString& source, const QStringList& pictures, const QString& pack) {
    const QString saved = g_strAppFolder;
    QDir().mkpath(source + "/media");
    SetAppFolder(source);
    TumoStatus live;
    live.m_strDataFolder = source;
    {
        NuFileDeal pool;
        pool.m_strFolder = source;
        pool.m_pStatus = &live;
        ASSERT_EQ(pool.OpenStore(), 1);
        ASSERT_EQ(pool.CreateContinuousNumbers(5000, 5040, NuFileDeal::Fill::Replace), 1);
        pool.AnalyseInto(live.m_nuBase);
    }
    for (const QString& name : pictures) {
        ASSERT_TRUE(WriteBytes(source + "/media/" + name, "new " + name.toUtf8()));
        GradeInfo level;
        level.m_bg.m_strFile = source + "/media/" + name;
        level.m_taken.Add(3);
        live.AddLevel(level);
    }
    ASSERT_TRUE(SchemeBackup(&live).Backup(pack));
    SetAppFolder(saved);
}

// Restores `pack` into `prog` in a child run of this test program, under strace with `traced`.
void StartRestoreChild(QProcess& child, const QString& strace, const QString& pack,
                       const QString& prog, QStringList traced) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kPackVar, pack);
    env.insert(kFolderVar, prog);
    child.setProcessEnvironment(env);
    traced << QCoreApplication::applicationFilePath() << "--gtest_filter=RestoreKillChild.*";
    child.start(strace, traced);
}

} // namespace

// The child of the tests below; on its own it has nothing to do.
TEST(RestoreKillChild, RestoresThePackItIsGiven) {
    if (qEnvironmentVariableIsEmpty(kPackVar))
        return;
    RestoreScheme(qEnvironmentVariable(kPackVar), qEnvironmentVariable(kFolderVar));
}

TEST(RestoreKill, AKillAtAnyRenameLeavesAllOldOrAllNewFilesAndNothingBehind) {
    const QString strace = UsableStrace();
    if (strace.isEmpty())
        GTEST_SKIP() << "no strace that may trace here";
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());

    const QString pack = root.filePath("p.TSC");
    makePack(root.filePath("source"), {"a.jpg", "b.jpg"}, pack);

    // What a whole restore leaves, and the folder before it.
    const QString prog = root.filePath("prog");
    const Files old = {{"TumoStatus.dat", "old status"}, {"default.TumoScheme", "old scheme"},
                       {"data.dat", "old data"},         {"index.dat", "old index"},
                       {"TumoScheme/a.jpg", "old a"},    {"tumo", "the program"}};
    writeFiles(prog, old);
    ASSERT_TRUE(RestoreScheme(pack, prog));
    const Files fresh = snapshot(prog);
    ASSERT_NE(fresh, old);
    ASSERT_EQ(fresh.value("TumoScheme/b.jpg"), QByteArray("new b.jpg"));

    // The same, killed at its first rename, its second, and so on until it runs to its end;
    // once more where the restore cannot finish (a folder stands where the index goes), so that
    // it is undone, and killed while it is undone.
    Files blocked = old;
    blocked.remove("index.dat");
    blocked.insert("index.dat/keep", "someone's file");
    const struct {
        const char* what;
        const Files& before;
        bool lands;
    } cases[] = {{"a restore", old, true}, {"a restore undone", blocked, false}};
    // The decision is the plan's arrival (a link of its written file); the moves are renames.
    const QStringList calls = {QStringLiteral("linkat"), QStringLiteral("rename")};
    for (const auto& c : cases) {
        int kills = 0;
        bool sawOld = false;
        bool sawNew = false;
        for (int i = 0, n = 1; i < calls.size() && n < 100; ++n) {
            const QString& call = calls[i];
            const std::string at =
                std::string(c.what) + ", killed at " + call.toStdString() + " " + std::to_string(n);
            writeFiles(prog, c.before);
            QProcess child;
            StartRestoreChild(
                child, strace, pack, prog,
                {"-f", "-qq", "-o", "/dev/null", "-e", "trace=" + call, "-e",
                 QStringLiteral("inject=%1:signal=SIGKILL:when=%2").arg(call).arg(n)});
            ASSERT_TRUE(child.waitForFinished(60000)) << at;
            const bool killed = child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0;

            RecoverSchemeFiles(prog); // the next start
            const Files after = snapshot(prog);
            EXPECT_TRUE(leftovers(prog).isEmpty())
                << at << ": " << leftovers(prog).join(' ').toStdString();
            EXPECT_TRUE(after == c.before || (c.lands && after == fresh))
                << at << ": " << QStringList(after.keys()).join(' ').toStdString();
            sawOld = sawOld || after == c.before;
            sawNew = sawNew || after == fresh;
            if (!killed) {
                ++i;
                n = 0;
                continue;
            }
            ++kills;
        }
        EXPECT_GE(kills, 5) << c.what << ": the steps the injection reached";
        EXPECT_TRUE(sawOld) << c.what;
        EXPECT_EQ(sawNew, c.lands) << c.what;
    }
}

// However many files a pack holds, they reach the disk with one sync, not one each.
TEST(RestoreKill, TheStagedFilesAreSyncedOnceForTheWholeRestore) {
    const QString strace = UsableStrace();
    if (strace.isEmpty())
        GTEST_SKIP() << "no strace that may trace here";
    QTemporaryDir root;
    QStringList pictures;
    for (int i = 0; i < 40; ++i)
        pictures << QStringLiteral("p%1.jpg").arg(i);
    const QString pack = root.filePath("p.TSC");
    makePack(root.filePath("source"), pictures, pack);
    const QString prog = root.filePath("prog");
    QDir().mkpath(prog);
    const QString log = root.filePath("trace");
    QProcess child;
    StartRestoreChild(child, strace, pack, prog,
                      {"-f", "-qq", "-y", "-o", log, "-e", "trace=fsync,fdatasync,syncfs,sync"});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitCode(), 0);
    ASSERT_EQ(QDir(prog + "/TumoScheme").entryList(QDir::Files).size(), pictures.size());
    int syncs = 0;
    for (const QByteArray& line : ReadBytes(log).split('\n')) {
        if (line.contains("sync") && line.contains(" = 0"))
            ++syncs;
    }
    // The staged files together, the plan and its folder, the folders the files went to.
    EXPECT_LE(syncs, 8) << ReadBytes(log).toStdString();
    EXPECT_GE(syncs, 1);
}
