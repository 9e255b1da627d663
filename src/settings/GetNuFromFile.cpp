#include "settings/GetNuFromFile.h"

#include "base/AppPaths.h"
#include "model/Prompter.h"
#include "settings/DialogData.h"
#include "settings/ImportPreview.h"
#include "settings/NumberPageText.h"
#include "store/StoreTexts.h"

#include <QButtonGroup>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const char* const kRadioTexts[] = {"Space", "Tab", ",", ".", "-", "|", "/", "Other"};

void OpenWithDesktop(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

GetNuFromFile::GetNuFromFile(Prompter& prompter, const qint32* makeUpper, QWidget* parent)
    : QWidget(parent), m_list(new QTreeWidget(this)), m_openExample(OpenWithDesktop),
      m_prompter(prompter), m_pMakeUpper(makeUpper), m_pPath(new QLineEdit(this)),
      m_pSeparator(new QLineEdit(this)), m_pRadios(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("GetNuFromFile"));

    auto* fileGroup = new QGroupBox(QStringLiteral("The data file(*.txt)"), this);
    auto* browse = new QPushButton(QStringLiteral("Browse"), fileGroup);
    auto* example = new QPushButton(QStringLiteral("Example"), fileGroup);
    for (QPushButton* b : {browse, example}) {
        b->setObjectName(b->text());
        b->setAutoDefault(false);
    }
    m_pPath->setObjectName(QStringLiteral("Path"));
    connect(browse, &QPushButton::clicked, this, &GetNuFromFile::OnBrowse);
    connect(example, &QPushButton::clicked, this, &GetNuFromFile::OnExample);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(m_pPath, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(example);

    auto* separatorGroup = new QGroupBox(QStringLiteral("Separator"), this);
    auto* grid = new QGridLayout(separatorGroup);
    for (int i = 0; i <= kOther; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(kRadioTexts[i]), separatorGroup);
        m_pRadios->addButton(radio, i);
        grid->addWidget(radio, i / 4, i % 4);
    }
    m_pSeparator->setObjectName(QStringLiteral("Separator"));
    m_pSeparator->setEnabled(false);
    m_pSeparator->setMaximumWidth(80);
    grid->addWidget(m_pSeparator, 1, 4);
    grid->setColumnStretch(5, 1);
    connect(m_pRadios, &QButtonGroup::idClicked, this, &GetNuFromFile::OnSeparator);
    connect(m_pSeparator, &QLineEdit::textEdited, this, &GetNuFromFile::OnSeparatorEdited);

    m_list->setObjectName(QStringLiteral("Preview"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({QStringLiteral("Raffle numbers"), QStringLiteral("Additonal info")});
    m_list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->header()->resizeSection(0, 140);
    m_list->header()->resizeSection(1, 250);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileGroup);
    layout->addWidget(separatorGroup);
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(QStringLiteral("Note:Only 20 numbers are listed here"), this));
}

QRadioButton* GetNuFromFile::SeparatorRadio(int index) const {
    return qobject_cast<QRadioButton*>(m_pRadios->button(index));
}

QString GetNuFromFile::SeparatorOf(int index) {
    switch (index) {
    case 0:
        return QStringLiteral(" ");
    case 1:
        return QStringLiteral("\t");
    case kOther:
        return QString();
    default:
        return index > 0 && index < kOther ? QString::fromLatin1(kRadioTexts[index]) : QString();
    }
}

void GetNuFromFile::UpdateData(bool save) {
    if (save) {
        m_strPath = m_pPath->text();
        m_strSeparator = m_pSeparator->text();
        m_nSeparator = m_pRadios->checkedId();
        return;
    }
    m_pPath->setText(m_strPath);
    m_pSeparator->setText(m_strSeparator);
    if (QAbstractButton* radio = m_pRadios->button(m_nSeparator))
        radio->setChecked(true);
}

void GetNuFromFile::OnSeparator(int index) {
    UpdateData(true);
    m_nSeparator = index;
    if (index != kOther)
        m_strSeparator = SeparatorOf(index);
    m_pSeparator->setEnabled(index == kOther);
    UpdateData(false);
    PreviewFile(m_strPath);
}

void GetNuFromFile::OnSeparatorEdited() {
    if (m_pRadios->checkedId() != kOther)
        return;
    UpdateData(true);
    PreviewFile(m_strPath);
}

void GetNuFromFile::OnBrowse() {
    UpdateData(true);
    const QString path = m_prompter.ChooseOpenFile(
        QStringLiteral("Open"), DialogData::QtFileFilter(NumberPageText::ImportFilter()));
    if (path.isEmpty())
        return;
    m_strPath = path;
    UpdateData(false);
    PreviewFile(m_strPath);
}

void GetNuFromFile::OnExample() {
    const QString path = ResolveFileCase(MakeAbsolutePath(NumberPageText::ExampleFile()));
    if (m_openExample)
        m_openExample(path);
}

bool GetNuFromFile::CheckFileForImport() {
    switch (ImportPreview::Check(m_strPath)) {
    case ImportPreview::Status::Listed:
        return true;
    case ImportPreview::Status::NotUnicode:
        m_prompter.Message(NumberPageText::NotUnicode(), Prompter::Icon::Warning);
        return false;
    case ImportPreview::Status::NoFile:
    case ImportPreview::Status::OpenFailed:
        break;
    }
    m_prompter.Message(StoreTexts::OpenFileError(), Prompter::Icon::Warning);
    return false;
}

void GetNuFromFile::PreviewFile(const QString& path) {
    const bool makeUpper = m_pMakeUpper && *m_pMakeUpper;
    const ImportPreview preview = ImportPreview::Read(path, m_strSeparator, makeUpper);
    const auto tell = [this](const QString& text) {
        m_prompter.Message(text, Prompter::Icon::Warning);
    };
    switch (preview.status) {
    case ImportPreview::Status::NoFile:
        return;
    case ImportPreview::Status::OpenFailed:
        tell(StoreTexts::OpenFileError());
        return;
    case ImportPreview::Status::NotUnicode:
        tell(NumberPageText::NotUnicode());
        return;
    case ImportPreview::Status::Listed:
        break;
    }
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    for (const ImportPreview::Row& row : preview.rows)
        items << new QTreeWidgetItem(QStringList{row.number, row.info});
    m_list->addTopLevelItems(items);
    if (preview.tooLong)
        tell(StoreTexts::LineTooLong());
}
