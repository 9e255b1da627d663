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

// A real kill in the middle of the build, in a child process; the next start uses the old pool
// and clears away what was being built.
TEST_F(ReplaceTest, AKillMidwayLeavesTheOldPoolForTheNextStart) {
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
    pool.Close();
    NuFileDeal restarted;
    open(restarted);
    EXPECT_EQ(restarted.GetCount(), 100u);
    EXPECT_EQ(restarted.ReadNumber(99).m_strNumber, QStringLiteral("100"));
    expectOldPool();
}

// A kill among the renames: once the whole new index waits under its own name the new pool is
// decided and the next start finishes putting it in place; before, it is dropped.
TEST_F(ReplaceTest, TheNextStartFinishesADecidedReplacementAndDropsAnUndecidedOne) {
    QTemporaryDir other;
    {
        NuFileDeal made;
        made.m_strFolder = other.path();
        ASSERT_EQ(made.OpenStore(), 1);
        made.Clear();
        ASSERT_EQ(made.CreateContinuousNumbers(7, 9), 1);
    }
    const QByteArray newData = ReadBytes(other.filePath("data.dat"));
    const QByteArray newIndex = ReadBytes(other.filePath("index.dat"));
    struct Case {
        const char* what = nullptr;
        QList<QPair<const char*, QByteArray>> files;
        bool decided = false;
    };
    const Case cases[] = {
        {"building",
         {{"data.dat.new", newData.left(10)}, {"index.dat.new", newIndex.left(8)}},
         false},
        {"both whole, not decided",
         {{"data.dat.new", newData}, {"index.dat.new", newIndex}},
         false},
        {"decided", {{"data.dat.new", newData}, {"index.dat.next", newIndex}}, true},
        {"records in place", {{"data.dat", newData}, {"index.dat.next", newIndex}}, true},
    };
    pool.Close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteBytes(path("data.dat"), oldData));
        ASSERT_TRUE(WriteBytes(path("index.dat"), oldIndex));
        for (const auto& [name, bytes] : c.files)
            ASSERT_TRUE(WriteBytes(path(name), bytes));
        NuFileDeal restarted;
        open(restarted);
        EXPECT_EQ(ReadBytes(path("data.dat")), c.decided ? newData : oldData);
        EXPECT_EQ(ReadBytes(path("index.dat")), c.decided ? newIndex : oldIndex);
        EXPECT_EQ(restarted.GetCount(), c.decided ? 3u : 100u);
        EXPECT_TRUE(aside().isEmpty()) << aside().join(' ').toStdString();
        restarted.Close();
        status.m_nuBase = oldBase;
    }
}
