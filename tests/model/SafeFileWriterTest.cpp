#include "model/SafeFileWriter.h"

#include "common/FileSizeLimit.h"

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
