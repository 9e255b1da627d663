#pragma once

#include "controls/MarkupCanvas.h"

#include <QList>

// A surface whose text measures are simple and which records what is drawn: every character is
// 10 pixels wide (12 in bold), a line is 20 pixels high (the font's pixel size plus 4 otherwise).
class MarkupTestCanvas : public MarkupCanvas {
public:
    struct Drawn {
        QString text;
        QRect rect;
        unsigned format;
        QFont font;
        QColor colour;
    };

    MarkupTestCanvas() {
        m_font.setPixelSize(16);
        m_colour = Qt::black;
    }

    QFont Font() const override { return m_font; }
    void SelectFont(const QFont& font) override { m_font = font; }
    QSize TextExtent(const QString& text) const override {
        const int perChar = m_font.bold() ? 12 : 10;
        return {int(text.size()) * perChar, m_font.pixelSize() + 4};
    }
    void DrawText(const QString& text, const QRect& rect, unsigned format) override {
        drawn.append({text, rect, format, m_font, m_colour});
    }
    QColor TextColor() const override { return m_colour; }
    void SetTextColor(const QColor& colour) override { m_colour = colour; }
    void SaveState() override { m_saved.append({m_font, m_colour}); }
    void RestoreState() override {
        m_font = m_saved.last().first;
        m_colour = m_saved.last().second;
        m_saved.removeLast();
    }
    QPoint CurrentPosition() const override { return position; }
    int HorizontalResolution() const override { return resolution; }

    QStringList Words() const {
        QStringList words;
        for (const Drawn& d : drawn)
            words.append(d.text);
        return words;
    }

    QList<Drawn> drawn;
    QPoint position;
    int resolution = 1000;

private:
    QFont m_font;
    QColor m_colour;
    QList<std::pair<QFont, QColor>> m_saved;
};
