#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The surface the markup renderer draws on: a selected font, a text colour, text measuring and
// drawing one piece of text into a rectangle. The list control hands it a painter; tests hand it
// a recorder.
class MarkupCanvas {
public:
    virtual ~MarkupCanvas() = default;

    virtual QFont Font() const = 0;
    virtual void SelectFont(const QFont& font) = 0;
    // Width and height of the text on one line in the selected font.
    virtual QSize TextExtent(const QString& text) const = 0;
    // Draws the text into the rectangle; format holds DrawTextFormat flags.
    virtual void DrawText(const QString& text, const QRect& rect, unsigned format) = 0;

    virtual QColor TextColor() const = 0;
    virtual void SetTextColor(const QColor& colour) = 0;

    // Font and text colour are saved and restored together, innermost first.
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;

    // Where a text drawn without a rectangle starts, and how wide the surface is.
    virtual QPoint CurrentPosition() const = 0;
    virtual int HorizontalResolution() const = 0;
};
