#pragma once

#include "show/SymbolSet.h"

#include <QWidget>

#include <array>

class Prompter;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class TumoStatus;
class XComBoxReadOnly;

// Where the other options page learns what the machine offers; tests give their own.
struct OtherPageSources {
    // Monitors to offer; -1 counts the screens the window system lists.
    int monitorCount = -1;
    // Reads the default level's symbol movie for the characters it can show.
    SymbolSet::MovieVariableReader readVariable = SymbolSet::ReadMovieVariable;
};

// The "Other options" page of the settings window: start-up character, on-screen buttons, mouse
// control, deleting just-drawn numbers, the monitor of the show and the hot keys of five
// commands. It edits the live options of the status: hot keys at once, while the operator
// changes them; everything else only when the settings window closes and calls SaveOptions.
//
// The page is set up when it is built. When the default level's symbol movie cannot be read it
// says "Incompatible symbol file!" and stays half set up (m_bInitialised 0): the settings window
// then never saves it, though hot keys changed meanwhile stand.
class Sheet_Other : public QWidget {
    Q_OBJECT

public:
    Sheet_Other(TumoStatus* status, Prompter* prompter, QWidget* parent = nullptr,
                OtherPageSources sources = {});

    // Writes the page's options into the status (the settings window calls it on closing, when
    // m_bInitialised is 1; otherwise it does nothing). Sets m_bMonitorChanged when the monitor
    // differs from the stored one.
    void SaveOptions();

    // Whether closing must report a changed monitor (the program restarts on it).
    bool MonitorChanged() const { return m_bMonitorChanged != 0; }
    bool IsInitialised() const { return m_bInitialised != 0; }

    quint8 m_bInitialised = 0;
    TumoStatus* m_pStatus = nullptr;
    QComboBox* m_comboChar = nullptr;
    XComBoxReadOnly* m_comboKey = nullptr;
    XComBoxReadOnly* m_comboCommand = nullptr;
    qint32 m_bMouseControl = 0;
    qint32 m_bShowButtons = 0;
    qint32 m_bStopAtStartup = 0;
    qint32 m_nModifier = -1; // 0 Ctrl, 1 Shift, 2 Alt, -1 none
    qint32 m_nMouseMode = -1;
    quint8 m_bMonitorChanged = 0;
    qint32 m_bAllowDelete = 0;
    QComboBox* m_comboMonitor = nullptr;

    // The controls, for the settings window's guide and for tests.
    QCheckBox* m_checkStopAtStartup = nullptr;
    QCheckBox* m_checkShowButtons = nullptr;
    QCheckBox* m_checkMouseControl = nullptr;
    std::array<QRadioButton*, 3> m_radioMouse{};
    QCheckBox* m_checkAllowDelete = nullptr;
    QLabel* m_labelDelete = nullptr;
    std::array<QRadioButton*, 3> m_radioModifier{};

private:
    void OnMouseControl();
    void OnStopAtStartup();
    void OnAllowDelete();
    void OnSelChangeCommand();
    void OnSelChangeKey();
    void OnModifier(int modifier);
    void BuildControls();
    // The numbers by which the guide window finds the controls.
    void NumberControls();
    QWidget* BuildStartupGroup();
    QWidget* BuildButtonsGroup();
    QWidget* BuildControlsGroup();
    QWidget* BuildMonitorGroup();
    QWidget* BuildAcceleratorGroup();
    void OnInitDialog();
    bool FillStartSymbols();
    void FillMonitors();
    // The dialog data exchange: controls into members (read) or members into controls.
    void ReadFields();
    void ShowFields();
    void ShowModifier();
    void EnableModifiers(bool enable);
    void EnableMouseModes(bool enable);

    Prompter* m_pPrompter;
    OtherPageSources m_sources;
    QButtonGroup* m_groupMouse = nullptr;
};
