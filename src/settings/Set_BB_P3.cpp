#include "settings/Set_BB_P3.h"

#include "model/LotteryNotify.h"
#include "model/Prompter.h"
#include "settings/DialogData.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBoard = 0;
constexpr int kNumbers = 4;

} // namespace

Set_BB_P3::Set_BB_P3(LotteryNotify* notify, Prompter& prompter, QWidget* parent)
    : BulletinOptionsPage(notify, prompter, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildGroup(QStringLiteral("The position and size of the bulletin board"),
                                 kBoard, m_pBoardDesign));
    layout->addWidget(BuildGroup(QStringLiteral("The position and size of the winning numbers"),
                                 kNumbers, m_pNumbersDesign));
    layout->addStretch();
    connect(m_pBoardDesign, &QPushButton::clicked, this, &Set_BB_P3::boardLayoutRequested);
    connect(m_pNumbersDesign, &QPushButton::clicked, this, &Set_BB_P3::numberAreaLayoutRequested);
    LoadRects();
}

QWidget* Set_BB_P3::BuildGroup(const QString& title, int first, QPushButton*& design) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    const QString labels[] = {QStringLiteral("The x:"), QStringLiteral("The y:"),
                              QStringLiteral("The width:"), QStringLiteral("The height:")};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = new QLineEdit(group);
        edit->setFixedWidth(70);
        edit->setAlignment(Qt::AlignRight);
        DialogData::DigitsOnly(edit);
        m_edits[first + i] = edit;
        const int row = i / 2;
        const int column = (i % 2) * 2;
        grid->addWidget(new QLabel(labels[i], group), row, column);
        grid->addWidget(edit, row, column + 1);
    }
    design = new QPushButton(QStringLiteral("Visiual design"), group);
    grid->addWidget(design, 0, 5, 2, 1, Qt::AlignVCenter);
    grid->setColumnMinimumWidth(2, 30);
    grid->setColumnStretch(4, 1);
    return group;
}

void Set_BB_P3::LoadRects() {
    const WinRect& b = m_pNotify->m_rcBoard;
    const WinRect& n = m_pNotify->m_rcNumbers;
    const int values[8] = {b.left, b.top, b.Width(), b.Height(),
                           n.left, n.top, n.Width(), n.Height()};
    for (int i = 0; i < 8; ++i)
        m_edits[i]->setText(QString::number(values[i]));
}

bool Set_BB_P3::ReadRect(int first, WinRect& rect) {
    int values[4];
    for (int i = 0; i < 4; ++i)
        if (!DialogData::ReadInt(m_edits[first + i], values[i], m_prompter))
            return false;
    rect = DialogData::FromPosition(values[0], values[1], values[2], values[3]);
    return true;
}

bool Set_BB_P3::Save() {
    WinRect board;
    WinRect numbers;
    if (!ReadRect(kBoard, board) || !ReadRect(kNumbers, numbers))
        return false;
    m_pNotify->m_rcBoard = board;
    m_pNotify->m_rcNumbers = numbers;
    return true;
}
