#include "settings/XFaceString.h"

#include "model/GradeInfo.h"
#include "settings/FontColourDialog.h"
#include "settings/TextItemFormat.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

QStringList XFaceString::TemplateTexts() {
    return {QStringLiteral("Amount of the all numbers in the grade:~?~."),
            QStringLiteral("Amount of the remained winning numbers in the grade:~#~."),
            QStringLiteral("Amount of the winning numbers in the grade:~$~."),
            QStringLiteral("Existing:~$~,Remaining:~#~,total:~?~.")};
}

QString XFaceString::StoredText(const QString& edited) {
    QString text = edited;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString XFaceString::EditableText(const QString& stored) {
    QString text = stored;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

XFaceString::XFaceString(GradeInfo* level, QWidget* parent)
    : QDialog(parent), m_cf(TextItemFormat::Initial()), m_pGrade(level),
      m_fontChooser(&FontColourDialog::Choose) {
    setWindowTitle(Caption());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("New string"), this));

    m_pEdit = new QTextEdit(this);
    // Only the one format of the whole text is kept, so pasted formatting would only mislead.
    m_pEdit->setAcceptRichText(false);
    // A panel breaks its text only where the text holds a line break; so does the editor.
    m_pEdit->setLineWrapMode(QTextEdit::NoWrap);
    m_pEdit->setMinimumSize(560, 170);
    layout->addWidget(m_pEdit, 1);

    auto* buttons = new QHBoxLayout;
    auto* font = new QPushButton(QStringLiteral("Font..."), this);
    m_pDynamic = new QPushButton(QStringLiteral("Dynamic Info>>"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* b : {font, m_pDynamic})
        b->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addWidget(font);
    buttons->addWidget(m_pDynamic);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(font, &QPushButton::clicked, this, &XFaceString::OnFont);
    connect(m_pDynamic, &QPushButton::clicked, this, &XFaceString::OnDynamicInfo);
    connect(ok, &QPushButton::clicked, this, &XFaceString::OnSave);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    BuildMenu();
}

void XFaceString::BuildMenu() {
    m_pMenu = new QMenu(this);
    const QStringList texts = TemplateTexts();
    for (int i = 0; i < texts.size(); ++i)
        connect(m_pMenu->addAction(texts.at(i)), &QAction::triggered, this,
                [this, i] { OnTemplate(i); });
}

bool XFaceString::EditItem(int index) {
    if (!m_pGrade || index < 0 || index >= m_pGrade->m_aPanel.m_listPanels.size())
        return false;
    const APanel& item = m_pGrade->m_aPanel.m_listPanels.at(index);
    m_nIndex = index;
    m_strText = item.m_strText;
    m_cf = item.m_cf;
    return true;
}

void XFaceString::showEvent(QShowEvent* event) {
    if (!m_bInitialised)
        OnInitDialog();
    QDialog::showEvent(event);
}

void XFaceString::OnInitDialog() {
    m_bInitialised = true;
    m_pEdit->setPlainText(EditableText(m_strText));
    FormatText();
}

CharFormat XFaceString::EditorDefaultFormat() const {
    return TextItemFormat::FromFont(m_pEdit->document()->defaultFont(),
                                    m_pEdit->palette().color(QPalette::Text));
}

void XFaceString::FormatText() {
    if (m_nIndex == kNewItem)
        m_cf = TextItemFormat::NewItemFormat(EditorDefaultFormat());
    ApplyFormat();
}

void XFaceString::ApplyFormat() {
    const QTextCharFormat format = TextItemFormat::ToTextFormat(m_cf);
    QTextCursor cursor(m_pEdit->document());
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(format);
    // Typing goes on in the same format, wherever the caret is.
    m_pEdit->setCurrentCharFormat(format);
    m_pEdit->viewport()->update();
}

void XFaceString::OnFont() {
    TextItemFormat::PrepareLogFont(m_cf, m_lf);
    quint32 color = m_cf.crTextColor;
    if (!m_fontChooser || !m_fontChooser(m_lf, color, this))
        return;
    TextItemFormat::ApplyChosenFont(m_cf, m_lf, color);
    m_bFontChosen = true;
    ApplyFormat();
}

void XFaceString::OnDynamicInfo() {
    m_pMenu->popup(m_pDynamic->mapToGlobal(m_pDynamic->rect().bottomLeft()));
}

void XFaceString::OnTemplate(int item) {
    const QStringList texts = TemplateTexts();
    if (item < 0 || item >= texts.size())
        return;
    m_pEdit->setPlainText(texts.at(item));
    // A new item whose font was chosen keeps that font as chosen; scaling it again as a fresh
    // item would blow the chosen size up fourfold.
    if (m_nIndex == kNewItem && !m_bFontChosen)
        FormatText();
    else
        ApplyFormat();
}

void XFaceString::OnSave() {
    if (!m_bInitialised)
        OnInitDialog();
    m_strText = StoredText(m_pEdit->toPlainText());
    bool stored = false;
    if (m_pGrade && m_nIndex == kNewItem) {
        m_pGrade->m_aPanel.AddPanel(m_strText, m_cf);
        stored = true;
    } else if (m_pGrade && m_nIndex >= 0 && m_nIndex < m_pGrade->m_aPanel.m_listPanels.size()) {
        m_pGrade->m_aPanel.SetPanel(m_nIndex, m_strText, m_cf);
        stored = true;
    }
    accept();
    // An item that is not there was not stored, and no panel may be refreshed for it.
    if (stored)
        Q_EMIT StringEdited(m_nIndex);
}
