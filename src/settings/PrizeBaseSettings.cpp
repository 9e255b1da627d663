#include "settings/PrizeBaseSettings.h"

#include "controls/ControlId.h"
#include "model/GradeInfo.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "settings/DialogData.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

namespace {

QLineEdit* NumberEdit(int id) {
    auto* edit = new QLineEdit;
    DialogData::DigitsOnly(edit);
    SetControlId(edit, id);
    return edit;
}

// Quantities are kept in 32-bit signed fields: a larger number would turn negative there.
bool ReadCount(QLineEdit* edit, quint32& value, Prompter& prompter) {
    constexpr qint32 kMax = std::numeric_limits<qint32>::max();
    quint32 v = 0;
    if (!DialogData::ReadUInt(edit, v, prompter))
        return false;
    if (v > quint32(kMax)) {
        prompter.Message(DialogData::IntegerRangePrompt(0, kMax), Prompter::Icon::Warning);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = v;
    return true;
}

// What has been typed so far; a text that is no number yet counts as 0.
quint32 Peek(const QLineEdit* edit) {
    quint32 value = 0;
    return DialogData::ParseUInt(edit->text(), value) ? value : 0;
}

} // namespace

QString PrizeBaseSettings::PerScreenText() {
    return GradeBase::PerScreenText();
}

PrizeBaseSettings::PrizeBaseSettings(Prompter* prompter, QWidget* parent)
    : QDialog(parent), m_boxes(this), m_pPrompter(prompter ? prompter : &m_boxes) {
    setWindowTitle(QStringLiteral("The base settings of this prize level"));
    BuildControls();
}

PrizeLevels::Editor
PrizeBaseSettings::ModalEditor(QWidget* parent, Prompter* prompter,
                               std::function<void(QWidget*)> registerWithGuide) {
    return [parent, prompter, registerWithGuide = std::move(registerWithGuide)](GradeInfo& copy,
                                                                                bool defaultLevel) {
        PrizeBaseSettings dialog(prompter, parent);
        dialog.m_pGradeInfo = &copy;
        dialog.m_bDefaultLevel = defaultLevel ? 1 : 0;
        if (registerWithGuide)
            connect(&dialog, &PrizeBaseSettings::registerWithGuide, &dialog, registerWithGuide);
        return dialog.exec() == QDialog::Accepted;
    };
}

PrizeLevels::Outcome PrizeBaseSettings::EditLevel(QWidget* parent, TumoStatus& status,
                                                  GradeInfo& level, Prompter* prompter,
                                                  std::function<void(QWidget*)> registerWithGuide) {
    MessageBoxPrompter boxes(parent);
    Prompter& asker = prompter ? *prompter : boxes;
    const bool defaultLevel = status.IndexOf(&level) == 0;
    return PrizeLevels::EditBaseSettings(
        status, level, defaultLevel, asker,
        ModalEditor(parent, prompter, std::move(registerWithGuide)));
}

void PrizeBaseSettings::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildBaseGroup());
    layout->addWidget(BuildPerScreenGroup());
    layout->addWidget(BuildTakeStyleGroup());
    layout->addWidget(BuildAutoGroup());
    auto* buttons = new QDialogButtonBox;
    m_btnOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_btnCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    m_btnOK->setDefault(true);
    SetControlId(m_btnOK, 1);
    SetControlId(m_btnCancel, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &PrizeBaseSettings::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrizeBaseSettings::reject);
    layout->addWidget(buttons);
}

QWidget* PrizeBaseSettings::BuildBaseGroup() {
    auto* group = new QGroupBox(QStringLiteral("The base information"), this);
    auto* form = new QFormLayout(group);
    m_editName = new QLineEdit;
    SetControlId(m_editName, kIdName);
    m_editQuantity = NumberEdit(kIdQuantity);
    m_editQuantity->setMaximumWidth(120);
    m_checkPause = new QCheckBox(
        QStringLiteral("The prize draw will be paused when this prize level is finished. Restart "
                       "tumo to enter the next prize level."));
    SetControlId(m_checkPause, kIdPause);
    form->addRow(QStringLiteral("Prize level name:"), m_editName);
    form->addRow(QStringLiteral("The quantity of the winning numbers in this prize level:"),
                 m_editQuantity);
    form->addRow(m_checkPause);
    return group;
}

QWidget* PrizeBaseSettings::BuildPerScreenGroup() {
    auto* group =
        new QGroupBox(QStringLiteral("The quantity of numbers on the screen in this prize level"));
    auto* form = new QFormLayout(group);
    m_editPerScreen = NumberEdit(kIdPerScreen);
    m_editPerScreen->setMaximumWidth(120);
    m_editPerScreen->installEventFilter(this);
    form->addRow(QStringLiteral("The quantity of numbers on the screen:"), m_editPerScreen);
    // An emptied box waits for the digits still to come; leaving it empty is judged on leaving.
    connect(m_editPerScreen, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.isEmpty())
            OnPerScreenRule(true);
    });
    return group;
}

QWidget* PrizeBaseSettings::BuildTakeStyleGroup() {
    auto* group = new QGroupBox(QStringLiteral("How to draw winning numbers in this prize level"));
    auto* column = new QVBoxLayout(group);
    auto* stops = new QButtonGroup(group);
    m_radioStop[0] = new QRadioButton(QStringLiteral("Stop all numbers on the screen once time."));
    m_radioStop[1] = new QRadioButton(QStringLiteral("Stop one number on the screen once time."));
    m_checkStopDigit = new QCheckBox(QStringLiteral("Stop a bit of a number once time."));
    auto* directions = new QButtonGroup(group);
    m_radioDirection[0] = new QRadioButton(QStringLiteral("From right to left."));
    m_radioDirection[1] = new QRadioButton(QStringLiteral("From left to right."));
    SetControlId(m_radioStop[0], kIdStopAll);
    SetControlId(m_radioStop[1], kIdStopOne);
    SetControlId(m_checkStopDigit, kIdStopDigit);
    SetControlId(m_radioDirection[0], kIdRightToLeft);
    SetControlId(m_radioDirection[1], kIdLeftToRight);
    for (int i = 0; i < 2; ++i) {
        stops->addButton(m_radioStop[i], i);
        directions->addButton(m_radioDirection[i], i);
    }
    column->addWidget(m_radioStop[0]);
    column->addWidget(m_radioStop[1]);
    auto* digit = new QHBoxLayout;
    digit->addSpacing(20);
    digit->addWidget(m_checkStopDigit);
    column->addLayout(digit);
    auto* direction = new QHBoxLayout;
    direction->addSpacing(40);
    direction->addWidget(m_radioDirection[0]);
    direction->addWidget(m_radioDirection[1]);
    direction->addStretch(1);
    column->addLayout(direction);
    connect(m_checkStopDigit, &QCheckBox::clicked, this, &PrizeBaseSettings::OnStopDigit);
    return group;
}

QWidget* PrizeBaseSettings::BuildAutoGroup() {
    auto* group = new QGroupBox(QStringLiteral("Auto Draw"), this);
    auto* form = new QFormLayout(group);
    m_checkAutoDraw = new QCheckBox(QStringLiteral("Enable Auto Draw"));
    SetControlId(m_checkAutoDraw, kIdAutoDraw);
    m_editStopTime = NumberEdit(kIdStopTime);
    m_editScrollTime = NumberEdit(kIdScrollTime);
    m_editSwitchTime = NumberEdit(kIdSwitchTime);
    for (QLineEdit* edit : {m_editStopTime, m_editScrollTime, m_editSwitchTime})
        edit->setMaximumWidth(120);
    form->addRow(m_checkAutoDraw);
    form->addRow(QStringLiteral("Stop time(ms): "), m_editStopTime);
    form->addRow(QStringLiteral("Scrolling time(ms):"), m_editScrollTime);
    form->addRow(QStringLiteral("Screen switch time(ms): "), m_editSwitchTime);
    connect(m_checkAutoDraw, &QCheckBox::clicked, this, &PrizeBaseSettings::OnAutoDraw);
    return group;
}

void PrizeBaseSettings::showEvent(QShowEvent* event) {
    if (!m_bSetUp) {
        m_bSetUp = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void PrizeBaseSettings::OnInitDialog() {
    Q_EMIT registerWithGuide(this);
    if (m_pGradeInfo)
        m_fields = BaseSettingsFields::FromLevel(*m_pGradeInfo);
    ShowFields();
    ApplyEnabling(BaseSettingsFields::EnablingFor(m_fields.perScreen, m_fields.stopDigit));
    if (m_bDefaultLevel) {
        m_editName->setEnabled(false);
        m_editQuantity->setEnabled(false);
    }
    for (QLineEdit* edit : {m_editStopTime, m_editScrollTime, m_editSwitchTime})
        edit->setEnabled(m_fields.autoDraw);
}

void PrizeBaseSettings::ShowFields() {
    m_editName->setText(m_fields.name);
    // The default level's winners are what the pool leaves, which can be below 0.
    m_editQuantity->setText(QString::number(qint32(m_fields.quantity)));
    m_editPerScreen->setText(QString::number(m_fields.perScreen));
    for (int i = 0; i < 2; ++i) {
        m_radioStop[i]->setChecked(m_fields.stopStyle == i);
        m_radioDirection[i]->setChecked(m_fields.direction == i);
    }
    m_checkStopDigit->setChecked(m_fields.stopDigit);
    m_checkPause->setChecked(m_fields.pause);
    m_checkAutoDraw->setChecked(m_fields.autoDraw);
    m_editStopTime->setText(QString::number(m_fields.stopTime));
    m_editScrollTime->setText(QString::number(m_fields.scrollTime));
    m_editSwitchTime->setText(QString::number(m_fields.switchTime));
}

void PrizeBaseSettings::PeekFields() {
    // A default level's winners are not edited: the level's own value stands.
    if (m_editQuantity->isEnabled())
        m_fields.quantity = Peek(m_editQuantity);
    m_fields.perScreen = Peek(m_editPerScreen);
    m_fields.stopDigit = m_checkStopDigit->isChecked();
    m_fields.autoDraw = m_checkAutoDraw->isChecked();
}

bool PrizeBaseSettings::ReadFields() {
    Prompter& prompter = *m_pPrompter;
    BaseSettingsFields f = m_fields;
    f.name = m_editName->text();
    if (m_editQuantity->isEnabled() && !ReadCount(m_editQuantity, f.quantity, prompter))
        return false;
    if (!ReadCount(m_editPerScreen, f.perScreen, prompter))
        return false;
    f.stopStyle =
        m_radioStop[1]->isChecked() ? BaseSettingsFields::kStopOne : BaseSettingsFields::kStopAll;
    f.direction = m_radioDirection[1]->isChecked() ? BaseSettingsFields::kLeftToRight
                                                   : BaseSettingsFields::kRightToLeft;
    f.stopDigit = m_checkStopDigit->isChecked();
    f.pause = m_checkPause->isChecked();
    f.autoDraw = m_checkAutoDraw->isChecked();
    if (!DialogData::ReadInt(m_editStopTime, f.stopTime, prompter) ||
        !DialogData::ReadInt(m_editScrollTime, f.scrollTime, prompter) ||
        !DialogData::ReadInt(m_editSwitchTime, f.switchTime, prompter))
        return false;
    m_fields = f;
    return true;
}

void PrizeBaseSettings::ApplyEnabling(const BaseSettingsFields::Enabling& enabling) {
    m_radioStop[0]->setEnabled(enabling.stopAll);
    m_radioStop[1]->setEnabled(enabling.stopOne);
    m_checkStopDigit->setEnabled(enabling.stopDigit);
    m_radioDirection[0]->setEnabled(enabling.direction);
    m_radioDirection[1]->setEnabled(enabling.direction);
}

void PrizeBaseSettings::OnStopDigit() {
    const bool on = m_checkStopDigit->isChecked();
    m_fields.stopDigit = on;
    m_radioDirection[0]->setEnabled(on);
    m_radioDirection[1]->setEnabled(on);
}

void PrizeBaseSettings::OnAutoDraw() {
    const bool on = m_checkAutoDraw->isChecked();
    m_fields.autoDraw = on;
    for (QLineEdit* edit : {m_editStopTime, m_editScrollTime, m_editSwitchTime})
        edit->setEnabled(on);
}

void PrizeBaseSettings::OnPerScreenRule(bool textUpdate) {
    PeekFields();
    if (!PerScreenAccepted() && !m_bWarned && !m_btnCancel->hasFocus()) {
        RefusePerScreen();
        return;
    }
    if (m_fields.perScreen == 1) {
        m_fields.stopStyle = BaseSettingsFields::kStopOne;
        m_radioStop[1]->setChecked(true);
        ApplyEnabling(BaseSettingsFields::EnablingFor(1, m_fields.stopDigit));
    } else if (m_fields.perScreen > 1) {
        if (textUpdate) {
            m_fields.stopDigit = false;
            m_checkStopDigit->setChecked(false);
        }
        ApplyEnabling(BaseSettingsFields::EnablingFor(m_fields.perScreen, m_fields.stopDigit));
    }
}

bool PrizeBaseSettings::PerScreenAccepted() const {
    // No level may ask for more symbols than a screen shows, whatever the pool's digit count.
    // The default level's winners are what the pool leaves after the prize levels, 0 when they
    // take it all; they are computed, not typed, so they never refuse its other settings.
    const bool valid = m_bDefaultLevel ? m_fields.perScreen != 0 : m_fields.PerScreenValid();
    return valid && m_fields.perScreen <= quint32(GradeBase::kMaxSymbolPositions);
}

void PrizeBaseSettings::RefusePerScreen() {
    m_bWarned = 1;
    m_pPrompter->Message(PerScreenText(), Prompter::Icon::Warning);
    m_editPerScreen->setFocus();
    m_editPerScreen->selectAll();
}

bool PrizeBaseSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_editPerScreen && event->type() == QEvent::FocusOut && isVisible()) {
        // Only a move of the focus inside the dialog counts; switching windows (a message box
        // among them) leaves the edit where it was.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            OnPerScreenRule(false);
    }
    return QDialog::eventFilter(watched, event);
}

void PrizeBaseSettings::accept() {
    if (!ReadFields())
        return;
    if (!PerScreenAccepted()) {
        RefusePerScreen();
        return;
    }
    if (m_pGradeInfo)
        m_fields.ToLevel(*m_pGradeInfo);
    QDialog::accept();
}
