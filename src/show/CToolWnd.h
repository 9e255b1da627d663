#pragma once

#include "show/TrackerGeometry.h"

#include <QMap>
#include <QWidget>

class CXTracerCollect;
class QAction;
class QToolBar;

// The adjust tool of a design-mode placement ("Adjust tool"): aligns, spaces and sizes the
// selected elements after the current one, and its Quit ends the placement, storing the new
// rectangles into the level. The buttons a kind of element has no use for are hidden; "Choose a
// rolling symbol file.", "Add a new string" and "delete a string" are the draw window's commands.
//
// Created by the trackers when a placement starts; deletes itself when it ends.
class CToolWnd : public QWidget {
    Q_OBJECT
public:
    enum Command {
        kAlignLeft = 32780,
        kAlignRight = 32782,
        kAlignTop = 32781,
        kAlignBottom = 32783,
        kSpaceHorizontal = 32788,
        kSpaceVertical = 32786,
        kSizeAll = 32790,
        kChooseSymbolFile = 32785,
        kAddString = 32827,
        kDeleteString = 32832,
        kQuit = 32793,
    };

    static QString Caption() { return QStringLiteral("Adjust tool"); }
    // The tip text of a button.
    static QString TipText(int command);
    // The buttons in tool bar order; 0 stands for a separator.
    static QList<int> ButtonOrder();
    // Whether a kind of element hides a button.
    static bool IsHiddenFor(int kind, int command);
    // Whether a layout button is usable with that many selected elements.
    static bool IsEnabledFor(int selected, int command);

    CToolWnd(CXTracerCollect* collect, int kind, QWidget* parent);

    // The layout buttons for a number of selected elements.
    void UpdateButtons(int selected);
    // Runs a button's command.
    void OnCommand(int command);

    QAction* Button(int command) const { return m_buttons.value(command); }
    QToolBar* ToolBar() const { return m_toolBar; }

    CXTracerCollect* m_pCollect;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnAlign(TrackerGeometry::Edge edge);
    void OnSizeAll();
    void OnSpace(Qt::Orientation orientation);
    void OnQuit();
    // The selected frames and the current one's place among them (-1 when it is not selected).
    QList<QRect> SelectedFrames(int* reference) const;
    void MoveSelectedTo(const QList<QRect>& frames);

    QToolBar* m_toolBar;
    QMap<int, QAction*> m_buttons;
};
