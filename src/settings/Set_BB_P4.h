#pragma once

#include <QWidget>

class LotteryNotify;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;

// Page "How to show" of the bulletin-board options: when the board pops up, and whether it then
// lists every winning number of the level.
class Set_BB_P4 : public QWidget {
    Q_OBJECT
public:
    Set_BB_P4(LotteryNotify* notify, QWidget* parent = nullptr);

    // From the working copy into the controls, and back.
    void WriteControls();
    void ReadControls();

    // The group and its four buttons, by the board switch; the check is enabled whatever the
    // radio says.
    void EnableControls(bool enable);

    QRadioButton* WhenButton(int mode) const;
    QCheckBox* ShowAllCheck() const { return m_pShowAll; }

private:
    // The list of all the level's winners is offered only for a board that is always shown.
    void OnWhenChanged();

    LotteryNotify* m_pNotify;
    QGroupBox* m_pGroup;
    QButtonGroup* m_pWhen;
    QCheckBox* m_pShowAll;
};
