#pragma once

#include <QString>
#include <QtGlobal>

class GradeInfo;

// What the base settings dialog shows of a prize level, and the rules that do not need its
// widgets: how the take style reads as the two stop controls, which controls the quantity of
// numbers on the screen allows, and when that quantity is refused.
struct BaseSettingsFields {
    // The stop-style radios.
    enum StopStyle { kStopAll = 0, kStopOne = 1 };
    enum Direction { kRightToLeft = 0, kLeftToRight = 1 };

    // Which of the take-style controls can be used.
    struct Enabling {
        bool stopAll = true;   // "Stop all numbers on the screen once time."
        bool stopOne = true;   // "Stop one number on the screen once time."
        bool stopDigit = true; // "Stop a bit of a number once time."
        bool direction = true; // "From right to left." and "From left to right."
    };

    static BaseSettingsFields FromLevel(const GradeInfo& level);
    void ToLevel(GradeInfo& level) const;

    // At least one number on the screen, and no more than the level has winners (compared as the
    // dialog reads them: unsigned).
    bool PerScreenValid() const { return perScreen != 0 && quantity >= perScreen; }

    // One number on the screen lets a press stop one character of it, in either direction; more
    // numbers are stopped whole, all at once or one by one.
    static Enabling EnablingFor(quint32 perScreen, bool stopDigit);

    QString name;
    quint32 quantity = 1;
    quint32 perScreen = 1;
    int direction = kRightToLeft;
    int stopStyle = kStopAll;
    bool stopDigit = false;
    bool pause = false;
    bool autoDraw = false;
    qint32 stopTime = 0;
    qint32 scrollTime = 0;
    qint32 switchTime = 0;
};
