#pragma once

#include "settings/ListFrm.h"
#include "settings/PrizeLevels.h"
#include "show/MessageBoxPrompter.h"

#include <QWidget>

class Prompter;
class QLabel;
class QPushButton;
class TumoStatus;

// The "Prize levels" page of the settings window: the prize levels in draw order, the default
// level last, with buttons to add and delete levels, edit a level's base settings and lay one
// out in design mode; the row menu moves levels up and down. It edits the status's level list in
// place.
//
// Design mode is the main window's: the page asks for it with designModeRequested(row) (row i is
// prize level i + 1, the last row the default level), and whoever hosts the page hides the
// settings window and calls the main window's EnterDesignMode with that row. The base settings
// dialog, when it opens, is passed on with registerWithGuide.
class PrizesDlg : public QWidget {
    Q_OBJECT

public:
    enum ControlId { kIdAdd = 1017, kIdDelete = 1019, kIdDesign = 1021 };

    // Without a prompter the page shows its own message boxes.
    PrizesDlg(TumoStatus* status, Prompter* prompter, QWidget* parent = nullptr);

    // One row per level; the default level gets its name "Default Settings" when it has none.
    // Selects the first row.
    void FillList();

    TumoStatus* m_pStatus = nullptr;
    ListFrm m_list;
    // Edits a copy of a level: the base settings dialog, run modally over the page. Tests put
    // their own.
    PrizeLevels::Editor m_editLevel;

    QLabel* m_labelTop = nullptr;
    QPushButton* m_btnAdd = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QPushButton* m_btnDesign = nullptr;

Q_SIGNALS:
    void designModeRequested(int row);
    void registerWithGuide(QWidget* window);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnInitDialog();
    void OnAddPrizeLevel();
    void OnDeletePrizeLevel();
    void OnDesignMode();
    void OnRowBaseSettings(int row);
    void OnRowDesignMode(int row);
    void OnSelectionChanged(int row);

    MessageBoxPrompter m_boxes;
    Prompter* m_pPrompter;
};
