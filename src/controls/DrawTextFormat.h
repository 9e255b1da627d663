#pragma once

#include <Qt>

// The format flags of a text drawn into a rectangle, with the values the stored look records and
// the markup renderer use. Only the ones the program's text drawing acts on are listed.
namespace DrawTextFormat {

enum : unsigned {
    DT_TOP = 0x0000,
    DT_LEFT = 0x0000,
    DT_CENTER = 0x0001,
    DT_RIGHT = 0x0002,
    DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008,
    DT_WORDBREAK = 0x0010,
    DT_SINGLELINE = 0x0020,
    DT_EXPANDTABS = 0x0040,
    DT_TABSTOP = 0x0080,
    DT_NOCLIP = 0x0100,
    DT_EXTERNALLEADING = 0x0200,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
};

// The Qt text flags that draw a text as these flags ask. Vertical centring and bottom alignment
// apply to a single line only; without DT_NOPREFIX an '&' marks the next character as a mnemonic.
int ToQtTextFlags(unsigned format);

} // namespace DrawTextFormat
