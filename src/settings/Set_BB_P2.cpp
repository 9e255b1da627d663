#include "settings/Set_BB_P2.h"

#include "model/LotteryNotify.h"
#include "model/Prompter.h"
#include "settings/DialogData.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kOnlyNumbers = 0;
constexpr int kOnlyInfo = 100;
constexpr int kShared = 50;

QLineEdit* NumberEdit(QWidget* parent, int width = 60) {
    auto* edit = new QLineEdit(parent);
    edit->setFixedWidth(width);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QButtonGroup* AlignRow(QWidget* owner, QWidget* parent, QHBoxLayout* row) {
    auto* group = new QButtonGroup(owner);
    const QString texts[] = {QStringLiteral("Left"), QStringLiteral("Center"),
                             QStringLiteral("Right")};
    for (int align = 0; align < 3; ++align) {
        auto* radio = new QRadioButton(texts[align], parent);
        group->addButton(radio, align);
        row->addWidget(radio);
    }
    row->addStretch();
    return group;
}

void Check(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id))
        b->setChecked(true);
}

} // namespace

Set_BB_P2::Set_BB_P2(LotteryNotify* notify, Prompter& prompter, QWidget* parent)
    : BulletinOptionsPage(notify, prompter, parent) {
    BuildControls();
    WriteControls();
}

void Set_BB_P2::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildTitleGroup());
    layout->addWidget(BuildNumbersGroup());
    layout->addStretch();

    connect(m_pShowTitle, &QCheckBox::clicked, this, &Set_BB_P2::OnShowTitle);
    connect(m_pShowInfo, &QCheckBox::clicked, this, &Set_BB_P2::OnShowInfo);
    connect(m_pShowNumbers, &QCheckBox::clicked, this, &Set_BB_P2::OnShowNumbers);
    connect(m_pTitleFont, &QPushButton::clicked, this, &Set_BB_P2::OnTitleFont);
    connect(m_pNumbersFont, &QPushButton::clicked, this, &Set_BB_P2::OnNumbersFont);
}

QWidget* Set_BB_P2::BuildTitleGroup() {
    auto* group = new QGroupBox(QStringLiteral("Title"), this);
    m_pTitle = new QLineEdit(group);
    m_pShowTitle = new QCheckBox(QStringLiteral("Show title"), group);
    m_pScroll = new QCheckBox(QStringLiteral("Scroll with the numbers"), group);
    m_pTitleFont = new QPushButton(QStringLiteral("Font"), group);
    auto* row = new QHBoxLayout;
    row->addWidget(m_pShowTitle);
    row->addWidget(m_pScroll);
    row->addStretch();
    row->addWidget(m_pTitleFont);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_pTitle);
    layout->addLayout(row);
    return group;
}

QWidget* Set_BB_P2::BuildNumbersGroup() {
    auto* group = new QGroupBox(QStringLiteral("Winning numbers"), this);
    m_pPerLine = NumberEdit(group, 40);
    DialogData::DigitsOnly(m_pPerLine);
    m_pLineSpace = NumberEdit(group);
    m_pScrollSpeed = NumberEdit(group);
    m_pFillZero = new QCheckBox(QStringLiteral("Fill the lack bit with ZERO."), group);
    m_pShowNumbers = new QCheckBox(QStringLiteral("show winning numbers"), group);
    m_pShowInfo = new QCheckBox(QStringLiteral("Show additional information."), group);
    m_pInfoFirst = new QCheckBox(QStringLiteral("Show information first."), group);
    m_pWidthLabel = new QLabel(QStringLiteral("The width of the information:"), group);
    m_pInfoWidth = NumberEdit(group);
    m_pPercent = new QLabel(QStringLiteral("%"), group);
    m_pNumbersFont = new QPushButton(QStringLiteral("Font"), group);

    auto* perLine = new QHBoxLayout;
    perLine->addWidget(new QLabel(QStringLiteral("Show"), group));
    perLine->addWidget(m_pPerLine);
    perLine->addWidget(new QLabel(QStringLiteral("numbers per line."), group));
    perLine->addStretch();
    perLine->addWidget(m_pNumbersFont);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Line space:"), group), 0, 0);
    grid->addWidget(m_pLineSpace, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Px"), group), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("The speed of scrolling:"), group), 1, 0);
    grid->addWidget(m_pScrollSpeed, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("ms/line"), group), 1, 2);
    grid->addWidget(m_pWidthLabel, 2, 0);
    grid->addWidget(m_pInfoWidth, 2, 1);
    grid->addWidget(m_pPercent, 2, 2);
    grid->setColumnStretch(3, 1);

    auto* checks = new QGridLayout;
    checks->addWidget(m_pShowNumbers, 0, 0);
    checks->addWidget(m_pShowInfo, 0, 1);
    checks->addWidget(m_pFillZero, 1, 0);
    checks->addWidget(m_pInfoFirst, 1, 1);

    auto* numbersRow = new QHBoxLayout;
    auto* infoRow = new QHBoxLayout;
    m_pNumbersAlign = AlignRow(this, group, numbersRow);
    m_pInfoAlign = AlignRow(this, group, infoRow);
    auto* align = new QGridLayout;
    align->addWidget(new QLabel(QStringLiteral("Number:"), group), 0, 0);
    align->addLayout(numbersRow, 0, 1);
    align->addWidget(new QLabel(QStringLiteral("Infomation:"), group), 1, 0);
    align->addLayout(infoRow, 1, 1);

    auto* layout = new QVBoxLayout(group);
    layout->addLayout(perLine);
    layout->addLayout(grid);
    layout->addLayout(checks);
    layout->addLayout(align);
    return group;
}

void Set_BB_P2::WriteControls() {
    const LotteryNotify& n = *m_pNotify;
    m_pTitle->setText(n.m_strTitle);
    m_pShowTitle->setChecked(n.m_bShowTitle != 0);
    m_pScroll->setChecked(n.m_bScroll != 0);
    m_pPerLine->setText(QString::number(quint32(n.m_nPerLine)));
    m_pLineSpace->setText(QString::number(n.m_nLineSpace));
    m_pScrollSpeed->setText(QString::number(n.m_nScrollSpeed));
    m_pFillZero->setChecked(n.m_bFillZero != 0);
    m_pShowNumbers->setChecked(n.m_bShowNumbers != 0);
    m_pShowInfo->setChecked(n.m_bShowInfo != 0);
    m_pInfoFirst->setChecked(n.m_bInfoFirst != 0);
    m_pInfoWidth->setText(QString::number(n.m_nInfoWidth));
    Check(m_pNumbersAlign, n.m_nNumbersAlign);
    Check(m_pInfoAlign, n.m_nInfoAlign);

    if (!n.m_bShowInfo) {
        m_pInfoWidth->setText(QString::number(kOnlyNumbers));
        EnableWidthControls(false);
    }
    if (!n.m_bShowNumbers) {
        m_pInfoWidth->setText(QString::number(kOnlyInfo));
        EnableWidthControls(false);
    }
    m_pTitle->setEnabled(n.m_bShowTitle != 0);
}

void Set_BB_P2::EnableWidthControls(bool enable) {
    m_pWidthLabel->setEnabled(enable);
    m_pInfoWidth->setEnabled(enable);
    m_pPercent->setEnabled(enable);
}

bool Set_BB_P2::Save() {
    quint32 perLine = 0;
    qint32 lineSpace = 0;
    qint32 scrollSpeed = 0;
    qint32 infoWidth = 0;
    if (!DialogData::ReadUInt(m_pPerLine, perLine, m_prompter) ||
        !DialogData::ReadInt(m_pLineSpace, lineSpace, m_prompter) ||
        !DialogData::ReadInt(m_pScrollSpeed, scrollSpeed, m_prompter) ||
        !DialogData::ReadIntInRange(m_pInfoWidth, infoWidth, 0, 100, m_prompter))
        return false;

    LotteryNotify& n = *m_pNotify;
    n.m_strTitle = m_pTitle->text();
    n.m_bShowTitle = m_pShowTitle->isChecked() ? 1 : 0;
    n.m_bScroll = m_pScroll->isChecked() ? 1 : 0;
    n.m_nPerLine = qint32(perLine);
    n.m_nLineSpace = lineSpace;
    n.m_nScrollSpeed = scrollSpeed;
    n.m_bFillZero = m_pFillZero->isChecked() ? 1 : 0;
    n.m_bShowNumbers = m_pShowNumbers->isChecked() ? 1 : 0;
    n.m_bShowInfo = m_pShowInfo->isChecked() ? 1 : 0;
    n.m_bInfoFirst = m_pInfoFirst->isChecked() ? 1 : 0;
    n.m_nInfoWidth = infoWidth;
    if (m_pNumbersAlign->checkedId() >= 0)
        n.m_nNumbersAlign = m_pNumbersAlign->checkedId();
    if (m_pInfoAlign->checkedId() >= 0)
        n.m_nInfoAlign = m_pInfoAlign->checkedId();
    return true;
}

void Set_BB_P2::OnShowTitle() {
    m_pTitle->setEnabled(m_pShowTitle->isChecked());
}

void Set_BB_P2::OnShowInfo() {
    if (!m_pShowInfo->isChecked()) {
        EnableWidthControls(false);
        m_pShowNumbers->setChecked(true);
        m_pInfoWidth->setText(QString::number(kOnlyNumbers));
        return;
    }
    EnableWidthControls(true);
    if (m_pShowNumbers->isChecked())
        m_pInfoWidth->setText(QString::number(kShared));
}

void Set_BB_P2::OnShowNumbers() {
    if (!m_pShowNumbers->isChecked()) {
        EnableWidthControls(false);
        m_pShowInfo->setChecked(true);
        m_pInfoWidth->setText(QString::number(kOnlyInfo));
        return;
    }
    EnableWidthControls(true);
    if (m_pShowInfo->isChecked())
        m_pInfoWidth->setText(QString::number(kShared));
}

void Set_BB_P2::ChooseFont(LogFont& font, quint32& colour) {
    LogFont chosenFont = font;
    quint32 chosenColour = colour;
    if (!m_chooseFont || !m_chooseFont(chosenFont, chosenColour, this))
        return;
    font = chosenFont;
    colour = chosenColour;
}

void Set_BB_P2::OnTitleFont() {
    ChooseFont(m_pNotify->m_fontTitle, m_pNotify->m_clrTitle);
}

void Set_BB_P2::OnNumbersFont() {
    ChooseFont(m_pNotify->m_fontNumbers, m_pNotify->m_clrNumbers);
}
