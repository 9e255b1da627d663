#pragma once

#include <QWidget>

#include <functional>

// A colour field of an option dialog: filled with its colour inside a one-pixel black border;
// a click asks for another colour. The dialog decides what a new colour changes.
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    // Asks the operator for a colour, starting from `colour` (0x00BBGGRR); false when cancelled.
    using Chooser = std::function<bool(quint32& colour, QWidget* parent)>;

    explicit ColourSwatch(QWidget* parent = nullptr);

    void SetColour(quint32 colour);
    quint32 Colour() const { return m_colour; }

    // The platform's colour dialog, its custom colours shown.
    static bool ChooseWithDialog(quint32& colour, QWidget* parent);

    QSize sizeHint() const override { return {48, 22}; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    quint32 m_colour = 0;
};
