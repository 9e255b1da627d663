#pragma once

#include "controls/XToolBarEx.h"
#include "show/DesignTool.h"

#include <QMap>
#include <QWidget>

class SettingsHost;
class GradeInfo;
class Prompter;
class QAction;
class QComboBox;
class TumoStatus;

// The design tool window, "Design Mode Tools": a prize-level selector and the buttons that open
// the per-level option dialogs and start the placements of the level being designed. It floats
// over the draw screen while design mode lasts; closing it (or its Quit) asks the draw window to
// leave design mode, which it does unless an option dialog is still open.
class MainToolWnd : public QWidget, public DesignTool {
    Q_OBJECT
public:
    static QString Caption() { return QStringLiteral("Design Mode Tools"); }
    // The tool bar's buttons in order, the level selector (XToolBarEx::kComboId) first.
    static QList<int> ButtonOrder();
    static QString TipText(int id);

    // Gives the draw window its design tool. The prompter, when given, must outlive every
    // window opened.
    static void Install(Prompter* prompter = nullptr);

    // For the level of list index `level`; its window is a tool window over the draw window.
    MainToolWnd(SettingsHost& main, int level, Prompter* prompter = nullptr);

    // DesignTool. Deleting the window deletes the tool.
    QWidget* Window() override { return this; }
    GradeInfo* Grade() const override { return m_pGrade; }
    void SelectPrizeLevel(int index) override;
    void EnableLevelChoice(bool enable) override;
    void ChooseSymbolFile(int position) override;
    void EditTextItem(int index) override;
    BoardOptionsLink CreateBulletinOptions() override;

    // The selector lists levels 1 to the last, then the default level.
    void OnInitDialog();
    // A button of the tool bar.
    void OnCommand(int id);

    XToolBarEx& ToolBar() { return m_toolBar; }
    QComboBox* LevelBox() const { return m_toolBar.GetComboBox(); }
    QAction* Button(int id) const { return m_buttons.value(id); }

    GradeInfo* m_pGrade = nullptr;
    TumoStatus* m_pStatus = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolBar();

    SettingsHost& m_main;
    Prompter* m_pPrompter;
    XToolBarEx m_toolBar;
    QMap<int, QAction*> m_buttons;
};
