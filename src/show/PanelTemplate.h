#pragma once

#include <QString>

// The live counts a text panel can show: "~?~" the level's winning quantity, "~#~" the winners
// still to draw and "~$~" the winners drawn so far. Every occurrence is replaced, in that order,
// by a plain decimal number.
QString ExpandInfoTemplate(const QString& text, int quantity, int drawn);
