#include "settings/BannerShow.h"

#include "base/AppPaths.h"
#include "model/GradeInfo.h"
#include "settings/DialogData.h"
#include "show/MessageBoxPrompter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

BannerShow::BannerShow(GradeInfo* level, QWidget* parent, Prompter* prompter)
    : QDialog(parent), m_pGrade(level) {
    if (!prompter) {
        m_pOwnPrompter = std::make_unique<MessageBoxPrompter>(this);
        prompter = m_pOwnPrompter.get();
    }
    m_pPrompter = prompter;
    setWindowTitle(QStringLiteral("Banner"));
    BuildControls();

    m_banner = m_pGrade->m_banner;
    m_banner.m_strFile = ShownFile(m_banner.m_strFile);
    m_strFile = m_banner.m_strFile;
    m_bShow = m_banner.m_bShow ? 1 : 0;
    m_nX = m_banner.m_rect.left;
    m_nY = m_banner.m_rect.top;
    m_nWidth = m_banner.m_rect.Width();
    m_nHeight = m_banner.m_rect.Height();
    WriteControls();
    EnableControls(m_bShow != 0);
}

BannerShow::~BannerShow() = default;

void BannerShow::BuildControls() {
    auto* fileGroup = new QGroupBox(QStringLiteral("The banner file(*.swf)"), this);
    m_pFile = new QLineEdit(fileGroup);
    m_pFile->setMinimumWidth(300);
    m_pBrowse = new QPushButton(QStringLiteral("Browse"), fileGroup);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(m_pFile, 1);
    fileRow->addWidget(m_pBrowse);

    auto* posGroup = new QGroupBox(QStringLiteral("Position and Size"), this);
    auto* grid = new QGridLayout(posGroup);
    const QString labels[] = {QStringLiteral("The x:"), QStringLiteral("The y:"),
                              QStringLiteral("The width:"), QStringLiteral("The height:")};
    for (int i = 0; i < 4; ++i) {
        m_pPos[i] = new QLineEdit(posGroup);
        m_pPos[i]->setFixedWidth(70);
        m_pPos[i]->setAlignment(Qt::AlignRight);
        DialogData::DigitsOnly(m_pPos[i]);
        grid->addWidget(new QLabel(labels[i], posGroup), i / 2, (i % 2) * 2);
        grid->addWidget(m_pPos[i], i / 2, (i % 2) * 2 + 1);
    }
    m_pDesign = new QPushButton(QStringLiteral("Visual design"), posGroup);
    grid->addWidget(m_pDesign, 0, 5, 2, 1, Qt::AlignVCenter);
    grid->setColumnMinimumWidth(2, 30);
    grid->setColumnStretch(4, 1);

    auto* optionsGroup = new QGroupBox(QStringLiteral("Options"), this);
    m_pShow = new QCheckBox(QStringLiteral("Show banner in this prize level."), optionsGroup);
    auto* optionsRow = new QHBoxLayout(optionsGroup);
    optionsRow->addWidget(m_pShow);

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &BannerShow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BannerShow::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &BannerShow::OnApply);
    connect(m_pDesign, &QPushButton::clicked, this, &BannerShow::OnVisualDesign);
    connect(m_pBrowse, &QPushButton::clicked, this, &BannerShow::OnBrowse);
    connect(m_pShow, &QCheckBox::clicked, this, &BannerShow::OnShowClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optionsGroup);
    layout->addWidget(fileGroup);
    layout->addWidget(posGroup);
    layout->addWidget(buttons);
}

QString BannerShow::ShownFile(const QString& stored) {
    return HasPathSeparator(stored) ? stored : DialogData::InAppFolder(stored);
}

QString BannerShow::FileFilter() {
    return QStringLiteral("swf Files (*.swf)|*.swf|All Files (*.*)|*.*||");
}

void BannerShow::WriteControls() {
    m_pShow->setChecked(m_bShow != 0);
    m_pFile->setText(m_strFile);
    const int values[] = {m_nX, m_nY, m_nWidth, m_nHeight};
    for (int i = 0; i < 4; ++i)
        m_pPos[i]->setText(QString::number(values[i]));
}

bool BannerShow::ReadControls() {
    int values[4];
    for (int i = 0; i < 4; ++i)
        if (!DialogData::ReadInt(m_pPos[i], values[i], *m_pPrompter))
            return false;
    m_bShow = m_pShow->isChecked() ? 1 : 0;
    m_strFile = m_pFile->text();
    m_nX = values[0];
    m_nY = values[1];
    m_nWidth = values[2];
    m_nHeight = values[3];
    return true;
}

void BannerShow::EnableControls(bool enable) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_pFile, m_pBrowse, m_pPos[0], m_pPos[1],
                                                      m_pPos[2], m_pPos[3], m_pDesign})
        w->setEnabled(enable);
}

void BannerShow::OnShowClicked() {
    EnableControls(m_pShow->isChecked());
}

void BannerShow::OnBrowse() {
    const QString chosen =
        m_pPrompter->ChooseOpenFile(QStringLiteral("Open"), DialogData::QtFileFilter(FileFilter()),
                                    MakeAbsolutePath(m_banner.m_strFile));
    if (chosen.isEmpty())
        return;
    m_banner.m_strFile = chosen;
    m_strFile = chosen;
    m_pFile->setText(chosen);
}

bool BannerShow::Save() {
    if (!ReadControls())
        return false;
    m_banner.m_strFile = m_strFile;
    m_banner.m_rect = DialogData::FromPosition(m_nX, m_nY, m_nWidth, m_nHeight);
    m_banner.m_bShow = m_bShow;
    m_pGrade->m_banner = m_banner;
    return true;
}

void BannerShow::SetPosition(const QRect& rect) {
    m_nX = rect.x();
    m_nY = rect.y();
    m_nWidth = rect.width();
    m_nHeight = rect.height();
    WriteControls();
}

bool BannerShow::OnApply() {
    if (m_bClosed)
        return false;
    GradeInfo before = *m_pGrade;
    if (!Save())
        return false;
    Q_EMIT applyGrade(m_pGrade, &before);
    return true;
}

bool BannerShow::OnVisualDesign() {
    if (!OnApply())
        return false;
    Q_EMIT bannerLayoutRequested();
    return true;
}

void BannerShow::accept() {
    if (m_bClosed || !Save())
        return;
    Finish(1);
}

void BannerShow::reject() {
    if (m_bClosed)
        return;
    Finish(0);
}

void BannerShow::Finish(int result) {
    m_bClosed = true;
    QDialog::done(result ? Accepted : Rejected);
    QPointer<BannerShow> self(this);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [self, result] {
            if (self)
                Q_EMIT self->closed(result);
        },
        Qt::QueuedConnection);
}
