#include "settings/GetOuterData.h"

#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "settings/CreateContinusNu.h"
#include "settings/GetNuFromFile.h"
#include "settings/NumberPageText.h"
#include "settings/Sheet_LotteryNo.h"
#include "store/NuFileDeal.h"
#include "store/StoreTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

GetOuterData::GetOuterData(Sheet_LotteryNo* page, NuFileDeal* numbers, Prompter& prompter,
                           QWidget* parent)
    : QDialog(parent), m_pPage(page), m_pNumberStore(numbers), m_tab(new QTabWidget(this)),
      m_pageFile(new GetNuFromFile(prompter, &m_bMakeUpper)),
      m_pageRange(new CreateContinusNu(prompter)), m_prompter(prompter),
      m_pClear(new QRadioButton(QStringLiteral("Clear the old numbers."))),
      m_pAppend(new QRadioButton(QStringLiteral("Append new numbers."))),
      m_pMakeUpper(new QCheckBox(QStringLiteral("MakeUpper"))) {
    setWindowTitle(NumberPageText::ImportTitle());
    m_tab->addTab(m_pageRange, NumberPageText::RangeTab());
    m_tab->addTab(m_pageFile, NumberPageText::FileTab());
    connect(m_tab, &QTabWidget::currentChanged, this, &GetOuterData::OnSelChangeTab);

    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionRows = new QVBoxLayout(options);
    optionRows->addWidget(m_pClear);
    optionRows->addWidget(m_pAppend);
    optionRows->addWidget(m_pMakeUpper);
    connect(m_pMakeUpper, &QCheckBox::clicked, this, &GetOuterData::OnMakeUpper);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &GetOuterData::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &GetOuterData::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tab, 1);
    layout->addWidget(options);
    layout->addWidget(buttons);
    resize(520, 660);

    m_nReplace = 0;
    ShowPage(0);
    m_bMakeUpper = 1;
    UpdateData(false);
}

void GetOuterData::UpdateData(bool save) {
    if (save) {
        m_nReplace = m_pAppend->isChecked() ? 1 : 0;
        m_bMakeUpper = m_pMakeUpper->isChecked() ? 1 : 0;
        return;
    }
    (m_nReplace == 1 ? m_pAppend : m_pClear)->setChecked(true);
    m_pMakeUpper->setChecked(m_bMakeUpper != 0);
}

void GetOuterData::ShowPage(int index) {
    if (index < 0 || index > 1)
        return;
    m_tab->setCurrentIndex(index);
}

void GetOuterData::OnSelChangeTab(int index) {
    ShowPage(index);
}

void GetOuterData::OnMakeUpper() {
    UpdateData(true);
}

void GetOuterData::OnOK() {
    setEnabled(false);
    UpdateData(true);
    const bool done = m_tab->currentIndex() == 0 ? GenerateRange() : ImportFile();
    setEnabled(true);
    if (done)
        QDialog::accept();
}

bool GetOuterData::GenerateRange() {
    if (!m_pageRange->UpdateData(true))
        return false;
    if (m_pageRange->m_nMin > m_pageRange->m_nMax) {
        m_prompter.Message(NumberPageText::MinLargerThanMax(), Prompter::Icon::Warning);
        std::swap(m_pageRange->m_nMin, m_pageRange->m_nMax);
        m_pageRange->UpdateData(false);
        return false;
    }
    m_pNumberStore->CreateContinuousNumbers(m_pageRange->m_nMin, m_pageRange->m_nMax, FillMode());
    RefreshPage();
    return true;
}

bool GetOuterData::ImportFile() {
    m_pageFile->UpdateData(true);
    // A file that is refused before its import keeps the dialog open.
    if (!m_pageFile->CheckFileForImport())
        return false;
    m_pNumberStore->ImportFromFile(m_pageFile->m_strPath, m_pageFile->m_strSeparator, m_bMakeUpper,
                                   FillMode());
    RefreshPage();
    return true;
}

// Replacing builds the new pool aside: the old numbers go only once the new ones are whole.
NuFileDeal::Fill GetOuterData::FillMode() const {
    return m_nReplace == 0 ? NuFileDeal::Fill::Replace : NuFileDeal::Fill::Append;
}

void GetOuterData::RefreshPage() {
    if (!m_pPage)
        return;
    m_pPage->RefreshItemCount();
    if (m_pPage->m_pStatus)
        m_pPage->m_pStatus->m_nuBase.m_nCount = qint32(m_pNumberStore->GetCount());
    m_pPage->UpdateSummary(false);
    m_pPage->MarkNumbersChanged();
}
