#include "RecordTestUtil.h"
#include "model/LotteryAPanel.h"
#include "model/LotteryNotify.h"

using namespace recordtest;

namespace {

class BoardRecords : public RecordTest {};

const char* const kDefaultFontHex =
    "00 00 00 00 00 00 2C 00 00 00 00 00 00 00 00 00 00 00 00 00 BC 02 00 00 00 00 00 00";

LotteryNotify customBoard() {
    LotteryNotify n;
    n.m_bFillZero = 0;
    n.m_nInfoWidth = 40;
    n.m_bShowInfo = 0;
    n.m_nShowWhen = 2;
    n.m_bShowAllWinners = 1;
    n.m_fontNumbers.lfHeight = -30;
    n.m_fontNumbers.lfItalic = 1;
    n.m_fontNumbers.lfCharSet = 134;
    n.m_fontNumbers.lfFaceName = QString::fromUtf8("宋体");
    n.m_shape.m_rect = WinRect(0, 0, 400, 300);
    n.m_shape.m_points = {SerialPt({1, 2}), SerialPt({300, 2}), SerialPt({150, 280})};
    n.m_shape.m_nCount = 3;
    n.m_strTitle = QStringLiteral("First prize");
    n.m_rcNumbers = WinRect(10, 60, 390, 280);
    n.m_nPerLine = 3;
    n.m_clrNumbers = 0x00FF00;
    n.m_rcBoard = WinRect(100, 100, 500, 400);
    n.m_strSkin = "/opt/tumo/skins/Star.bmp";
    n.m_strBackPic = "/home/show/Back.jpg";
    n.m_nPicDisplay = 1;
    n.m_clrBack = 0x102030;
    n.m_nTransparency = 50;
    n.m_nSpare = 7;
    n.m_bShowTitle = 0;
    n.m_bScroll = 1;
    n.m_nLineSpace = 12;
    n.m_nScrollSpeed = 300;
    n.m_nNumbersAlign = 0;
    n.m_nInfoAlign = 2;
    n.m_clrTitle = 0xFFFFFF;
    n.m_fontTitle.lfWeight = 400;
    n.m_bShowNumbers = 0;
    n.m_bInfoFirst = 1;
    n.m_bAutoBackPic = false;
    return n;
}

CharFormat boldRed() {
    CharFormat cf;
    cf.dwMask = 0xEA000007;
    cf.dwEffects = CharFormat::CFE_BOLD;
    cf.yHeight = 480;
    cf.crTextColor = 0x0000FF;
    cf.szFaceName = QStringLiteral("Tahoma");
    return cf;
}

} // namespace

TEST_F(BoardRecords, FontDescriptionBytes) {
    EXPECT_EQ(store(LogFont::Default()), hex(kDefaultFontHex) + str("Arial"));
    LogFont f;
    f.lfCharSet = 1;
    f.lfClipPrecision = 2;
    f.lfEscapement = 3;
    f.lfHeight = 4;
    f.lfItalic = 5;
    f.lfOrientation = 6;
    f.lfOutPrecision = 7;
    f.lfPitchAndFamily = 8;
    f.lfQuality = 9;
    f.lfStrikeOut = 10;
    f.lfUnderline = 11;
    f.lfWeight = 12;
    f.lfWidth = 13;
    EXPECT_EQ(store(f),
              hex("01 02 03000000 04000000 05 06000000 07 08 09 0a 0b 0c000000 0d000000") +
                  str(""));
    expectRoundTrip(f);

    // A face name longer than the font field holds is cut.
    const LogFont longFace = load<LogFont>(hex(kDefaultFontHex) + str(QString(40, 'F')));
    EXPECT_EQ(longFace.lfFaceName, QString(LogFont::kMaxFaceName, 'F'));
}

TEST_F(BoardRecords, DefaultBoard) {
    const QByteArray bytes = store(LotteryNotify());
    EXPECT_TRUE(bytes.startsWith(QByteArray(
        hex("01000000 02000000 00000000 01000000") + QByteArray(32, '\0') +
        hex("c4c4c400 ff000000") + str("DefBBBg.jpg") + str("DefBBSkin.bmp") + str("") +
        hex("01000000 01000000 00000000 00000000") + hex(kDefaultFontHex) + str("Arial") +
        hex("46000000 01000000 01000000 00000000 05000000 20030000 "
            "01000000 01000000") +
        hex(kDefaultFontHex) + str("Arial") + hex("ff000000 01000000 00000000 01"))));
    EXPECT_TRUE(bytes.endsWith(QByteArray(hex("01") + QByteArray(20, '\0') + hex("0000"))));

    const LotteryNotify back = load<LotteryNotify>(bytes);
    LotteryNotify expected;
    expected.m_strSkin = "/opt/tumo/DefBBSkin.bmp";
    expected.m_strBackPic = "/opt/tumo/DefBBBg.jpg";
    EXPECT_EQ(back, expected);
}

TEST_F(BoardRecords, BoardRoundTripAndPaths) {
    const LotteryNotify board = customBoard();
    expectRoundTrip(board);
    expectEveryCutFails(board);

    LotteryNotify stored = board;
    Archive ar;
    stored.Serialize(ar);
    EXPECT_EQ(stored.m_strSkin, "skins\\Star.bmp");
    EXPECT_EQ(stored.m_strBackPic, "/home/show/Back.jpg");
}

TEST_F(BoardRecords, NumbersPerLineFromAFileIsAtLeastOne) {
    for (qint32 perLine : {0, -4}) {
        LotteryNotify board = customBoard();
        board.m_nPerLine = perLine;
        EXPECT_EQ(load<LotteryNotify>(store(board)).m_nPerLine, 1) << perLine;
    }
}

TEST_F(BoardRecords, CopiesOwnTheirFontsAndShape) {
    const LotteryNotify source = customBoard();
    LotteryNotify copy;
    copy = source;
    EXPECT_EQ(copy, source);
    copy.m_fontTitle.SetFaceName("Courier New");
    copy.m_shape.RemoveAllPoints();
    EXPECT_EQ(source, customBoard());
}

TEST_F(BoardRecords, PanelEditing) {
    LotteryAPanel panels;
    panels.AddPanel("Left: ~#~", boldRed());
    ASSERT_EQ(panels.m_listPanels.size(), 1);
    EXPECT_EQ(panels.m_listPanels[0].m_rect, WinRect());
    panels.m_listPanels[0].m_rect = WinRect(10, 20, 210, 60);

    CharFormat cf = boldRed();
    cf.wWeight = 700;
    panels.SetPanel(0, "Drawn: ~$~", cf);
    EXPECT_EQ(panels.m_listPanels[0].m_strText, "Drawn: ~$~");
    EXPECT_EQ(panels.m_listPanels[0].m_cf, cf);
    EXPECT_EQ(panels.m_listPanels[0].m_rect, WinRect(10, 20, 210, 60));

    const LotteryAPanel before = panels;
    panels.SetPanel(1, "nowhere", cf);
    panels.SetPanel(-1, "nowhere", cf);
    EXPECT_EQ(panels, before);

    LotteryAPanel copy = panels;
    copy.RemoveAll();
    EXPECT_TRUE(copy.m_listPanels.isEmpty());
    EXPECT_EQ(panels, before);
}

TEST_F(BoardRecords, PanelBytes) {
    LotteryAPanel panels;
    panels.AddPanel("A", boldRed());
    panels.AddPanel("B", boldRed());
    panels.m_listPanels[1].m_rect = WinRect(1, 2, 3, 4);
    const QByteArray fields = hex("74000000 070000ea 01000000 e0010000 ff000000") + str("Tahoma");
    EXPECT_EQ(store(panels), hex("0200 ffff 0100 0600") + "APanel" + str("A") + fields +
                                 QByteArray(16, '\0') + hex("0180") + str("B") + fields +
                                 hex("01000000 02000000 03000000 04000000"));
    expectRoundTrip(panels);
    expectEveryCutFails(panels);

    // Members the file does not keep come back as zero; a long face name is cut.
    APanel panel("x", boldRed());
    panel.m_cf.wWeight = 700;
    panel.m_cf.szFaceName = QString(40, 'G');
    const APanel back = load<APanel>(store(panel));
    EXPECT_EQ(back.m_cf.wWeight, 0);
    EXPECT_EQ(back.m_cf.szFaceName, QString(CharFormat::kMaxFaceName, 'G'));
    EXPECT_EQ(back.m_cf.dwMask, 0xEA000007u);
}
