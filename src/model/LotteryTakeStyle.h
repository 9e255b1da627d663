#pragma once

#include <QtGlobal>

class Archive;

// What one press stops on the draw screen.
class LotteryTakeStyle {
public:
    static const char* ClassName() { return "LotteryTakeStyle"; }

    enum StopMode { StopNumber = 0, StopCharacter = 1, StopScreen = 2 };
    enum Direction { RightToLeft = 0, LeftToRight = 1 };

    void Serialize(Archive& ar);

    friend bool operator==(const LotteryTakeStyle&, const LotteryTakeStyle&) = default;

    qint32 m_nStopMode = StopNumber;
    qint32 m_nDirection = RightToLeft; // order of the characters in StopCharacter mode
};
