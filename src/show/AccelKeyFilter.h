#pragma once

#include "model/OtherOption.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// The hot keys of the draw window, for the whole application: a key press meant for the window
// or any of its children (whichever has the focus) is looked up in the stored hot-key records,
// first record first, and the command of the first match is issued instead of the key reaching
// its receiver. Keys for other windows (a message box, a dialog) are left alone, and so is a key
// held down: only a real press issues a command.
class AccelKeyFilter : public QObject {
    Q_OBJECT
public:
    using CommandSink = std::function<void(int command)>;
    // Whether hot keys count at the moment (not while the window is busy or a pop-up is open).
    using Gate = std::function<bool()>;

    AccelKeyFilter(QWidget* window, CommandSink sink, Gate gate = {});

    // The records to match, rebuilt whenever the options change.
    void SetTable(const OtherOption::AccelTable& table) { m_table = table; }

    // Installs the filter on the application.
    void Install();

    // The command a key press stands for, or -1; exposed for tests.
    int CommandOf(QObject* receiver, QEvent* event) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsForWindow(QObject* receiver) const;
    // The command of a hot key for the window, repeats included.
    int MatchedCommand(QObject* receiver, QEvent* event) const;

    QPointer<QWidget> m_window;
    CommandSink m_sink;
    Gate m_gate;
    OtherOption::AccelTable m_table = OtherOption::DefaultAccel();
};
