#include "show/AccelKeys.h"

#include <QHash>

namespace {

constexpr quint8 kModifierFlags = AccelEntry::FSHIFT | AccelEntry::FCONTROL | AccelEntry::FALT;

// Keys whose virtual-key code is not their character.
const QHash<int, quint16>& NamedKeys() {
    static const QHash<int, quint16> keys = {
        {Qt::Key_Backspace, 0x08},
        {Qt::Key_Tab, 0x09},
        {Qt::Key_Backtab, 0x09},
        {Qt::Key_Clear, 0x0C},
        {Qt::Key_Return, 0x0D},
        {Qt::Key_Enter, 0x0D},
        {Qt::Key_Pause, 0x13},
        {Qt::Key_CapsLock, 0x14},
        {Qt::Key_Escape, 0x1B},
        {Qt::Key_Space, 0x20},
        {Qt::Key_PageUp, 0x21},
        {Qt::Key_PageDown, 0x22},
        {Qt::Key_End, 0x23},
        {Qt::Key_Home, 0x24},
        {Qt::Key_Left, 0x25},
        {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27},
        {Qt::Key_Down, 0x28},
        {Qt::Key_Select, 0x29},
        {Qt::Key_Print, 0x2A},
        {Qt::Key_Execute, 0x2B},
        {Qt::Key_SysReq, 0x2C},
        {Qt::Key_Insert, 0x2D},
        {Qt::Key_Delete, 0x2E},
        {Qt::Key_Help, 0x2F},
        {Qt::Key_Menu, 0x5D},
        {Qt::Key_Sleep, 0x5F},
        {Qt::Key_NumLock, 0x90},
        {Qt::Key_ScrollLock, 0x91},
        // The punctuation keys of a US keyboard, plain and shifted.
        {Qt::Key_Semicolon, 0xBA},
        {Qt::Key_Colon, 0xBA},
        {Qt::Key_Equal, 0xBB},
        {Qt::Key_Plus, 0xBB},
        {Qt::Key_Comma, 0xBC},
        {Qt::Key_Less, 0xBC},
        {Qt::Key_Minus, 0xBD},
        {Qt::Key_Underscore, 0xBD},
        {Qt::Key_Period, 0xBE},
        {Qt::Key_Greater, 0xBE},
        {Qt::Key_Slash, 0xBF},
        {Qt::Key_Question, 0xBF},
        {Qt::Key_QuoteLeft, 0xC0},
        {Qt::Key_AsciiTilde, 0xC0},
        {Qt::Key_BracketLeft, 0xDB},
        {Qt::Key_BraceLeft, 0xDB},
        {Qt::Key_Backslash, 0xDC},
        {Qt::Key_Bar, 0xDC},
        {Qt::Key_BracketRight, 0xDD},
        {Qt::Key_BraceRight, 0xDD},
        {Qt::Key_Apostrophe, 0xDE},
        {Qt::Key_QuoteDbl, 0xDE},
        // The shifted digits of a US keyboard.
        {Qt::Key_Exclam, '1'},
        {Qt::Key_At, '2'},
        {Qt::Key_NumberSign, '3'},
        {Qt::Key_Dollar, '4'},
        {Qt::Key_Percent, '5'},
        {Qt::Key_AsciiCircum, '6'},
        {Qt::Key_Ampersand, '7'},
        {Qt::Key_Asterisk, '8'},
        {Qt::Key_ParenLeft, '9'},
        {Qt::Key_ParenRight, '0'},
    };
    return keys;
}

const QHash<int, quint16>& KeypadKeys() {
    static const QHash<int, quint16> keys = {
        {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},  {Qt::Key_Minus, 0x6D},
        {Qt::Key_Period, 0x6E},   {Qt::Key_Comma, 0x6E}, {Qt::Key_Slash, 0x6F},
        {Qt::Key_Enter, 0x0D},
    };
    return keys;
}

bool IsModifierKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return true;
    default:
        return false;
    }
}

} // namespace

quint16 AccelKeys::VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return quint16(0x60 + (qtKey - Qt::Key_0));
        const auto it = KeypadKeys().find(qtKey);
        if (it != KeypadKeys().end())
            return it.value();
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return quint16(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return quint16(0x70 + (qtKey - Qt::Key_F1));
    const auto it = NamedKeys().find(qtKey);
    return it == NamedKeys().end() ? 0 : it.value();
}

std::optional<AccelKeys::Press> AccelKeys::PressOf(int qtKey, Qt::KeyboardModifiers modifiers,
                                                   const QString& text) {
    if (IsModifierKey(qtKey) || (modifiers & Qt::MetaModifier))
        return std::nullopt;
    const quint16 vk = VirtualKeyOf(qtKey, modifiers);
    if (vk == 0)
        return std::nullopt;
    Press press;
    press.vk = vk;
    if (modifiers & Qt::ShiftModifier)
        press.fVirt |= AccelEntry::FSHIFT;
    if (modifiers & Qt::ControlModifier)
        press.fVirt |= AccelEntry::FCONTROL;
    if (modifiers & Qt::AltModifier)
        press.fVirt |= AccelEntry::FALT;
    if (text.size() == 1)
        press.character = text.at(0);
    return press;
}

int AccelKeys::Match(const OtherOption::AccelTable& table, const Press& press) {
    for (const AccelEntry& entry : table) {
        if (entry.fVirt & AccelEntry::FVIRTKEY) {
            if (entry.key == press.vk &&
                (entry.fVirt & kModifierFlags) == (press.fVirt & kModifierFlags))
                return entry.cmd;
        } else if (!press.character.isNull() && entry.key == press.character.unicode() &&
                   (entry.fVirt & AccelEntry::FALT) == (press.fVirt & AccelEntry::FALT)) {
            return entry.cmd;
        }
    }
    return -1;
}
