#include "settings/MaskDlg.h"

#include "base/AppPaths.h"
#include "model/GradeInfo.h"
#include "model/TumoStatus.h"
#include "settings/XHScrollWnd.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

void MaskDlg::WriteMask(LotteryMask& mask, const QList<bool>& masked, const QString& maskChar) {
    mask.m_listBits.clear();
    for (const bool on : masked)
        mask.m_listBits.append(SUINT(on ? 1 : 0, 1));
    mask.m_strMaskChar = maskChar;
}

MaskDlg::MaskDlg(TumoStatus* status, GradeInfo* level, Prompter* prompter, QWidget* parent)
    : QDialog(parent), m_pStatus(status), m_pGrade(level), m_pPrompter(prompter) {
    setWindowTitle(Caption());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);

    auto* charRow = new QHBoxLayout;
    m_pCheck = new QCheckBox(QStringLiteral("On the bulletin board, use"), this);
    m_pCharEdit = new QLineEdit(this);
    m_pCharEdit->setMaximumWidth(80);
    charRow->addWidget(m_pCheck);
    charRow->addWidget(m_pCharEdit);
    charRow->addWidget(new QLabel(QStringLiteral("to represent the mask bit."), this));
    charRow->addStretch(1);
    layout->addLayout(charRow);
    layout->addSpacing(8);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_pCheck, &QCheckBox::clicked, this, &MaskDlg::OnMaskCheck);
    connect(ok, &QPushButton::clicked, this, &MaskDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 330);
}

void MaskDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void MaskDlg::OnInitDialog() {
    m_bInitialised = true;
    m_pStrip = new XHScrollWnd(m_pPrompter, this);
    m_pStrip->m_bMaskMode = true;
    m_pStrip->m_pStatus = m_pStatus;
    m_pStrip->m_pGrade = m_pGrade;
    if (m_pGrade)
        m_pStrip->m_strFile = MakeAbsolutePath(m_pGrade->m_sym.m_strDefaultFile);
    m_pStrip->setMinimumHeight(200);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_pStrip, 1);
    m_pStrip->Create();

    m_strMaskChar = m_pGrade ? m_pGrade->m_mask.m_strMaskChar : QString();
    m_bMasking = m_strMaskChar.isEmpty() ? 0 : 1;
    m_pCharEdit->setEnabled(m_bMasking != 0);
    UpdateData(false);
}

void MaskDlg::UpdateData(bool save) {
    if (save) {
        m_strMaskChar = m_pCharEdit->text();
        m_bMasking = m_pCheck->isChecked() ? 1 : 0;
    } else {
        m_pCharEdit->setText(m_strMaskChar);
        m_pCheck->setChecked(m_bMasking != 0);
    }
}

void MaskDlg::OnMaskCheck() {
    UpdateData(true);
    m_strMaskChar = m_bMasking ? DefaultMaskChar() : QString();
    m_pCharEdit->setEnabled(m_bMasking != 0);
    UpdateData(false);
}

void MaskDlg::OnOK() {
    if (!m_bInitialised)
        OnInitDialog();
    UpdateData(true);
    if (m_pGrade && m_pStrip) {
        // The strip knows every position's state even when it could not show the movie, so a
        // missing movie never costs the level its mask.
        QList<bool> masked = m_pStrip->MaskStates();
        masked.resize(m_pStrip->Positions(), false);
        WriteMask(m_pGrade->m_mask, masked, m_strMaskChar);
    }
    accept();
}
