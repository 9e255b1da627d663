#pragma once

#include "model/CharFormat.h"

#include <QColor>
#include <QTextCharFormat>

class LogFont;
class QFont;

// The character format rules of the text-item editor, without widgets: what a new item starts
// with, how a format opens the font chooser and how the chooser's answer comes back. Heights are
// in twips, 15 to the pixel, as the text panels read them.
class TextItemFormat {
public:
    // Size, colour, face, character set, locale, bold, italic, underline.
    static constexpr quint32 kMask = CharFormat::CFM_SIZE | CharFormat::CFM_COLOR |
                                     CharFormat::CFM_FACE | CharFormat::CFM_CHARSET |
                                     CharFormat::CFM_LCID | CharFormat::CFM_BOLD |
                                     CharFormat::CFM_ITALIC | CharFormat::CFM_UNDERLINE;
    static constexpr int kTwipsPerPixel = 15;
    static constexpr quint32 kRed = 0x0000FF;
    static constexpr int kNewItemScale = 4;
    static constexpr qint32 kBoldWeight = 700;

    // What the editor holds before anything is read: the mask set, everything else zero.
    static CharFormat Initial();
    // The editor's own default format: its font and its text colour, the colour automatic.
    static CharFormat FromFont(const QFont& font, const QColor& color);
    // A new item: four times the editor's default height, red, the colour no longer automatic.
    static CharFormat NewItemFormat(const CharFormat& editorDefault);

    // Fills the font chooser's description from a format; fields the format does not speak of
    // keep what the chooser returned last time.
    static void PrepareLogFont(const CharFormat& cf, LogFont& lf);
    // Takes the chooser's font and colour into a format.
    static void ApplyChosenFont(CharFormat& cf, const LogFont& lf, quint32 color);

    // What the editor shows for a format: the text panel's own font, in the stored colour.
    static QTextCharFormat ToTextFormat(const CharFormat& cf);
    static QColor ColorOf(quint32 colorRef);    // from 0x00BBGGRR
    static quint32 ColorRefOf(const QColor& c); // to 0x00BBGGRR
};
