#include "show/SymSnapshot.h"

#include "model/TumoStatus.h"

SymSnapshot SymSnapshot::Take(const TumoStatus& status, QSize screen, quint64 layoutSerial,
                              const GradeInfo* level) {
    SymSnapshot snap;
    snap.screen = screen;
    snap.nLayoutSerial = layoutSerial;
    snap.nPositions = status.m_nuBase.m_nDigits;
    snap.nLastGrade = status.LastGrade();
    if (!level)
        level = status.CurrentLevel();
    if (!level)
        return snap;
    if (const qsizetype index = status.IndexOf(level); index >= 0)
        snap.nGrade = qint32(index);
    snap.bLevel0 = snap.nGrade == 0;
    snap.nRows = level->m_base.m_nPerScreen;
    snap.nQuantity = level->m_base.m_nQuantity;
    snap.nTaken = level->m_taken.Count();
    snap.sym = level->m_sym;
    return snap;
}
