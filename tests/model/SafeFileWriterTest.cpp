#include "model/SafeFileWriter.h"

#include "common/FileSizeLimit.h"
#include "common/Strace.h"
#include "model/BackgroundWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SafeFileWriterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

} // namespace

TEST_F(SafeFileWriterTest, WholeFileReplacesTheOldOne) {
    ASSERT_TRUE(SafeFileWriter::WriteWhole(path("a.txt"), "old"));
    ASSERT_TRUE(SafeFileWriter::WriteWhole(path("a.txt"), "new bytes"));
    EXPECT_EQ(readAll(path("a.txt")), QByteArray("new bytes"));
}

TEST_F(SafeFileWriterTest, FailedWriteOrFlushKeepsTheOldFileAndSaysWhy) {
    ASSERT_TRUE(SafeFileWriter::WriteWhole(path("a.txt"), "old"));
    // A few bytes wait in the buffer and fail at the flush; a large block fails in the write.
    for (qsizetype size : {3, 1 << 20}) {
        FileSizeLimit full(0);
        QString why;
        EXPECT_FALSE(SafeFileWriter::WriteWhole(path("a.txt"), QByteArray(size, 'n'), &why))
            << size;
        EXPECT_FALSE(why.isEmpty());
        EXPECT_EQ(readAll(path("a.txt")), QByteArray("old"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"}); // no temporary left
}

TEST_F(SafeFileWriterTest, StreamingWriteStopsAtTheFirstShortBlock) {
    SafeFileWriter w(path("b.dat"));
    {
        FileSizeLimit full(0);
        ASSERT_TRUE(w.open());
        EXPECT_FALSE(w.write(QByteArray(1 << 20, 'o')));
        EXPECT_FALSE(w.errorString().isEmpty());
    }
    EXPECT_FALSE(w.write("two"));
    EXPECT_FALSE(w.commit());
    EXPECT_FALSE(QFile::exists(path("b.dat")));
}

TEST_F(SafeFileWriterTest, FolderThatCannotBeWrittenFailsToOpen) {
    QString why;
    EXPECT_FALSE(SafeFileWriter::WriteWhole(path("missing/a.txt"), "x", &why));
    EXPECT_FALSE(why.isEmpty());
}

// ---- Power cuts ----------------------------------------------------------------------------
// A file renamed into place is lost in a power cut until its folder is synced. The writes run in
// a child process (this test program) under strace, which lists the renames into the folder and
// the syncs of the folder in their order.

namespace {

const char* const kChildFolderVar = "TUMO_SYNC_CHILD_FOLDER";
const char* const kChildModeVar = "TUMO_SYNC_CHILD_MODE";

} // namespace

// The child of the test below; on its own it has nothing to do.
TEST(FolderSyncChild, WritesWhatItIsAskedTo) {
    const QString folder = qEnvironmentVariable(kChildFolderVar);
    if (folder.isEmpty())
        return;
    const QString mode = qEnvironmentVariable(kChildModeVar);
    if (mode == QLatin1String("single")) {
        SafeFileWriter::WriteWhole(folder + "/a.dat", "first");
        SafeFileWriter::WriteWhole(folder + "/a.dat", "second");
    } else {
        BackgroundWriter writer;
        BackgroundWriter::Batch batch;
        for (const char* name : {"/status", "/scheme", "/winners"})
            batch.append({folder + name, [](QByteArray& bytes) {
                              bytes = "step";
                              return true;
                          }});
        writer.Submit(batch);
        writer.Flush();
    }
}

TEST(FolderSync, EveryStepIsInTheFolderOnDiskBeforeItCountsAsWritten) {
    const QString strace = UsableStrace();
    if (strace.isEmpty())
        GTEST_SKIP() << "no strace that may trace here";
    // P: a file renamed (or linked) into the folder; S: the folder synced.
    const struct {
        const char* mode;
        const char* calls;
    } cases[] = {
        {"single", "PSPS"}, // each file synced into place on its own
        {"batch", "PPPS"},  // a step of three files, made durable together
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        QTemporaryDir dir;
        const QString log = dir.filePath("trace");
        const QString folder = dir.filePath("folder");
        ASSERT_TRUE(QDir().mkpath(folder));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kChildFolderVar, folder);
        env.insert(kChildModeVar, c.mode);
        child.setProcessEnvironment(env);
        child.start(strace,
                    {"-f", "-qq", "-y", "-o", log, "-e", "trace=rename,linkat,fsync",
                     QCoreApplication::applicationFilePath(), "--gtest_filter=FolderSyncChild.*"});
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitCode(), 0);
        QString calls;
        // Only the final names count: a replaced file is first linked in under a name of its own.
        const QRegularExpression placed(
            QStringLiteral("(rename|linkat)\\(.*\"%1/(a\\.dat|status|scheme|winners)\"[,)]")
                .arg(QRegularExpression::escape(folder)));
        for (const QByteArray& line : readAll(log).split('\n')) {
            const QString text = QString::fromLocal8Bit(line);
            if (!text.contains(QLatin1String(" = 0")))
                continue;
            if (placed.match(text).hasMatch())
                calls += QLatin1Char('P');
            else if (text.contains(QRegularExpression(QStringLiteral("fsync\\(\\d+<") +
                                                      QRegularExpression::escape(folder) +
                                                      QStringLiteral(">\\)"))))
                calls += QLatin1Char('S');
        }
        EXPECT_EQ(calls.toStdString(), c.calls);
    }
}
