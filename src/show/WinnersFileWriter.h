#pragma once

#include "show/WinnersFile.h"

#include <QList>

class NumberSource;
class TumoStatus;

// The winners text file named by the automatic output option, from the levels' drawn lists and
// the pool's texts.
//
// The texts of the numbers drawn so far are kept, so that bringing the list up to date after a
// draw step reads only the numbers drawn since; the file itself is then made from a copy, on
// whatever thread writes it.
class WinnersFileWriter {
public:
    WinnersFileWriter(const TumoStatus& status, NumberSource& numbers);

    // The levels in the file's order (prize levels 1 to n, then the default level), each with its
    // winners in the order of drawing: a copy that stays as it is while the draw goes on.
    QList<WinnersLevel> Snapshot();
    // The file's path: the automatic output option made absolute.
    QString Path() const;
    // The pool may hold other texts now: every winner is read again, here and now.
    void Refresh();
    // Writes the file at once on this thread; false when it could not be written.
    bool WriteWinnersText();

    // Prize levels 1 to n in list order, then the default level, each in the order of drawing.
    static QList<WinnerLine> CollectWinners(const TumoStatus& status, NumberSource& numbers);

private:
    struct Cached {
        QList<quint32> drawn; // the pool indexes whose texts are kept, in order
        WinnersLevel texts;
    };

    void Update(qsizetype index);

    const TumoStatus& m_status;
    NumberSource& m_numbers;
    QList<Cached> m_cache; // by level index
};
