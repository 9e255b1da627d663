#include "store/PoolIndexBuilder.h"
#include "StoreTestUtil.h"
#include "store/PoolRecord.h"

#include <gtest/gtest.h>

namespace {

QByteArray records(const QList<QPair<QString, QString>>& list) {
    QByteArray out;
    for (const auto& r : list)
        PoolRecord::Append(out, r.first, r.second);
    return out;
}

// Feeds the units in blocks of the given size, as a rebuild over a large file would.
QByteArray buildIndex(const QByteArray& data, qsizetype unitsPerBlock, PoolIndexBuilder& b) {
    const auto* units = reinterpret_cast<const char16_t*>(data.constData());
    const qsizetype count = data.size() / 2;
    QByteArray entries;
    for (qsizetype at = 0; at < count; at += unitsPerBlock) {
        b.Feed(units + at, std::min(unitsPerBlock, count - at));
        entries += b.TakeEntries();
    }
    return entries;
}

} // namespace

TEST(PoolIndexBuilder, EveryBlockSizeGivesTheSameEntries) {
    // Marker units inside texts and empty texts put markers on block edges for some sizes.
    const QByteArray data = records({{"1", "Info.1"},
                                     {"", ""},
                                     {QString(1, QChar(0xFD)), QString(1, QChar(0xFE))},
                                     {"x" + QString(1, QChar(0xBA)), QString(1, QChar(0xDB))},
                                     {"12345", "a\r\nb"}});
    PoolIndexBuilder whole;
    const QByteArray expected = buildIndex(data, data.size(), whole);
    ASSERT_EQ(whole.Records(), 5);
    ASSERT_EQ(expected.left(16), QByteArray::fromHex("00000000 02000c00 16000000 00000000"));
    EXPECT_EQ(whole.CompleteBytes(), quint64(data.size()));
    for (qsizetype block = 1; block < 12; ++block) {
        PoolIndexBuilder b;
        EXPECT_EQ(buildIndex(data, block, b), expected) << "block of " << block << " units";
    }
}

TEST(PoolIndexBuilder, AnUnfinishedLastRecordGetsNoEntry) {
    QByteArray data = records({{"1", "a"}, {"2", "b"}});
    const qsizetype complete = data.size();
    data += records({{"3", "c"}}).left(10);
    PoolIndexBuilder b;
    const QByteArray entries = buildIndex(data, 3, b);
    EXPECT_EQ(entries.size(), 16);
    EXPECT_EQ(b.CompleteBytes(), quint64(complete));
}

TEST(PoolIndexBuilder, ARecordTooLongForAnEntryIsSkipped) {
    const QByteArray data =
        records({{"1", "a"}, {QString(40000, QLatin1Char('n')), "b"}, {"3", "c"}});
    PoolIndexBuilder b;
    const QByteArray entries = buildIndex(data, 4096, b);
    ASSERT_EQ(entries.size(), 16);
    EXPECT_EQ(b.Skipped(), 1);
    const PoolRecord::Entry third = PoolRecord::ReadEntry(entries.constData() + 8);
    EXPECT_EQ(third.offset, quint32(data.size() - 12));
}
