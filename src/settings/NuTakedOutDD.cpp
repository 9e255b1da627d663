#include "settings/NuTakedOutDD.h"

#include "model/SafeFileWriter.h"
#include "model/TumoStatus.h"
#include "settings/WinningListModel.h"
#include "show/SettingsHost.h"
#include "store/NuFileDeal.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

NuTakedOutDD::NuTakedOutDD(SettingsHost* mainDlg, Prompter* prompter, QWidget* parent)
    : QDialog(parent    ? parent
              : mainDlg ? &mainDlg->Window()
                        : nullptr),
      m_pMainDlg(mainDlg), m_boxes(this), m_pPrompter(prompter ? prompter : &m_boxes) {
    setWindowTitle(QStringLiteral("Winning  Numbers"));
    setModal(true);
    BuildWidgets();
}

void NuTakedOutDD::BuildWidgets() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("All Winning numbers:"), this));

    m_list = new QTreeView(this);
    m_model = new WinningListModel(m_list);
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int widths[] = {40, 100, 160, 200};
    for (int c = 0; c < 4; ++c)
        m_list->setColumnWidth(c, widths[c]);
    m_list->header()->setStretchLastSection(true);
    m_list->setMinimumSize(620, 300);
    layout->addWidget(m_list, 1);

    // A path can be long: the caption wraps beside its box, and a click on it ticks the box.
    auto* row = new QHBoxLayout;
    m_check = new QCheckBox(this);
    m_checkText = new QLabel(this);
    m_checkText->setWordWrap(true);
    m_checkText->setTextFormat(Qt::PlainText);
    m_checkText->installEventFilter(this);
    row->addWidget(m_check, 0, Qt::AlignTop);
    row->addWidget(m_checkText, 1);
    layout->addLayout(row);
    connect(m_check, &QCheckBox::clicked, this, [this] { OnAutoOutput(); });

    auto* buttons = new QHBoxLayout;
    const auto add = [&](const char* text, void (NuTakedOutDD::*handler)()) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        // Enter closes the dialog as a whole (below), never through a focused button.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    add("Clear all numbers", &NuTakedOutDD::OnClearAll);
    add("Copy numbers", &NuTakedOutDD::OnCopy);
    add("Output numbers", &NuTakedOutDD::OnOutput);
    buttons->addStretch(1);
    add("Close", &NuTakedOutDD::OnCloseButton);
    layout->addLayout(buttons);
}

bool NuTakedOutDD::OnInitDialog() {
    FillList();
    if (!m_pStatus)
        return true;
    OtherOption& options = m_pStatus->m_options;
    options.m_strAutoOutputFile = WinningList::CompleteOutputPath(options.m_strAutoOutputFile);
    ShowCaption();
    m_bAutoOutput = options.m_bAutoOutput;
    m_check->setChecked(m_bAutoOutput != 0);
    return true;
}

void NuTakedOutDD::FillList() {
    if (!m_pStatus) {
        m_model->SetRows({});
        return;
    }
    NuFileDeal* numbers = m_pNumberStore;
    m_model->SetRows(WinningList::BuildRows(*m_pStatus, [numbers](const QList<quint32>& indexes) {
        return numbers ? numbers->ReadNumbers(indexes) : QList<LoNuInfo>(indexes.size());
    }));
    // A level's name is shown whole, however long.
    m_list->resizeColumnToContents(1);
    m_list->setColumnWidth(1, qMax(m_list->columnWidth(1), 100));
}

QString NuTakedOutDD::AutoOutputCaption() const {
    return m_checkText->text();
}

void NuTakedOutDD::ShowCaption() {
    m_checkText->setText(WinningList::AutoOutputCaption(m_pStatus->m_options.m_strAutoOutputFile));
}

QString NuTakedOutDD::BuildText() const {
    return WinningList::BuildText(m_model->Rows());
}

void NuTakedOutDD::OnClearAll() {
    if (!m_pStatus || !m_pPrompter->AskYesNo(WinningList::ClearQuestion()))
        return;
    m_pStatus->ClearAllTaken();
    m_pStatus->m_nTakenAtGradeStart = 0;
    m_pStatus->m_nFirstSlot = 0;
    m_model->SetRows({});
    if (m_pMainDlg)
        m_pMainDlg->OnWinnersCleared();
}

void NuTakedOutDD::OnCopy() {
    QGuiApplication::clipboard()->setText(BuildText());
    m_pPrompter->Message(WinningList::CopiedText(), Prompter::Icon::Information);
}

void NuTakedOutDD::OnOutput() {
    if (!m_pStatus)
        return;
    OtherOption& options = m_pStatus->m_options;
    const QString path = m_pPrompter->ChooseSaveFile(
        QString(), WinningList::TextFileFilter(), options.m_strOutputFile, QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    options.m_strOutputFile = path;
    // A file that cannot be created is not reported; one that could not be written whole (a full
    // disk) is, and the old file stays.
    SafeFileWriter file(path);
    if (!file.open())
        return;
    if (!file.write(WinningList::FileBytes(BuildText())) || !file.commit())
        m_pPrompter->Message(TumoStatus::WriteErrorText());
}

void NuTakedOutDD::OnAutoOutput() {
    m_bAutoOutput = m_check->isChecked() ? 1 : 0;
    if (!m_bAutoOutput || !m_pStatus)
        return;
    OtherOption& options = m_pStatus->m_options;
    const QString path = m_pPrompter->ChooseSaveFile(QString(), WinningList::TextFileFilter(),
                                                     options.m_strAutoOutputFile);
    // Cancel keeps the box on with the file it named before.
    if (path.isEmpty())
        return;
    options.m_strAutoOutputFile = path;
    ShowCaption();
}

void NuTakedOutDD::StoreCheckBox() {
    m_bAutoOutput = m_check->isChecked() ? 1 : 0;
    if (m_pStatus)
        m_pStatus->m_options.m_bAutoOutput = m_bAutoOutput;
}

void NuTakedOutDD::OnCloseButton() {
    StoreCheckBox();
    accept();
}

void NuTakedOutDD::OnClose() {
    StoreCheckBox();
    reject();
}

void NuTakedOutDD::closeEvent(QCloseEvent* event) {
    OnClose();
    event->accept();
}

void NuTakedOutDD::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool NuTakedOutDD::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_checkText && event->type() == QEvent::MouseButtonRelease) {
        m_check->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
