#include "store/NuFileDeal.h"
#include "StoreTestUtil.h"
#include "common/PoolFolder.h"
#include "model/TumoStatus.h"
#include "store/StoreTexts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}

// The bytes of one record.
QByteArray rec(const QString& number, const QString& info) {
    QByteArray out = Utf16(number);
    out += hex("fd00ba00");
    out += Utf16(info);
    out += hex("fe00db00");
    return out;
}

class PoolTest : public ::testing::Test, protected PoolFolder {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pool.SetProgressSink(&sink);
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QByteArray data() const { return ReadBytes(path("data.dat")); }
    QByteArray index() const { return ReadBytes(path("index.dat")); }
    // A pool of the given records, opened.
    void makePool(const QList<QPair<QString, QString>>& records) {
        ASSERT_EQ(pool.OpenStore(), 1);
        pool.Clear();
        for (const auto& r : records)
            ASSERT_EQ(pool.AddNumber(r.first, r.second), 0);
    }

    RecordingSink sink;
};

} // namespace

TEST_F(PoolTest, EmptyPoolIsFilledWithOneToHundred) {
    status.Level(1).m_sym.m_bLayoutValid = 1;
    ASSERT_EQ(pool.OpenStore(), 1);
    EXPECT_TRUE(pool.IsReady());
    ASSERT_EQ(pool.GetCount(), 100u);

    const QByteArray d = data();
    EXPECT_EQ(d.left(22), hex("3100fd00ba0049006e0066006f002e003100fe00db00"));
    const QByteArray ix = index();
    ASSERT_EQ(ix.size(), 800);
    EXPECT_EQ(ix.left(16), hex("00000000 02000c00 16000000 02000c00"));
    // The last record, 100, ends the file.
    EXPECT_TRUE(d.endsWith(rec(QStringLiteral("100"), QStringLiteral("Info.100"))));

    EXPECT_EQ(status.m_nuBase.m_nCount, 100);
    EXPECT_EQ(status.m_nuBase.m_nDigits, 3);
    EXPECT_EQ(status.m_nuBase.m_strChars, QStringLiteral("1234567890"));
    EXPECT_EQ(status.Level(1).m_sym.m_bLayoutValid, 0);

    const LoNuInfo r = pool.ReadNumber(41);
    EXPECT_EQ(r.m_nIndex, 41);
    EXPECT_EQ(r.m_strNumber, QStringLiteral("42"));
    EXPECT_EQ(r.m_strInfo, QStringLiteral("Info.42"));
    EXPECT_EQ(pool.ReadNumber(100).m_nIndex, -1);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(PoolTest, OpenKeepsAMatchingIndexAndRebuildsAStaleOne) {
    ASSERT_EQ(pool.OpenStore(), 1);
    pool.Close();
    EXPECT_EQ(pool.ReadNumber(0).m_nIndex, -1);
    // Matching count: the index file is used as it is, even a wrong one.
    QByteArray ix = index();
    ix[0] = 2;
    ASSERT_TRUE(WriteBytes(path("index.dat"), ix));
    sink.tasks.clear();
    ASSERT_EQ(pool.OpenStore(), 1);
    EXPECT_TRUE(sink.tasks.isEmpty());
    pool.Close();
    // A count that disagrees, or a half entry left by an interrupted write: rebuilt.
    status.m_nuBase.m_nCount = 7;
    ASSERT_TRUE(WriteBytes(path("index.dat"), ix.left(805)));
    ASSERT_EQ(pool.OpenStore(), 1);
    EXPECT_EQ(sink.tasks.first(), StoreTexts::TaskIndex());
    EXPECT_EQ(index().left(8), hex("00000000 02000c00"));
    EXPECT_EQ(status.m_nuBase.m_nCount, 100);
}

TEST_F(PoolTest, AddStoresUntrimmedAndReadsTrimmed) {
    makePool({});
    EXPECT_EQ(pool.AddNumber(QString(), QStringLiteral("x")), -1);
    ASSERT_EQ(pool.AddNumber(QStringLiteral(" A1 "), QStringLiteral("  seat 3\r\n")), 0);
    ASSERT_EQ(pool.AddNumber(QStringLiteral("B"), QString()), 0);
    EXPECT_EQ(data(), rec(QStringLiteral(" A1 "), QStringLiteral("  seat 3\r\n")) +
                          rec(QStringLiteral("B"), QString()));
    EXPECT_EQ(index(), hex("00000000 08001400 24000000 02000000"));
    const LoNuInfo a = pool.ReadNumber(0);
    EXPECT_EQ(a.m_strNumber, QStringLiteral("A1"));
    EXPECT_EQ(a.m_strInfo, QStringLiteral("seat 3"));
    const LoNuInfo b = pool.ReadNumber(1);
    EXPECT_EQ(b.m_strNumber, QStringLiteral("B"));
    EXPECT_TRUE(b.m_strInfo.isEmpty());
}

TEST_F(PoolTest, TextsTheIndexRebuildWouldMisSplitAreRefused) {
    makePool({{QStringLiteral("1"), QString()}});
    const QString tooLong(32768, QLatin1Char('x'));
    const QList<QPair<QString, QString>> bad = {
        {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), QString()},
        {QStringLiteral("a") + QChar(0xFD) + QChar(0xBA), QString()},
        {QStringLiteral("a"),
         QStringLiteral("x") + QChar(0xFE) + QChar(0xDB) + QStringLiteral("y")},
        {tooLong, QString()},
        {QStringLiteral("a"), tooLong},
    };
    for (const auto& b : bad)
        EXPECT_EQ(pool.AddNumber(b.first, b.second), -1);
    EXPECT_EQ(prompter.messages.size(), bad.size());
    EXPECT_EQ(prompter.messages.first(), StoreTexts::CannotStore());
    EXPECT_EQ(pool.GetCount(), 1u);
    // Marker units on their own, and the longest texts, are fine.
    EXPECT_EQ(pool.AddNumber(QString(1, QChar(0xFD)), QString(1, QChar(0xDB))), 0);
    EXPECT_EQ(pool.AddNumber(QString(32767, QLatin1Char('n')), QString(32767, QLatin1Char('i'))),
              0);
    ASSERT_TRUE(pool.GenerateIndex());
    ASSERT_EQ(pool.GetCount(), 3u);
    EXPECT_EQ(pool.ReadNumber(1).m_strNumber, QString(1, QChar(0xFD)));
    EXPECT_EQ(pool.ReadNumber(2).m_strInfo.size(), 32767);
}

TEST_F(PoolTest, ModifyKeepsEveryOtherRecordByteForByte) {
    makePool({{"1", "one"}, {"2", "two"}, {"3", "three"}, {"4", "four"}});
    const QByteArray before = data();
    const qsizetype first = 2 + 4 + 6 + 4, second = 2 + 4 + 6 + 4, third = 2 + 4 + 10 + 4;

    ASSERT_EQ(pool.ModifyNumber(LoNuInfo(2, QStringLiteral("33"), QStringLiteral("x"))), 1);
    const QByteArray expected = before.left(first + second) +
                                rec(QStringLiteral("33"), QStringLiteral("x")) +
                                before.mid(first + second + third);
    EXPECT_EQ(data(), expected);
    ASSERT_EQ(pool.ModifyNumber(LoNuInfo(0, QStringLiteral("0"), QString())), 1);
    ASSERT_EQ(pool.ModifyNumber(LoNuInfo(3, QStringLiteral("44"), QStringLiteral("last"))), 1);
    EXPECT_EQ(Numbers(), QStringList({"0", "2", "33", "44"}));
    EXPECT_EQ(pool.ReadNumber(3).m_strInfo, QStringLiteral("last"));
    EXPECT_EQ(pool.ReadNumber(1).m_strInfo, QStringLiteral("two"));
    EXPECT_FALSE(QFile::exists(path("dataT.dat")));

    EXPECT_EQ(pool.ModifyNumber(LoNuInfo(4, QStringLiteral("5"), QString())), -1);
    EXPECT_EQ(pool.ModifyNumber(LoNuInfo(-1, QStringLiteral("5"), QString())), -1);
    EXPECT_EQ(pool.ModifyNumber(LoNuInfo(1, QStringLiteral("5") + QChar(0), QString())), -1);
    EXPECT_EQ(pool.GetCount(), 4u);
}

TEST_F(PoolTest, ModifyOfARecordLongerThan64KiBKeepsTheRecordsAfterIt) {
    const QString big(32767, QLatin1Char('b'));
    makePool({{"1", "one"}, {big, big}, {"3", "three"}});
    ASSERT_EQ(pool.ModifyNumber(LoNuInfo(1, QStringLiteral("2"), QStringLiteral("two"))), 1);
    EXPECT_EQ(Numbers(), QStringList({"1", "2", "3"}));
    EXPECT_EQ(pool.ReadNumber(2).m_strInfo, QStringLiteral("three"));
    EXPECT_EQ(data().size(), 3 * 8 + 2 * (1 + 3 + 1 + 3 + 1 + 5));
}

TEST_F(PoolTest, DeleteRemovesTheSelectedRanges) {
    makePool({{"0", ""}, {"1", ""}, {"2", ""}, {"3", ""}, {"4", ""}, {"5", ""}});
    ASSERT_TRUE(pool.DeleteNumbers({{0, 0}, {5, 5}}));
    EXPECT_EQ(Numbers(), QStringList({"1", "2", "3", "4"}));
    ASSERT_TRUE(pool.DeleteNumbers({{1, 2}}));
    EXPECT_EQ(Numbers(), QStringList({"1", "4"}));
    EXPECT_FALSE(QFile::exists(path("dataT.dat")));
    ASSERT_TRUE(pool.DeleteNumbers({{0, 1}}));
    EXPECT_EQ(pool.GetCount(), 0u);
    EXPECT_TRUE(data().isEmpty());
    EXPECT_TRUE(index().isEmpty());
}

TEST_F(PoolTest, DeleteRefusesRangesOutsideOrOutOfOrder) {
    makePool({{"0", ""}, {"1", ""}, {"2", ""}});
    const QByteArray before = data();
    const QList<QList<sel>> bad = {
        {{2, 3}}, {{-1, 0}}, {{2, 1}}, {{1, 1}, {0, 0}}, {{0, 1}, {1, 2}},
    };
    for (const auto& ranges : bad)
        EXPECT_FALSE(pool.DeleteNumbers(ranges));
    EXPECT_EQ(data(), before);
    EXPECT_EQ(pool.GetCount(), 3u);
}

TEST_F(PoolTest, ADamagedRecordIsReportedNotFatal) {
    makePool({{"1", "one"}, {"2", "two"}});
    QByteArray d = data();
    d[2] = 'X'; // both units of the first record's number marker
    d[4] = 'X';
    pool.Close();
    ASSERT_TRUE(WriteBytes(path("data.dat"), d));
    status.m_nuBase.m_nCount = 2;
    ASSERT_EQ(pool.OpenStore(), 1);
    EXPECT_EQ(pool.ReadNumber(1).m_strNumber, QStringLiteral("2"));
    EXPECT_FALSE(pool.IsDamaged());

    EXPECT_EQ(pool.ReadNumber(0).m_nIndex, -1);
    EXPECT_TRUE(pool.IsDamaged());
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::Damaged()}));
    // The index is dropped so that the next start rebuilds it.
    EXPECT_TRUE(index().isEmpty());
    EXPECT_EQ(pool.ReadNumber(1).m_nIndex, -1);
}

TEST_F(PoolTest, AnIndexPointingPastTheDataIsDamageToo) {
    makePool({{"1", "one"}});
    QByteArray ix = index();
    ix[0] = 0x40;
    ASSERT_TRUE(WriteBytes(path("index.dat"), ix));
    EXPECT_EQ(pool.ReadNumber(0).m_nIndex, -1);
    EXPECT_TRUE(pool.IsDamaged());
}

// Many records read at once answer as one read each would, in the order asked, across blocks of
// the files and for indexes asked twice or naming no record.
TEST_F(PoolTest, ManyRecordsReadAtOnceAnswerAsSingleReads) {
    makePool({});
    ASSERT_EQ(pool.CreateContinuousNumbers(1, 40000), 1);
    const QList<quint32> asked = {39999, 0, 17, 25000, 17, 40000, 1, 31234, 5};
    const QList<LoNuInfo> read = pool.ReadNumbers(asked);
    ASSERT_EQ(read.size(), asked.size());
    for (qsizetype i = 0; i < asked.size(); ++i) {
        const LoNuInfo one = pool.ReadNumber(asked[i]);
        EXPECT_EQ(read[i].m_nIndex, one.m_nIndex) << i;
        EXPECT_EQ(read[i].m_strNumber, one.m_strNumber) << i;
        EXPECT_EQ(read[i].m_strInfo, one.m_strInfo) << i;
    }
    EXPECT_EQ(read[0].m_strNumber, QStringLiteral("40000"));
    EXPECT_EQ(read[5].m_nIndex, -1);
    EXPECT_TRUE(pool.ReadNumbers({}).isEmpty());
    EXPECT_FALSE(pool.IsDamaged());
}

TEST_F(PoolTest, ADamagedRecordAmongManyIsReportedOnce) {
    makePool({{"1", "one"}, {"2", "two"}, {"3", "three"}});
    QByteArray d = data();
    const qsizetype second = rec(QStringLiteral("1"), QStringLiteral("one")).size();
    d[second + 2] = 'X'; // both units of the second record's number marker
    d[second + 4] = 'X';
    pool.Close();
    ASSERT_TRUE(WriteBytes(path("data.dat"), d));
    status.m_nuBase.m_nCount = 3;
    ASSERT_EQ(pool.OpenStore(), 1);
    const QList<LoNuInfo> read = pool.ReadNumbers({1, 0});
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[0].m_nIndex, -1);
    EXPECT_TRUE(pool.IsDamaged());
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::Damaged()}));
    EXPECT_TRUE(index().isEmpty());
    EXPECT_EQ(pool.ReadNumbers({2}).at(0).m_nIndex, -1);
}

// A full disk during a rebuild keeps the old index whole: an empty index.dat would lose every
// number at the next start.
TEST_F(PoolTest, ARebuildThatCannotWriteKeepsTheOldIndex) {
    makePool({{"1", "one"}, {"2", "two"}, {"3", "three"}});
    const QByteArray before = index();
    {
        FileSizeLimit full(0);
        EXPECT_TRUE(pool.GenerateIndex());
    }
    EXPECT_EQ(index(), before);
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::WriteError()}));
    EXPECT_EQ(Numbers(), QStringList({"1", "2", "3"}));
}

TEST_F(PoolTest, ARewriteThatCannotWriteKeepsTheOldPool) {
    makePool({{"1", "one"}, {"2", "two"}, {"3", "three"}});
    const QByteArray d = data();
    const QByteArray ix = index();
    {
        FileSizeLimit full(0);
        EXPECT_EQ(pool.ModifyNumber(LoNuInfo(1, "22", "twenty-two")), -1);
        EXPECT_FALSE(pool.DeleteNumbers({{0, 0}}));
    }
    EXPECT_EQ(data(), d);
    EXPECT_EQ(index(), ix);
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::WriteError(), StoreTexts::WriteError()}));
    EXPECT_EQ(Numbers(), QStringList({"1", "2", "3"}));
    EXPECT_TRUE(pool.IsReady());
    // And once the disk has room again, both work.
    EXPECT_EQ(pool.ModifyNumber(LoNuInfo(1, "22", "twenty-two")), 1);
    EXPECT_TRUE(pool.DeleteNumbers({{0, 0}}));
    EXPECT_EQ(Numbers(), QStringList({"22", "3"}));
}

// While an operation rewrites the pool, readers get "no record" rather than half-written bytes.
TEST_F(PoolTest, ReadNumberAnswersNothingWhileThePoolIsBusy) {
    makePool({{"1", "one"}});
    pool.m_bReady = 0;
    EXPECT_EQ(pool.ReadNumber(0).m_nIndex, -1);
    EXPECT_FALSE(pool.IsDamaged());
    pool.m_bReady = 1;
    EXPECT_EQ(pool.ReadNumber(0).m_strNumber, QStringLiteral("1"));
}

// Numbers are stored untrimmed; the symbols show them trimmed, so the scan counts them so.
TEST_F(PoolTest, TheScanCountsTrimmedNumbers) {
    makePool({{"  12 ", "x"}, {"7\t", ""}});
    qint32 count = 0;
    QString chars;
    EXPECT_EQ(pool.AnalyseBitsAndChars(count, chars), 2);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(chars, QStringLiteral("127"));
}
