#include "show/XNewInfo.h"

#include "base/AppPaths.h"
#include "controls/CHyperLink.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "show/IniFile.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("STATE");
const QString kKey = QStringLiteral("autoCheck");
const QString kPlaceholder = QStringLiteral("xxx");

// A fetched text may end its lines the Windows way; a label breaks lines at "\n" only.
QString WithPlainLineBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QString XNewInfo::DownloadUrl() {
    return QStringLiteral("https://www.tumo-draw.example/download/");
}

QString XNewInfo::ResourceUrl() {
    return QStringLiteral("https://www.tumo-draw.example/resources/");
}

QString XNewInfo::DefaultIniPath() {
    return g_strAppFolder + QStringLiteral("/tumo.ini");
}

XNewInfo::XNewInfo(QWidget* parent, const QString& iniPath)
    : QDialog(parent), m_strIniPath(iniPath) {
    setWindowTitle(QStringLiteral("New information"));
    BuildControls();
}

void XNewInfo::BuildControls() {
    auto* version = new QGroupBox(QStringLiteral("Version"), this);
    m_pCurrent = new QLabel(QStringLiteral("Current version:xxx"), version);
    m_pCurrent->setTextFormat(Qt::PlainText);
    m_pDownload =
        new CHyperLink(QStringLiteral("The newer version:xxx(click to download)"), version);
    auto* versionLayout = new QVBoxLayout(version);
    versionLayout->setSpacing(10);
    versionLayout->addWidget(m_pCurrent);
    versionLayout->addWidget(m_pDownload, 0, Qt::AlignLeft);

    auto* resource = new QGroupBox(QStringLiteral("Resource"), this);
    m_pResource = new CHyperLink(QStringLiteral("Click here to get newer resources."), resource);
    auto* resourceLayout = new QVBoxLayout(resource);
    resourceLayout->addWidget(m_pResource, 0, Qt::AlignLeft);

    m_pAutoCheck = new QCheckBox(QStringLiteral("Auto check."), this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &XNewInfo::OnClickedOk);
    connect(cancel, &QPushButton::clicked, this, &XNewInfo::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(version);
    layout->addWidget(resource);
    layout->addWidget(m_pAutoCheck);
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

void XNewInfo::SetPrompter(Prompter* prompter) {
    m_pPrompter = prompter;
    m_pDownload->SetPrompter(prompter);
    m_pResource->SetPrompter(prompter);
}

void XNewInfo::setVisible(bool visible) {
    // Before the dialog takes its size, so that it fits the texts it will show.
    if (visible)
        OnInitDialog();
    QDialog::setVisible(visible);
}

void XNewInfo::OnInitDialog() {
    if (m_bInitDone)
        return;
    m_bInitDone = true;
    const QString stored = IniFile::ReadString(m_strIniPath, kSection, kKey, QStringLiteral("1"));
    m_bAutoCheck = LeadingNumber(stored);
    m_pAutoCheck->setChecked(m_bAutoCheck != 0);

    QString current = m_pCurrent->text();
    m_pCurrent->setText(current.replace(kPlaceholder, QLatin1String(kCurrentVersion)));
    m_pDownload->setText(NewerVersionText(m_pDownload->text(), m_strNewVersion));

    m_pDownload->SetLinkUrl(DownloadUrl());
    m_pDownload->SetUnderline(false);
    m_pResource->SetLinkUrl(ResourceUrl());
    m_pResource->SetUnderline(false);
}

void XNewInfo::OnClickedOk() {
    m_bAutoCheck = m_pAutoCheck->isChecked() ? 1 : 0;
    // The old file stays when the new one could not be written whole; the operator learns that
    // the choice was not kept.
    if (!IniFile::WriteString(m_strIniPath, kSection, kKey,
                              m_bAutoCheck == 1 ? QStringLiteral("1") : QStringLiteral("0")) &&
        m_pPrompter)
        m_pPrompter->Message(TumoStatus::WriteErrorText());
    accept();
}

QString XNewInfo::NewerVersionText(const QString& caption, const QString& version) {
    QString text = caption;
    const QString shown =
        version.isEmpty() ? QLatin1String(kConnectionError) : WithPlainLineBreaks(version);
    return text.replace(kPlaceholder, shown);
}

int XNewInfo::LeadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        value = std::min<qint64>(value * 10 + (text[i].unicode() - '0'), INT_MAX);
    return int(negative ? -value : value);
}
