#pragma once

#include <QColor>
#include <QFont>
#include <QPushButton>

// A flat push button: a grey face with a thin dark border and black text that turns blue with
// white text while the mouse rests on it. It has no pushed, focused or disabled look, so a row of
// them stays calm on the draw screen whatever the operator does; what a click does is the owner's
// business (clicked()).
class XButton : public QPushButton {
    Q_OBJECT

public:
    explicit XButton(QWidget* parent = nullptr);
    explicit XButton(const QString& text, QWidget* parent = nullptr);

    bool IsHovered() const { return m_bHover; }

    static constexpr int kFontCellHeight = 14;

    // Verdana (or the nearest sans face on this system) whose character cell is `cellHeight`
    // pixels high.
    static QFont MakeButtonFont(int cellHeight = kFontCellHeight);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetHover(bool hover);

    bool m_bHover = false;
    const QColor m_clrText;
    const QColor m_clrHoverText;
    const QColor m_clrFace;
    const QColor m_clrHoverFace;
    const QColor m_clrBorder;
};
