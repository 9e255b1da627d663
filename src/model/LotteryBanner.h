#pragma once

#include "model/WinRect.h"

#include <QString>

class Archive;

// A prize level's banner movie and where it sits on the screen.
class LotteryBanner {
public:
    void Serialize(Archive& ar);

    friend bool operator==(const LotteryBanner&, const LotteryBanner&) = default;

    QString m_strFile = QStringLiteral("DefBan.swf");
    WinRect m_rect{20, 20, 200, 100};
    qint32 m_bShow = 0;
};
