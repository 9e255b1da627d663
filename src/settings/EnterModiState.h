#pragma once

#include <QDialog>

// The warning before the numbers become editable while winning numbers exist: OK clears them.
class EnterModiState : public QDialog {
    Q_OBJECT
public:
    explicit EnterModiState(QWidget* parent = nullptr);
};
