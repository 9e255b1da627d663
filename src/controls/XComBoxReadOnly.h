#pragma once

#include <QComboBox>

// A drop-down list whose selection only the mouse can change: every key press addressed to it,
// or to its open list, is swallowed. Clicks and the wheel work as in any combo box, and so do
// its change notices. Tab still moves the focus on, and Esc still closes an open list without
// changing the choice.
class XComBoxReadOnly : public QComboBox {
    Q_OBJECT

public:
    explicit XComBoxReadOnly(QWidget* parent = nullptr);

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
