#include "DrawSequenceFakes.h"

#include "base/AppPaths.h"
#include "common/FileSizeLimit.h"
#include "show/WinnersFile.h"
#include "show/WinnersFileWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

} // namespace

TEST(WinnersFile, HeaderAndLinesByteForByte) {
    const QByteArray bytes = EncodeWinnersText({{"Gold", "042", "Hall A"}});
    EXPECT_TRUE(bytes.startsWith(QByteArray::fromHex("fffe 53004e002e002c00 50007200")));
    EXPECT_TRUE(bytes.endsWith(QByteArray::fromHex("41000d000a00"))); // "A" CR LF
    EXPECT_EQ(bytes, QByteArray::fromHex("fffe") +
                         Utf16("SN.,Prize level,Winning numbers,Additional information\r\n"
                               "1,Gold,042,Hall A\r\n"));
    EXPECT_EQ(EncodeWinnersText(QList<WinnerLine>()),
              QByteArray::fromHex("fffe") +
                  Utf16("SN.,Prize level,Winning numbers,Additional information\r\n"));
}

TEST(WinnersFile, PrizeLevelsFirstThenTheDefaultLevel) {
    DrawFixture f(20, 2, {1, 2, 1});
    f.Level(2).m_base.m_strName = "Silver";
    f.Level(0).m_base.m_strName = "renamed"; // level 0 is always listed as "Default Settings"
    f.Level(0).m_taken.Add(8);
    f.Level(2).m_taken.Add(4);
    f.Level(2).m_taken.Add(5);
    f.numbers->infos = QList<QString>(9);
    f.numbers->infos[5] = "Row 3, seat 4"; // commas stay as they are
    f.numbers->infos[8] = "line\r\nbreak"; // a line break stays on its line
    const QByteArray bytes =
        EncodeWinnersText(WinnersFileWriter::CollectWinners(f.status, *f.numbers));
    EXPECT_EQ(bytes, QByteArray::fromHex("fffe") +
                         Utf16("SN.,Prize level,Winning numbers,Additional information\r\n"
                               "1,Silver,5,\r\n"
                               "2,Silver,6,Row 3, seat 4\r\n"
                               "3,Default Settings,9,line\\nbreak\r\n"));
}

TEST(WinnersFile, WrittenToTheOutputFileAfterEachStep) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString savedFolder = g_strAppFolder;
    SetAppFolder(dir.path());
    DrawFixture f(20, 2, {3});
    f.Level(1).m_taken.Add(0);
    WinnersFileWriter writer(f.status, *f.numbers);
    writer.WriteWinnersText(); // the default name lies in the program folder
    QFile file(dir.filePath("WinningNumbers.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith(Utf16("1,Level 1,1,\r\n")));
    file.close();

    f.status.m_options.m_strAutoOutputFile = dir.filePath("missing/folder/out.txt");
    writer.WriteWinnersText(); // cannot be created: skipped, the draw goes on
    EXPECT_FALSE(QFile::exists(f.status.m_options.m_strAutoOutputFile));
    EXPECT_FALSE(SaveWinnersText(QString(), QByteArray("x")));
    SetAppFolder(savedFolder);
}

TEST(WinnersFile, OnlyWithAutomaticOutput) {
    for (int on : {0, 1}) {
        DrawFixture f(20, 2, {3});
        f.status.m_options.m_bAutoOutput = on;
        f.Begin();
        f.seq->OnDraw();
        EXPECT_EQ(f.rec.Only("winners").size(), on);
    }
}

TEST(WinnersFile, TheKeptTextsFollowEveryChangeOfTheDrawnLists) {
    DrawFixture f(3000, 4, {2500, 10});
    f.Level(1).m_base.m_strName = "Gold";
    WinnersFileWriter writer(f.status, *f.numbers);
    auto same = [&] {
        return EncodeWinnersText(writer.Snapshot()) ==
               EncodeWinnersText(WinnersFileWriter::CollectWinners(f.status, *f.numbers));
    };
    for (quint32 i = 0; i < 2100; ++i) // more than two blocks
        f.Level(1).m_taken.Add(i);
    const QList<WinnersLevel> before = writer.Snapshot();
    EXPECT_TRUE(same());
    f.Level(1).m_taken.Add(2999);
    f.Level(2).m_taken.Add(2998);
    EXPECT_TRUE(same());
    // A copy taken before stays as it was.
    EXPECT_EQ(before.first().Count(), 2100);
    f.Level(1).m_taken.RemoveAt(2048); // a removal cuts the list at the right place
    f.Level(1).m_taken.RemoveAt(1023);
    EXPECT_TRUE(same());
    f.Level(1).m_base.m_strName = "Platinum";
    f.Level(0).m_taken.Add(2997);
    EXPECT_TRUE(same());
    f.Level(1).m_taken.RemoveAll();
    EXPECT_TRUE(same());
}

TEST(WinnersFile, AFullDiskKeepsTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("WinningNumbers.txt");
    ASSERT_TRUE(SaveWinnersText(path, "old"));
    FileSizeLimit full(0);
    EXPECT_FALSE(SaveWinnersText(path, EncodeWinnersText(QList<WinnerLine>{{"a", "1", ""}})));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
}

TEST(WinnersFile, TheStateIsSavedAfterEveryStepRemovalAndLevelChange) {
    DrawFixture f(20, 2, {1, 3});
    f.status.m_options.m_bAutoOutput = 1;
    f.status.m_options.m_bAllowDelete = 1;
    f.Level(2).m_takeStyle.m_nStopMode = LotteryTakeStyle::StopCharacter;
    f.Begin();
    f.seq->OnDraw(); // level 1's only winner
    EXPECT_EQ(f.rec.saves, 1);
    f.seq->OnDraw(); // restarts on level 2: a level change
    EXPECT_EQ(f.rec.saves, 2);
    f.seq->OnSymbolsReady();
    // Style 1: the number is recorded with its first character, and the file follows its last.
    f.rec.log.clear();
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.saves, 3);
    EXPECT_TRUE(f.rec.Only("winners").isEmpty());
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.saves, 4);
    EXPECT_EQ(f.rec.Only("winners").size(), 1);
    // Taking the number back writes the winners file again.
    f.seq->OnDeleteWinning();
    f.seq->OnInfoTipResult(QStringLiteral("0"), 1);
    EXPECT_EQ(f.rec.saves, 5);
    EXPECT_EQ(f.rec.Only("winners").size(), 2);
}
