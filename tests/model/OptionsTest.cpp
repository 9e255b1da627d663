#include "RecordTestUtil.h"
#include "model/LotteryNuBase.h"
#include "model/OtherOption.h"

using namespace recordtest;

namespace {

class Options : public RecordTest {};

const QByteArray kDefaultHotKeys =
    hex("6b00 01 2000  6e00 01 2000  eb03 09 5300  6600 09 5600  0700 09 5100");

} // namespace

TEST_F(Options, DefaultBytes) {
    const QByteArray bytes = store(OtherOption());
    const QByteArray expected = hex("01000000 01000000 00000000 30") + str("WinningNumbers.txt") +
                                hex("00000000 00000000") + str("WinningNumbers.txt") +
                                hex("02000000 01000000 01000000 01000000") + kDefaultHotKeys;
    EXPECT_EQ(bytes, expected);
}

TEST_F(Options, DefaultsReadBackWithAllSixHotKeysAndAbsolutePaths) {
    const OtherOption back = load<OtherOption>(store(OtherOption()));
    EXPECT_EQ(back.m_accel, OtherOption::DefaultAccel());
    EXPECT_EQ(back.m_accel[0], (AccelEntry{AccelEntry::FVIRTKEY, 0x2E, 13}));
    EXPECT_EQ(back.m_accel[3], (AccelEntry{0x09, 'S', 1003}));
    EXPECT_EQ(back.m_strOutputFile, QStringLiteral("/opt/tumo/WinningNumbers.txt"));
    EXPECT_EQ(back.m_strAutoOutputFile, QStringLiteral("/opt/tumo/WinningNumbers.txt"));
    EXPECT_EQ(back.m_chStartSymbol, '0');
    EXPECT_EQ(back.m_nMonitor, 1);
    expectRoundTrip(back);
    expectEveryCutFails(back);
}

TEST_F(Options, TheDeleteKeyIsNeitherStoredNorEverLoadedOtherwise) {
    OtherOption edited;
    edited.m_accel[0] = AccelEntry{AccelEntry::FVIRTKEY, 'D', 999};
    EXPECT_EQ(store(edited), store(OtherOption()));

    OtherOption target;
    target.m_accel[0] = AccelEntry{AccelEntry::FVIRTKEY, 'D', 999};
    Archive ar(store(OtherOption()));
    target.Serialize(ar);
    EXPECT_EQ(target.m_accel[0], OtherOption::DefaultAccel()[0]);
}

TEST_F(Options, EditedHotKeyBytes) {
    OtherOption o;
    // Ctrl+Shift+F5 on the settings key.
    o.m_accel[3].fVirt = AccelEntry::FVIRTKEY | AccelEntry::FSHIFT | AccelEntry::FCONTROL;
    o.m_accel[3].key = 0x74;
    const QByteArray bytes = store(o);
    EXPECT_EQ(bytes.right(15).left(5), hex("eb03 0d 7400"));
    EXPECT_EQ(load<OtherOption>(bytes).m_accel[3], o.m_accel[3]);
}

TEST_F(Options, OutputPathsAreStoredRelativeInsideTheProgramFolderOnly) {
    OtherOption o;
    o.m_strOutputFile = QStringLiteral("/opt/tumo/out/winners.txt");
    o.m_strAutoOutputFile = QStringLiteral("/opt/tumo2/winners.txt");
    const QByteArray bytes = store(o);
    EXPECT_TRUE(bytes.contains(str(QStringLiteral("out\\winners.txt"))));
    EXPECT_TRUE(bytes.contains(str(QStringLiteral("/opt/tumo2/winners.txt"))));

    OtherOption kept = o;
    Archive ar;
    kept.Serialize(ar);
    EXPECT_EQ(kept.m_strOutputFile, QStringLiteral("out\\winners.txt")); // member converted too
    const OtherOption back = load<OtherOption>(bytes);
    EXPECT_EQ(back.m_strOutputFile, QStringLiteral("/opt/tumo/out/winners.txt"));
    EXPECT_EQ(back.m_strAutoOutputFile, QStringLiteral("/opt/tumo2/winners.txt"));
}

TEST_F(Options, MonitorFromAFileIsAtLeastOneEvenWhenTheHotKeysAreCut) {
    for (qint32 monitor : {0, -3}) {
        OtherOption o;
        o.m_nMonitor = monitor;
        const QByteArray bytes = store(o);
        EXPECT_EQ(load<OtherOption>(bytes).m_nMonitor, 1);

        OtherOption cut;
        Archive ar(bytes.left(bytes.size() - 7));
        EXPECT_THROW(cut.Serialize(ar), ArchiveException);
        EXPECT_EQ(cut.m_nMonitor, 1);
    }
    OtherOption second;
    second.m_nMonitor = 2;
    EXPECT_EQ(load<OtherOption>(store(second)).m_nMonitor, 2);
}

TEST_F(Options, PoolSummaryBytes) {
    LotteryNuBase nu;
    nu.m_nDigits = 3;
    nu.m_nCount = 100;
    nu.m_strChars = QStringLiteral("0123456789");
    EXPECT_EQ(store(nu), hex("03000000 64000000 00000000 00000000") + str(nu.m_strChars));
    expectRoundTrip(nu);
    expectEveryCutFails(nu);

    // Spare fields from another writer are kept, in their stored order.
    const QByteArray spares = hex("01000000 02000000 07000000 08000000 fffeff00");
    const LotteryNuBase back = load<LotteryNuBase>(spares);
    EXPECT_EQ(back.m_nSpare2, 7);
    EXPECT_EQ(back.m_nSpare1, 8);
    EXPECT_EQ(store(back), spares);
}

TEST_F(Options, NegativePoolSizesFromAFileBecomeZero) {
    const LotteryNuBase back =
        load<LotteryNuBase>(hex("ffffffff 9cffffff 00000000 00000000") + str(QString()));
    EXPECT_EQ(back.m_nDigits, 0);
    EXPECT_EQ(back.m_nCount, 0);
}

TEST_F(Options, ADigitCountNoScreenShowsIsCountedAgainFromThePool) {
    // 100000 positions: 0 has the start count the pool's numbers again.
    const LotteryNuBase back =
        load<LotteryNuBase>(hex("a0860100 05000000 00000000 00000000") + str(QString()));
    EXPECT_EQ(back.m_nDigits, 0);
    EXPECT_EQ(back.m_nCount, 5);
}
