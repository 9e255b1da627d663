#pragma once

#include <QString>
#include <QtGlobal>

class Archive;

// The number pool's summary: how many numbers it holds, the longest one's length and the
// characters they use. Stored at the end of the status file.
class LotteryNuBase {
public:
    static const char* ClassName() { return "LotteryNuBase"; }

    void Serialize(Archive& ar);

    friend bool operator==(const LotteryNuBase&, const LotteryNuBase&) = default;

    QString m_strChars; // every character the numbers use
    qint32 m_nSpare1 = 0;
    qint32 m_nSpare2 = 0;
    qint32 m_nCount = 0;  // numbers in the pool
    qint32 m_nDigits = 0; // symbol positions per number on the screen
};
