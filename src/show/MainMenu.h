#pragma once

#include "model/OtherOption.h"

#include <QList>
#include <QPoint>
#include <QString>

class QMenu;

// The draw window's context menu and the command numbers of its commands. The menu only issues
// commands; the draw window carries them out.
class MainMenu {
public:
    // Commands of the draw window; those the hot keys issue too are OtherOption's.
    static constexpr int kCmdSettings = OtherOption::kCmdSettings;
    static constexpr int kCmdShowWinning = OtherOption::kCmdShowWinning;
    static constexpr int kCmdShowWinningAlt = 32772; // accepted; nothing of the program issues it
    static constexpr int kCmdDeleteWinning = OtherOption::kCmdDeleteWinning;
    static constexpr int kCmdDesignMode = 32801;
    static constexpr int kCmdHelp = 32813;
    static constexpr int kCmdVersionCheck = 32842;
    static constexpr int kCmdReset = 32802;
    static constexpr int kCmdQuit = OtherOption::kCmdQuit;
    static constexpr int kCmdBannerOptions = 32807; // design mode's tool bar
    static constexpr int kCmdOpenGuide = 32890;     // nothing of the program issues it

    struct Entry {
        int id = 0; // 0 for a separator
        QString text;
        bool enabled = true;
    };

    // The entries in menu order. "Delete the winning number" is greyed unless a result is on the
    // screen and the options allow taking it back.
    static QList<Entry> Entries(bool resultShown, bool allowDelete);

    // Fills a menu with the entries; each action carries its command number as data.
    static void Fill(QMenu& menu, const QList<Entry>& entries);

    // Where the menu opens when the keyboard asked for it: just inside the window's top-left
    // corner (in screen coordinates).
    static QPoint KeyboardPoint(QPoint clientTopLeftOnScreen);
};
