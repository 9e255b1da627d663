#pragma once

#include "model/LogFont.h"
#include "model/SerialPtArray.h"
#include "model/WinRect.h"

#include <QString>

class Archive;

// A prize level's bulletin board: where it sits, its shape and background, what it lists, in
// which fonts, colours and alignment, when it pops up and how it scrolls.
class LotteryNotify {
public:
    void Serialize(Archive& ar);

    friend bool operator==(const LotteryNotify&, const LotteryNotify&) = default;

    qint32 m_bFillZero = 1;
    qint32 m_nInfoWidth = 70; // percent of a column given to the additional information
    qint32 m_bEnable = 1;
    qint32 m_bShowInfo = 1;
    qint32 m_nShowWhen = 0; // 0 symbols stopped, 1 level finished, 2 always
    qint32 m_bShowAllWinners = 0;
    LogFont m_fontNumbers = LogFont::Default();
    SerialPtArray m_shape; // outline traced from the shape picture
    QString m_strTitle;
    WinRect m_rcNumbers;   // in board client coordinates
    qint32 m_nPerLine = 1; // at least 1: the board divides its width by it
    quint32 m_clrNumbers = 0x0000FF;
    WinRect m_rcBoard;
    QString m_strSkin = QStringLiteral("DefBBSkin.bmp");
    QString m_strBackPic = QStringLiteral("DefBBBg.jpg");
    qint32 m_nPicDisplay = 2; // 0 tile, 1 centre, 2 stretch
    quint32 m_clrBack = 0xC4C4C4;
    qint32 m_nTransparency = 0; // percent
    qint32 m_nSpare = 1;
    qint32 m_bShowTitle = 1;
    qint32 m_bScroll = 0;
    qint32 m_nLineSpace = 5;     // pixels
    qint32 m_nScrollSpeed = 800; // ms per line
    qint32 m_nNumbersAlign = 1;  // 0 left, 1 centre, 2 right
    qint32 m_nInfoAlign = 1;
    quint32 m_clrTitle = 0x0000FF;
    LogFont m_fontTitle = LogFont::Default();
    qint32 m_bShowNumbers = 1;
    qint32 m_bInfoFirst = 0;
    bool m_bAutoBackPic = true; // stored as one byte
};
