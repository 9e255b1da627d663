#include "settings/WinningList.h"
#include "base/AppPaths.h"
#include "model/TumoStatus.h"

#include <gtest/gtest.h>

namespace {

// Pool index i holds the number "N<i>" with the information "I<i>".
LoNuInfo ReadFake(quint32 index) {
    return LoNuInfo(qint32(index), QStringLiteral("N%1").arg(index),
                    QStringLiteral("I%1").arg(index));
}

// Prize levels First (indexes 4 and 9 drawn) and Second (index 2), an empty third level, and the
// default level with index 7.
void NoFiles(TumoStatus& status) {
    status.m_strDataFolder = QStringLiteral("/nonexistent");
    status.LoadAll(QStringLiteral("/nonexistent/none.TumoScheme"));
}

void FillLevels(TumoStatus& status) {
    NoFiles(status);
    GradeInfo level = status.Level(0);
    for (const char* name : {"First", "Second", "Third"}) {
        level.m_base.m_strName = QString::fromLatin1(name);
        status.AddLevel(level);
    }
    status.Level(1).m_taken.Add(4);
    status.Level(1).m_taken.Add(9);
    status.Level(2).m_taken.Add(2);
    status.Level(0).m_taken.Add(7);
}

TEST(WinningList, RowsRunAcrossTheLevelsWithTheNameInTheFirstRowOfEachBlock) {
    TumoStatus status;
    FillLevels(status);
    const QList<WinningList::Row> rows = WinningList::BuildRows(status, ReadFake);
    ASSERT_EQ(rows.size(), 4);
    const QStringList serials = {"1", "2", "3", "4"};
    const QStringList levels = {"First", "", "Second", "Other Winning numbers"};
    const QStringList numbers = {"N4", "N9", "N2", "N7"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i].serial, serials[i]);
        EXPECT_EQ(rows[i].level, levels[i]);
        EXPECT_EQ(rows[i].number, numbers[i]);
    }
    EXPECT_EQ(WinningList::BuildText(rows), "SN.,Name,Number,Additional information\r\n"
                                            "1,First,N4,I4\r\n"
                                            "2,First,N9,I9\r\n"
                                            "3,Second,N2,I2\r\n"
                                            "4,Other Winning numbers,N7,I7\r\n");
}

TEST(WinningList, NoWinnersGiveTheHeaderAlone) {
    TumoStatus status;
    NoFiles(status);
    EXPECT_TRUE(WinningList::BuildRows(status, ReadFake).isEmpty());
    EXPECT_EQ(WinningList::BuildText({}), "SN.,Name,Number,Additional information\r\n");
}

TEST(WinningList, MissingRecordsAreSafe) {
    TumoStatus status;
    FillLevels(status);
    const auto none = [](quint32) { return LoNuInfo(); };
    const QList<WinningList::Row> rows = WinningList::BuildRows(status, none);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[1].number.isEmpty());
    EXPECT_TRUE(rows[1].info.isEmpty());
}

TEST(WinningList, LineBreaksShowAsBackslashN) {
    EXPECT_EQ(WinningList::ShowLineBreaks(QStringLiteral("a\r\nb\r\n")), "a\\nb\\n");
    TumoStatus status;
    FillLevels(status);
    const auto broken = [](quint32) { return LoNuInfo(0, "7", "two\r\nlines"); };
    const QList<WinningList::Row> rows = WinningList::BuildRows(status, broken);
    EXPECT_EQ(rows[0].info, "two\\nlines");
    EXPECT_TRUE(WinningList::BuildText(rows).contains("1,First,7,two\\nlines\r\n"));
}

TEST(WinningList, FileIsUtf16LittleEndianWithByteOrderMark) {
    EXPECT_EQ(WinningList::FileBytes(QStringLiteral("A\u00e9\u4e2d")),
              QByteArray("\xFF\xFE"
                         "A\x00\xE9\x00\x2D\x4E",
                         8));
}

TEST(WinningList, AutoOutputNameWithoutFolderLiesInTheProgramFolder) {
    SetAppFolder(QStringLiteral("/opt/tumo"));
    EXPECT_EQ(WinningList::CompleteOutputPath("WinningNumbers.txt"),
              "/opt/tumo/WinningNumbers.txt");
    EXPECT_EQ(WinningList::CompleteOutputPath("/home/op/w.txt"), "/home/op/w.txt");
    EXPECT_EQ(WinningList::CompleteOutputPath("D:\\show\\w.txt"), "D:\\show\\w.txt");
    EXPECT_EQ(WinningList::AutoOutputCaption("/opt/tumo/w.txt"),
              "Output winning numbers to a TXT file \"/opt/tumo/w.txt\" at the same time.");
}

} // namespace
