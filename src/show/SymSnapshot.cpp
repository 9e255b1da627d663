#include "show/SymSnapshot.h"

#include "model/TumoStatus.h"

SymSnapshot SymSnapshot::Take(const TumoStatus& status, QSize screen, quint64 layoutSerial,
                              const GradeInfo* level) {
    SymSnapshot snap;
    snap.screen = screen;
    snap.nLayoutSerial = layoutSerial;
    snap.nPositions = status.m_nuBase.m_nDigits;
    snap.nLastGrade = status.m_nLastGrade;
    if (!level)
        level = status.m_pCurGrade;
    if (!level)
        return snap;
    for (qsizetype i = 0; i < status.m_listGrades.size(); ++i) {
        if (&status.m_listGrades[i] == level)
            snap.nGrade = qint32(i);
    }
    snap.bLevel0 = snap.nGrade == 0;
    snap.nRows = level->m_base.m_nPerScreen;
    snap.nQuantity = level->m_base.m_nQuantity;
    snap.nTaken = level->m_taken.Count();
    snap.sym = level->m_sym;
    return snap;
}
