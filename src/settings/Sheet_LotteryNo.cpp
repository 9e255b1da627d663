#include "settings/Sheet_LotteryNo.h"

#include "controls/ControlId.h"
#include "model/TumoStatus.h"
#include "settings/DialogData.h"
#include "settings/EnterModiState.h"
#include "settings/GetOuterData.h"
#include "settings/GuideControlIds.h"
#include "settings/NumberListModel.h"
#include "settings/NumberOutput.h"
#include "settings/NumberPageText.h"
#include "settings/SNuItem.h"
#include "store/NuFileDeal.h"
#include "store/StoreTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString SaveTitle() {
    return QStringLiteral("Save As");
}

} // namespace

Sheet_LotteryNo::Sheet_LotteryNo(TumoStatus* status, NuFileDeal* numbers, Prompter* prompter,
                                 QWidget* parent)
    : QWidget(parent), m_pStatus(status), m_pNumberStore(numbers), m_boxes(this),
      m_pPrompter(prompter ? prompter : &m_boxes), m_pList(new QTableView(this)),
      m_pModel(new NumberListModel(numbers, this)), m_pSummary(new QLabel(this)) {
    setObjectName(QStringLiteral("Sheet_LotteryNo"));
    auto* caption = new QLabel(NumberPageText::AllNumbers(), this);

    m_pList->setObjectName(QStringLiteral("NumberList"));
    m_pList->setModel(m_pModel);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setShowGrid(false);
    m_pList->setWordWrap(false);
    m_pList->setAlternatingRowColors(true);
    m_pList->setTabKeyNavigation(false);
    // Fixed row heights keep a list of a million rows as quick as a short one.
    QHeaderView* rows = m_pList->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* columns = m_pList->horizontalHeader();
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setHighlightSections(false);
    columns->resizeSection(0, 130);
    columns->resizeSection(1, 260);
    columns->setStretchLastSection(true);
    connect(m_pList, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnModifyRow(index.row()); });

    m_pSummary->setObjectName(QStringLiteral("Summary"));
    SetControlId(m_pList, GuideControlIds::kNumbersList);
    SetControlId(m_pSummary, GuideControlIds::kNumbersSummary);

    auto* buttons = new QHBoxLayout;
    // Numbered so that the guide window can point at them.
    const auto add = [this, buttons](const QString& text, int id, void (Sheet_LotteryNo::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(text);
        SetControlId(button, id);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
        return button;
    };
    m_pAdd = add(QStringLiteral("Add"), GuideControlIds::kNumbersAdd, &Sheet_LotteryNo::OnAdd);
    m_pModify =
        add(QStringLiteral("Modi"), GuideControlIds::kNumbersModify, &Sheet_LotteryNo::OnModify);
    m_pDelete =
        add(QStringLiteral("Delete"), GuideControlIds::kNumbersDelete, &Sheet_LotteryNo::OnDelete);
    m_pImport =
        add(QStringLiteral("Import"), GuideControlIds::kNumbersImport, &Sheet_LotteryNo::OnImport);
    buttons->addStretch(1);
    m_pEdit = add(QStringLiteral("Edit"), GuideControlIds::kNumbersEdit, &Sheet_LotteryNo::OnEdit);
    m_pOutput =
        add(QStringLiteral("Output"), GuideControlIds::kNumbersOutput, &Sheet_LotteryNo::OnOutput);
    SetEditButtonsEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_pList, 1);
    layout->addWidget(m_pSummary);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    RefreshItemCount();
    UpdateSummary(true);
}

Sheet_LotteryNo::~Sheet_LotteryNo() = default;

int Sheet_LotteryNo::ExecDialog(QDialog& dialog) {
    return dialog.exec();
}

void Sheet_LotteryNo::SetEditButtonsEnabled(bool enabled) {
    for (QPushButton* b : {m_pAdd, m_pDelete, m_pImport, m_pModify})
        b->setEnabled(enabled);
}

void Sheet_LotteryNo::RefreshItemCount() {
    m_pModel->SetRowCount(m_pNumberStore ? m_pNumberStore->GetCount() : 0);
}

void Sheet_LotteryNo::UpdateSummary(bool withDigits) {
    const qint32 digits = m_pStatus ? m_pStatus->m_nuBase.m_nDigits : 0;
    m_strSummary = NumberPageText::Summary(m_pModel->rowCount(), digits, withDigits);
    m_pSummary->setText(m_strSummary);
}

void Sheet_LotteryNo::MarkNumbersChanged() {
    m_bNumbersChanged = 1;
    Q_EMIT NumbersChanged();
}

void Sheet_LotteryNo::StoreCount() {
    if (m_pStatus && m_pNumberStore)
        m_pStatus->m_nuBase.m_nCount = qint32(m_pNumberStore->GetCount());
}

void Sheet_LotteryNo::OnEdit() {
    bool unlock = true;
    if (m_pStatus && m_pStatus->GetTakenCount() > 0) {
        EnterModiState caution(this);
        unlock = ExecDialog(caution) == QDialog::Accepted;
        if (unlock) {
            m_pStatus->ClearAllTaken();
            m_bWinnersUnsaved = true;
        }
    }
    // The pool must not change while the files still hold the winners: their indexes would name
    // other numbers after a kill. Until the cleared state is on disk, editing stays locked.
    if (unlock && m_bWinnersUnsaved)
        unlock = SaveClearedWinners();
    if (unlock)
        SetEditButtonsEnabled(true);
    m_bEditMode = 1;
}

bool Sheet_LotteryNo::SaveClearedWinners() {
    // Written from a copy: a save turns the stored media paths relative in the object it writes.
    const std::shared_ptr<TumoStatus> copy = m_pStatus->CopyForSave();
    copy->SetPrompter(m_pPrompter);
    if (!copy->m_bNoSave && !copy->SaveAll())
        return false;
    m_bWinnersUnsaved = false;
    return true;
}

void Sheet_LotteryNo::OnAdd() {
    SNuItem item(NumberPageText::AddTitle(), *m_pPrompter, this);
    if (ExecDialog(item) != QDialog::Accepted)
        return;
    m_pNumberStore->AddNumber(item.m_strNumber.trimmed(), item.m_strInfo);
    RefreshItemCount();
    StoreCount();
    UpdateSummary(false);
    MarkNumbersChanged();
}

void Sheet_LotteryNo::OnModify() {
    if (!m_bEditMode)
        return;
    // Ranges, not rows: a whole pool may be selected.
    const QItemSelection selection = m_pList->selectionModel()->selection();
    if (selection.isEmpty())
        return;
    int first = selection.first().top();
    for (const QItemSelectionRange& r : selection)
        first = std::min(first, r.top());
    ModifyRow(first, false);
}

void Sheet_LotteryNo::OnModifyRow(int row) {
    if (!m_bEditMode || row < 0 || row >= m_pModel->rowCount())
        return;
    ModifyRow(row, true);
}

void Sheet_LotteryNo::ModifyRow(int row, bool updateSummary) {
    const LoNuInfo record = m_pNumberStore->ReadNumber(quint32(row));
    SNuItem item(NumberPageText::ModifyTitle(), *m_pPrompter, this);
    item.SetTexts(record.m_strNumber, record.m_strInfo);
    if (ExecDialog(item) != QDialog::Accepted)
        return;
    const QString number = item.m_strNumber.trimmed();
    // A record with an empty number could be drawn and would show nothing; adding one is
    // refused too.
    if (record.IsValid() && !number.isEmpty())
        m_pNumberStore->ModifyNumber(LoNuInfo(row, number, item.m_strInfo));
    MarkNumbersChanged();
    if (updateSummary)
        UpdateSummary(false);
    m_pModel->Repaint();
}

void Sheet_LotteryNo::OnDelete() {
    QList<QPair<qint32, qint32>> runs;
    for (const QItemSelectionRange& r : m_pList->selectionModel()->selection())
        runs.append({r.top(), r.bottom()});
    const QList<sel> ranges = NumberPageText::MergeRowRanges(runs);
    const qint64 n = NumberPageText::CountRows(ranges);
    if (n == 0)
        return;
    if (!m_pPrompter->AskYesNo(NumberPageText::DeleteQuestion(n)))
        return;
    m_pNumberStore->DeleteNumbers(ranges);
    m_pList->clearSelection();
    StoreCount();
    RefreshItemCount();
    UpdateSummary(false);
    m_pModel->Repaint();
    MarkNumbersChanged();
}

void Sheet_LotteryNo::OnImport() {
    GetOuterData dialog(this, m_pNumberStore, *m_pPrompter, this);
    ExecDialog(dialog);
}

void Sheet_LotteryNo::OnOutput() {
    const QString path = m_pPrompter->ChooseSaveFile(
        SaveTitle(), DialogData::QtFileFilter(NumberPageText::OutputFilter()),
        NumberPageText::OutputName(), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    switch (NumberOutput::Write(*m_pNumberStore, path)) {
    case NumberOutput::Result::Written:
        break;
    case NumberOutput::Result::OpenFailed:
        m_pPrompter->Message(StoreTexts::OpenFileError());
        break;
    case NumberOutput::Result::WriteFailed:
        m_pPrompter->Message(StoreTexts::WriteError());
        break;
    }
}
