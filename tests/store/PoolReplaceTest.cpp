#include "StoreTestUtil.h"
#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <ostream>

namespace {

using Fill = NuFileDeal::Fill;

// Dies the way a killed program does, once the new records being built aside have reached the
// disk in part.
class KillingSink : public RecordingSink {
public:
    explicit KillingSink(QString aside) : m_aside(std::move(aside)) {}
    bool Pump() override {
        if (QFileInfo(m_aside).size() > (4 << 20))
            std::raise(SIGKILL);
        return true;
    }

private:
    QString m_aside;
};

// Each case starts on the pool 1..100 with its summary stored, as the program runs it.
class ReplaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        open(pool);
        pool.AnalyseInto(status.m_nuBase);
        oldData = ReadBytes(path("data.dat"));
        oldIndex = ReadBytes(path("index.dat"));
        oldSummary = summary();
        oldBase = status.m_nuBase;
    }
    void open(NuFileDeal& p) {
        p.m_strFolder = dir.path();
        p.m_pStatus = &status;
        p.SetPrompter(&prompter);
        p.SetProgressSink(&sink);
        ASSERT_EQ(p.OpenStore(), 1);
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QString numberFile(int lines) {
        QByteArray text;
        for (int i = 0; i < lines; ++i)
            text += "A" + QByteArray::number(i) + ",some information\r\n";
        QString p = path("numbers.txt");
        EXPECT_TRUE(WriteBytes(p, text));
        return p;
    }
    QString summary() const {
        const LotteryNuBase& b = status.m_nuBase;
        return QStringLiteral("%1 %2 %3").arg(b.m_nCount).arg(b.m_nDigits).arg(b.m_strChars);
    }
    // What a replacement may leave beside the pool.
    QStringList aside() const {
        return QDir(dir.path()).entryList({"*.new", "*.next"}, QDir::Files);
    }
    void expectOldPool() {
        EXPECT_EQ(ReadBytes(path("data.dat")), oldData);
        EXPECT_EQ(ReadBytes(path("index.dat")), oldIndex);
        EXPECT_EQ(summary(), oldSummary);
        EXPECT_TRUE(aside().isEmpty()) << aside().join(' ').toStdString();
    }

    QTemporaryDir dir;
    TumoStatus status;
    RecordingPrompter prompter;
    RecordingSink sink;
    NuFileDeal pool;
    QByteArray oldData, oldIndex;
    QString oldSummary;
    LotteryNuBase oldBase;
};

} // namespace

TEST_F(ReplaceTest, AReplacementThatCannotFinishLeavesTheOldPool) {
    struct Case {
        const char* what;
        std::function<qint32()> run;
        bool quits;
    };
    const Case cases[] = {
        {"an import on a full disk",
         [this] {
             const QString file = numberFile(300000);
             FileSizeLimit full(200000);
             return pool.ImportFromFile(file, ",", 0, Fill::Replace);
         },
         false},
        {"a range on a full disk",
         [this] {
             FileSizeLimit full(200000);
             return pool.CreateContinuousNumbers(1, 300000, Fill::Replace);
         },
         false},
        {"an import asked to quit",
         [this] {
             const QString file = numberFile(300000);
             sink.quitAfterPumps = 20;
             return pool.ImportFromFile(file, ",", 0, Fill::Replace);
         },
         true},
        {"a range asked to quit",
         [this] {
             sink.quitAfterPumps = 20;
             return pool.CreateContinuousNumbers(1, 300000, Fill::Replace);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.messages.clear();
        sink = RecordingSink();
        EXPECT_EQ(c.run(), 0);
        expectOldPool();
        EXPECT_EQ(pool.GetCount(), 100u);
        if (c.quits)
            continue;
        EXPECT_EQ(prompter.messages, QStringList({StoreTexts::WriteError()}));
        EXPECT_TRUE(pool.IsReady());
        EXPECT_EQ(pool.ReadNumber(99).m_strNumber, QStringLiteral("100"));
    }
}

// An empty pool would be filled with 1 to 100 at the next start, under the old winners: a
// replacement that stores no number keeps the old pool and says how many lines it could not store.
TEST_F(ReplaceTest, AReplacementThatStoresNoNumberLeavesTheOldPool) {
    const struct {
        const char* what;
        QByteArray text;
        QString separator;
        qint64 lines;
    } cases[] = {
        {"an empty file", "", ",", 0},
        {"blank lines", "\r\n\r\n  \r\n", ",", 3},
        {"white space around tabs", "\t\r\n \t \r\n\t\t", "\t", 3},
        {"white space around blanks", "   \r\n \t", " ", 2},
        {"one line over the length limit", QByteArray(9000, '7'), ",", 1},
        {"one number longer than a number may be", QByteArray(81, '7') + ",x", ",", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.messages.clear();
        const QString file = path("numbers.txt");
        ASSERT_TRUE(WriteBytes(file, c.text));
        EXPECT_EQ(pool.ImportFromFile(file, c.separator, 0, Fill::Replace), 0);
        expectOldPool();
        EXPECT_EQ(pool.GetCount(), 100u);
        EXPECT_TRUE(pool.IsReady());
        ASSERT_FALSE(prompter.messages.isEmpty());
        EXPECT_EQ(prompter.messages.last(), StoreTexts::NothingStored(c.lines));
    }
    // Lines of white space are skipped by an appending import too, whatever the separator.
    ASSERT_TRUE(WriteBytes(path("numbers.txt"), "\t\r\n  \t\r\n5\tfive\r\n\t \r\n"));
    prompter.messages.clear();
    ASSERT_EQ(pool.ImportFromFile(path("numbers.txt"), "\t", 0, Fill::Append), 1);
    ASSERT_EQ(pool.GetCount(), 101u);
    EXPECT_EQ(pool.ReadNumber(100).m_strNumber, QStringLiteral("5"));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ReplaceTest, AWholeReplacementTakesThePlaceOfTheOldPool) {
    ASSERT_EQ(pool.ImportFromFile(numberFile(3), ",", 0, Fill::Replace), 1);
    ASSERT_EQ(pool.GetCount(), 3u);
    EXPECT_EQ(pool.ReadNumber(2).m_strNumber, QStringLiteral("A2"));
    EXPECT_TRUE(aside().isEmpty());
    // The index came with the records: a rebuild finds the same.
    const QByteArray index = ReadBytes(path("index.dat"));
    ASSERT_TRUE(pool.GenerateIndex());
    EXPECT_EQ(ReadBytes(path("index.dat")), index);

    ASSERT_EQ(pool.CreateContinuousNumbers(5, 7, Fill::Replace), 1);
    ASSERT_EQ(pool.GetCount(), 3u);
    EXPECT_EQ(pool.ReadNumber(0).m_strNumber, QStringLiteral("5"));
    EXPECT_TRUE(aside().isEmpty());
    // The pool goes on as usual.
    ASSERT_EQ(pool.AddNumber("8", "x"), 0);
    EXPECT_EQ(pool.ReadNumber(3).m_strNumber, QStringLiteral("8"));
}

namespace {

// A kill at each stage of a replacing fill, then the next start. Until the whole new index waits
// under its own name the new pool is undecided and dropped; once it does, the next start finishes
// putting it in place.
struct KillStage {
    // A file the kill left: the new pool's file `from`, its first `keep` bytes (-1: whole).
    struct File {
        const char* name;
        const char* from;
        int keep;
    };
    const char* name;
    QList<File> left; // none: a real kill in the middle of an import, in a child process
    bool decided;
};

const KillStage kKillStages[] = {
    {"KilledWhileBuilding", {}, false},
    {"BothFilesInPart",
     {{"data.dat.new", "data.dat", 10}, {"index.dat.new", "index.dat", 8}},
     false},
    {"BothWholeNotDecided",
     {{"data.dat.new", "data.dat", -1}, {"index.dat.new", "index.dat", -1}},
     false},
    {"Decided", {{"data.dat.new", "data.dat", -1}, {"index.dat.next", "index.dat", -1}}, true},
    {"RecordsInPlace", {{"data.dat", "data.dat", -1}, {"index.dat.next", "index.dat", -1}}, true},
};

void PrintTo(const KillStage& stage, std::ostream* out) {
    *out << stage.name;
}

class KillStageTest : public ReplaceTest, public ::testing::WithParamInterface<KillStage> {
protected:
    void killMidway() {
        const QString file = numberFile(400000);
        EXPECT_EXIT(
            {
                KillingSink killing(path("data.dat.new"));
                pool.SetProgressSink(&killing);
                pool.ImportFromFile(file, ",", 0, Fill::Replace);
                std::_Exit(0); // not reached when the kill came midway
            },
            ::testing::KilledBySignal(SIGKILL), "");
        EXPECT_GT(QFileInfo(path("data.dat.new")).size(), 4 << 20);
    }
};

} // namespace

TEST_P(KillStageTest, TheNextStartUsesTheOldPoolUnlessTheNewOneWasDecided) {
    QTemporaryDir other;
    {
        NuFileDeal made;
        made.m_strFolder = other.path();
        ASSERT_EQ(made.OpenStore(), 1);
        made.Clear();
        ASSERT_EQ(made.CreateContinuousNumbers(7, 9), 1);
    }
    if (GetParam().left.isEmpty())
        killMidway();
    pool.Close();
    for (const KillStage::File& f : GetParam().left) {
        const QByteArray bytes = ReadBytes(other.filePath(f.from));
        ASSERT_TRUE(WriteBytes(path(f.name), f.keep < 0 ? bytes : bytes.left(f.keep)));
    }
    NuFileDeal restarted;
    open(restarted);
    if (GetParam().decided) {
        EXPECT_EQ(ReadBytes(path("data.dat")), ReadBytes(other.filePath("data.dat")));
        EXPECT_EQ(ReadBytes(path("index.dat")), ReadBytes(other.filePath("index.dat")));
        EXPECT_EQ(restarted.GetCount(), 3u);
        EXPECT_EQ(restarted.ReadNumber(0).m_strNumber, QStringLiteral("7"));
        EXPECT_TRUE(aside().isEmpty()) << aside().join(' ').toStdString();
    } else {
        EXPECT_EQ(restarted.GetCount(), 100u);
        EXPECT_EQ(restarted.ReadNumber(99).m_strNumber, QStringLiteral("100"));
        expectOldPool();
    }
}

INSTANTIATE_TEST_SUITE_P(Stages, KillStageTest, ::testing::ValuesIn(kKillStages),
                         [](const auto& info) { return std::string(info.param.name); });
