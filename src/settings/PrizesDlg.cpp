#include "settings/PrizesDlg.h"

#include "controls/ControlId.h"
#include "model/TumoStatus.h"
#include "settings/ListItem.h"
#include "settings/PrizeBaseSettings.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kMargin = 10;
constexpr int kListTop = 40;
constexpr int kListBottomGap = 50;
constexpr int kButtonHeight = 28;

} // namespace

PrizesDlg::PrizesDlg(TumoStatus* status, Prompter* prompter, QWidget* parent)
    : QWidget(parent), m_pStatus(status), m_list(this), m_boxes(this),
      m_pPrompter(prompter ? prompter : &m_boxes) {
    m_editLevel = PrizeBaseSettings::ModalEditor(
        this, m_pPrompter, [this](QWidget* window) { Q_EMIT registerWithGuide(window); });
    m_labelTop = new QLabel(
        QStringLiteral(
            "The winning numbers will be pulled out in the order of prize levels list below."),
        this);
    m_labelTop->setWordWrap(true);
    m_btnAdd = new QPushButton(QStringLiteral("Add a new prize level"), this);
    m_btnDelete = new QPushButton(QStringLiteral("Del current prize level"), this);
    m_btnDesign = new QPushButton(QStringLiteral("Into design mode"), this);
    SetControlId(m_btnAdd, kIdAdd);
    SetControlId(m_btnDelete, kIdDelete);
    SetControlId(m_btnDesign, kIdDesign);
    connect(m_btnAdd, &QPushButton::clicked, this, &PrizesDlg::OnAddPrizeLevel);
    connect(m_btnDelete, &QPushButton::clicked, this, &PrizesDlg::OnDeletePrizeLevel);
    connect(m_btnDesign, &QPushButton::clicked, this, &PrizesDlg::OnDesignMode);
    connect(&m_list, &ListFrm::selectionChanged, this, &PrizesDlg::OnSelectionChanged);
    connect(&m_list, &ListFrm::baseSettingsClicked, this, &PrizesDlg::OnRowBaseSettings);
    connect(&m_list, &ListFrm::designModeClicked, this, &PrizesDlg::OnRowDesignMode);
    setMinimumSize(440, 330);
    resize(460, 420);
    OnInitDialog();
}

void PrizesDlg::OnInitDialog() {
    m_list.SetStatus(m_pStatus);
    FillList();
}

void PrizesDlg::FillList() {
    if (!m_pStatus || m_pStatus->Levels().empty())
        return;
    QString& defaultName = m_pStatus->Level(0).m_base.m_strName;
    if (defaultName.isEmpty())
        defaultName = GradeBase::DefaultName();
    m_list.Fill();
    m_list.SelectItem(0);
}

void PrizesDlg::resizeEvent(QResizeEvent*) {
    const int w = width();
    const int h = height();
    m_labelTop->setGeometry(kMargin, 0, w - 2 * kMargin, kListTop);
    m_list.setGeometry(kMargin, kListTop, w - 2 * kMargin, h - kListTop - kListBottomGap);
    const int y = h - kListBottomGap + (kListBottomGap - kButtonHeight) / 2;
    const QList<QPushButton*> buttons = {m_btnAdd, m_btnDelete, m_btnDesign};
    // Three buttons spread over the width below the list: left, centre and right.
    const int slot = (w - 2 * kMargin) / 3;
    for (int i = 0; i < 3; ++i) {
        const int bw = qMin(buttons[i]->sizeHint().width(), slot - 6);
        const int x = i == 0 ? kMargin : i == 1 ? (w - bw) / 2 : w - kMargin - bw;
        buttons[i]->setGeometry(x, y, bw, kButtonHeight);
    }
}

void PrizesDlg::OnSelectionChanged(int row) {
    m_btnDelete->setEnabled(!PrizeLevels::IsDefaultRow(row, m_list.Count()));
}

void PrizesDlg::OnAddPrizeLevel() {
    if (!m_pStatus || !PrizeLevels::ConfirmClearTaken(*m_pStatus, *m_pPrompter))
        return;
    GradeInfo level = PrizeLevels::NewLevel(*m_pStatus);
    if (!m_editLevel || !m_editLevel(level, false))
        return;
    PrizeLevels::AppendLevel(*m_pStatus, level);
    m_list.AddItem();
}

void PrizesDlg::OnDeletePrizeLevel() {
    const int row = m_list.m_nSelected;
    if (!m_pStatus || PrizeLevels::IsDefaultRow(row, m_list.Count()))
        return;
    if (!PrizeLevels::ConfirmClearTaken(*m_pStatus, *m_pPrompter))
        return;
    if (!m_pPrompter->AskYesNo(PrizeLevels::SureText()))
        return;
    // The level goes first, so the rows take their captions from the shortened list.
    PrizeLevels::RemoveLevel(*m_pStatus, row + 1);
    m_list.RemoveItem(row);
}

void PrizesDlg::OnDesignMode() {
    Q_EMIT designModeRequested(m_list.m_nSelected);
}

void PrizesDlg::OnRowDesignMode(int row) {
    // The row's own button designs the row's own level, whichever row was selected before.
    m_list.SelectItem(row);
    OnDesignMode();
}

void PrizesDlg::OnRowBaseSettings(int row) {
    if (!m_pStatus || row < 0 || row >= m_list.Count())
        return;
    const int level = PrizeLevels::LevelOfRow(row, m_list.Count());
    if (level >= std::ssize(m_pStatus->Levels()))
        return;
    PrizeLevels::EditBaseSettings(*m_pStatus, m_pStatus->Level(level),
                                  PrizeLevels::IsDefaultRow(row, m_list.Count()), *m_pPrompter,
                                  m_editLevel);
    if (ListItem* item = m_list.Item(row))
        item->SetCaption(m_pStatus->Level(level).m_base.m_strName);
}
