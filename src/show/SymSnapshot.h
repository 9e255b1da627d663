#pragma once

#include "model/LotterySym.h"

#include <QSize>
#include <QtGlobal>

class GradeInfo;
class TumoStatus;

// What the symbol worker needs of the draw, copied on the GUI thread when a command is posted.
// The worker never reads the live status: it works from the snapshot of the command it handles.
struct SymSnapshot {
    qint32 nRows = 0;       // numbers on the screen (the current level's m_nPerScreen)
    qint32 nPositions = 0;  // characters per number (the pool's m_nDigits)
    qint32 nGrade = -1;     // the current level's index in the level list
    bool bLevel0 = true;    // the current level is the default level, the head of the list
    qint32 nLastGrade = -1; // TumoStatus::m_nLastGrade
    qint32 nQuantity = 0;   // winners of the current level
    qint32 nTaken = 0;      // numbers drawn in it so far
    LotterySym sym;         // the current level's symbols and stored layout
    QSize screen;           // the primary screen, which the automatic layout fills
    // The screen the stored (placed) layout was made for; it is shown scaled from there to
    // `screen`. Empty: shown as stored.
    QSize layoutScreen;
    // The last layout result of the worker that the GUI thread had applied when it took this
    // snapshot; an older one does not undo the worker's newer layout.
    quint64 nLayoutSerial = 0;

    // The status's current level, or `level` when it is given (it must be in the status's list
    // for its index to be known).
    static SymSnapshot Take(const TumoStatus& status, QSize screen, quint64 layoutSerial,
                            const GradeInfo* level = nullptr);
};

// A layout the worker computed or found broken, for the GUI thread to write into the level.
struct SymLayoutResult {
    quint64 nSerial = 0;
    qint32 nGrade = -1;
    bool bAutoLaid = false; // the layout and the per-position movies were made anew
    QList<SymBitDataArray> layout;
    QStringList files;
    qint32 bLayoutValid = 0;
};
