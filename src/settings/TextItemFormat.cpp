#include "settings/TextItemFormat.h"

#include "model/LogFont.h"
#include "show/XAPanel.h"

#include <QFont>
#include <QFontInfo>

#include <cstdlib>

CharFormat TextItemFormat::Initial() {
    CharFormat cf;
    cf.cbSize = CharFormat::kSize;
    cf.dwMask = kMask;
    return cf;
}

CharFormat TextItemFormat::FromFont(const QFont& font, const QColor& color) {
    CharFormat cf = Initial();
    const QFontInfo info(font);
    cf.szFaceName = info.family().left(CharFormat::kMaxFaceName);
    cf.yHeight = info.pixelSize() * kTwipsPerPixel;
    cf.crTextColor = ColorRefOf(color);
    cf.dwEffects = CharFormat::CFE_AUTOCOLOR;
    if (info.weight() >= QFont::Bold)
        cf.dwEffects |= CharFormat::CFE_BOLD;
    if (info.italic())
        cf.dwEffects |= CharFormat::CFE_ITALIC;
    if (info.underline())
        cf.dwEffects |= CharFormat::CFE_UNDERLINE;
    return cf;
}

CharFormat TextItemFormat::NewItemFormat(const CharFormat& editorDefault) {
    CharFormat cf = editorDefault;
    cf.dwEffects &= ~CharFormat::CFE_AUTOCOLOR;
    cf.yHeight *= kNewItemScale;
    cf.crTextColor = kRed;
    cf.dwMask = kMask;
    return cf;
}

void TextItemFormat::PrepareLogFont(const CharFormat& cf, LogFont& lf) {
    // Twips to a negative pixel height, truncated toward zero.
    lf.lfHeight = cf.yHeight / -kTwipsPerPixel;
    if (cf.dwEffects & CharFormat::CFE_BOLD)
        lf.lfWeight = kBoldWeight;
    // An italic or underlined item must open as such, or the chooser's OK would drop the effect.
    lf.lfItalic = (cf.dwEffects & CharFormat::CFE_ITALIC) ? 1 : 0;
    lf.lfUnderline = (cf.dwEffects & CharFormat::CFE_UNDERLINE) ? 1 : 0;
    lf.SetFaceName(cf.szFaceName);
}

void TextItemFormat::ApplyChosenFont(CharFormat& cf, const LogFont& lf, quint32 color) {
    const auto setEffect = [&cf](quint32 effect, bool on) {
        if (on)
            cf.dwEffects |= effect;
        else
            cf.dwEffects &= ~effect;
    };
    // The chooser offers weights heavier than bold too; the format knows only bold or not.
    setEffect(CharFormat::CFE_BOLD, lf.lfWeight >= kBoldWeight);
    setEffect(CharFormat::CFE_ITALIC, lf.lfItalic != 0);
    setEffect(CharFormat::CFE_UNDERLINE, lf.lfUnderline != 0);
    cf.crTextColor = color & 0xFFFFFF;
    // A character height (negative) and a cell height (positive) both give a positive size.
    cf.yHeight = kTwipsPerPixel * std::abs(lf.lfHeight);
    cf.SetFaceName(lf.lfFaceName);
    cf.dwMask = kMask;
}

QTextCharFormat TextItemFormat::ToTextFormat(const CharFormat& cf) {
    QTextCharFormat format;
    format.setFont(XAPanel::FontOf(cf));
    const quint32 color = (cf.dwEffects & CharFormat::CFE_AUTOCOLOR) ? 0 : cf.crTextColor;
    format.setForeground(ColorOf(color));
    return format;
}

QColor TextItemFormat::ColorOf(quint32 colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

quint32 TextItemFormat::ColorRefOf(const QColor& c) {
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}
