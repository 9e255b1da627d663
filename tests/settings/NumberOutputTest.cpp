#include "settings/NumberOutput.h"

#include "NumberPoolFixture.h"
#include "common/FileSizeLimit.h"

#include <QFile>
#include <QFileDevice>
#include <gtest/gtest.h>

using numbertest::ReadFile;
using numbertest::Utf16Le;

namespace {

class NumberOutputTest : public numbertest::PoolFixture {};

} // namespace

TEST_F(NumberOutputTest, WritesEveryRecordSoThatTheImportReadsItBack) {
    pool.Clear();
    ASSERT_EQ(pool.AddNumber(QStringLiteral("A\t1"), QStringLiteral("Row 3\r\nseat 12")), 0);
    ASSERT_EQ(pool.AddNumber(QStringLiteral("B2"), QString()), 0);
    const QString path = Path(QStringLiteral("output.txt"));
    ASSERT_EQ(NumberOutput::Write(pool, path), NumberOutput::Result::Written);
    EXPECT_EQ(ReadFile(path), QByteArray("\xFF\xFE", 2) +
                                  Utf16Le(QStringLiteral("A\t1,Row 3\\nseat 12\r\nB2,\r\n")));

    // Read back: the same numbers and information.
    pool.Clear();
    ASSERT_EQ(pool.ImportFromFile(path, QStringLiteral(","), 0), 1);
    ASSERT_EQ(pool.GetCount(), 2u);
    EXPECT_EQ(pool.ReadNumber(0).m_strNumber, QStringLiteral("A\t1"));
    EXPECT_EQ(pool.ReadNumber(0).m_strInfo, QStringLiteral("Row 3\r\nseat 12"));
}

TEST_F(NumberOutputTest, ReplacesAnOldFileWhole) {
    const QString path = Path(QStringLiteral("output.txt"));
    ASSERT_TRUE(numbertest::WriteFile(path, QByteArray(100000, 'z')));
    ASSERT_EQ(NumberOutput::Write(pool, path), NumberOutput::Result::Written);
    const QByteArray bytes = ReadFile(path);
    EXPECT_TRUE(bytes.startsWith(
        QByteArray(QByteArray("\xFF\xFE", 2) + Utf16Le(QStringLiteral("1,Info.1\r\n")))));
    EXPECT_TRUE(bytes.endsWith(Utf16Le(QStringLiteral("100,Info.100\r\n"))));
    EXPECT_FALSE(bytes.contains('z'));
}

TEST_F(NumberOutputTest, AFileThatCannotBeCreatedIsReported) {
    EXPECT_EQ(NumberOutput::Write(pool, Path(QStringLiteral("no/such/folder/out.txt"))),
              NumberOutput::Result::OpenFailed);
}

TEST_F(NumberOutputTest, AFullDiskIsAWriteFailureAndKeepsTheOldFile) {
    const QString path = Path(QStringLiteral("output.txt"));
    ASSERT_TRUE(numbertest::WriteFile(path, "old"));
    FileSizeLimit full(0);
    EXPECT_EQ(NumberOutput::Write(pool, path), NumberOutput::Result::WriteFailed);
    EXPECT_EQ(ReadFile(path), QByteArray("old"));
}

TEST_F(NumberOutputTest, ADamagedPoolLeavesTheOldFileInPlace) {
    const QString path = Path(QStringLiteral("output.txt"));
    ASSERT_TRUE(numbertest::WriteFile(path, "old"));
    // Break the 50th record's end marker behind the pool's back.
    QFile data(Path(QStringLiteral("data.dat")));
    ASSERT_TRUE(data.open(QIODevice::ReadWrite));
    const QByteArray all = data.readAll();
    const qsizetype at = all.indexOf(Utf16Le(QStringLiteral("50")));
    ASSERT_GT(at, 0);
    data.seek(at + 4);
    data.write(QByteArray("\x00\x00\x00\x00", 4));
    data.close();
    EXPECT_EQ(NumberOutput::Write(pool, path), NumberOutput::Result::WriteFailed);
    EXPECT_EQ(ReadFile(path), QByteArray("old"));
}
