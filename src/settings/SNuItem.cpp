#include "settings/SNuItem.h"

#include "model/Prompter.h"
#include "settings/NumberPageText.h"
#include "store/NuFileDeal.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

static_assert(SNuItem::kMaxNumber == NuFileDeal::kMaxNumberUnits,
              "an import stores no number that this dialog would refuse");

SNuItem::SNuItem(const QString& title, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_strTitle(title), m_prompter(prompter), m_pNumber(new QLineEdit(this)),
      m_pInfo(new QPlainTextEdit(this)) {
    setWindowTitle(m_strTitle);
    m_pNumber->setMaxLength(kMaxNumber);
    m_pNumber->setObjectName(QStringLiteral("Number"));
    m_pInfo->setObjectName(QStringLiteral("Information"));
    m_pInfo->setTabChangesFocus(true);
    m_pInfo->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* numberLabel = new QLabel(QStringLiteral("Number:"), this);
    numberLabel->setBuddy(m_pNumber);
    auto* infoLabel = new QLabel(QStringLiteral("Additional infomation:"), this);
    infoLabel->setBuddy(m_pInfo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SNuItem::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SNuItem::reject);
    connect(m_pInfo, &QPlainTextEdit::textChanged, this, &SNuItem::OnInfoChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(numberLabel);
    layout->addWidget(m_pNumber);
    layout->addSpacing(6);
    layout->addWidget(infoLabel);
    layout->addWidget(m_pInfo, 1);
    layout->addWidget(buttons);
    resize(340, 240);
}

void SNuItem::SetTexts(const QString& number, const QString& info) {
    m_strNumber = number;
    m_strInfo = info;
    m_pNumber->setText(number.left(kMaxNumber));
    m_bTrimming = true;
    m_pInfo->setPlainText(NumberPageText::InfoForEditor(info));
    m_bTrimming = false;
    m_lastInfo = m_pInfo->toPlainText();
}

// The limit holds while typing: what does not fit is cut from the end of what was just typed
// or pasted. A text that was longer already (a record from an import) may not grow, and is
// refused on OK.
void SNuItem::OnInfoChanged() {
    if (m_bTrimming)
        return;
    const QString text = m_pInfo->toPlainText();
    const qsizetype limit =
        std::max<qsizetype>(kMaxInfo, NumberPageText::StoredInfoLength(m_lastInfo));
    QTextCursor cursor = m_pInfo->textCursor();
    const int typedEnd = cursor.position();
    const int typedStart = std::max(0, typedEnd - int(text.size() - m_lastInfo.size()));
    QString kept = text;
    int end = typedEnd;
    while (end > typedStart && NumberPageText::StoredInfoLength(kept) > limit)
        kept.remove(--end, 1);
    if (end < typedEnd) {
        m_bTrimming = true;
        cursor.setPosition(end);
        cursor.setPosition(typedEnd, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_pInfo->setTextCursor(cursor);
        m_bTrimming = false;
    }
    m_lastInfo = m_pInfo->toPlainText();
}

void SNuItem::accept() {
    const QString number = m_pNumber->text();
    const QString info = NumberPageText::InfoForStore(m_pInfo->toPlainText());
    if (number.size() > kMaxNumber) {
        m_prompter.Message(NumberPageText::EnterNoMoreThan(kMaxNumber));
        m_pNumber->setFocus();
        return;
    }
    if (info.size() > kMaxInfo) {
        m_prompter.Message(NumberPageText::EnterNoMoreThan(kMaxInfo));
        m_pInfo->setFocus();
        return;
    }
    m_strNumber = number;
    m_strInfo = info;
    QDialog::accept();
}
