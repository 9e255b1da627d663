#pragma once

#include "base/AppPaths.h"
#include "model/GradeInfo.h"

// Levels for the level and status tests.
namespace leveltest {

inline QString inFolder(const QString& name) {
    return g_strAppFolder + QLatin1Char('/') + name;
}

// A level as a load leaves it: defaults with every path made absolute.
inline GradeInfo loadedDefaultLevel() {
    GradeInfo g;
    g.m_sound.m_strBackSound = inFolder(QStringLiteral("defBKSound.wav"));
    g.m_sound.m_strStopSound = inFolder(QStringLiteral("defStopSound.wav"));
    g.m_sound.m_strBBSound = inFolder(QStringLiteral("defBBSound.wav"));
    g.m_bg.m_strFile = inFolder(QStringLiteral("DefBg.swf"));
    g.m_banner.m_strFile = inFolder(QStringLiteral("DefBan.swf"));
    g.m_notify.m_strSkin = inFolder(QStringLiteral("DefBBSkin.bmp"));
    g.m_notify.m_strBackPic = inFolder(QStringLiteral("DefBBBg.jpg"));
    return g;
}

// A level that uses every record: drawn numbers, mask, layout, sounds, board with a shape,
// text panels. Its paths are absolute, as after a load. `seed` makes levels differ.
inline GradeInfo fullLevel(int seed) {
    GradeInfo g = loadedDefaultLevel();
    g.m_base.m_strName = QStringLiteral("Prize %1").arg(seed);
    g.m_base.m_nQuantity = 10 * seed;
    g.m_base.m_nPerScreen = 2;
    g.m_base.m_bAutoDraw = 1;
    g.m_base.m_bPauseWhenDone = seed % 2;
    g.m_base.m_nScrollTime = 1500 + seed;
    g.m_base.m_nStopTime = 700;
    g.m_base.m_nSwitchTime = 2000;
    for (int i = 0; i < seed + 2; ++i)
        g.m_taken.Add(quint32(100 * seed + 7 * i));
    g.m_takeStyle.m_nStopMode = LotteryTakeStyle::StopCharacter;
    g.m_takeStyle.m_nDirection = LotteryTakeStyle::LeftToRight;
    g.m_sound.m_strBackSound = inFolder(QStringLiteral("sounds/roll%1.mp3").arg(seed));
    g.m_sound.m_strStopSound = QStringLiteral("/media/usb/stop.wav");
    g.m_sound.m_bLoopBack = 0;
    g.m_sound.m_bLoopStop = 1;
    g.m_sound.m_bLoopBB = 1;
    g.m_bg.m_strFile = inFolder(QStringLiteral("pictures/hall.jpg"));
    g.m_bg.m_nDisplay = 1;
    g.m_bg.m_clrBack = 0x203040;
    g.m_banner.m_bShow = 1;
    g.m_banner.m_rect = WinRect(5, 6, 300, 90);
    g.m_mask.m_strMaskChar = QStringLiteral("*");
    g.m_mask.m_listBits = {SUINT(0, 1), SUINT(1, 1), SUINT(0, 1)};
    g.m_sym.ResetLayout(2, 3);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            g.m_sym.m_listLayout[r].m_items[c].m_rect =
                WinRect(c * 80, r * 100, c * 80 + 70, r * 100 + 90);
    g.m_sym.m_listFiles[2] = QStringLiteral("/media/usb/gold.swf");
    g.m_sym.m_bLayoutValid = 1;
    g.m_notify.m_strTitle = QStringLiteral("Winners of prize %1").arg(seed);
    g.m_notify.m_shape.m_rect = WinRect(0, 0, 400, 300);
    g.m_notify.m_shape.m_points = {SerialPt({1, 2}), SerialPt({300, 2}), SerialPt({150, 280})};
    g.m_notify.m_shape.m_nCount = 3;
    g.m_notify.m_rcBoard = WinRect(100, 100, 500, 400);
    g.m_notify.m_nPerLine = 2;
    CharFormat cf;
    cf.dwMask =
        CharFormat::CFM_BOLD | CharFormat::CFM_SIZE | CharFormat::CFM_COLOR | CharFormat::CFM_FACE;
    cf.dwEffects = CharFormat::CFE_BOLD;
    cf.yHeight = 480;
    cf.crTextColor = 0x00FFFF;
    cf.szFaceName = QStringLiteral("Tahoma");
    g.m_aPanel.AddPanel(QStringLiteral("Still to draw: ~#~"), cf);
    g.m_aPanel.AddPanel(QStringLiteral("Drawn: ~$~"), cf);
    g.m_aPanel.m_listPanels[1].m_rect = WinRect(10, 10, 200, 60);
    return g;
}

} // namespace leveltest
