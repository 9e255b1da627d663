#include "SymbolTestUtil.h"

#include "common/RecordingPrompter.h"
#include "model/LotteryMask.h"
#include "show/SymbolCommands.h"
#include "show/SymbolSet.h"

#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace {

class HideRecorder : public SymbolCommands {
public:
    QList<int> hidden;
    void HideSlot(int slot) override { hidden << slot; }
    void StopPosition(int, int, int) override {}
    void Roll(int, int) override {}
    void ShowFrameOnAll(int) override {}
    void SetCount(int) override {}
    void Layout() override {}
    void SetGrade(const GradeInfo&) override {}
    void ReportLanding(int) override {}
};

LotteryMask Mask(std::initializer_list<quint32> bits) {
    LotteryMask mask;
    for (quint32 bit : bits) {
        SUINT entry;
        entry.m_nValue = bit;
        entry.m_nFlag = 1;
        mask.m_listBits.append(entry);
    }
    return mask;
}

TEST(SymbolSetTest, CharacterFramesFollowTheSetAndUnknownOnesShowTheMask) {
    SymbolSet set(nullptr);
    set.m_symbolChars = QStringLiteral("0123456789");
    EXPECT_EQ(set.SymbolIndexOf(u'0'), 2);
    EXPECT_EQ(set.SymbolIndexOf(u'9'), 11);
    EXPECT_EQ(set.SymbolIndexOf(u'A'), 1);
    set.m_symbolChars = QStringLiteral("A0A");
    EXPECT_EQ(set.SymbolIndexOf(u'A'), 2) << "the first occurrence counts";
    set.m_symbolChars.clear();
    EXPECT_EQ(set.SymbolIndexOf(u'0'), 1);
}

TEST(SymbolSetTest, MaskedPositionsStopOnTheMaskFrame) {
    QList<int> frames{5, 6, 7, 8};
    SymbolSet::ApplyMaskBits(frames, Mask({1, 0, 1}));
    EXPECT_EQ(frames, QList<int>({1, 6, 1, 8}));

    QList<int> shorter{5, 6};
    SymbolSet::ApplyMaskBits(shorter, Mask({0, 1, 1, 1, 1}));
    EXPECT_EQ(shorter, QList<int>({5, 1}));
    SymbolSet::ApplyMaskBits(shorter, Mask({2, 7}));
    EXPECT_EQ(shorter, QList<int>({5, 1})) << "only the value 1 masks";
}

class HideSurplusTest : public ::testing::Test {
protected:
    HideSurplusTest() { symtest::SetLevels(status, 3, 1, 5, 4); }
    void Left(int perScreen, int quantity, int taken) {
        GradeInfo& level = status.Level(1);
        level.m_base.m_nPerScreen = perScreen;
        level.m_base.m_nQuantity = quantity;
        level.m_taken.RemoveAll();
        for (int i = 0; i < taken; ++i)
            level.m_taken.Add(quint32(i));
    }
    bool Hide() {
        return SymbolSet::HideSurplusSlots(status, status.CurrentLevel(), false, worker);
    }

    symtest::ProgramFolder folder;
    TumoStatus status;
    HideRecorder worker;
};

TEST_F(HideSurplusTest, ShortLastScreenFillsTheMiddleSlots) {
    status.m_nFirstSlot = 9;
    Left(5, 12, 10);
    EXPECT_TRUE(Hide());
    EXPECT_EQ(status.m_nFirstSlot, 1);
    EXPECT_EQ(worker.hidden, QList<int>({0, 3, 4}));

    worker.hidden.clear();
    Left(3, 4, 2);
    EXPECT_TRUE(Hide());
    EXPECT_EQ(status.m_nFirstSlot, 0);
    EXPECT_EQ(worker.hidden, QList<int>({2}));
}

TEST_F(HideSurplusTest, AWholeScreenAheadStartsAtTheTop) {
    // A first slot left from another level's short screen would put numbers past the last slot.
    for (int perScreen : {3, 0, -2}) {
        status.m_nFirstSlot = 9;
        Left(perScreen, 6, 3); // 3 left; no numbers on the screen count as one
        EXPECT_FALSE(Hide()) << perScreen;
        EXPECT_EQ(status.m_nFirstSlot, 0) << perScreen;
    }
    // The default level's screens are always whole, whatever is left.
    status.m_nFirstSlot = 9;
    status.SetCurrentLevel(0);
    status.Level(0).m_base.m_nPerScreen = 5;
    status.Level(0).m_base.m_nQuantity = 2;
    EXPECT_FALSE(Hide());
    EXPECT_EQ(status.m_nFirstSlot, 0);
    EXPECT_TRUE(worker.hidden.isEmpty());
}

TEST_F(HideSurplusTest, NothingOnADoneLevelInDesignModeOrWithoutALevel) {
    status.m_nFirstSlot = 9;
    Left(3, 6, 6); // none left: the finished screen stays as it is
    EXPECT_FALSE(Hide());
    Left(3, 6, 8); // more drawn than winners
    EXPECT_FALSE(Hide());
    Left(5, 2, 0);
    EXPECT_FALSE(SymbolSet::HideSurplusSlots(status, status.CurrentLevel(), true, worker));
    EXPECT_FALSE(SymbolSet::HideSurplusSlots(status, nullptr, false, worker));
    EXPECT_TRUE(worker.hidden.isEmpty());
    EXPECT_EQ(status.m_nFirstSlot, 9);
}

TEST_F(HideSurplusTest, TheLevelGivenCountsNotTheStatusPointer) {
    // A level being applied may not be the status's current one yet.
    Left(5, 10, 0);
    GradeInfo applied = status.Level(1);
    applied.m_base.m_nQuantity = 1;
    EXPECT_TRUE(SymbolSet::HideSurplusSlots(status, &applied, false, worker));
    EXPECT_EQ(status.m_nFirstSlot, 2);
    EXPECT_EQ(worker.hidden, QList<int>({0, 1, 3, 4}));
}

TEST(SymbolSetTextTest, CheckReportsLevelsThatLackPoolCharacters) {
    const QString pool = QStringLiteral("0123456789");
    EXPECT_EQ(SymbolSet::CheckSymbolText(pool, {{"First", "0123456789ABC"}, {"Second", pool}}),
              QString());
    EXPECT_EQ(SymbolSet::CheckSymbolText(pool, {{"First", pool}, {"Second", "012345678"}}),
              QStringLiteral("The bits of all prize draw numbers are:\"0123456789\", but the bits "
                             "of the symbol in the prize:\n"
                             "\"Second\" are:\"012345678\"\n"
                             "If you ignore this, the unknown bit will be shown as mask bit."));
}

TEST(SymbolSetTextTest, EmptySetIsReportedEvenForAnEmptyPool) {
    EXPECT_EQ(SymbolSet::CheckSymbolText(QString(), {{"A", "01"}, {"B", ""}}),
              QStringLiteral("The bits of all prize draw numbers are:\"\", but the bits of the "
                             "symbol in the prize:\n\"B\" are:\"\"\n"
                             "If you ignore this, the unknown bit will be shown as mask bit."));
    EXPECT_EQ(SymbolSet::CheckSymbolText(QString(), {{"A", "01"}}), QString());
}

TEST(SymbolSetTextTest, MissingStartCharacterListsEveryLevelConcerned) {
    EXPECT_EQ(SymbolSet::MissingSymbolsText(u'0', {{"A", "0123"}, {"B", "0"}}), QString());
    EXPECT_EQ(SymbolSet::MissingSymbolsText(u'0', {{"A", "ABC"}, {"B", "0"}, {"C", ""}}),
              QStringLiteral("The symbol of those prizes: \"A\",\"C\", can not recognise the "
                             "bit(s) \"0\",  the symbol will stop to the mask bit when program "
                             "start up in those prizes."));
}

TEST(SymbolSetTextTest, StartCharacterIsAWindowsCodePageByte) {
    EXPECT_EQ(SymbolSet::StartChar('7'), QChar(u'7'));
    EXPECT_EQ(SymbolSet::StartChar(0x80), QChar(0x20AC)); // the euro sign
}

// The checks over real files and a reader that knows the sets by file name.
class SymbolSetFileTest : public ::testing::Test {
protected:
    SymbolSetFileTest()
        : set(&prompter, [this](const QString& path, const QString& name) {
              reads << QFileInfo(path).fileName();
              EXPECT_EQ(name, "_root._level0.SymbolsBits");
              return sets.contains(QFileInfo(path).fileName())
                         ? std::optional<QString>(sets.value(QFileInfo(path).fileName()))
                         : std::nullopt;
          }) {
        symtest::SetLevels(status, 3, 1, 1, 4);
        status.m_nuBase.m_strChars = QStringLiteral("0123456789");
        sets.insert("defsym.swf", "0123456789");
    }
    void UseMovie(int level, const QString& name) {
        QFile(folder.Path(name)).open(QIODevice::WriteOnly);
        status.Level(level).m_sym.m_strDefaultFile = folder.Path(name);
    }

    symtest::ProgramFolder folder;
    TumoStatus status;
    RecordingPrompter prompter;
    QMap<QString, QString> sets;
    QStringList reads;
    SymbolSet set;
};

TEST_F(SymbolSetFileTest, CheckReadsEveryLevelAndStoresTheFallbackMovie) {
    UseMovie(1, "letters.swf");
    sets.insert("letters.swf", "ABC");
    status.Level(2).m_sym.m_strDefaultFile = folder.Path("gone.swf");
    status.Level(1).m_base.m_strName = "Grand";

    const QString text = set.CheckSymbolFile(status);
    EXPECT_EQ(reads, QStringList({"defsym.swf", "letters.swf", "defsym.swf"}));
    EXPECT_TRUE(text.contains("\"Grand\" are:\"ABC\"\n"));
    EXPECT_FALSE(text.contains("Level 2"));
    EXPECT_EQ(status.Level(2).m_sym.m_strDefaultFile, folder.Path("defsym.swf"));
    EXPECT_EQ(status.Level(1).m_sym.m_strDefaultFile, folder.Path("letters.swf"));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(SymbolSetFileTest, UnreadableMovieStopsTheCheckWithItsMessage) {
    UseMovie(1, "flash.swf"); // exists, but the reader cannot play it
    sets.insert("bad.swf", "x");
    EXPECT_EQ(set.CheckSymbolFile(status), QString());
    EXPECT_EQ(prompter.messages, QStringList(SymbolSet::IncompatibleText()));
    EXPECT_EQ(reads.size(), 2) << "later levels are not read";
}

TEST_F(SymbolSetFileTest, MissingStartCharacterCheckHasNoFallback) {
    status.m_options.m_chStartSymbol = 'A';
    UseMovie(2, "letters.swf");
    sets.insert("letters.swf", "ABC");
    EXPECT_EQ(set.ListMissingSymbols(status),
              QStringLiteral("The symbol of those prizes: \"Level 0\",\"Level 1\", can not "
                             "recognise the bit(s) \"A\",  the symbol will stop to the mask bit "
                             "when program start up in those prizes."));

    status.Level(0).m_sym.m_strDefaultFile = folder.Path("gone.swf");
    EXPECT_EQ(set.ListMissingSymbols(status), QString());
    EXPECT_EQ(prompter.messages, QStringList(SymbolSet::IncompatibleText()));
}

TEST_F(SymbolSetFileTest, LoadSymbolSetFallsBackToTheProgramsDefaultMovie) {
    UseMovie(1, "letters.swf");
    sets.insert("letters.swf", "ABC");
    EXPECT_EQ(set.LoadSymbolSet(status), "ABC");
    EXPECT_EQ(set.m_symbolChars, "ABC");

    status.Level(1).m_sym.m_strDefaultFile = folder.Path("gone.swf");
    EXPECT_EQ(set.LoadSymbolSet(status), "0123456789");
    EXPECT_EQ(status.Level(1).m_sym.m_strDefaultFile, folder.Path("gone.swf"));

    sets.clear();
    EXPECT_EQ(set.LoadSymbolSet(status), QString());
    EXPECT_TRUE(set.m_symbolChars.isEmpty());
    EXPECT_EQ(prompter.messages, QStringList(SymbolSet::IncompatibleText()));
}

TEST(SymbolSetMovieTest, RealMovieFilesPublishTheirSet) {
    symtest::ProgramFolder folder;
    symtest::WriteSymbols(folder.Path("letters.swf"), "XYZ");
    EXPECT_EQ(
        SymbolSet::ReadMovieVariable(folder.Path("letters.swf"), SymbolSet::SymbolsBitsVariable()),
        std::optional<QString>("XYZ"));
    EXPECT_FALSE(
        SymbolSet::ReadMovieVariable(folder.Path("none.swf"), SymbolSet::SymbolsBitsVariable()));
}

} // namespace
