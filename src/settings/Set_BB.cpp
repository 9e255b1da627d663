#include "settings/Set_BB.h"

#include "model/GradeInfo.h"
#include "settings/Set_BB_P1.h"
#include "settings/Set_BB_P2.h"
#include "settings/Set_BB_P3.h"
#include "settings/Set_BB_P4.h"
#include "show/MessageBoxPrompter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

Set_BB::Set_BB(GradeInfo* level, QWidget* parent, Prompter* prompter)
    : QDialog(parent), m_pGrade(level) {
    if (!prompter) {
        m_pOwnPrompter = std::make_unique<MessageBoxPrompter>(this);
        prompter = m_pOwnPrompter.get();
    }
    m_pPrompter = prompter;
    setWindowTitle(QStringLiteral("Bulletin board"));

    // A board without a title of its own is headed by the level's name, kept even on Cancel.
    if (m_pGrade->m_notify.m_strTitle.isEmpty())
        m_pGrade->m_notify.m_strTitle = m_pGrade->m_base.m_strName;
    m_pNotify = std::make_unique<LotteryNotify>(m_pGrade->m_notify);

    BuildControls();
    ShowPage(HowToShow);
    m_pEnable->setChecked(m_pGrade->m_notify.m_bEnable != 0);
    if (!m_pEnable->isChecked())
        EnableBoard(false);
    m_pBefore = std::make_unique<LotteryNotify>(m_pGrade->m_notify);
}

Set_BB::~Set_BB() = default;

void Set_BB::BuildControls() {
    m_pEnable = new QCheckBox(QStringLiteral("Enable bulletin board in this prize level."), this);
    m_pTabs = new QTabWidget(this);
    m_pP4 = new Set_BB_P4(m_pNotify.get(), m_pTabs);
    m_pP1 = new Set_BB_P1(m_pNotify.get(), *m_pPrompter, m_pTabs);
    m_pP2 = new Set_BB_P2(m_pNotify.get(), *m_pPrompter, m_pTabs);
    m_pP3 = new Set_BB_P3(m_pNotify.get(), *m_pPrompter, m_pTabs);
    m_pTabs->addTab(m_pP4, QStringLiteral("How to show"));
    m_pTabs->addTab(m_pP1, QStringLiteral("Shape"));
    m_pTabs->addTab(m_pP2, QStringLiteral("How to show winning numbers"));
    m_pTabs->addTab(m_pP3, QStringLiteral("Size and Position"));
    // Every tab title readable at once, without scroll arrows.
    m_pTabs->setUsesScrollButtons(false);
    m_pTabs->setMinimumWidth(m_pTabs->tabBar()->sizeHint().width() + 4);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Set_BB::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &Set_BB::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pEnable);
    layout->addWidget(m_pTabs, 1);
    layout->addWidget(buttons);

    connect(m_pEnable, &QCheckBox::clicked, this, &Set_BB::OnEnableClicked);
    connect(m_pP3, &Set_BB_P3::boardLayoutRequested, this, &Set_BB::boardLayoutRequested);
    connect(m_pP3, &Set_BB_P3::numberAreaLayoutRequested, this, &Set_BB::numberAreaLayoutRequested);
}

void Set_BB::ShowPage(int index) {
    if (index < 0 || index >= m_pTabs->count())
        return;
    m_pTabs->setCurrentIndex(index);
}

void Set_BB::OnEnableClicked() {
    EnableBoard(m_pEnable->isChecked());
}

void Set_BB::EnableBoard(bool enable) {
    ShowPage(HowToShow);
    m_pTabs->setEnabled(enable);
    for (QWidget* page : std::initializer_list<QWidget*>{m_pP1, m_pP2, m_pP3, m_pP4})
        page->setEnabled(enable);
    m_pP4->EnableControls(enable);
}

bool Set_BB::ReadPages(bool saveSizeAlways) {
    m_pP1->ReadControls();
    if (!m_pP2->Save())
        return false;
    if ((saveSizeAlways || m_pNotify->m_rcBoard.left != m_pNotify->m_rcBoard.right) &&
        !m_pP3->Save())
        return false;
    m_pP4->ReadControls();
    return true;
}

void Set_BB::WriteToLevel() {
    m_pGrade->m_notify = *m_pNotify;
    m_pGrade->m_notify.m_bEnable = m_pEnable->isChecked() ? 1 : 0;
}

bool Set_BB::ApplyAll() {
    if (m_bClosed || !ReadPages(true))
        return false;
    WriteToLevel();
    return true;
}

void Set_BB::RefreshFromLevel() {
    *m_pNotify = m_pGrade->m_notify;
    m_pP3->LoadRects();
}

void Set_BB::accept() {
    if (m_bClosed || !ReadPages(false))
        return;
    WriteToLevel();
    Finish(Accepted);
}

void Set_BB::reject() {
    if (m_bClosed)
        return;
    m_pGrade->m_notify = *m_pBefore;
    Finish(Rejected);
}

void Set_BB::Finish(int result) {
    m_bClosed = true;
    QDialog::done(result);
    // Reported once the window is gone, through the queue, so that the receiver may delete it.
    QPointer<Set_BB> self(this);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self] {
            if (self)
                Q_EMIT self->closed();
        },
        Qt::QueuedConnection);
}
