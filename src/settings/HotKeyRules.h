#pragma once

#include "model/OtherOption.h"

#include <QString>
#include <QStringList>

// The hot-key editor of the other options page without its widgets: which keys each command may
// take, how a record's flags read as the page's modifier choice, and when a key is refused
// because another command already has it. Commands are counted as the page lists them: command
// k edits record k + 1 (record 0, the Delete key, is fixed).
class HotKeyRules {
public:
    enum Modifier { kNoModifier = -1, kCtrl = 0, kShift = 1, kAlt = 2 };

    static constexpr int kCommandCount = 5;

    static QString SpaceItem() { return QStringLiteral("<Space>"); }
    static QString ReturnItem() { return QStringLiteral("<Return>"); }
    static QString KeyUsedText() {
        return QStringLiteral("This key was used! Please choose another one!");
    }

    // "Draw out a winning number", "Restart", "Settings...", "View winning numbers", "Quit".
    static QStringList CommandItems();
    // Draw and Restart may also take Space and Return; the others take letters only.
    static bool TakesSpaceAndReturn(int command) { return command == 0 || command == 1; }
    // "<Space>" and "<Return>" first when the command takes them, then "A" to "Z".
    static QStringList KeyItems(int command);

    // The modifier shown for a record's flags; with several bits the last of Ctrl, Shift, Alt
    // wins.
    static int ModifierOf(quint8 fVirt);
    // The flags stored for a modifier choice: 1 plain, 9 Ctrl, 5 Shift, 17 Alt.
    static quint8 FVirtOf(int modifier);

    // The stored key code of a key item, 0 for text that is no item.
    static quint16 KeyCodeOfItem(const QString& item);
    // The key item of a stored key code, "" when the lists have none for it.
    static QString ItemOfKeyCode(quint16 key);
    static bool IsSpaceOrReturn(quint16 key);

    // Settings, View winning numbers and Quit must each have a key of their own, whatever the
    // modifiers; Draw and Restart are not compared, so they may share a key with each other and
    // with the three.
    static bool IsKeyUsed(const OtherOption::AccelTable& table, int command, quint16 key);
    // Writes the command's record (key and flags; its command word stays). False, writing
    // nothing, when the key is used or the command is out of range.
    static bool Write(OtherOption::AccelTable& table, int command, quint16 key, int modifier);
};
