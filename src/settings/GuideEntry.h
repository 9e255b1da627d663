#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One entry of the guide file "GuidHelpContent.xml": an <Item> under the root <Items>, with the
// child elements title, content, level, relCtrlID, tipTitle and tipContent.
struct GuideEntry {
    QString title;      // markup
    QString content;    // markup, may be empty
    int level = 0;      // nesting, 0 at the left
    int relCtrlId = 0;  // the control the entry describes, 0 for none
    QString tipTitle;   // of the balloon; empty: "HERE"
    QString tipContent; // of the balloon; empty: "HERE"

    // What the list shows: the title, and the content on the next line when there is one.
    QString ListText() const;
};

// The entries in document order. A document that is not well-formed, or whose root is not
// <Items>, gives none; an element an <Item> lacks counts as empty (0 for the numbers).
std::vector<GuideEntry> ParseGuideEntries(const QByteArray& data);
// The same from a file; a missing or unreadable file gives none.
std::vector<GuideEntry> ReadGuideFile(const QString& path);

// A number as the guide file writes it: blanks, an optional sign and the leading digits; no
// digits give 0, and values beyond the int range stop at its ends.
int ParseGuideNumber(const QString& text);
