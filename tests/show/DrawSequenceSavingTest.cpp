#include "DrawSequenceFakes.h"
#include "model/SafeFileWriter.h"
#include "model/WholeFileWriter.h"
#include "show/DrawStateSaver.h"
#include "show/WinnersFileWriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <mutex>
#include <ostream>

namespace {

// A disk that keeps its files in memory and can run short of room: a file larger than the room
// left fails as on a full disk, so the small winners text may still fit where the scheme does not.
class FillingDisk : public WholeFileWriter {
public:
    static constexpr qsizetype kNoLimit = -1;

    void SetRoom(qsizetype bytes) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_room = bytes;
    }
    QByteArray File(const QString& name) {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_files.value(name);
    }
    Result Write(const QString& path, const QByteArray& bytes, QString& reason) override {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_room != kNoLimit && bytes.size() > m_room) {
            reason = QStringLiteral("No space left on device");
            return Result::Failed;
        }
        m_files[QFileInfo(path).fileName()] = bytes;
        return Result::Written;
    }

private:
    std::mutex m_lock;
    qsizetype m_room = kNoLimit;
    QMap<QString, QByteArray> m_files;
};

// The draw window's saving port, without the window.
class SaverPort : public WinnersOutput {
public:
    explicit SaverPort(DrawStateSaver& saver) : m_saver(saver) {}
    void SaveDrawState(bool winnersText) override { m_saver.Save(winnersText); }
    bool EnsureDrawStateSaved() override { return m_saver.EnsureSaved(); }

private:
    DrawStateSaver& m_saver;
};

// One prize level of 20 in automatic mode, a number per screen, the winners file on; the real
// saver writes to a disk that fills up when the test says so.
struct SavingFixture : DrawFixture {
    QTemporaryDir dir;
    FillingDisk disk;
    WinnersFileWriter winnersFile{status, *numbers};
    DrawStateSaver saver{status, winnersFile, prompter, [] { return false; }, &disk};
    SaverPort port{saver};

    SavingFixture() : DrawFixture(100, 3, {20}) {
        Level(1).m_base.m_bAutoDraw = 1;
        Level(1).m_base.m_nPerScreen = 1;
        status.m_options.m_bAutoOutput = 1;
        status.m_strDataFolder = dir.path();
        status.m_strProgramFolder = dir.path();
        winners = &port;
        Begin();
        saver.SetFailureHook([this] { seq->StopAutoCycle(); });
    }

    // What the writer did reaches this thread, as the event loop brings it.
    void Settle() {
        saver.Flush();
        QCoreApplication::processEvents();
    }
    void Tick(int id) {
        seq->OnTimer(id);
        Land();
    }
    // One turn of the automatic cycle: roll, then draw.
    void Cycle() {
        Tick(DrawTimers::TIMER_AUTO_RESTART);
        Tick(DrawTimers::TIMER_AUTO_STOP);
    }

    // The winners in the order of the winners file, as the scheme on disk holds them.
    QStringList SchemeWinners() {
        const QString path = dir.filePath(QStringLiteral("saved.TumoScheme"));
        SafeFileWriter::WriteWhole(path, disk.File(TumoStatus::DefaultSchemeFileName()));
        TumoStatus saved;
        saved.m_strProgramFolder = dir.path();
        saved.LoadScheme(path);
        QStringList out;
        for (qsizetype level = 1; level <= saved.LevelCount(); ++level)
            for (const SUINT& entry : saved.Level(level % saved.LevelCount()).m_taken.List())
                out << numbers->ReadNumber(entry.m_nValue).m_strNumber;
        return out;
    }
    // The number field of every line of the winners file after its header.
    QStringList ListedWinners() {
        const QByteArray bytes = disk.File(QStringLiteral("WinningNumbers.txt")).mid(2);
        const QStringList lines =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                               bytes.size() / 2)
                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QStringList out;
        for (qsizetype i = 1; i < lines.size(); ++i)
            out << lines.at(i).section(QLatin1Char(','), 2, 2);
        return out;
    }
    QStringList Drawn() {
        QStringList out;
        for (const SUINT& entry : DrawnList())
            out << numbers->ReadNumber(entry.m_nValue).m_strNumber;
        return out;
    }
};

// The disk fills up during the automatic draw, after two winners were saved: the failure is said
// once and stops the cycle, the winners file never runs ahead of the scheme, a press tries the save
// again and draws nothing while it fails, and with space again every winner is kept.
struct FullDisk {
    const char* name;
    bool winnersTextFits; // room for the winners text but not for the scheme; else no room at all
    bool
        tickBeforeReport; // a timer tick comes before the writer's failure has reached the sequence
};

void PrintTo(const FullDisk& disk, std::ostream* out) {
    *out << disk.name;
}

class DrawSequenceFullDisk : public ::testing::TestWithParam<FullDisk> {
protected:
    SavingFixture f;
};

} // namespace

TEST_P(DrawSequenceFullDisk, StopsTheAutomaticDrawAndFreedSpaceGoesOnWithEveryWinner) {
    f.seq->OnDraw();
    f.Land();
    f.Cycle();
    f.Settle();
    const QStringList saved = f.Drawn();
    ASSERT_EQ(saved.size(), 2);
    ASSERT_EQ(f.SchemeWinners(), saved);
    ASSERT_EQ(f.ListedWinners(), saved);

    const qsizetype room = GetParam().winnersTextFits
                               ? f.disk.File(QStringLiteral("WinningNumbers.txt")).size() + 200
                               : 0;
    ASSERT_GT(f.disk.File(TumoStatus::DefaultSchemeFileName()).size(), room);
    f.disk.SetRoom(room);
    f.Cycle(); // the third winner; its save fails on the writer's thread
    if (GetParam().tickBeforeReport) {
        f.Cycle(); // waits for the failed save and draws nothing
        EXPECT_EQ(f.Drawn().size(), 3);
        EXPECT_TRUE(f.rec.timers.isEmpty());
    }
    f.Settle();
    EXPECT_EQ(f.prompter.messages, QStringList{TumoStatus::WriteErrorText()});
    EXPECT_TRUE(f.rec.timers.isEmpty()) << "the automatic cycle goes on";
    EXPECT_EQ(f.SchemeWinners(), saved);
    EXPECT_EQ(f.ListedWinners(), saved) << "the winners file ran ahead of the scheme";

    // A press tries the save again and draws nothing while it fails.
    f.seq->OnRestart();
    f.seq->OnDraw();
    f.Settle();
    EXPECT_EQ(f.Drawn().size(), 3);
    EXPECT_EQ(f.prompter.messages.size(), 2);
    EXPECT_TRUE(f.rec.timers.isEmpty());
    EXPECT_EQ(f.ListedWinners(), saved);

    // Space again: the press saves the third winner, draws the fourth and the cycle goes on.
    f.disk.SetRoom(FillingDisk::kNoLimit);
    f.seq->OnDraw();
    f.Land();
    f.Settle();
    EXPECT_EQ(f.prompter.messages.size(), 2);
    EXPECT_EQ(f.rec.timers.value(DrawTimers::TIMER_AUTO_RESTART), 500);
    f.Cycle();
    f.Settle();
    const QStringList drawn = f.Drawn();
    ASSERT_EQ(drawn.size(), 5);
    EXPECT_EQ(drawn.mid(0, 2), saved);
    EXPECT_EQ(QSet<QString>(drawn.begin(), drawn.end()).size(), 5) << "a winner drawn twice";
    EXPECT_EQ(f.SchemeWinners(), drawn);
    EXPECT_EQ(f.ListedWinners(), drawn);
}

INSTANTIATE_TEST_SUITE_P(Disks, DrawSequenceFullDisk,
                         ::testing::Values(FullDisk{"RoomForTheWinnersTextOnly", true, false},
                                           FullDisk{"NoRoomAndATickBeforeTheReport", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// One character per press: the press that completes a number writes it to the winners file at
// once, not the next roll; the press of a number's first character records it in the scheme
// only, so the file lists every number whose characters all stand.
TEST(DrawSequenceSaving, EachCharacterNumberIsListedByThePressThatCompletesIt) {
    SavingFixture f;
    f.Level(1).m_base.m_bAutoDraw = 0;
    f.Level(1).m_takeStyle.m_nStopMode = LotteryTakeStyle::StopCharacter;
    for (int number = 1; number <= 3; ++number) {
        for (int character = 1; character <= 3; ++character) {
            f.seq->OnDraw();
            f.Land();
            f.Settle();
            EXPECT_EQ(f.SchemeWinners(), f.Drawn());
            const QStringList complete = character == 3 ? f.Drawn() : f.Drawn().mid(0, number - 1);
            EXPECT_EQ(f.ListedWinners(), complete)
                << "number " << number << ", character " << character;
        }
        f.seq->OnRestart();
        f.Settle();
        EXPECT_EQ(f.ListedWinners(), f.Drawn());
    }
}
