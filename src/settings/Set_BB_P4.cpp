#include "settings/Set_BB_P4.h"

#include "model/LotteryNotify.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kAlways = 2;

} // namespace

Set_BB_P4::Set_BB_P4(LotteryNotify* notify, QWidget* parent) : QWidget(parent), m_pNotify(notify) {
    m_pGroup = new QGroupBox(QStringLiteral("When to show Bulletin Board"), this);
    m_pWhen = new QButtonGroup(this);
    auto* groupLayout = new QVBoxLayout(m_pGroup);
    const QString texts[] = {
        QStringLiteral("when all winning numbers on the screen are stopped."),
        QStringLiteral("when all winning numbers of the current prize level are pulled out."),
        QStringLiteral("always."),
    };
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(texts[mode], m_pGroup);
        m_pWhen->addButton(radio, mode);
        groupLayout->addWidget(radio);
    }
    m_pShowAll = new QCheckBox(
        QStringLiteral("Show all winning numbers of the current prize level pulled out."),
        m_pGroup);
    groupLayout->addSpacing(6);
    auto* indented = new QHBoxLayout;
    indented->addSpacing(20);
    indented->addWidget(m_pShowAll);
    groupLayout->addLayout(indented);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pGroup);
    layout->addStretch();

    connect(m_pWhen, &QButtonGroup::idClicked, this, &Set_BB_P4::OnWhenChanged);
    WriteControls();
    m_pShowAll->setEnabled(m_pNotify->m_nShowWhen == kAlways);
}

QRadioButton* Set_BB_P4::WhenButton(int mode) const {
    return qobject_cast<QRadioButton*>(m_pWhen->button(mode));
}

void Set_BB_P4::WriteControls() {
    if (QAbstractButton* b = m_pWhen->button(m_pNotify->m_nShowWhen))
        b->setChecked(true);
    m_pShowAll->setChecked(m_pNotify->m_bShowAllWinners != 0);
}

void Set_BB_P4::ReadControls() {
    // A stored mode that no radio shows stays as it is.
    if (m_pWhen->checkedId() >= 0)
        m_pNotify->m_nShowWhen = m_pWhen->checkedId();
    m_pNotify->m_bShowAllWinners = m_pShowAll->isChecked() ? 1 : 0;
}

void Set_BB_P4::EnableControls(bool enable) {
    m_pGroup->setEnabled(enable);
    for (QAbstractButton* b : m_pWhen->buttons())
        b->setEnabled(enable);
    m_pShowAll->setEnabled(enable);
}

void Set_BB_P4::OnWhenChanged() {
    m_pShowAll->setEnabled(m_pWhen->checkedId() == kAlways);
}
