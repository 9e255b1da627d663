#pragma once

#include "settings/BaseSettingsFields.h"
#include "settings/PrizeLevels.h"
#include "show/MessageBoxPrompter.h"

#include <QDialog>

#include <array>
#include <functional>

class GradeInfo;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TumoStatus;

// "The base settings of this prize level": name and winners of a level, how many numbers the
// screen shows, what one press stops, the pause at the end of the level and the automatic draw.
// The caller sets m_pGradeInfo to a copy of the level (and m_bDefaultLevel for the default level,
// whose name and winners are not edited) and runs the dialog modally; OK writes the fields back
// into the copy, and only when the numbers on the screen are at least 1 and no more than the
// winners.
//
// When it opens the dialog emits registerWithGuide(this), in place of adding itself to the main
// window's guide windows.
class PrizeBaseSettings : public QDialog {
    Q_OBJECT

public:
    enum ControlId {
        kIdQuantity = 1018,
        kIdName = 1020,
        kIdPerScreen = 1022,
        kIdStopAll = 1023,
        kIdStopOne = 1024,
        kIdStopDigit = 1025,
        kIdRightToLeft = 1026,
        kIdLeftToRight = 1027,
        kIdPause = 1047,
        kIdScrollTime = 1056,
        kIdStopTime = 1058,
        kIdSwitchTime = 1060,
        kIdAutoDraw = 1089,
    };

    static QString PerScreenText();

    // Without a prompter the dialog shows its own message boxes.
    explicit PrizeBaseSettings(Prompter* prompter, QWidget* parent = nullptr);

    // An editor that runs this dialog modally over `parent` on the copy it is given, for
    // PrizeLevels::EditBaseSettings; `registerWithGuide` hears of the dialog when it opens.
    static PrizeLevels::Editor ModalEditor(QWidget* parent, Prompter* prompter,
                                           std::function<void(QWidget*)> registerWithGuide = {});
    // The draw window's "Base settings" command on one level of the status (its current one):
    // the clearing question, this dialog on a copy, the copy put back on OK. After LayoutReset
    // the caller sends the symbol worker the new count and layout and hides the surplus slots.
    static PrizeLevels::Outcome EditLevel(QWidget* parent, TumoStatus& status, GradeInfo& level,
                                          Prompter* prompter,
                                          std::function<void(QWidget*)> registerWithGuide = {});

    // The numbers-on-screen message has been shown; it is shown at most once while editing.
    quint8 m_bWarned = 0;
    quint8 m_bDefaultLevel = 0;
    GradeInfo* m_pGradeInfo = nullptr;
    BaseSettingsFields m_fields;

    // The controls, for the guide and for tests.
    QLineEdit* m_editName = nullptr;
    QLineEdit* m_editQuantity = nullptr;
    QLineEdit* m_editPerScreen = nullptr;
    std::array<QRadioButton*, 2> m_radioStop{};      // all numbers, one number
    std::array<QRadioButton*, 2> m_radioDirection{}; // right to left, left to right
    QCheckBox* m_checkStopDigit = nullptr;
    QCheckBox* m_checkPause = nullptr;
    QCheckBox* m_checkAutoDraw = nullptr;
    QLineEdit* m_editStopTime = nullptr;
    QLineEdit* m_editScrollTime = nullptr;
    QLineEdit* m_editSwitchTime = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;

public Q_SLOTS:
    // OK: refuses a quantity of numbers on the screen of 0 or above the winners.
    void accept() override;

Q_SIGNALS:
    void registerWithGuide(QWidget* window);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildBaseGroup();
    QWidget* BuildPerScreenGroup();
    QWidget* BuildTakeStyleGroup();
    QWidget* BuildAutoGroup();
    void OnInitDialog();
    void ShowFields();
    // The dialog data exchange back: false, with the framework's prompt, for a number that does
    // not convert.
    bool ReadFields();
    // What the enabling rules need, read without prompting: numbers typed so far, checks.
    void PeekFields();
    void ApplyEnabling(const BaseSettingsFields::Enabling& enabling);
    void OnStopDigit();
    void OnAutoDraw();
    void OnPerScreenRule(bool textUpdate);
    void RefusePerScreen();
    bool PerScreenAccepted() const;

    MessageBoxPrompter m_boxes;
    Prompter* m_pPrompter;
    bool m_bSetUp = false;
};
