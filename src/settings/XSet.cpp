#include "settings/XSet.h"

#include "base/AppPaths.h"
#include "controls/ControlId.h"
#include "model/TumoStatus.h"
#include "settings/GuideControlIds.h"
#include "settings/PrizesDlg.h"
#include "settings/Sheet_LotteryNo.h"
#include "settings/Sheet_Other.h"
#include "show/SettingsHost.h"
#include "store/NuFileDeal.h"
#include "store/RestoreScheme.h"
#include "store/SchemeBackup.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

QString XSet::ResetQuestion() {
    return QStringLiteral("All the options,raffle numbers and winning numbers pulled out will be "
                          "deleted! \n Press YES to close the program.\n the Tumo will  "
                          "restart.\nAre you sure?");
}

QString XSet::LoadQuestion() {
    return QStringLiteral("Are you sure to load scheme?\nThe Tumo will restart.");
}

QString XSet::SchemeFileFilter() {
    return QStringLiteral("Tumo Scheme Files (*.TSC)");
}

QString XSet::CompleteSchemeExtension(const QString& path) {
    const QString ending = QStringLiteral(".TSC");
    return path.right(ending.size()).toUpper() == ending ? path : path + ending;
}

XSet::XSet(Prompter* prompter)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint), m_boxes(this),
      m_pPrompter(prompter ? prompter : &m_boxes) {
    setWindowTitle(QStringLiteral("Settings"));
    setModal(false);
}

XSet::~XSet() = default;

bool XSet::Create() {
    if (!OnInitDialog())
        return false;
    Centre();
    show();
    raise();
    activateWindow();
    return true;
}

bool XSet::OnInitDialog() {
    if (!m_pStatus || !m_pNumberStore)
        return false;
    auto* layout = new QVBoxLayout(this);
    m_tab = new QTabWidget(this);
    SetControlId(m_tab, GuideControlIds::kSettingsTabs);
    layout->addWidget(m_tab, 1);

    m_pageNumbers = new Sheet_LotteryNo(m_pStatus, m_pNumberStore, m_pPrompter);
    m_pagePrizes = new PrizesDlg(m_pStatus, m_pPrompter);
    connect(m_pagePrizes, &PrizesDlg::registerWithGuide, this, &XSet::RegisterPage);
    connect(m_pagePrizes, &PrizesDlg::designModeRequested, this, &XSet::OnDesignMode);
    m_pageOther = new Sheet_Other(m_pStatus, m_pPrompter);
    m_tab->addTab(m_pageNumbers, QStringLiteral("Numbers"));
    m_tab->addTab(m_pagePrizes, QStringLiteral("Prize levels"));
    m_tab->addTab(m_pageOther, QStringLiteral("Other options"));
    RegisterPage(m_pageNumbers);
    RegisterPage(m_pagePrizes);
    RegisterPage(m_pageOther);

    BuildButtons();
    ShowPage(0);
    return true;
}

void XSet::BuildButtons() {
    auto* row = new QHBoxLayout;
    auto* reset = new QPushButton(QStringLiteral("Reset"), this);
    m_btnLoad = new QPushButton(QStringLiteral("Load Scheme"), this);
    m_btnBackup = new QPushButton(QStringLiteral("Backup Scheme"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    // Enter closes the window unless another button has the focus.
    close->setDefault(true);
    // The guide's entries find these controls by their numbers.
    SetControlId(reset, GuideControlIds::kSettingsReset);
    SetControlId(m_btnLoad, GuideControlIds::kSettingsLoadScheme);
    SetControlId(m_btnBackup, GuideControlIds::kSettingsBackupScheme);
    SetControlId(close, GuideControlIds::kSettingsClose);
    row->addWidget(reset);
    row->addStretch(1);
    row->addWidget(m_btnLoad);
    row->addWidget(m_btnBackup);
    row->addStretch(1);
    row->addWidget(close);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(reset, &QPushButton::clicked, this, &XSet::OnReset);
    connect(m_btnLoad, &QPushButton::clicked, this, &XSet::OnLoadScheme);
    connect(m_btnBackup, &QPushButton::clicked, this, &XSet::OnBackupScheme);
    connect(close, &QPushButton::clicked, this, &XSet::CloseAndReport);
}

void XSet::RegisterPage(QWidget* page) {
    if (m_pMainDlg)
        m_pMainDlg->RegisterWithGuide(page);
}

void XSet::OnDesignMode(int row) {
    if (!m_enterDesignMode)
        return;
    // The draw window shows the settings window again when design mode ends.
    hide();
    if (!m_enterDesignMode(row))
        show();
}

void XSet::Centre() {
    adjustSize();
    // The other options page wraps its longer texts: the size hint alone leaves them cut off.
    resize(size().expandedTo(QSize(600, 620)));
    const QWidget* over =
        m_pMainDlg && m_pMainDlg->Window().isVisible() ? &m_pMainDlg->Window() : nullptr;
    QRect area = over ? over->geometry() : QRect();
    if (area.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    QRect frame = geometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

QWidget* XSet::Page(int index) const {
    return m_tab && index >= 0 && index < m_tab->count() ? m_tab->widget(index) : nullptr;
}

void XSet::ShowPage(int index) {
    if (m_tab && index >= 0 && index < 3)
        m_tab->setCurrentIndex(index);
}

void XSet::EnableMainWindow() {
    if (m_pMainDlg)
        m_pMainDlg->EnableWindow(true);
}

void XSet::Report(int closeCode, int monitorChanged) {
    // One report per window: a second close before the draw window deleted it says nothing.
    if (m_bReported)
        return;
    m_bReported = true;
    Q_EMIT SettingsClosed(closeCode, monitorChanged);
}

void XSet::CloseAndReport() {
    if (m_bReported)
        return;
    if (m_pageOther && m_pageOther->IsInitialised())
        m_pageOther->SaveOptions();
    EnableMainWindow();
    m_nCloseCode = m_pageNumbers && m_pageNumbers->m_bNumbersChanged ? 1 : 0;
    Report(m_nCloseCode, m_pageOther && m_pageOther->MonitorChanged() ? 1 : 0);
}

void XSet::reject() {
    CloseAndReport();
}

void XSet::closeEvent(QCloseEvent* event) {
    // The window stays until the draw window deletes it on the report.
    event->ignore();
    CloseAndReport();
}

void XSet::OnReset() {
    if (m_bReported)
        return;
    EnableMainWindow();
    if (m_pPrompter->AskYesNo(ResetQuestion())) {
        m_pStatus->DeleteFiles();
        m_nCloseCode = -1;
    } else {
        // The numbers page writes straight into the pool: a pool changed before the No must
        // still be scanned again, or the show keeps the old number of positions.
        m_nCloseCode = m_pageNumbers && m_pageNumbers->m_bNumbersChanged ? 1 : 0;
    }
    Report(m_nCloseCode, 0);
}

void XSet::OnLoadScheme() {
    if (m_bReported)
        return;
    QString path = m_pPrompter->ChooseOpenFile(QString(), SchemeFileFilter(), g_strAppFolder,
                                               QStringLiteral("TSC"));
    if (path.isEmpty() || !m_pPrompter->AskYesNo(LoadQuestion()))
        return;
    path = CompleteSchemeExtension(path);
    // A pack that would be refused leaves everything as it is, the open pool and this window
    // included.
    if (!CheckSchemePack(path, g_strAppFolder, m_pPrompter))
        return;
    // The pack replaces the pool files; they must not be open meanwhile.
    m_pNumberStore->Close();
    if (!RestoreScheme(path, g_strAppFolder, m_pPrompter)) {
        RestartAfterFailedLoad();
        return;
    }
    Report(-1, 0);
}

void XSet::RestartAfterFailedLoad() {
    m_pNumberStore->OpenStore();
    if (m_pageOther && m_pageOther->IsInitialised())
        m_pageOther->SaveOptions();
    EnableMainWindow();
    m_nCloseCode = m_pageNumbers && m_pageNumbers->m_bNumbersChanged ? 1 : 0;
    Report(m_nCloseCode, 1);
}

void XSet::OnBackupScheme() {
    // The chooser adds the ending before it asks about replacing a file: the question is about
    // the pack that will be written.
    const QString path = m_pPrompter->ChooseSaveFile(QString(), SchemeFileFilter(), g_strAppFolder,
                                                     QStringLiteral("TSC"));
    if (path.isEmpty())
        return;
    SchemeBackup backup(m_pStatus, m_pPrompter);
    backup.Backup(CompleteSchemeExtension(path));
}
