#include "settings/Set_BG.h"

#include "model/GradeInfo.h"
#include "settings/DialogData.h"
#include "show/MessageBoxPrompter.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Set_BG::Set_BG(GradeInfo* level, GradeInfo* designed, QWidget* parent, Prompter* prompter)
    : QDialog(parent), m_pGrade(level), m_pDesigned(designed) {
    if (!prompter) {
        m_pOwnPrompter = std::make_unique<MessageBoxPrompter>(this);
        prompter = m_pOwnPrompter.get();
    }
    m_pPrompter = prompter;
    setWindowTitle(QStringLiteral("Background picture"));
    BuildControls();
    m_strFile = m_pGrade->m_bg.m_strFile;
    m_nDisplay = m_pGrade->m_bg.m_nDisplay;
    WriteControls();
    EnableForFile();
}

Set_BG::~Set_BG() = default;

void Set_BG::BuildControls() {
    auto* fileGroup = new QGroupBox(QStringLiteral("Background picture file"), this);
    m_pFile = new QLineEdit(fileGroup);
    m_pFile->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("Browse"), fileGroup);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(m_pFile, 1);
    fileRow->addWidget(browse);

    auto* displayGroup = new QGroupBox(QStringLiteral("Picture display"), this);
    m_pDisplay = new QButtonGroup(this);
    auto* displayRow = new QHBoxLayout(displayGroup);
    const QString modes[] = {QStringLiteral("Tile"), QStringLiteral("Center"),
                             QStringLiteral("Stretch")};
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(modes[mode], displayGroup);
        m_pDisplay->addButton(radio, mode);
        displayRow->addWidget(radio);
    }

    auto* colourGroup = new QGroupBox(QStringLiteral("Background color"), this);
    m_pSwatch = new ColourSwatch(colourGroup);
    m_pSwatch->setFixedSize(64, 24);
    auto* colourRow = new QHBoxLayout(colourGroup);
    colourRow->addWidget(m_pSwatch);
    colourRow->addStretch();

    auto* lower = new QHBoxLayout;
    lower->addWidget(displayGroup, 1);
    lower->addWidget(colourGroup);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Set_BG::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &Set_BG::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &Set_BG::OnApply);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileGroup);
    layout->addLayout(lower);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &Set_BG::OnBrowse);
    connect(m_pSwatch, &ColourSwatch::clicked, this, &Set_BG::OnColour);
}

bool Set_BG::IsMovieFile(const QString& file) {
    return file.right(4).toLower() == QLatin1String(".swf");
}

QString Set_BG::FileFilter() {
    return QString::fromUtf8("All support types|*.swf;*.bmp;*.jpg;*.jpeg|*.swf|*.swf|*.jpg,*.jpeg|"
                             "*.jpg;*.jpeg|*.bmp|*.bmp|所有文件|*.*|");
}

void Set_BG::WriteControls() {
    m_pFile->setText(m_strFile);
    if (QAbstractButton* b = m_pDisplay->button(m_nDisplay))
        b->setChecked(true);
    m_pSwatch->SetColour(m_pGrade->m_bg.m_clrBack);
}

void Set_BG::ReadControls() {
    m_strFile = m_pFile->text();
    // A stored layout that no radio shows stays as it is.
    if (m_pDisplay->checkedId() >= 0)
        m_nDisplay = m_pDisplay->checkedId();
}

void Set_BG::EnableForFile() {
    const bool picture = !IsMovieFile(m_strFile);
    for (QAbstractButton* b : m_pDisplay->buttons())
        b->setEnabled(picture);
    m_pSwatch->setEnabled(picture);
}

void Set_BG::OnBrowse() {
    const QString chosen =
        m_pPrompter->ChooseOpenFile(QStringLiteral("Open"), DialogData::QtFileFilter(FileFilter()));
    if (chosen.isEmpty())
        return;
    ReadControls();
    m_pGrade->m_bg.m_strFile = chosen;
    m_strFile = chosen;
    EnableForFile();
    WriteControls();
}

void Set_BG::OnColour() {
    quint32 colour = m_pGrade->m_bg.m_clrBack;
    if (!m_chooseColour || !m_chooseColour(colour, this) || colour == m_pGrade->m_bg.m_clrBack)
        return;
    m_pGrade->m_bg.m_clrBack = colour;
    m_pSwatch->SetColour(colour);
}

void Set_BG::SaveToLevel() {
    ReadControls();
    m_pGrade->m_bg.m_nDisplay = m_nDisplay;
    m_pGrade->m_bg.m_strFile = m_strFile;
}

void Set_BG::accept() {
    SaveToLevel();
    QDialog::accept();
}

void Set_BG::OnApply() {
    SaveToLevel();
    Q_EMIT applyGrade(m_pGrade);
    if (m_pDesigned)
        *m_pDesigned = *m_pGrade;
}
