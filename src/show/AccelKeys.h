#pragma once

#include "model/OtherOption.h"

#include <Qt>

#include <optional>

// Hot keys as the settings files store them: Windows virtual-key codes with modifier flags. This
// turns a Qt key press into that form and finds the command of the first record it matches.
class AccelKeys {
public:
    // A key press in the stored form: the flags FVIRTKEY plus FSHIFT, FCONTROL and FALT for the
    // modifiers held, and the virtual-key code; `character` is the text the key types, for
    // records that name a character rather than a key.
    struct Press {
        quint8 fVirt = AccelEntry::FVIRTKEY;
        quint16 vk = 0;
        QChar character;
    };

    // The virtual-key code of a Qt key; 0 for keys that have none. The shifted symbols of a US
    // keyboard give the code of their key ('!' is the key of '1'); keys of the numeric keypad
    // (keypad modifier) give the keypad's own codes.
    static quint16 VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

    // Nothing for a key without a virtual-key code, a lone modifier, or a press with the
    // Windows key held (the desktop's own shortcuts).
    static std::optional<Press> PressOf(int qtKey, Qt::KeyboardModifiers modifiers,
                                        const QString& text = QString());

    // The command of the first record that the press matches, or -1. A key record matches the
    // same key with exactly the same modifiers; a character record (no FVIRTKEY) matches the
    // typed character with the same Alt state.
    static int Match(const OtherOption::AccelTable& table, const Press& press);
};
