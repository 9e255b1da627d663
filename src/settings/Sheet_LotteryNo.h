#pragma once

#include "show/MessageBoxPrompter.h"

#include <QString>
#include <QWidget>

class NuFileDeal;
class NumberListModel;
class Prompter;
class QDialog;
class QLabel;
class QPushButton;
class QTableView;
class TumoStatus;

// The "Numbers" page of the settings window: the whole pool in a list that reads its rows on
// demand, and the buttons to add, modify, delete, import or generate, and export numbers.
// Editing stays locked until "Edit" is pressed; with winning numbers drawn, unlocking clears
// them after a warning, since deleting records would shift the pool indexes they refer to.
// Every change goes straight into the pool files, and the cleared winners are on disk before the
// first of them.
//
// The settings window reads m_bNumbersChanged when it closes (or listens to NumbersChanged) and
// reports it to the draw window, which then scans the pool again.
class Sheet_LotteryNo : public QWidget {
    Q_OBJECT
public:
    // Both pointers must outlive the page. Without a prompter the page shows its own message
    // boxes and file choosers.
    Sheet_LotteryNo(TumoStatus* status, NuFileDeal* numbers, Prompter* prompter = nullptr,
                    QWidget* parent = nullptr);
    ~Sheet_LotteryNo() override;

    // The list's row count becomes the pool's number of records.
    void RefreshItemCount();
    // The line below the list: the row count, and the stored digit count only when asked
    // (after a change it is unknown until the pool is scanned again).
    void UpdateSummary(bool withDigits);
    // After any add, modify, delete, import or generation.
    void MarkNumbersChanged();

    void OnEdit();
    void OnAdd();
    // "Modi": the first selected row.
    void OnModify();
    // A double-click on a row.
    void OnModifyRow(int row);
    void OnDelete();
    void OnImport();
    void OnOutput();

    QTableView* List() const { return m_pList; }
    NumberListModel* Model() const { return m_pModel; }

    quint8 m_bEditMode = 0;
    quint8 m_bNumbersChanged = 0;
    TumoStatus* m_pStatus;
    NuFileDeal* m_pNumberStore;
    QString m_strSummary;

Q_SIGNALS:
    // The pool was changed (each time); the settings window closes with code 1 then.
    void NumbersChanged();

protected:
    // Runs one of the page's modal dialogs; tests answer them here.
    virtual int ExecDialog(QDialog& dialog);

private:
    void SetEditButtonsEnabled(bool enabled);
    // Writes the settings files with the winners cleared; false when they could not be written
    // (the operator has been told).
    bool SaveClearedWinners();
    void ModifyRow(int row, bool updateSummary);
    void StoreCount();

    MessageBoxPrompter m_boxes;
    Prompter* m_pPrompter;
    QTableView* m_pList;
    NumberListModel* m_pModel;
    QLabel* m_pSummary;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pModify = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pImport = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pOutput = nullptr;
    bool m_bWinnersUnsaved = false; // cleared in memory, not yet on disk
};
