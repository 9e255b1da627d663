#pragma once

#include <QString>
#include <QtGlobal>

// A rich-edit character format (the Windows CHARFORMAT2W, 116 bytes there). The text panels
// store only its size, mask, effects, height, text colour and face name.
class CharFormat {
public:
    static constexpr quint32 kSize = 116;
    static constexpr int kMaxFaceName = 31;

    // dwMask bits: which members the format claims.
    static constexpr quint32 CFM_BOLD = 0x00000001;
    static constexpr quint32 CFM_ITALIC = 0x00000002;
    static constexpr quint32 CFM_UNDERLINE = 0x00000004;
    static constexpr quint32 CFM_STRIKEOUT = 0x00000008;
    static constexpr quint32 CFM_LCID = 0x02000000;
    static constexpr quint32 CFM_CHARSET = 0x08000000;
    static constexpr quint32 CFM_OFFSET = 0x10000000;
    static constexpr quint32 CFM_FACE = 0x20000000;
    static constexpr quint32 CFM_COLOR = 0x40000000;
    static constexpr quint32 CFM_SIZE = 0x80000000;
    // dwEffects bits.
    static constexpr quint32 CFE_BOLD = 0x00000001;
    static constexpr quint32 CFE_ITALIC = 0x00000002;
    static constexpr quint32 CFE_UNDERLINE = 0x00000004;
    static constexpr quint32 CFE_STRIKEOUT = 0x00000008;
    static constexpr quint32 CFE_AUTOCOLOR = 0x40000000;

    void SetFaceName(const QString& name); // cut to kMaxFaceName

    friend bool operator==(const CharFormat&, const CharFormat&) = default;

    quint32 cbSize = kSize;
    quint32 dwMask = 0;
    quint32 dwEffects = 0;
    qint32 yHeight = 0; // twips
    qint32 yOffset = 0;
    quint32 crTextColor = 0; // 0x00BBGGRR
    quint8 bCharSet = 0;
    quint8 bPitchAndFamily = 0;
    QString szFaceName;
    quint16 wWeight = 0;
    qint16 sSpacing = 0;
    quint32 crBackColor = 0;
    quint32 lcid = 0;
    quint32 dwReserved = 0;
    qint16 sStyle = 0;
    quint16 wKerning = 0;
    quint8 bUnderlineType = 0;
    quint8 bAnimation = 0;
    quint8 bRevAuthor = 0;
    quint8 bUnderlineColor = 0;
};
