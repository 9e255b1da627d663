#pragma once

#include <QWidget>

class LotteryNotify;
class Prompter;
// The controls the pages are built from and hand out to the dialog.
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the pages of the bulletin-board options hold alike: the level's board settings in the
// dialog's working copy, which each page edits, and the prompter that tells the operator what a
// page cannot take.
class BulletinOptionsPage : public QWidget {
protected:
    BulletinOptionsPage(LotteryNotify* notify, Prompter& prompter, QWidget* parent)
        : QWidget(parent), m_pNotify(notify), m_prompter(prompter) {}

    LotteryNotify* m_pNotify = nullptr;
    Prompter& m_prompter;
};
