#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The lists of the other options page and what its closing stores, without widgets: the monitor
// entries, the start-up characters a symbol movie offers, and the values kept when a list has no
// choice.
class OtherOptionRules {
public:
    // "Monitor:1", "Monitor:2", ...
    static QString MonitorItem(int number);
    // One entry per monitor, in monitor order, so that an entry's position is its monitor number
    // less one however many monitors there are.
    static QStringList MonitorItems(int count);
    // The monitor stored on closing: the chosen entry's number; without a choice (the stored
    // monitor is gone) the first monitor, which is where the draw window then opens. Unchanged
    // when there is no monitor at all.
    static int MonitorToStore(int chosenIndex, int monitorCount, int stored);

    // One entry per character of the movie's symbols, sorted as a sorted list box sorts them.
    static QStringList StartSymbolItems(const QString& symbols);
    // The entry equal to the stored character (one byte of the Western Windows code page),
    // without regard to case; -1 when the movie cannot show it.
    static int FindStartSymbol(const QStringList& items, quint8 stored);
    // The byte stored for a chosen entry; the old byte when nothing is chosen or the character
    // has no byte in the code page.
    static quint8 StartSymbolToStore(const QString& chosen, quint8 stored);

    // The default symbol movie of the default level, absolute: a bare file name lies in the
    // program folder.
    static QString SymbolMoviePath(const QString& stored);
};
