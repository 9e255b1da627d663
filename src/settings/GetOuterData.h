#pragma once

#include "store/NuFileDeal.h"

#include <QDialog>

class CreateContinusNu;
class GetNuFromFile;
class Prompter;
class QCheckBox;
class QRadioButton;
class QTabWidget;
class Sheet_LotteryNo;

// Fills the pool in bulk, from a range of whole numbers (tab 0) or from a number file (tab 1),
// after clearing the old numbers or after them. On OK it runs the pool operation (the pool shows
// its own progress window) and brings the numbers page up to date.
class GetOuterData : public QDialog {
    Q_OBJECT
public:
    GetOuterData(Sheet_LotteryNo* page, NuFileDeal* numbers, Prompter& prompter,
                 QWidget* parent = nullptr);

    // Index 0 the range tab, 1 the file tab; anything else does nothing.
    void ShowPage(int index);
    void OnSelChangeTab(int index);
    void OnMakeUpper();
    // Runs the generation or the import. A refused field, a range given the wrong way round or
    // a file that cannot be read keeps the dialog open with the pool untouched.
    void OnOK();

    // save: the radios and the check box into the members; else the members into them.
    void UpdateData(bool save);

    QTabWidget* Tabs() const { return m_tab; }
    QRadioButton* ClearRadio() const { return m_pClear; }
    QRadioButton* AppendRadio() const { return m_pAppend; }
    QCheckBox* MakeUpperBox() const { return m_pMakeUpper; }

    Sheet_LotteryNo* m_pPage;
    NuFileDeal* m_pNumberStore;
    QTabWidget* m_tab;
    GetNuFromFile* m_pageFile;
    CreateContinusNu* m_pageRange;
    qint32 m_nReplace = 0;
    qint32 m_bMakeUpper = 1;

public Q_SLOTS:
    void accept() override { OnOK(); }

private:
    bool GenerateRange();
    bool ImportFile();
    NuFileDeal::Fill FillMode() const;
    void RefreshPage();

    Prompter& m_prompter;
    QRadioButton* m_pClear;
    QRadioButton* m_pAppend;
    QCheckBox* m_pMakeUpper;
};
