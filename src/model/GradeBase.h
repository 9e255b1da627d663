#pragma once

#include <QString>
#include <QtGlobal>

class Archive;

// A prize level's name, number of winners and timing.
class GradeBase {
public:
    static const char* ClassName() { return "GradeBase"; }

    static QString DefaultName() { return QStringLiteral("Default Settings"); }

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
