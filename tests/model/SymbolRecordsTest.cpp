#include "RecordTestUtil.h"
#include "model/LotteryBanner.h"
#include "model/LotteryBg.h"
#include "model/LotteryMask.h"
#include "model/LotterySym.h"
#include "model/SUINT.h"
#include "model/SymBitDataArray.h"

#include <QFile>
#include <QTemporaryDir>

using namespace recordtest;

namespace {

class SymbolRecords : public RecordTest {};

SerialPtArray cell(int l, int t, int r, int b) {
    SerialPtArray c;
    c.m_rect = WinRect(l, t, r, b);
    return c;
}

SerialPtArray triangle() {
    SerialPtArray s;
    s.m_rect = WinRect(0, 0, 40, 30);
    s.m_points = {SerialPt({0, 0}), SerialPt({40, 0}), SerialPt({20, 30})};
    s.m_nCount = 3;
    return s;
}

LotterySym placedSym() {
    LotterySym sym;
    sym.ResetLayout(2, 3);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            sym.m_listLayout[r].m_items[c].m_rect =
                WinRect(c * 100, r * 120, c * 100 + 90, r * 120 + 110);
    sym.m_listFiles[1] = QStringLiteral("C:\\Movies\\gold.swf");
    sym.m_bLayoutValid = 1;
    return sym;
}

} // namespace

TEST_F(SymbolRecords, DrawnNumberAndMaskBitBytes) {
    QList<SUINT> list{SUINT(7, 1), SUINT(0xFFFFFFF0u, 1)};
    Archive ar;
    ar.SerializeObjectList(list);
    EXPECT_EQ(ar.data(), hex("0200 ffff 0100 0500") + "SUINT" + hex("01000000 07000000") +
                             hex("0180 01000000 f0ffffff"));
    Archive in(ar.data());
    QList<SUINT> back;
    in.SerializeObjectList(back);
    EXPECT_EQ(back, list);
}

TEST_F(SymbolRecords, ShapeBytes) {
    EXPECT_EQ(store(SerialPtArray()), QByteArray(20, '\0') + hex("0000"));
    EXPECT_EQ(store(triangle()),
              hex("03000000 00000000 00000000 28000000 1e000000 0300 ffff 0100 0800") + "SerialPt" +
                  hex("00000000 00000000 0180 28000000 00000000 0180 14000000 1e000000"));
    expectRoundTrip(triangle());
    expectEveryCutFails(triangle());
}

TEST_F(SymbolRecords, DamagedCountsFollowTheElementsRead) {
    // A shape claiming 9 points with 1 stored, and one claiming -1.
    const QByteArray onePoint = hex("0100 ffff 0100 0800") + "SerialPt" + hex("05000000 06000000");
    EXPECT_EQ(load<SerialPtArray>(hex("09000000") + QByteArray(16, '\0') + onePoint).m_nCount, 1);
    EXPECT_EQ(load<SerialPtArray>(hex("ffffffff") + QByteArray(16, '\0') + onePoint).m_nCount, 1);
    // A layout row claiming 4 cells with 1 stored.
    const SymBitDataArray row = load<SymBitDataArray>(
        hex("04000000 0100 ffff 0100 0d00") + "SerialPtArray" + QByteArray(20, '\0') + hex("0000"));
    EXPECT_EQ(row.m_nCount, 1);
    EXPECT_EQ(row.m_items.size(), 1);
}

TEST_F(SymbolRecords, CopiesTakeThePointsAndCellsBelowTheCount) {
    SerialPtArray shape = triangle();
    shape.m_nCount = 2;
    const SerialPtArray copy = shape;
    EXPECT_EQ(copy.m_points.size(), 2);
    EXPECT_EQ(copy.m_rect, shape.m_rect);

    SymBitDataArray row;
    row.m_items = {cell(1, 2, 3, 4), cell(5, 6, 7, 8)};
    row.m_nCount = 2;
    SymBitDataArray& self = row;
    row = self; // a row copied onto itself keeps its cells
    EXPECT_EQ(row.m_items.size(), 2);
    SymBitDataArray other;
    other.m_items = {cell(9, 9, 9, 9)};
    other.m_nCount = 1;
    other = row;
    EXPECT_EQ(other, row);

    shape.RemoveAllPoints();
    EXPECT_EQ(shape.m_nCount, 0);
    EXPECT_TRUE(shape.m_points.isEmpty());
    EXPECT_EQ(shape.m_rect, WinRect(0, 0, 40, 30));
}

TEST_F(SymbolRecords, SymbolLayout) {
    LotterySym sym;
    EXPECT_EQ(sym.m_strDefaultFile, "/opt/tumo/DefSym.swf");
    EXPECT_EQ(sym.GetColumnCount(), 0);
    sym.ResetLayout(3, 4);
    ASSERT_EQ(sym.m_listLayout.size(), 3);
    for (const SymBitDataArray& row : sym.m_listLayout) {
        EXPECT_EQ(row.m_nCount, 4);
        ASSERT_EQ(row.m_items.size(), 4);
        EXPECT_EQ(row.m_items[3], SerialPtArray());
    }
    EXPECT_EQ(sym.m_listFiles, QStringList(4));
    EXPECT_EQ(sym.GetColumnCount(), 4);
    sym.ResetLayout(0, 4);
    EXPECT_EQ(sym.GetColumnCount(), 0);

    // The copy owns its layout.
    const LotterySym source = placedSym();
    LotterySym copy = source;
    copy.ResetLayout(1, 1);
    EXPECT_EQ(source, placedSym());
    copy.m_bLayoutValid = 0;
    copy.ClearLayout();
    EXPECT_TRUE(copy.m_listFiles.isEmpty());
    EXPECT_TRUE(copy.m_listLayout.isEmpty());
}

TEST_F(SymbolRecords, SymbolBytesAndPaths) {
    EXPECT_EQ(store(LotterySym()), str("DefSym.swf") + hex("00000000 0000 0000"));

    LotterySym sym = placedSym();
    sym.m_strDefaultFile = "/opt/tumo/skins/Red.swf";
    const LotterySym original = sym;
    Archive ar;
    sym.Serialize(ar);
    // The default movie is stored below the program folder and kept so in memory; the movies
    // per position are stored as they are.
    EXPECT_EQ(sym.m_strDefaultFile, "skins\\Red.swf");
    EXPECT_TRUE(ar.data().startsWith(QByteArray(str("skins\\Red.swf") + hex("01000000 0300") +
                                                str("") + str("C:\\Movies\\gold.swf") + str(""))));
    const LotterySym back = load<LotterySym>(ar.data());
    EXPECT_EQ(back, original);
    EXPECT_EQ(store(back), ar.data());
    expectEveryCutFails(placedSym());
}

TEST_F(SymbolRecords, SymbolFilePerPosition) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetAppFolder(dir.path());
    QFile gold(dir.filePath("Gold.swf"));
    ASSERT_TRUE(gold.open(QIODevice::WriteOnly));
    gold.close();

    LotterySym sym;
    sym.ResetLayout(1, 3);
    sym.m_listFiles[0] = dir.filePath("Gold.swf");
    sym.m_listFiles[1] = dir.filePath("Gone.swf");
    sym.m_listFiles[2] = QStringLiteral("gold.swf"); // relative, other case
    sym.m_strDefaultFile = QStringLiteral("DefSym.swf");
    const QString def = dir.path() + "/DefSym.swf";
    EXPECT_EQ(sym.GetSymbolFile(0), dir.filePath("Gold.swf"));
    EXPECT_EQ(sym.GetSymbolFile(1), def);
    EXPECT_EQ(sym.GetSymbolFile(2), dir.path() + "/gold.swf");
    EXPECT_EQ(sym.GetSymbolFile(3), def);
    EXPECT_EQ(sym.GetSymbolFile(-1), def);
}

TEST_F(SymbolRecords, MaskBytes) {
    EXPECT_EQ(store(LotteryMask()), str("X") + hex("0000"));
    LotteryMask mask;
    mask.m_strMaskChar = "*";
    mask.m_listBits = {SUINT(1, 1), SUINT(0, 1), SUINT(1, 1)};
    expectRoundTrip(mask);
    expectEveryCutFails(mask);
}

TEST_F(SymbolRecords, BackgroundAndBanner) {
    EXPECT_EQ(store(LotteryBg()), hex("02000000 c4c4c400") + str("DefBg.swf"));
    EXPECT_EQ(load<LotteryBg>(store(LotteryBg())).m_strFile, "/opt/tumo/DefBg.swf");
    EXPECT_EQ(store(LotteryBanner()),
              hex("00000000") + str("DefBan.swf") + hex("14000000 14000000 c8000000 64000000"));

    LotteryBg bg;
    bg.m_strFile = "/opt/tumo/media/Hall.jpg";
    bg.m_nDisplay = 0;
    bg.m_clrBack = 0x123456;
    LotteryBg stored = bg;
    EXPECT_EQ(store<LotteryBg&>(stored), hex("00000000 56341200") + str("media\\Hall.jpg"));
    EXPECT_EQ(stored.m_strFile, "media\\Hall.jpg");
    expectRoundTrip(bg);

    LotteryBanner banner;
    banner.m_strFile = "/srv/other/Ban.swf"; // outside the program folder: stays absolute
    banner.m_bShow = 1;
    banner.m_rect = WinRect(-5, 10, 300, 90);
    expectRoundTrip(banner);
    // A rectangle cut short at the end of the file is an error, like every other cut.
    expectEveryCutFails(banner);
}
