#include "show/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QPoint>

QList<MainMenu::Entry> MainMenu::Entries(bool resultShown, bool allowDelete) {
    const auto item = [](int id, const char* text, bool enabled = true) {
        return Entry{id, QString::fromLatin1(text), enabled};
    };
    const Entry separator;
    return {
        item(kCmdSettings, "Settings..."),
        separator,
        item(kCmdShowWinning, "Show winning numbers"),
        item(kCmdDeleteWinning, "Delete the winning number", resultShown && allowDelete),
        separator,
        item(kCmdDesignMode, "Enter design mode"),
        separator,
        item(kCmdHelp, "Help"),
        item(kCmdVersionCheck, "New Version Check"),
        separator,
        item(kCmdReset, "Reset"),
        separator,
        item(kCmdQuit, "Quit"),
    };
}

void MainMenu::Fill(QMenu& menu, const QList<Entry>& entries) {
    for (const Entry& entry : entries) {
        if (entry.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(entry.text);
        action->setData(entry.id);
        action->setEnabled(entry.enabled);
    }
}

QPoint MainMenu::KeyboardPoint(QPoint clientTopLeftOnScreen) {
    return clientTopLeftOnScreen + QPoint(5, 5);
}
