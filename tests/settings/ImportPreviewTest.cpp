#include "settings/ImportPreview.h"

#include "NumberPoolFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using numbertest::Utf16Le;
using numbertest::WriteFile;

namespace {

class ImportPreviewTest : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes) {
        QString path = dir.filePath(QStringLiteral("numbers.txt"));
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    QStringList Numbers(const ImportPreview& p) {
        QStringList out;
        for (const auto& row : p.rows)
            out << row.number;
        return out;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ImportPreviewTest, ListsTheFirstTwentyLinesOnly) {
    QByteArray text;
    for (int i = 1; i <= 30; ++i)
        text += QByteArray::number(i) + ",info " + QByteArray::number(i) + "\r\n";
    const ImportPreview p = ImportPreview::Read(Write(text), QStringLiteral(","), true);
    ASSERT_EQ(p.status, ImportPreview::Status::Listed);
    ASSERT_EQ(p.rows.size(), 20);
    EXPECT_EQ(p.rows[19].number, QStringLiteral("20"));
    EXPECT_EQ(p.rows[19].info, QStringLiteral("info 20"));
}

TEST_F(ImportPreviewTest, ShowsLinesAsReadUnlikeTheImport) {
    // An empty line and a line without a number are listed; backslash-n stays as it is.
    const QByteArray text = "x1;first\\nsecond\r\n\r\n;only info\r\n  7  ";
    const ImportPreview p = ImportPreview::Read(Write(text), QStringLiteral(";"), false);
    ASSERT_EQ(p.rows.size(), 4);
    EXPECT_EQ(p.rows[0].info, QStringLiteral("first\\nsecond"));
    EXPECT_EQ(p.rows[1].number, QString());
    EXPECT_EQ(p.rows[2].number, QStringLiteral("0"));
    EXPECT_EQ(p.rows[2].info, QStringLiteral(";only info"));
    EXPECT_EQ(p.rows[3].number, QStringLiteral("7"));

    // A line of white space has no number, even where it begins with the separator.
    const ImportPreview tabs = ImportPreview::Read(Write("\t \r\n5\tfive"), "\t", false);
    ASSERT_EQ(tabs.rows.size(), 2);
    EXPECT_EQ(tabs.rows[0].number, QString());
    EXPECT_EQ(tabs.rows[0].info, QString());
    EXPECT_EQ(tabs.rows[1].number, QStringLiteral("5"));
}

TEST_F(ImportPreviewTest, UpperCasesTheNumberOnlyWhenAsked) {
    const QString path = Write("ab12,seat b\r\n");
    EXPECT_EQ(ImportPreview::Read(path, QStringLiteral(","), true).rows[0].number,
              QStringLiteral("AB12"));
    EXPECT_EQ(ImportPreview::Read(path, QStringLiteral(","), true).rows[0].info,
              QStringLiteral("seat b"));
    EXPECT_EQ(ImportPreview::Read(path, QStringLiteral(","), false).rows[0].number,
              QStringLiteral("ab12"));
}

TEST_F(ImportPreviewTest, ReadsUtf16WithItsMarkAndALastLineWithoutLineEnd) {
    const QByteArray bytes =
        QByteArray("\xFF\xFE", 2) + Utf16Le(QStringLiteral("\u4e00\u53f7,A\r\nB7,last"));
    const ImportPreview p = ImportPreview::Read(Write(bytes), QStringLiteral(","), true);
    EXPECT_EQ(Numbers(p), (QStringList{QStringLiteral("\u4e00\u53f7"), QStringLiteral("B7")}));
    EXPECT_EQ(p.rows[1].info, QStringLiteral("last"));
}

TEST_F(ImportPreviewTest, RefusesBigEndianUtf16) {
    EXPECT_EQ(ImportPreview::Read(Write(QByteArray("\xFE\xFF\0A", 4)), QString(), true).status,
              ImportPreview::Status::NotUnicode);
    // Without its mark, valid UTF-8 is read as UTF-8 (as Linux writes text), anything else in
    // the Windows code page; a line may end with LF alone.
    const ImportPreview plain =
        ImportPreview::Read(Write("A1,caf\xC3\xA9\nB2,x"), QStringLiteral(","), true);
    ASSERT_EQ(plain.status, ImportPreview::Status::Listed);
    EXPECT_EQ(plain.rows[0].info, QStringLiteral("caf\u00e9"));
    EXPECT_EQ(Numbers(plain), (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
    const ImportPreview ansi =
        ImportPreview::Read(Write("A1,caf\xC3\xA9\nB2,caf\xE9"), QStringLiteral(","), true);
    EXPECT_EQ(ansi.rows[0].info, QStringLiteral("caf\u00c3\u00a9"));
    EXPECT_EQ(ansi.rows[1].info, QStringLiteral("caf\u00e9"));
}

TEST_F(ImportPreviewTest, AMissingFileListsNothing) {
    EXPECT_EQ(ImportPreview::Read(dir.filePath(QStringLiteral("none.txt")), QString(), true).status,
              ImportPreview::Status::NoFile);
    EXPECT_EQ(ImportPreview::Read(QString(), QString(), true).status,
              ImportPreview::Status::NoFile);
    EXPECT_EQ(ImportPreview::Read(dir.path(), QString(), true).status,
              ImportPreview::Status::NoFile);
}

TEST_F(ImportPreviewTest, ATooLongLineIsLeftOutAndThePreviewEnds) {
    QByteArray text = "A1\r\n" + QByteArray(9000, 'x') + "\r\nA2\r\n";
    const ImportPreview ansi = ImportPreview::Read(Write(text), QString(), true);
    EXPECT_TRUE(ansi.tooLong);
    EXPECT_EQ(Numbers(ansi), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));

    // A UTF-16 file without any line end, longer than one read block.
    const QByteArray wide = QByteArray("\xFF\xFE", 2) + Utf16Le(QString(50000, QLatin1Char('9')));
    const ImportPreview u = ImportPreview::Read(Write(wide), QString(), true);
    EXPECT_TRUE(u.tooLong);
    EXPECT_TRUE(u.rows.isEmpty());
}

TEST_F(ImportPreviewTest, TheExampleFileSplitsAtTheComma) {
    const ImportPreview p = ImportPreview::Read(
        QStringLiteral(TUMO_SOURCE_DIR "/src/resources/sam.txt"), QStringLiteral(","), true);
    ASSERT_EQ(p.status, ImportPreview::Status::Listed);
    ASSERT_EQ(p.rows.size(), ImportPreview::kMaxRows);
    EXPECT_EQ(p.rows[0].number, QStringLiteral("A001"));
    EXPECT_EQ(p.rows[0].info, QStringLiteral("Row 1 seat 1"));
}
