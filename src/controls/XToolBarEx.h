#pragma once

#include "controls/CTrueColorToolBar.h"

class QComboBox;

// The design tool's tool bar: a true-colour tool bar whose first button gives its place to a
// drop-down list of the prize levels. The owner adds the buttons, calls CreateCombo, fills the
// list and sets its selection (the tool bar never does); every choice the operator makes in the
// list, the entry already selected included, is reported through PrizeLevelChosen with the
// chosen list index. Choices made in code are not reported.
class XToolBarEx : public CTrueColorToolBar {
    Q_OBJECT

public:
    static constexpr int kComboId = 32778;
    static constexpr int kComboWidth = 150;
    // The list reaches this far below the tool bar's top when it drops down.
    static constexpr int kComboTop = 10;
    static constexpr int kComboListBottom = 110;
    static constexpr int kMinVisibleItems = 5;

    explicit XToolBarEx(QWidget* parent = nullptr);
    ~XToolBarEx() override;

    // Puts the combo box in place of the first button (which stays, hidden, so that the other
    // buttons keep their images). False when there is no button yet or it is already done.
    bool CreateCombo();

    QComboBox* GetComboBox() const { return m_pComboBox; }

Q_SIGNALS:
    void PrizeLevelChosen(int comboIndex);

private:
    void OnComboSelEndOk(int index);
    int VisibleListItems() const;

    QComboBox* m_pComboBox;
    bool m_bComboPlaced = false;
};
