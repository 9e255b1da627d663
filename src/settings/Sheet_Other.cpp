#include "settings/Sheet_Other.h"

#include "controls/ControlId.h"
#include "controls/XComBoxReadOnly.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "settings/GuideControlIds.h"
#include "settings/HotKeyRules.h"
#include "settings/OtherOptionRules.h"
#include "show/MonitorChoice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

void SetCheck(QAbstractButton* button, qint32 value) {
    button->setChecked(value != 0);
}

// A radio group of which none may be chosen (-1): Qt's exclusive groups hold one once one was
// checked, so the group lets go while it clears them.
void CheckOnly(QButtonGroup* group, int id) {
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(group->id(button) == id);
    group->setExclusive(true);
}

} // namespace

Sheet_Other::Sheet_Other(TumoStatus* status, Prompter* prompter, QWidget* parent,
                         OtherPageSources sources)
    : QWidget(parent), m_pStatus(status), m_pPrompter(prompter), m_sources(std::move(sources)) {
    BuildControls();
    OnInitDialog();
}

void Sheet_Other::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildStartupGroup());
    layout->addWidget(BuildButtonsGroup());
    layout->addWidget(BuildControlsGroup());
    layout->addWidget(BuildMonitorGroup());
    layout->addWidget(BuildAcceleratorGroup());
    layout->addStretch(1);
    NumberControls();
}

void Sheet_Other::NumberControls() {
    using namespace GuideControlIds;
    SetControlId(m_checkStopAtStartup, kOtherStopAtStartup);
    SetControlId(m_comboChar, kOtherStartSymbol);
    SetControlId(m_checkShowButtons, kOtherShowButtons);
    SetControlId(m_checkMouseControl, kOtherMouseControl);
    SetControlId(m_radioMouse[0], kOtherMouseDrawOnly);
    SetControlId(m_radioMouse[1], kOtherMouseRestartOnly);
    SetControlId(m_radioMouse[2], kOtherMouseBoth);
    SetControlId(m_checkAllowDelete, kOtherAllowDelete);
    SetControlId(m_comboMonitor, kOtherMonitor);
    SetControlId(m_comboCommand, kOtherCommand);
    SetControlId(m_radioModifier[0], kOtherCtrl);
    SetControlId(m_radioModifier[1], kOtherShift);
    SetControlId(m_radioModifier[2], kOtherAlt);
    SetControlId(m_comboKey, kOtherKey);
}

QWidget* Sheet_Other::BuildStartupGroup() {
    auto* group = new QGroupBox(QStringLiteral("When start the program"), this);
    auto* row = new QHBoxLayout(group);
    m_checkStopAtStartup = new QCheckBox(QStringLiteral("Stop all symbols on the screen to"));
    m_comboChar = new QComboBox;
    m_comboChar->setMinimumContentsLength(3);
    row->addWidget(m_checkStopAtStartup);
    row->addWidget(m_comboChar);
    row->addWidget(new QLabel(QStringLiteral(" when start up.")));
    row->addStretch(1);
    connect(m_checkStopAtStartup, &QCheckBox::clicked, this, &Sheet_Other::OnStopAtStartup);
    return group;
}

QWidget* Sheet_Other::BuildButtonsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Buttons"), this);
    auto* column = new QVBoxLayout(group);
    m_checkShowButtons = new QCheckBox(QStringLiteral("Show buttons on screen."));
    column->addWidget(m_checkShowButtons);
    return group;
}

QWidget* Sheet_Other::BuildControlsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Controls"), this);
    auto* column = new QVBoxLayout(group);
    m_checkMouseControl = new QCheckBox(QStringLiteral("Activate the mouse control."));
    column->addWidget(m_checkMouseControl);
    m_groupMouse = new QButtonGroup(this);
    const QStringList modes = {QStringLiteral("Only use the mouse to draw numbers."),
                               QStringLiteral("Only use the mouse to restart symbols."),
                               QStringLiteral("The all.")};
    for (int i = 0; i < 3; ++i) {
        m_radioMouse[i] = new QRadioButton(modes.at(i));
        m_groupMouse->addButton(m_radioMouse[i], i);
        auto* indented = new QHBoxLayout;
        indented->addSpacing(20);
        indented->addWidget(m_radioMouse[i]);
        column->addLayout(indented);
    }
    m_checkAllowDelete =
        new QCheckBox(QStringLiteral("Allow to delete the just-draw-out winning number."));
    m_labelDelete = new QLabel(QStringLiteral(
        "Press the Del button to show the window to delete the draw out winning number."));
    m_labelDelete->setWordWrap(true);
    column->addWidget(m_checkAllowDelete);
    auto* indented = new QHBoxLayout;
    indented->addSpacing(20);
    indented->addWidget(m_labelDelete);
    column->addLayout(indented);
    connect(m_checkMouseControl, &QCheckBox::clicked, this, &Sheet_Other::OnMouseControl);
    connect(m_checkAllowDelete, &QCheckBox::clicked, this, &Sheet_Other::OnAllowDelete);
    return group;
}

QWidget* Sheet_Other::BuildMonitorGroup() {
    auto* group = new QGroupBox(QStringLiteral("Monitor"), this);
    auto* row = new QHBoxLayout(group);
    m_comboMonitor = new QComboBox;
    m_comboMonitor->setMinimumContentsLength(10);
    row->addWidget(new QLabel(QStringLiteral("Run the Tumo on Monitor:")));
    row->addWidget(m_comboMonitor);
    row->addStretch(1);
    return group;
}

QWidget* Sheet_Other::BuildAcceleratorGroup() {
    auto* group = new QGroupBox(QStringLiteral("Accelerators"), this);
    auto* row = new QHBoxLayout(group);
    m_comboCommand = new XComBoxReadOnly;
    m_comboCommand->addItems(HotKeyRules::CommandItems());
    row->addWidget(m_comboCommand);
    const QStringList names = {QStringLiteral("Ctrl"), QStringLiteral("Shift"),
                               QStringLiteral("Alt")};
    for (int i = 0; i < 3; ++i) {
        // A click on the chosen modifier takes it back, which an exclusive group cannot do.
        m_radioModifier[i] = new QRadioButton(names.at(i));
        m_radioModifier[i]->setAutoExclusive(false);
        row->addWidget(m_radioModifier[i]);
        connect(m_radioModifier[i], &QRadioButton::clicked, this, [this, i] { OnModifier(i); });
    }
    row->addWidget(new QLabel(QStringLiteral("+")));
    m_comboKey = new XComBoxReadOnly;
    m_comboKey->setMinimumContentsLength(8);
    row->addWidget(m_comboKey);
    row->addStretch(1);
    connect(m_comboCommand, &QComboBox::activated, this, &Sheet_Other::OnSelChangeCommand);
    connect(m_comboKey, &QComboBox::activated, this, &Sheet_Other::OnSelChangeKey);
    return group;
}

void Sheet_Other::OnInitDialog() {
    if (!m_pStatus)
        return;
    const OtherOption& options = m_pStatus->m_options;
    m_bMouseControl = options.m_bMouseControl;
    m_bShowButtons = options.m_bShowButtons;
    m_bStopAtStartup = options.m_bStopAtStartup;
    m_nMouseMode = options.m_nMouseMode;
    m_comboCommand->setCurrentIndex(0);
    ShowFields();
    EnableMouseModes(m_bMouseControl != 0);
    m_comboChar->setEnabled(m_bStopAtStartup != 0);
    OnSelChangeCommand();
    if (!FillStartSymbols())
        return;
    m_bAllowDelete = options.m_bAllowDelete;
    m_labelDelete->setEnabled(m_bAllowDelete != 0);
    FillMonitors();
    m_bInitialised = 1;
    ShowFields();
}

bool Sheet_Other::FillStartSymbols() {
    const QString movie = OtherOptionRules::SymbolMoviePath(
        m_pStatus->Levels().empty() ? QString() : m_pStatus->Level(0).m_sym.m_strDefaultFile);
    const std::optional<QString> symbols =
        m_sources.readVariable ? m_sources.readVariable(movie, SymbolSet::SymbolsBitsVariable())
                               : std::nullopt;
    if (!symbols) {
        if (m_pPrompter)
            m_pPrompter->Message(SymbolSet::IncompatibleText(), Prompter::Icon::Warning);
        return false;
    }
    const QStringList items = OtherOptionRules::StartSymbolItems(*symbols);
    m_comboChar->addItems(items);
    m_comboChar->setCurrentIndex(
        OtherOptionRules::FindStartSymbol(items, m_pStatus->m_options.m_chStartSymbol));
    return true;
}

void Sheet_Other::FillMonitors() {
    const int count = m_sources.monitorCount >= 0 ? m_sources.monitorCount
                                                  : int(MonitorChoice::ScreenRects().size());
    m_comboMonitor->addItems(OtherOptionRules::MonitorItems(count));
    const int stored = m_pStatus->m_options.m_nMonitor;
    m_comboMonitor->setCurrentIndex(stored >= 1 && stored <= count ? stored - 1 : -1);
}

void Sheet_Other::ReadFields() {
    m_bStopAtStartup = m_checkStopAtStartup->isChecked() ? 1 : 0;
    m_bShowButtons = m_checkShowButtons->isChecked() ? 1 : 0;
    m_bMouseControl = m_checkMouseControl->isChecked() ? 1 : 0;
    m_nMouseMode = m_groupMouse->checkedId();
    m_bAllowDelete = m_checkAllowDelete->isChecked() ? 1 : 0;
    m_nModifier = HotKeyRules::kNoModifier;
    for (int i = 0; i < 3; ++i) {
        if (m_radioModifier[i]->isChecked())
            m_nModifier = i;
    }
}

void Sheet_Other::ShowFields() {
    SetCheck(m_checkStopAtStartup, m_bStopAtStartup);
    SetCheck(m_checkShowButtons, m_bShowButtons);
    SetCheck(m_checkMouseControl, m_bMouseControl);
    CheckOnly(m_groupMouse, m_nMouseMode);
    SetCheck(m_checkAllowDelete, m_bAllowDelete);
    ShowModifier();
}

void Sheet_Other::ShowModifier() {
    for (int i = 0; i < 3; ++i)
        m_radioModifier[i]->setChecked(m_nModifier == i);
}

void Sheet_Other::SaveOptions() {
    if (!m_bInitialised || !m_pStatus)
        return;
    ReadFields();
    OtherOption& options = m_pStatus->m_options;
    options.m_bMouseControl = m_bMouseControl ? 1 : 0;
    options.m_bShowButtons = m_bShowButtons;
    options.m_bStopAtStartup = m_bStopAtStartup;
    options.m_nMouseMode = m_nMouseMode;
    options.m_bAllowDelete = m_bAllowDelete;
    options.m_chStartSymbol =
        OtherOptionRules::StartSymbolToStore(m_comboChar->currentText(), options.m_chStartSymbol);
    const int monitor = OtherOptionRules::MonitorToStore(
        m_comboMonitor->currentIndex(), m_comboMonitor->count(), options.m_nMonitor);
    if (monitor != options.m_nMonitor)
        m_bMonitorChanged = 1;
    options.m_nMonitor = monitor;
}

void Sheet_Other::EnableMouseModes(bool enable) {
    for (QRadioButton* radio : m_radioMouse)
        radio->setEnabled(enable);
}

void Sheet_Other::EnableModifiers(bool enable) {
    for (QRadioButton* radio : m_radioModifier)
        radio->setEnabled(enable);
}

void Sheet_Other::OnMouseControl() {
    EnableMouseModes(m_checkMouseControl->isChecked());
}

void Sheet_Other::OnStopAtStartup() {
    m_comboChar->setEnabled(m_checkStopAtStartup->isChecked());
}

void Sheet_Other::OnAllowDelete() {
    m_labelDelete->setEnabled(m_checkAllowDelete->isChecked());
}

void Sheet_Other::OnSelChangeCommand() {
    const int command = m_comboCommand->currentIndex();
    if (command < 0 || !m_pStatus)
        return;
    m_comboKey->clear();
    m_comboKey->addItems(HotKeyRules::KeyItems(command));
    const AccelEntry& entry = m_pStatus->m_options.m_accel[command + 1];
    m_nModifier = HotKeyRules::ModifierOf(entry.fVirt);
    EnableModifiers(!HotKeyRules::IsSpaceOrReturn(entry.key));
    // A key the list lacks (set by hand in another build's file) shows no item rather than
    // another command's key.
    m_comboKey->setCurrentIndex(m_comboKey->findText(HotKeyRules::ItemOfKeyCode(entry.key)));
    ShowModifier();
}

void Sheet_Other::OnSelChangeKey() {
    const int command = m_comboCommand->currentIndex();
    if (command < 0 || !m_pStatus)
        return;
    OtherOption::AccelTable& table = m_pStatus->m_options.m_accel;
    const QString item = m_comboKey->currentText();
    quint16 key = HotKeyRules::KeyCodeOfItem(item);
    if (HotKeyRules::IsSpaceOrReturn(key)) {
        m_nModifier = HotKeyRules::kNoModifier;
        ShowModifier();
        EnableModifiers(false);
    } else {
        EnableModifiers(true);
    }
    if (key == 0)
        key = table[command + 1].key; // a modifier for a key the list does not show
    if (key == 0)
        return;
    if (!HotKeyRules::Write(table, command, key, m_nModifier)) {
        if (m_pPrompter)
            m_pPrompter->Message(HotKeyRules::KeyUsedText(), Prompter::Icon::Warning);
        // The lists show what is stored again before the operator picks another key.
        OnSelChangeCommand();
        m_comboKey->showPopup();
    }
}

void Sheet_Other::OnModifier(int modifier) {
    m_nModifier = (m_nModifier == modifier) ? HotKeyRules::kNoModifier : modifier;
    ShowModifier();
    OnSelChangeKey();
}
