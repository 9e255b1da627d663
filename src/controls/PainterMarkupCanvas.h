#pragma once

#include "controls/MarkupCanvas.h"

class QPainter;

// A markup surface over a painter: the painter's font and pen colour are the selected font and
// the text colour, and its device measures the text.
class PainterMarkupCanvas : public MarkupCanvas {
public:
    explicit PainterMarkupCanvas(QPainter& painter, QPoint currentPosition = {});

    QFont Font() const override;
    void SelectFont(const QFont& font) override;
    QSize TextExtent(const QString& text) const override;
    void DrawText(const QString& text, const QRect& rect, unsigned format) override;
    QColor TextColor() const override;
    void SetTextColor(const QColor& colour) override;
    void SaveState() override;
    void RestoreState() override;
    QPoint CurrentPosition() const override { return m_ptCurrent; }
    int HorizontalResolution() const override;

private:
    QPainter& m_painter;
    QPoint m_ptCurrent;
};
