#pragma once

#include <QString>
#include <QtGlobal>

class Archive;

// A prize level's background: a movie or a picture.
class LotteryBg {
public:
    void Serialize(Archive& ar);

    friend bool operator==(const LotteryBg&, const LotteryBg&) = default;

    QString m_strFile = QStringLiteral("DefBg.swf");
    qint32 m_nDisplay = 2;        // picture layout: 0 tile, 1 centre, 2 stretch
    quint32 m_clrBack = 0xC4C4C4; // 0x00BBGGRR, around a picture that does not fill the screen
};
