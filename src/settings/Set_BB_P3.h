#pragma once

#include "settings/BulletinOptionsPage.h"

#include <QWidget>

struct WinRect;

// Page "Size and Position" of the bulletin-board options: the board's rectangle on the draw
// screen and the number area's rectangle on the board, each as x, y, width and height, and the
// buttons that hand over to placing them with the mouse.
class Set_BB_P3 : public BulletinOptionsPage {
    Q_OBJECT
public:
    Set_BB_P3(LotteryNotify* notify, Prompter& prompter, QWidget* parent = nullptr);

    // The eight edits from the working copy (also after a placement has changed it).
    void LoadRects();
    // The eight edits into the working copy; false, with the prompt shown and nothing written,
    // when one does not hold a number.
    bool Save();

    // Edits 0..3: the board's x, y, width, height; 4..7: the number area's.
    QLineEdit* Edit(int index) const { return m_edits[index]; }
    QPushButton* BoardDesignButton() const { return m_pBoardDesign; }
    QPushButton* NumbersDesignButton() const { return m_pNumbersDesign; }

Q_SIGNALS:
    // "Visiual design" under the board's rectangle and under the number area's.
    void boardLayoutRequested();
    void numberAreaLayoutRequested();

private:
    QWidget* BuildGroup(const QString& title, int first, QPushButton*& design);
    bool ReadRect(int first, WinRect& rect);

    QLineEdit* m_edits[8] = {};
    QPushButton* m_pBoardDesign = nullptr;
    QPushButton* m_pNumbersDesign = nullptr;
};
