#include "settings/CreateContinusNu.h"

#include "model/Prompter.h"
#include "settings/NumberPageText.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

CreateContinusNu::CreateContinusNu(Prompter* prompter, QWidget* parent)
    : QWidget(parent), m_pPrompter(prompter), m_pMin(new QLineEdit(this)),
      m_pMax(new QLineEdit(this)) {
    setObjectName(QStringLiteral("CreateContinusNu"));
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this);
    for (QLineEdit* edit : {m_pMin, m_pMax}) {
        edit->setValidator(digits);
        edit->setMaxLength(10);
    }
    m_pMin->setObjectName(QStringLiteral("Min"));
    m_pMax->setObjectName(QStringLiteral("Max"));

    auto* group = new QGroupBox(QStringLiteral("The Max/min number"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("The MIN number:"), m_pMin);
    form->addRow(QStringLiteral("The MAX number:"), m_pMax);

    auto* noteTitle = new QLabel(QStringLiteral("Note:"), this);
    auto* note = new QLabel(QStringLiteral("If the number is lager than 4294967295, please use the "
                                           "import the numbers from a txt or csv file. "),
                            this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addSpacing(8);
    layout->addWidget(noteTitle);
    layout->addWidget(note);
    layout->addStretch(1);
    UpdateData(false);
}

bool CreateContinusNu::ParseUnsigned(const QString& text, quint32& value) {
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 20)
        return false;
    quint64 v = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + quint64(c.unicode() - '0');
        if (v > 0xFFFFFFFFull)
            return false;
    }
    value = quint32(v);
    return true;
}

bool CreateContinusNu::ReadField(QLineEdit* edit, quint32& value) {
    if (ParseUnsigned(edit->text(), value))
        return true;
    if (m_pPrompter)
        m_pPrompter->Message(NumberPageText::EnterPositiveInteger(), Prompter::Icon::Warning);
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool CreateContinusNu::UpdateData(bool save) {
    if (!save) {
        m_pMin->setText(QString::number(m_nMin));
        m_pMax->setText(QString::number(m_nMax));
        return true;
    }
    quint32 min = 0, max = 0;
    if (!ReadField(m_pMin, min) || !ReadField(m_pMax, max))
        return false;
    m_nMin = min;
    m_nMax = max;
    return true;
}
