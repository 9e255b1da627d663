#include "model/TumoStatus.h"
#include "LevelTestUtil.h"
#include "RecordTestUtil.h"
#include "common/FileSizeLimit.h"
#include "common/RecordingPrompter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <csignal>
#include <sys/resource.h>

using namespace recordtest;
using namespace leveltest;

namespace {

const QString kIncompatible = QStringLiteral("The system detect a incompatible data file!");
const QString kWriteError = QStringLiteral("Write Error!");

class Status : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_savedFolder = g_strAppFolder;
        SetAppFolder(m_dir.path());
    }
    void TearDown() override { g_strAppFolder = m_savedFolder; }

    QString folder() const { return m_dir.path(); }
    QString statusPath() const { return folder() + QStringLiteral("/TumoStatus.dat"); }
    QString schemePath() const { return folder() + QStringLiteral("/default.TumoScheme"); }

    // A status root as the main window sets it up, before LoadAll.
    std::unique_ptr<TumoStatus> fresh() {
        auto s = std::make_unique<TumoStatus>(&m_prompter);
        s->m_strDataFolder = folder();
        return s;
    }
    std::unique_ptr<TumoStatus> loaded() {
        auto s = fresh();
        EXPECT_TRUE(s->LoadAll());
        return s;
    }

    // A root with the default level and three prize levels that use every record.
    std::unique_ptr<TumoStatus> threeLevels() {
        auto s = fresh();
        s->SetLevels({loadedDefaultLevel(), fullLevel(1), fullLevel(2), fullLevel(3)});
        s->SetCurrentLevel(2);
        s->m_nuBase.m_nCount = 100;
        s->m_nuBase.m_nDigits = 3;
        s->m_nuBase.m_strChars = QStringLiteral("0123456789");
        s->m_options.m_nMonitor = 2;
        s->m_options.m_bShowButtons = 0;
        s->m_options.m_strOutputFile = inFolder(QStringLiteral("exports/w.txt"));
        s->m_options.m_strAutoOutputFile = inFolder(QStringLiteral("WinningNumbers.txt"));
        s->m_options.m_accel[2] = AccelEntry{AccelEntry::FVIRTKEY, 0x0D, 110};
        s->RecomputeDefaultGradeTotal();
        return s;
    }

    // The status file's current level (its second field) set to a value no save would write.
    void patchStoredCurrent(qint32 current) {
        QByteArray bytes = read(statusPath());
        ASSERT_GE(bytes.size(), 8);
        qToLittleEndian(current, bytes.data() + 4);
        write(statusPath(), bytes);
    }

    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    RecordingPrompter m_prompter;

private:
    QTemporaryDir m_dir;
    QString m_savedFolder;
};

// Levels of one root compared with those of another, 0 to LastGrade().
void expectSameLevels(const TumoStatus& a, const TumoStatus& b) {
    ASSERT_EQ(a.LastGrade(), b.LastGrade());
    ASSERT_EQ(a.LevelCount(), b.LevelCount());
    for (qsizetype i = 0; i < a.LevelCount(); ++i)
        EXPECT_TRUE(a.Level(i) == b.Level(i)) << "level " << i;
}

} // namespace

// ---- File contents -----------------------------------------------------------------------------

TEST_F(Status, StatusFileBytes) {
    auto s = threeLevels();
    s->RemoveLevel(3);
    s->SetCurrentLevel(1);
    ASSERT_TRUE(s->SaveAll());
    EXPECT_EQ(read(statusPath()),
              hex("02000000 01000000 01000000 03000000 64000000 00000000 00000000") +
                  str(QStringLiteral("0123456789")));
}

TEST_F(Status, SchemeFileStartsWithTheOptionsThenTaggedLevels) {
    auto s = threeLevels();
    OtherOption options = s->m_options;
    const QByteArray optionBytes = store(options);
    ASSERT_TRUE(s->SaveAll());
    const QByteArray file = read(schemePath());
    ASSERT_TRUE(
        file.startsWith(QByteArray(optionBytes + hex("0400 ffff 0100 0900") + "GradeInfo")));

    // The second level carries the class reference to "GradeInfo" (index 1).
    Archive ar(file);
    OtherOption o;
    o.Serialize(ar);
    EXPECT_EQ(ar.ReadCount(), 4u);
    ar.ReadObjectTag("GradeInfo");
    GradeInfo first;
    first.Serialize(ar);
    const qsizetype at = file.size() - ar.remaining();
    EXPECT_EQ(file.mid(at, 2), hex("0180"));
}

TEST_F(Status, ThreeLevelSchemeRoundTrips) {
    auto original = threeLevels();
    auto expected = threeLevels(); // the original's paths turn relative when it is saved
    ASSERT_TRUE(original->SaveAll());
    const QByteArray statusBytes = read(statusPath());
    const QByteArray schemeBytes = read(schemePath());

    auto back = loaded();
    expectSameLevels(*back, *expected);
    EXPECT_EQ(back->m_options, expected->m_options);
    EXPECT_EQ(back->m_nuBase, expected->m_nuBase);
    EXPECT_EQ(back->CurGradeIndex(), 2);
    EXPECT_TRUE(m_prompter.messages.isEmpty());

    ASSERT_TRUE(back->SaveAll());
    EXPECT_EQ(read(statusPath()), statusBytes);
    EXPECT_EQ(read(schemePath()), schemeBytes);
}

// Enough winners in the default level that the classes the prize levels enter next take indexes
// of 0x7FFF and above, so their later references take the long form.
TEST_F(Status, ManyWinnersRoundTripByteForByte) {
    constexpr quint32 kWinners = 40000;
    auto build = [this] {
        auto s = threeLevels();
        for (quint32 i = 0; i < kWinners; ++i)
            s->Level(0).m_taken.Add(i * 3);
        return s;
    };
    auto original = build();
    auto expected = build();
    ASSERT_TRUE(original->SaveAll());
    const QByteArray scheme = read(schemePath());

    // The default level's list: its count twice (the record's, the list's), the first entry, then
    // every later entry as the same two-byte class reference, the flag 1 and the pool index.
    const qsizetype counts = scheme.indexOf(hex("409c0000 409c"));
    ASSERT_GT(counts, 0);
    qsizetype at = counts + 6;
    ASSERT_EQ(scheme.mid(at, 11), QByteArray(hex("ffff 0100 0500") + "SUINT"));
    at += 11;
    EXPECT_EQ(scheme.mid(at, 8), hex("01000000 00000000"));
    at += 8;
    const QByteArray reference = scheme.mid(at, 2);
    EXPECT_EQ(quint8(reference[1]) & 0x80, 0x80);
    for (quint32 i = 1; i < kWinners; ++i, at += 10) {
        QByteArray entry = QByteArray(reference + hex("01000000") + QByteArray(4, '\0'));
        qToLittleEndian(i * 3, entry.data() + 6);
        ASSERT_EQ(scheme.mid(at, 10), entry) << "entry " << i;
    }
    // The text panels' class is first entered by the first prize level, past index 0x7FFF: the
    // next level refers to it in the long form.
    const qsizetype panel = scheme.indexOf(QByteArray("APanel"));
    const qsizetype longTag = scheme.indexOf(hex("ff7f"), panel);
    ASSERT_GT(panel, at);
    ASSERT_GT(longTag, panel);
    const quint32 tag = qFromLittleEndian<quint32>(scheme.constData() + longTag + 2);
    EXPECT_EQ(tag & 0x80000000u, 0x80000000u);
    EXPECT_GE(tag & 0x7FFFFFFFu, 0x7FFFu);

    auto back = loaded();
    expectSameLevels(*back, *expected);
    EXPECT_TRUE(m_prompter.messages.isEmpty());
    ASSERT_TRUE(back->SaveAll());
    EXPECT_EQ(read(schemePath()), scheme);
}

TEST_F(Status, SchemeToAnotherPath) {
    auto s = threeLevels();
    const QString other = folder() + QStringLiteral("/backup.TumoScheme");
    EXPECT_EQ(s->SaveScheme(QStringLiteral("backup.TumoScheme")), 1);
    auto back = fresh();
    EXPECT_EQ(back->LoadScheme(other), 1);
    EXPECT_EQ(back->LastGrade(), 3);
    EXPECT_EQ(back->Level(2), fullLevel(2));
}

// ---- Loading and its failure rules -------------------------------------------------------------

TEST_F(Status, FirstRunWithoutFiles) {
    auto s = loaded();
    ASSERT_EQ(s->LevelCount(), 1);
    EXPECT_EQ(s->LastGrade(), 0);
    EXPECT_EQ(s->Level(0).m_base.m_strName, QStringLiteral("Default Settings"));
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, 0); // the pool count known then
    EXPECT_EQ(s->CurrentLevel(), &s->Level(0));
    EXPECT_TRUE(m_prompter.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(statusPath()));
}

TEST_F(Status, SchemeWithoutStatusFileIsDeleted) {
    ASSERT_TRUE(threeLevels()->SaveAll());
    QFile::remove(statusPath());
    auto s = loaded();
    EXPECT_FALSE(QFile::exists(schemePath()));
    EXPECT_EQ(s->LevelCount(), 1);
    EXPECT_TRUE(m_prompter.messages.isEmpty());
}

TEST_F(Status, StatusWithoutSchemeKeepsItsValues) {
    auto saved = threeLevels();
    saved->m_bShowGuide = 0;
    ASSERT_TRUE(saved->SaveAll());
    QFile::remove(schemePath());
    auto s = loaded();
    EXPECT_EQ(s->LevelCount(), 1);
    EXPECT_EQ(s->LastGrade(), 0);
    EXPECT_EQ(s->m_bShowGuide, 0);
    EXPECT_EQ(s->m_nuBase.m_nCount, 100);
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, 100);
    EXPECT_EQ(s->CurGradeIndex(), 0); // the stored 2 is outside the list now
    EXPECT_TRUE(m_prompter.messages.isEmpty());
}

TEST_F(Status, DamagedStatusFileIsReportedAndDeletedButTheSchemeLoads) {
    ASSERT_TRUE(threeLevels()->SaveAll());
    const QByteArray bytes = read(statusPath());
    write(statusPath(), bytes.left(18)); // cut inside the pool count
    auto s = loaded();
    EXPECT_EQ(m_prompter.messages, QStringList{kIncompatible});
    EXPECT_FALSE(QFile::exists(statusPath()));
    EXPECT_TRUE(QFile::exists(schemePath()));
    EXPECT_EQ(s->LastGrade(), 3);
    EXPECT_EQ(s->m_nuBase.m_nDigits, 3); // read before the cut
    EXPECT_EQ(s->m_nuBase.m_nCount, 0);  // default
    EXPECT_EQ(s->CurGradeIndex(), 2);
}

TEST_F(Status, UnreadableStatusFileIsNotMissing) {
    ASSERT_TRUE(threeLevels()->SaveAll());
    QFile::remove(statusPath());
    ASSERT_TRUE(QDir(folder()).mkdir(QStringLiteral("TumoStatus.dat"))); // exists, cannot be read
    auto s = loaded();
    EXPECT_TRUE(QFile::exists(schemePath()));
    EXPECT_EQ(s->LastGrade(), 3);
    EXPECT_EQ(s->Level(1), fullLevel(1)); // winners kept
    EXPECT_TRUE(QFileInfo(statusPath()).isDir());
}

TEST_F(Status, DamagedSchemeIsReportedAndMovedAside) {
    auto saved = threeLevels();
    ASSERT_TRUE(saved->SaveAll());
    const QByteArray bytes = read(schemePath());
    // Cut inside the third level: find where the fourth level (index 3) begins.
    Archive ar(bytes);
    OtherOption o;
    o.Serialize(ar);
    ar.ReadCount();
    for (int i = 0; i < 3; ++i) {
        ar.ReadObjectTag("GradeInfo");
        GradeInfo g;
        g.Serialize(ar);
    }
    const QByteArray cut = bytes.left(bytes.size() - ar.remaining() - 40);
    write(schemePath(), cut);
    write(schemePath() + ".bad", "an older damaged scheme");
    // A dangling link where a copy could go is a taken name, never written through.
    ASSERT_TRUE(QFile::link(folder() + "/elsewhere.txt", schemePath() + ".bad.2"));

    auto s = loaded();
    EXPECT_EQ(m_prompter.messages, QStringList{kIncompatible});
    EXPECT_FALSE(QFile::exists(schemePath()));
    // Its levels and winners are not lost: the cut file is kept whole beside the older copies.
    EXPECT_EQ(read(schemePath() + ".bad"), "an older damaged scheme");
    EXPECT_FALSE(QFile::exists(folder() + "/elsewhere.txt"));
    EXPECT_EQ(read(schemePath() + ".bad.3"), cut);
    ASSERT_EQ(s->LevelCount(), 1);
    EXPECT_EQ(s->LastGrade(), 0);
    EXPECT_EQ(s->m_options.m_nMonitor, 2); // options read before the damage stay
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, 100);
}

TEST_F(Status, EmptySchemeFileIsDamaged) {
    ASSERT_TRUE(threeLevels()->SaveAll());
    write(schemePath(), QByteArray());
    auto s = loaded();
    EXPECT_EQ(m_prompter.messages, QStringList{kIncompatible});
    EXPECT_FALSE(QFile::exists(schemePath()));
    EXPECT_TRUE(QFile::exists(schemePath() + ".bad"));
    EXPECT_EQ(s->LevelCount(), 1);

    // A second damaged scheme is kept beside the first, under the next name.
    write(schemePath(), "short");
    loaded();
    EXPECT_EQ(read(schemePath() + ".bad"), QByteArray());
    EXPECT_EQ(read(schemePath() + ".bad.2"), "short");
}

TEST_F(Status, SchemeWithoutLevelsGetsOneDefaultLevelForThePool) {
    auto s = fresh();
    s->m_nuBase.m_nCount = 75;
    Archive ar;
    OtherOption().Serialize(ar);
    ar.WriteCount(0);
    write(schemePath(), ar.data());
    EXPECT_EQ(s->LoadScheme(schemePath()), 0);
    ASSERT_EQ(s->LevelCount(), 1);
    EXPECT_EQ(s->LastGrade(), 0);
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, 75);
    EXPECT_TRUE(m_prompter.messages.isEmpty());
    EXPECT_TRUE(QFile::exists(schemePath()));
    EXPECT_EQ(s->LoadScheme(folder() + QStringLiteral("/none.TumoScheme")), 0);
    EXPECT_EQ(s->LevelCount(), 1);
}

TEST_F(Status, ForeignElementInTheLevelListIsDamage) {
    Archive ar;
    OtherOption().Serialize(ar);
    ar.WriteCount(1);
    ar.WriteObjectTag("SUINT");
    ar << qint32(1) << quint32(5);
    write(schemePath(), ar.data());
    auto s = fresh();
    EXPECT_EQ(s->LoadScheme(schemePath()), 0);
    EXPECT_EQ(m_prompter.messages, QStringList{kIncompatible});
    EXPECT_EQ(s->LevelCount(), 1);
}

TEST_F(Status, LoadedValuesAreMadeSafe) {
    auto saved = threeLevels();
    ASSERT_TRUE(saved->SaveAll());
    patchStoredCurrent(7);
    auto s = loaded();
    EXPECT_EQ(s->CurGradeIndex(), 0);
    EXPECT_EQ(s->CurrentLevel(), &s->Level(0));

    ASSERT_TRUE(saved->SaveAll());
    patchStoredCurrent(-1);
    EXPECT_EQ(loaded()->CurGradeIndex(), 0);
}

TEST_F(Status, StatusFileIsFoundWhateverTheCaseOfItsName) {
    ASSERT_TRUE(threeLevels()->SaveAll());
    ASSERT_TRUE(QFile::rename(statusPath(), folder() + QStringLiteral("/tumostatus.dat")));
    auto s = loaded();
    EXPECT_TRUE(QFile::exists(schemePath()));
    EXPECT_EQ(s->LastGrade(), 3);
    EXPECT_EQ(s->m_nuBase.m_nCount, 100);
}

// ---- Saving ------------------------------------------------------------------------------------

TEST_F(Status, NothingIsSavedAfterDeleteFiles) {
    auto s = threeLevels();
    ASSERT_TRUE(s->SaveAll());
    s->DeleteFiles();
    EXPECT_FALSE(QFile::exists(statusPath()));
    EXPECT_FALSE(QFile::exists(schemePath()));
    write(folder() + QStringLiteral("/tumostatus.dat"), QByteArray("x"));
    write(statusPath(), QByteArray("x"));
    s->DeleteFiles();
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(s->SaveAll());
    EXPECT_EQ(s->SaveScheme(schemePath()), 0);
    EXPECT_FALSE(QFile::exists(statusPath()));
    EXPECT_FALSE(QFile::exists(schemePath()));
}

TEST_F(Status, StatusFileThatCannotBeCreatedStillLetsTheSchemeBeWritten) {
    auto s = threeLevels();
    s->m_strDataFolder = folder() + QStringLiteral("/missing/folder");
    EXPECT_TRUE(s->SaveAll());
    EXPECT_TRUE(QFile::exists(schemePath()));
    EXPECT_TRUE(m_prompter.messages.isEmpty());

    s->m_strSchemeFile = folder() + QStringLiteral("/missing/x.TumoScheme");
    EXPECT_EQ(s->SaveScheme(s->m_strSchemeFile), 0);
    EXPECT_TRUE(m_prompter.messages.isEmpty());
}

TEST_F(Status, WriteErrorsAreReportedAndLeaveTheOldFiles) {
    auto s = threeLevels();
    ASSERT_TRUE(s->SaveAll());
    const QByteArray oldStatus = read(statusPath());
    const QByteArray oldScheme = read(schemePath());
    s->m_nuBase.m_nCount = 55;
    s->Level(1).m_taken.Add(99);
    {
        FileSizeLimit limit(200); // the status file fits, the scheme does not
        EXPECT_FALSE(s->SaveAll());
    }
    EXPECT_EQ(m_prompter.messages, QStringList{kWriteError});
    EXPECT_NE(read(statusPath()), oldStatus);
    EXPECT_EQ(read(schemePath()), oldScheme); // whole, not half written

    m_prompter.messages.clear();
    {
        FileSizeLimit limit(10); // not even the status file fits
        EXPECT_FALSE(s->SaveAll());
        EXPECT_EQ(s->SaveScheme(schemePath()), 0);
    }
    EXPECT_EQ(m_prompter.messages, (QStringList{kWriteError, kWriteError}));
    EXPECT_EQ(read(schemePath()), oldScheme);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 2); // no temporary files left
}

// ---- Level operations --------------------------------------------------------------------------

TEST_F(Status, DefaultLevelTakesTheRestOfThePool) {
    auto s = fresh();
    s->SetLevels({GradeInfo(), GradeInfo(), GradeInfo(), GradeInfo()});
    for (int i = 1; i <= 3; ++i)
        s->Level(i).m_base.m_nQuantity = 10 * i;
    s->m_nuBase.m_nCount = 100;
    s->RecomputeDefaultGradeTotal();
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, 40);
    s->m_nuBase.m_nCount = 50;
    s->RecomputeDefaultGradeTotal();
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, -10);
    s->Level(1).m_base.m_nQuantity = std::numeric_limits<qint32>::max();
    s->Level(2).m_base.m_nQuantity = std::numeric_limits<qint32>::max();
    s->RecomputeDefaultGradeTotal();
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, std::numeric_limits<qint32>::min());
}

TEST_F(Status, CurrentLevelIsTheFirstUnfinishedPrizeLevel) {
    auto s = fresh();
    s->SetLevels({GradeInfo(), GradeInfo(), GradeInfo(), GradeInfo()});
    s->Level(0).m_base.m_nQuantity = 0; // complete as well
    s->Level(1).m_taken.Add(1);         // quantity 1: complete
    s->Level(2).m_taken.Add(2);
    qint32 index = -1;
    EXPECT_EQ(s->FindCurrentGrade(index), &s->Level(3));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(s->CurGradeIndex(), 3);
    s->Level(3).m_taken.Add(3);
    EXPECT_EQ(s->FindCurrentGrade(index), &s->Level(0));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(s->CurrentLevel(), &s->Level(0));
    // A level taken out of the list is not looked at.
    s->Level(3).m_taken.RemoveAll();
    ASSERT_TRUE(s->RemoveLevel(3));
    EXPECT_EQ(s->FindCurrentGrade(index), &s->Level(0));
}

TEST_F(Status, TakenCountsAndClearing) {
    auto s = threeLevels(); // 3, 4 and 5 drawn numbers in levels 1 to 3
    s->Level(0).m_taken.Add(1000);
    s->m_nTakenAtGradeStart = 4;
    EXPECT_EQ(s->GetTakenCount(), 13);
    ASSERT_TRUE(s->RemoveLevel(3));
    EXPECT_EQ(s->GetTakenCount(), 8);
    s->ClearAllTaken();
    EXPECT_EQ(s->GetTakenCount(), 0);
    EXPECT_EQ(s->m_nTakenAtGradeStart, 0);
}

TEST_F(Status, ScreenSlots) {
    auto s = fresh();
    s->SetLevels({GradeInfo(), GradeInfo()});
    s->SetCurrentLevel(1);
    GradeInfo& level = s->Level(1);
    level.m_base.m_nQuantity = 20;
    level.m_base.m_nPerScreen = 3;
    const int next[] = {0, 1, 2, 0, 1, 2, 0};
    const int last[] = {-1, 0, 1, 2, 0, 1, 2};
    for (int t = 0; t < 7; ++t) {
        EXPECT_EQ(s->GetNextSlotIndex(), next[t]) << "t " << t;
        EXPECT_EQ(s->GetLastSlotIndex(), last[t]) << "t " << t;
        level.m_taken.Add(quint32(t));
    }
    // From the level's start and the first slot on.
    s->m_nTakenAtGradeStart = 5;
    s->m_nFirstSlot = 2;
    EXPECT_EQ(s->GetNextSlotIndex(), 4); // t = 7: second number of this screen
    EXPECT_EQ(s->GetLastSlotIndex(), 3);

    level.m_base.m_nPerScreen = 1;
    s->m_nTakenAtGradeStart = 7;
    EXPECT_EQ(s->GetNextSlotIndex(), 2);
    EXPECT_EQ(s->GetLastSlotIndex(), 1);
    level.m_taken.Add(50);
    EXPECT_EQ(s->GetNextSlotIndex(), 2);
    EXPECT_EQ(s->GetLastSlotIndex(), 2);
    level.m_base.m_nPerScreen = 0; // set by hand: taken as 1, never a division by zero
    EXPECT_EQ(s->GetNextSlotIndex(), 2);
}

TEST_F(Status, TheCopyForSavingWritesWhatSaveAllWritesAndLeavesTheLiveObjectAlone) {
    auto live = threeLevels();
    live->Level(1).m_taken.Add(7);
    live->Level(1).m_sym.m_strDefaultFile = folder() + "/defsym.swf";
    live->m_bShowGuide = 0;
    auto copy = live->CopyForSave();
    live->Level(1).m_taken.Add(8); // the draw goes on meanwhile
    QByteArray status;
    QByteArray scheme;
    ASSERT_TRUE(copy->EncodeStatusFile(status));
    ASSERT_TRUE(copy->EncodeSchemeFile(scheme));
    EXPECT_EQ(live->Level(1).m_sym.m_strDefaultFile, folder() + "/defsym.swf");

    live->Level(1).m_taken.RemoveAt(live->Level(1).m_taken.Count() - 1);
    ASSERT_TRUE(live->SaveAll());
    EXPECT_EQ(read(statusPath()), status);
    EXPECT_EQ(read(schemePath()), scheme);
}

TEST_F(Status, LevelListKeepsItsLastIndexQuantityAndCurrentLevelInStep) {
    auto s = threeLevels(); // quantities 10, 20, 30 of a pool of 100; level 2 current
    auto name = [&](qsizetype i) { return s->Level(i).m_base.m_strName; };
    const QString current = s->CurrentLevel()->m_base.m_strName;
    GradeInfo added = fullLevel(1);
    added.m_base.m_nQuantity = 15;
    EXPECT_EQ(s->AddLevel(added), 4);
    EXPECT_EQ(s->LastGrade(), 4);
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, 100 - 10 - 20 - 30 - 15);

    // Moving a level before the current one shifts the current index with its level.
    ASSERT_TRUE(s->MoveLevel(4, 1));
    EXPECT_EQ(s->CurGradeIndex(), 3);
    EXPECT_EQ(s->CurrentLevel()->m_base.m_strName, current);
    ASSERT_TRUE(s->MoveLevel(3, 4)); // the current level itself
    EXPECT_EQ(s->CurGradeIndex(), 4);
    EXPECT_EQ(name(4), current);
    EXPECT_FALSE(s->MoveLevel(0, 1)) << "the default level stays first";
    EXPECT_FALSE(s->MoveLevel(1, 5));

    ASSERT_TRUE(s->RemoveLevel(1));
    EXPECT_EQ(s->LastGrade(), 3);
    EXPECT_EQ(s->LevelCount(), 4);
    EXPECT_EQ(s->CurrentLevel()->m_base.m_strName, current);
    EXPECT_EQ(s->Level(0).m_base.m_nQuantity, 100 - 10 - 20 - 30);
    ASSERT_TRUE(s->RemoveLevel(s->CurGradeIndex()));
    EXPECT_EQ(s->CurGradeIndex(), 0) << "the default level takes over from a removed one";
    EXPECT_FALSE(s->RemoveLevel(0));
    EXPECT_FALSE(s->RemoveLevel(s->LastGrade() + 1));

    // Drawn numbers of a removed level no longer count as drawn.
    s->Level(1).m_taken.RemoveAll();
    s->Level(1).m_taken.Add(77);
    EXPECT_TRUE(s->IsNumberTaken(77));
    ASSERT_TRUE(s->RemoveLevel(1));
    EXPECT_FALSE(s->IsNumberTaken(77));
    EXPECT_EQ(s->IndexOf(&s->Level(1)), 1);
    GradeInfo copy = s->Level(1);
    EXPECT_EQ(s->IndexOf(&copy), -1);
}

// Each status keeps its media paths relative to its own program folder: two shows of different
// folders can be saved and loaded side by side, whatever the process's program folder is.
TEST_F(Status, TwoStatusesKeepTheirOwnProgramFolders) {
    QTemporaryDir dirA;
    QTemporaryDir dirB;
    ASSERT_TRUE(dirA.isValid() && dirB.isValid());
    SetAppFolder(QStringLiteral("/no/such/program/folder"));
    auto make = [](const QString& folder) {
        auto s = std::make_unique<TumoStatus>();
        s->m_strDataFolder = folder;
        s->m_strProgramFolder = folder;
        GradeInfo level;
        level.m_bg.m_strFile = folder + QStringLiteral("/media/bg.jpg");
        level.m_sym.m_strDefaultFile = folder + QStringLiteral("/defsym.swf");
        s->SetLevels({level});
        s->m_options.m_strAutoOutputFile = folder + QStringLiteral("/WinningNumbers.txt");
        return s;
    };
    auto a = make(dirA.path());
    auto b = make(dirB.path());
    ASSERT_TRUE(a->SaveAll());
    ASSERT_TRUE(b->SaveAll());
    const QByteArray schemeA = read(dirA.filePath(QStringLiteral("default.TumoScheme")));
    EXPECT_EQ(schemeA, read(dirB.filePath(QStringLiteral("default.TumoScheme"))))
        << "both stored relative to their own folder";
    EXPECT_TRUE(schemeA.contains(str(QStringLiteral("media\\bg.jpg"))));
    EXPECT_EQ(a->Level(0).m_bg.m_strFile, QStringLiteral("media\\bg.jpg"));

    for (const QString& folder : {dirA.path(), dirB.path()}) {
        TumoStatus back;
        back.m_strDataFolder = folder;
        back.m_strProgramFolder = folder;
        ASSERT_TRUE(back.LoadAll());
        EXPECT_EQ(back.Level(0).m_bg.m_strFile, folder + QStringLiteral("/media/bg.jpg"));
        EXPECT_EQ(back.Level(0).m_sym.m_strDefaultFile, folder + QStringLiteral("/defsym.swf"));
        EXPECT_EQ(back.m_options.m_strAutoOutputFile,
                  folder + QStringLiteral("/WinningNumbers.txt"));
    }
}

TEST_F(Status, CopyForABackup) {
    auto source = threeLevels();
    source->m_bShowGuide = 0;
    source->m_nTakenAtGradeStart = 2;
    source->m_nFirstSlot = 1;
    source->m_strSchemeFile = QStringLiteral("show.TumoScheme");
    TumoStatus copy;
    copy = *source;
    expectSameLevels(copy, *source);
    EXPECT_EQ(copy.m_nuBase, source->m_nuBase);
    EXPECT_EQ(copy.CurGradeIndex(), 2);
    EXPECT_EQ(copy.m_nTakenAtGradeStart, 2);
    EXPECT_EQ(copy.m_nFirstSlot, 1);
    EXPECT_EQ(copy.m_strSchemeFile, QStringLiteral("show.TumoScheme"));
    EXPECT_EQ(copy.m_strDataFolder, folder());
    EXPECT_EQ(copy.m_options, OtherOption()); // keeps its own
    EXPECT_EQ(copy.m_bShowGuide, 1);

    copy.Level(1).m_taken.RemoveAll();
    copy.Level(2).m_sym.ClearLayout();
    EXPECT_EQ(source->Level(1), fullLevel(1));
    EXPECT_EQ(source->Level(2), fullLevel(2));

    // Assigned to itself, through a second name so the compiler lets it be.
    const TumoStatus& same = copy;
    copy = same;
    EXPECT_EQ(copy.LevelCount(), 4);
}

// The drawn-number index answers exactly like a scan of every level's drawn list, whatever
// happens to the levels in between.
TEST_F(Status, DrawnNumberIndexStaysInStepWithTheLevels) {
    auto s = threeLevels();
    QRandomGenerator rng(1234);
    auto scan = [&](quint32 v) {
        const qsizetype n = std::min<qsizetype>(s->LastGrade() + 1, s->LevelCount());
        for (qsizetype i = 0; i < n; ++i)
            for (const SUINT& e : s->Level(i).m_taken.List())
                if (e.m_nValue == v)
                    return true;
        return false;
    };
    auto check = [&](const char* what) {
        for (quint32 v = 0; v < 420; ++v)
            ASSERT_EQ(s->IsNumberTaken(v), scan(v)) << what << " value " << v;
        ASSERT_EQ(s->IsNumberTaken(0xFFFFFFFFu), scan(0xFFFFFFFFu)) << what;
        // The free numbers below a pool size, counted and taken by rank.
        for (quint32 limit : {0u, 1u, 63u, 64u, 65u, 399u, 420u}) {
            QList<quint32> free;
            for (quint32 v = 0; v < limit; ++v)
                if (!scan(v))
                    free << v;
            ASSERT_EQ(s->FreeNumberCount(limit), quint64(free.size())) << what << " " << limit;
            for (qsizetype k = 0; k < free.size(); ++k)
                ASSERT_EQ(s->FreeNumberAt(limit, quint64(k)), free[k]) << what << " k " << k;
        }
    };
    check("start");
    for (int step = 0; step < 300; ++step) {
        const qsizetype levels = s->LevelCount();
        GradeInfo& level = s->Level(rng.bounded(int(levels)));
        switch (rng.bounded(9)) {
        case 0:
        case 1:
        case 2:
            level.m_taken.Add(rng.bounded(400u));
            check("add");
            break;
        case 3:
            if (!level.m_taken.IsEmpty())
                level.m_taken.RemoveAt(rng.bounded(int(level.m_taken.Count())));
            check("remove");
            break;
        case 4:
            level = fullLevel(rng.bounded(1, 4)); // a dialog puts back its edited copy
            check("replace");
            break;
        case 5:
            if (levels < 6) {
                s->MoveLevel(s->AddLevel(fullLevel(4)), 1);
            } else {
                s->RemoveLevel(1);
            }
            check("insert or remove a level");
            break;
        case 6:
            s->MoveLevel(1, qint32(levels - 1));
            check("move");
            break;
        case 7:
            s->SetCurrentLevel(rng.bounded(int(levels)));
            check("current level");
            break;
        default:
            if (rng.bounded(10) == 0) {
                s->ClearAllTaken();
                check("clear");
            } else {
                QList<GradeInfo> other(s->Levels().begin(), s->Levels().end());
                other[0].m_taken.Add(399);
                s->SetLevels(other);
                check("list replaced");
            }
            break;
        }
    }
    // Drawn values far apart use the sparse form.
    s->Level(0).m_taken.Add(0xFFFFFFF0u);
    s->Level(0).m_taken.Add(3000000000u);
    check("sparse");
    EXPECT_TRUE(s->IsNumberTaken(3000000000u));
    EXPECT_FALSE(s->IsNumberTaken(3000000001u));
}

TEST_F(Status, DrawnNumberIndexFollowsALoad) {
    auto saved = threeLevels();
    ASSERT_TRUE(saved->SaveAll());
    auto s = fresh();
    EXPECT_FALSE(s->IsNumberTaken(100)); // indexed while empty
    ASSERT_TRUE(s->LoadAll());
    EXPECT_TRUE(s->IsNumberTaken(100)); // first number of level 1
    EXPECT_TRUE(s->IsNumberTaken(328));
    EXPECT_FALSE(s->IsNumberTaken(101));
}
