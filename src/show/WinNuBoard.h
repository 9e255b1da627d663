#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class GradeInfo;

// The stand-in for the bulletin board's number area while it is placed in design mode: a half
// transparent box over the board that the trackers move and size. Wherever it goes, the level's
// number area follows at once (in board coordinates) and the board is repainted, so the operator
// sees the numbers in their new place while dragging. Mouse input goes through it to the
// trackers.
class WinNuBoard : public QWidget {
    Q_OBJECT
public:
    using LevelSource = std::function<GradeInfo*()>;

    // A child of the draw window, as the board is.
    WinNuBoard(QWidget* parent, QWidget* board, LevelSource level);

    // Puts the box over the level's number area.
    void PlaceOverNumbers();

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Store();

    QPointer<QWidget> m_pBoard;
    LevelSource m_level;
};
