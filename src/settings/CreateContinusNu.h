#pragma once

#include <QWidget>

class Prompter;
class QLineEdit;

// The range tab of the import dialog: the smallest and the largest whole number to generate.
class CreateContinusNu : public QWidget {
    Q_OBJECT
public:
    // The prompter shows why a field is refused.
    explicit CreateContinusNu(Prompter& prompter, QWidget* parent = nullptr);

    // save: the edits into the members; a value that is not an unsigned whole number up to
    // 4294967295 is refused with the standard prompt, its edit gets the focus and the result is
    // false. Otherwise the members are shown in the edits.
    bool UpdateData(bool save);

    QLineEdit* MinEdit() const { return m_pMin; }
    QLineEdit* MaxEdit() const { return m_pMax; }

    quint32 m_nMax = 100;
    quint32 m_nMin = 1;

private:
    Prompter& m_prompter;
    QLineEdit* m_pMin;
    QLineEdit* m_pMax;
};
