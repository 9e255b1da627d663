#pragma once

#include <QStringList>

class TumoStatus;

// The design tool's level selector: the prize levels 1 to the last in list order, then the
// default level (list entry 0). Selector index i is list index i + 1; the last index is 0.
class DesignLevels {
public:
    static int ListIndexOf(int selectorIndex, int lastGrade);
    static int SelectorIndexOf(int listIndex, int lastGrade);
    // The entries of the selector, in order.
    static QStringList Names(const TumoStatus& status);
};
