#pragma once

#include <QString>
#include <QtGlobal>

class Archive;

// A prize level's name, number of winners and timing.
class GradeBase {
public:
    static const char* ClassName() { return "GradeBase"; }

    static QString DefaultName() { return QStringLiteral("Default Settings"); }
    // Said when a level asks for no numbers on the screen or more than it can show.
    static QString PerScreenText() {
        return QStringLiteral("The quantity of winning numbers on the screen once time should "
                              "not be ZERO or bigger than the quantity of winning numbers in "
                              "this prize level.");
    }

    // The most symbol windows one screen can show (numbers on the screen times positions); a
    // settings file that asks for more is damaged or crafted, and would stall the start.
    static constexpr qint32 kMaxSymbolPositions = 4096;
    // Numbers on the screen times positions, without overflow.
    static qint64 SymbolPositions(qint64 perScreen, qint64 digits) {
        return qMax<qint64>(perScreen, 1) * qMax<qint64>(digits, 0);
    }
    // Lowers the numbers on the screen until the level's symbols fit one screen; true when
    // the level asked for more.
    bool FitToScreen(qint32 digits);

    void Serialize(Archive& ar);

    friend bool operator==(const GradeBase&, const GradeBase&) = default;

    qint32 m_nScrollTime = 800;  // ms the symbols roll in automatic mode
    qint32 m_nSwitchTime = 1000; // ms of extra display after a full screen, automatic mode
    qint32 m_nStopTime = 500;    // ms a result stays shown, automatic mode
    qint32 m_bAutoDraw = 0;
    qint32 m_bPauseWhenDone = 0; // pause when the level is finished instead of moving on
    qint32 m_nPerScreen = 1;     // numbers on the screen at once; the slot divisor, at least 1
    QString m_strName = DefaultName();
    qint32 m_nQuantity = 1; // winners; for the default level, the rest of the pool
};
