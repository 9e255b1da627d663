#pragma once

#include <QImage>
#include <QWidget>

// The "design mode" badge in the upper right corner of the draw screen, an oval that tells the
// operator that the screen is being laid out and does not draw. Mouse input goes through it.
class DesignModeWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 67;

    explicit DesignModeWnd(QWidget* parent);

    // Where the badge sits on a draw screen of that size.
    static QRect PlaceOn(QSize screen);
    // The badge's picture, drawn by the program.
    static QImage Picture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
