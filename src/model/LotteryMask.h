#pragma once

#include "model/SUINT.h"

#include <QList>
#include <QString>

class Archive;

// The masked character positions of a prize level: one entry per position counted from the
// left, value 1 = masked when a winning number is pulled out.
class LotteryMask {
public:
    void Serialize(Archive& ar);

    friend bool operator==(const LotteryMask&, const LotteryMask&) = default;

    QList<SUINT> m_listBits;
    QString m_strMaskChar =
        QStringLiteral("X"); // shown on the bulletin board for a masked character
};
