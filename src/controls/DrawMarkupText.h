#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <QStringView>

class MarkupCanvas;
class QPainter;

// Text with a few HTML tags, drawn word by word into a rectangle or only measured.
//
// Understood tags, without regard to case: <b> and <strong> (bold), <i> and <em> (italic), <u>
// (underline), <sub> and <sup>, <font color=#RRGGBB> (text colour, up to 8 nested colours are
// restored), <br> (next line) and <p> (next line after half a line of space). A tag name is taken
// by its first letters: <bold> is bold and <pre> a paragraph. Anything else between angle brackets
// is shown as text. White space between words is shown as one blank; a line never breaks inside
// a word.

// Token kinds of ScanMarkupToken: the end, a word, an opening tag (its code) or a closing tag.
namespace MarkupToken {
enum : int {
    End = -1,
    Word = 0,
    Bold = 1,
    LineBreak = 2,
    Colour = 3,
    Italic = 4,
    Paragraph = 5,
    Subscript = 6,
    Superscript = 7,
    Underline = 8,
    Closing = 0x100, // added to the code of a closing tag; alone for a closing tag not understood
};
}

// Draws length characters of text (-1: up to the terminating zero) with the canvas's font and
// text colour. With a rectangle the text starts at its top left and wraps (DT_WORDBREAK) at its
// width; without one it starts at the canvas's current position and may run to the right edge of
// the surface. DT_CENTER, DT_RIGHT and DT_TABSTOP are ignored; DT_SINGLELINE ignores <br> and <p>;
// DT_CALCRECT draws nothing and sets the rectangle's width to the widest line and its height to
// all the lines. Returns how far the top of the last line lies below the first (0 for one line).
// The canvas's font and text colour are as before when it returns.
int DrawMarkupText(MarkupCanvas* dc, const QChar* text, int length, QRect* rect, unsigned format);
int DrawMarkupText(MarkupCanvas* dc, const QString& text, QRect* rect, unsigned format);
int DrawMarkupText(QPainter* dc, const QString& text, QRect* rect, unsigned format);

// Finds the next token: moves text past the white space before it, returns its kind and length,
// and takes the token and that white space off remaining. The caller moves text on by the token's
// length. pendingSpace (optional) tells whether white space stands between the last word and the
// next one; <br> and <p> clear it and take the white space after them with them.
int ScanMarkupToken(const QChar*& text, int& remaining, int& tokenLength, bool* pendingSpace);

// The colour of a font tag's value: an optional quotation mark and '#', then six hexadecimal
// digits RRGGBB, where anything else counts as 0. A Windows colour value 0x00BBGGRR.
quint32 ParseMarkupColor(QStringView text);
