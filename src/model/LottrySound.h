#pragma once

#include <QString>
#include <QtGlobal>

class Archive;

// A prize level's three sounds and whether each loops.
class LottrySound {
public:
    static const char* ClassName() { return "LottrySound"; }

    // Storing turns the three paths program-folder-relative in memory too; loading makes them
    // absolute again.
    void Serialize(Archive& ar);

    friend bool operator==(const LottrySound&, const LottrySound&) = default;

    QString m_strBackSound = QStringLiteral("defBKSound.wav"); // while the symbols roll
    qint32 m_bLoopBack = 1;
    qint32 m_bLoopStop = 0;
    qint32 m_bLoopBB = 0;
    QString m_strStopSound = QStringLiteral("defStopSound.wav"); // a winning number is pulled out
    QString m_strBBSound = QStringLiteral("defBBSound.wav");     // the bulletin board pops up
};
