#pragma once

#include <QtGlobal>

class Archive;

// One hot key as the settings files store it: the accelerator entry of the Windows build
// (flags, virtual-key code, command). Keys keep their Windows virtual-key codes so that stored
// files mean the same keys in both builds; the key filter of the draw window maps Qt keys onto
// them.
struct AccelEntry {
    // Flag bits.
    static constexpr quint8 FVIRTKEY = 0x01;
    static constexpr quint8 FSHIFT = 0x04;
    static constexpr quint8 FCONTROL = 0x08;
    static constexpr quint8 FALT = 0x10;

    quint8 fVirt = FVIRTKEY;
    quint16 key = 0;
    quint16 cmd = 0;

    // Stored as five bytes: command word, flag byte, key word.
    void Serialize(Archive& ar);

    friend bool operator==(const AccelEntry&, const AccelEntry&) = default;
};
