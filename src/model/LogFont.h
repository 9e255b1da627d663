#pragma once

#include <QString>
#include <QtGlobal>

class Archive;

// A font description as the settings files store it (the fields of a Windows LOGFONT). The
// screen layers build their fonts from it; the model keeps only the description.
class LogFont {
public:
    // A face name holds at most this many characters (the Windows field keeps a terminator too).
    static constexpr int kMaxFaceName = 31;

    // Arial, height 44, bold; every other field 0.
    static LogFont Default();

    void SetFaceName(const QString& name); // cut to kMaxFaceName

    // The fields in alphabetical order of their names: 28 bytes, then the face name.
    void Serialize(Archive& ar);

    friend bool operator==(const LogFont&, const LogFont&) = default;

    qint32 lfHeight = 0;
    qint32 lfWidth = 0;
    qint32 lfEscapement = 0;
    qint32 lfOrientation = 0;
    qint32 lfWeight = 0;
    quint8 lfItalic = 0;
    quint8 lfUnderline = 0;
    quint8 lfStrikeOut = 0;
    quint8 lfCharSet = 0;
    quint8 lfOutPrecision = 0;
    quint8 lfClipPrecision = 0;
    quint8 lfQuality = 0;
    quint8 lfPitchAndFamily = 0;
    QString lfFaceName;
};
