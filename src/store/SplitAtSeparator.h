#pragma once

#include <QString>

// Splits one line of a number file into the number text and the information text at the first
// occurrence of the separator (exact, case-sensitive, any length). No separator, or an empty one:
// the whole line is the number. A line that starts with the separator gives the number "0" and
// keeps the whole line, separator included, as its information. Both texts are trimmed.
void SplitAtSeparator(const QString& line, const QString& separator, QString& number,
                      QString& info);
