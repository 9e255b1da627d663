#include "model/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SafeFileWriterTest : public ::testing::Test {
protected:
    void TearDown() override { SafeFileWriter::SetFailureInjector({}); }
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
    // The first call fails the write itself, the second lets the write pass and fails the flush.
    for (int failAt : {1, 2}) {
        int calls = 0;
        SafeFileWriter::SetFailureInjector([&](const QString&) { return ++calls == failAt; });
        QString why;
        EXPECT_FALSE(SafeFileWriter::WriteWhole(path("a.txt"), "new", &why)) << failAt;
        EXPECT_FALSE(why.isEmpty());
        EXPECT_EQ(readAll(path("a.txt")), QByteArray("old"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"}); // no temporary left
}

TEST_F(SafeFileWriterTest, StreamingWriteStopsAtTheFirstShortBlock) {
    SafeFileWriter::SetFailureInjector([](const QString& p) { return p.endsWith("b.dat"); });
    SafeFileWriter w(path("b.dat"));
    ASSERT_TRUE(w.open());
    EXPECT_FALSE(w.write("one"));
    SafeFileWriter::SetFailureInjector({});
    EXPECT_FALSE(w.write("two"));
    EXPECT_FALSE(w.commit());
    EXPECT_FALSE(QFile::exists(path("b.dat")));
}

TEST_F(SafeFileWriterTest, FolderThatCannotBeWrittenFailsToOpen) {
    QString why;
    EXPECT_FALSE(SafeFileWriter::WriteWhole(path("missing/a.txt"), "x", &why));
    EXPECT_FALSE(why.isEmpty());
}
