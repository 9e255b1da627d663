#include "settings/CreateContinusNu.h"

#include "settings/DialogData.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CreateContinusNu::CreateContinusNu(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_pMin(new QLineEdit(this)),
      m_pMax(new QLineEdit(this)) {
    setObjectName(QStringLiteral("CreateContinusNu"));
    for (QLineEdit* edit : {m_pMin, m_pMax}) {
        DialogData::DigitsOnly(edit);
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

bool CreateContinusNu::UpdateData(bool save) {
    if (!save) {
        m_pMin->setText(QString::number(m_nMin));
        m_pMax->setText(QString::number(m_nMax));
        return true;
    }
    quint32 min = 0, max = 0;
    if (!DialogData::ReadUInt(m_pMin, min, m_prompter) ||
        !DialogData::ReadUInt(m_pMax, max, m_prompter))
        return false;
    m_nMin = min;
    m_nMax = max;
    return true;
}
