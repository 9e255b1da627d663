#include "controls/DrawMarkupText.h"

#include "controls/DrawTextFormat.h"
#include "controls/MarkupCanvas.h"
#include "controls/PainterMarkupCanvas.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <optional>

using namespace DrawTextFormat;

namespace {

struct TagRow {
    const char* name;
    int code;
    bool hasAttributes;
    bool breaksSpace;
};

// Matched from the last row up, so that longer names that share a first letter win.
constexpr std::array<TagRow, 10> kTags{{
    {"b", MarkupToken::Bold, false, false},
    {"br", MarkupToken::LineBreak, false, true},
    {"em", MarkupToken::Italic, false, false},
    {"font", MarkupToken::Colour, true, false},
    {"i", MarkupToken::Italic, false, false},
    {"p", MarkupToken::Paragraph, false, true},
    {"strong", MarkupToken::Bold, false, false},
    {"sub", MarkupToken::Subscript, false, false},
    {"sup", MarkupToken::Superscript, false, false},
    {"u", MarkupToken::Underline, false, false},
}};

enum Style : int { kBold = 1, kItalic = 2, kUnderline = 4, kSuperscript = 8, kSubscript = 0x10 };

constexpr int kColourDepth = 8;
constexpr char16_t kLineHeightSample = 0x5F90;

bool StartsWithName(const QChar* text, int length, const char* name) {
    int i = 0;
    for (; name[i]; ++i)
        if (i >= length || text[i].toLower() != QLatin1Char(name[i]))
            return false;
    return true;
}

const TagRow* MatchTag(const QChar* text, int length) {
    for (auto row = kTags.rbegin(); row != kTags.rend(); ++row)
        if (StartsWithName(text, length, row->name))
            return &*row;
    return nullptr;
}

bool EndsName(QChar c) {
    return c.isSpace() || c == u'<' || c == u'>';
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return 0;
}

QColor FromColorRef(quint32 clr) {
    return QColor(clr & 0xFF, (clr >> 8) & 0xFF, (clr >> 16) & 0xFF);
}

// The fonts of the styles met in one call, made from the font selected at its start.
class StyleFonts {
public:
    explicit StyleFonts(const QFont& base) { m_fonts[0] = base; }

    const QFont& Get(int style) {
        if (!m_fonts[style])
            m_fonts[style] = Make(style);
        return *m_fonts[style];
    }

private:
    QFont Make(int style) const {
        QFont font = *m_fonts[0];
        font.setWeight((style & kBold) ? QFont::Bold : QFont::Normal);
        font.setItalic(style & kItalic);
        font.setUnderline(style & kUnderline);
        if (style & (kSuperscript | kSubscript)) {
            if (font.pixelSize() > 0)
                font.setPixelSize(std::max(1, font.pixelSize() * 7 / 10));
            else
                font.setPointSizeF(font.pointSizeF() * 7 / 10);
        }
        return font;
    }

    std::array<std::optional<QFont>, 32> m_fonts;
};

// One call's state of the renderer.
class MarkupRenderer {
public:
    MarkupRenderer(MarkupCanvas& dc, QRect* rect, unsigned format)
        : m_dc(dc), m_rect(rect), m_format(format), m_fonts(dc.Font()) {
        m_nLineHeight = m_dc.TextExtent(QString(QChar(kLineHeightSample))).height();
        if (rect) {
            m_origin = rect->topLeft();
            m_nAvailable = rect->width();
        } else {
            m_origin = m_dc.CurrentPosition();
            m_nAvailable = m_dc.HorizontalResolution() - m_origin.x();
        }
        m_nAvailable = std::max(0, m_nAvailable);
    }

    int Run(const QChar* text, int length) {
        const QChar* const start = text;
        int remaining = length;
        int tokenLength = 0;
        for (;;) {
            const int kind = ScanMarkupToken(text, remaining, tokenLength, &m_bPendingSpace);
            if (kind == MarkupToken::End)
                break;
            Token(kind, QStringView(text, tokenLength), text == start);
            text += tokenLength;
        }
        if (m_rect && (m_format & DT_CALCRECT)) {
            m_rect->setWidth(m_nWidest);
            m_rect->setHeight(m_y + m_nLineHeight);
        }
        return m_y;
    }

private:
    void Token(int kind, QStringView token, bool atStart) {
        const bool closing = kind & MarkupToken::Closing;
        switch (kind & ~MarkupToken::Closing) {
        case MarkupToken::Word:
            if (!closing)
                Word(token.toString());
            break;
        case MarkupToken::Bold:
            SetStyleBit(kBold, !closing);
            break;
        case MarkupToken::Italic:
            SetStyleBit(kItalic, !closing);
            break;
        case MarkupToken::Underline:
            SetStyleBit(kUnderline, !closing);
            break;
        case MarkupToken::Superscript:
            SetStyleBit(kSuperscript, !closing);
            break;
        case MarkupToken::Subscript:
            SetStyleBit(kSubscript, !closing);
            break;
        case MarkupToken::LineBreak:
            if (!closing && !(m_format & DT_SINGLELINE))
                NewLine(m_nLineHeight);
            break;
        case MarkupToken::Paragraph:
            if (!closing && !(m_format & DT_SINGLELINE))
                NewLine(atStart ? 0 : m_nLineHeight * 3 / 2);
            break;
        case MarkupToken::Colour:
            closing ? PopColour() : PushColour(token);
            break;
        }
    }

    void SetStyleBit(int bit, bool on) { m_nStyle = on ? (m_nStyle | bit) : (m_nStyle & ~bit); }

    void NewLine(int advance) {
        m_x = 0;
        m_y += advance;
    }

    // Only a blank and "color=" right after the name count; a size or face alone does nothing.
    void PushColour(QStringView token) {
        if (token.size() < 12 || token.mid(6, 6).compare(u"color=", Qt::CaseInsensitive) != 0)
            return;
        if (m_nDepth < kColourDepth)
            m_colours[m_nDepth++] = m_dc.TextColor();
        m_dc.SetTextColor(FromColorRef(ParseMarkupColor(token.mid(12))));
    }

    void PopColour() {
        if (m_nDepth > 0)
            m_dc.SetTextColor(m_colours[--m_nDepth]);
    }

    void Word(const QString& word) {
        if (m_nStyle != m_nLastStyle) {
            m_dc.SelectFont(m_fonts.Get(m_nStyle));
            m_nLastStyle = m_nStyle;
            m_nBlank = m_dc.TextExtent(QStringLiteral(" ")).width();
        }
        const int width = m_dc.TextExtent(word).width();
        m_nAvailable = std::max(m_nAvailable, width);
        const bool spaced = m_bPendingSpace;
        if (spaced)
            m_x += m_nBlank;
        if (m_x + width > m_nAvailable && spaced) {
            if (m_format & DT_WORDBREAK)
                NewLine(m_nLineHeight);
            else
                m_nAvailable = m_x + width;
        }
        if (!(m_format & DT_CALCRECT))
            Paint(word, width, spaced);
        m_bPendingSpace = false;
        m_x += width;
        m_nWidest = std::max(m_nWidest, m_x);
    }

    void Paint(const QString& word, int width, bool spaced) {
        unsigned flags = m_format & ~(DT_WORDBREAK | DT_CALCRECT);
        if (m_nStyle & kSubscript)
            flags |= DT_SINGLELINE | DT_BOTTOM;
        const int left = m_origin.x() + m_x;
        const int top = m_origin.y() + m_y;
        // A word that stays on a full line runs past the available width rather than being cut.
        const int boxWidth = std::max(m_nAvailable - m_x, width);
        m_dc.DrawText(word, QRect(left, top, boxWidth, m_nLineHeight), flags);
        // The underline runs on through the blank before an underlined word.
        if (spaced && (m_nStyle & kUnderline) && m_x >= m_nBlank)
            m_dc.DrawText(QStringLiteral(" "), QRect(left - m_nBlank, top, m_nBlank, m_nLineHeight),
                          flags);
    }

    MarkupCanvas& m_dc;
    QRect* const m_rect;
    const unsigned m_format;
    StyleFonts m_fonts;
    int m_nLineHeight = 0;
    QPoint m_origin;
    int m_nAvailable = 0;
    int m_x = 0;
    int m_y = 0;
    int m_nStyle = 0;
    int m_nLastStyle = -1;
    int m_nBlank = 0;
    int m_nWidest = 0;
    bool m_bPendingSpace = false;
    std::array<QColor, kColourDepth> m_colours;
    int m_nDepth = 0;
};

int ZeroTerminatedLength(const QChar* text) {
    int n = 0;
    while (text[n] != QChar(0))
        ++n;
    return n;
}

} // namespace

int ScanMarkupToken(const QChar*& text, int& remaining, int& tokenLength, bool* pendingSpace) {
    tokenLength = 0;
    const bool spaceBefore = pendingSpace && *pendingSpace;
    if (pendingSpace && remaining > 0 && text->isSpace())
        *pendingSpace = true;
    while (remaining > 0 && text->isSpace()) {
        ++text;
        --remaining;
    }
    if (remaining <= 0)
        return MarkupToken::End;

    int end = 0;
    int kind = MarkupToken::Word;
    if (*text != u'<') {
        while (end < remaining && !text[end].isSpace() && text[end] != u'<')
            ++end;
    } else {
        const bool closing = remaining > 1 && text[1] == u'/';
        const int nameStart = closing ? 2 : 1;
        int nameEnd = nameStart;
        while (nameEnd < remaining && !EndsName(text[nameEnd]))
            ++nameEnd;
        const bool closedByBracket = nameEnd < remaining && text[nameEnd] == u'>';
        const TagRow* row = MatchTag(text + nameStart, remaining - nameStart);
        end = nameEnd;
        if (!row) {
            kind = closing ? MarkupToken::Closing : MarkupToken::Word;
            end += closedByBracket ? 1 : 0;
        } else if (closing || !row->hasAttributes) {
            if (closedByBracket) {
                kind = row->code | (closing ? MarkupToken::Closing : 0);
                ++end;
            }
        } else {
            kind = row->code;
            while (end < remaining && text[end] != u'>' && text[end] != u'<')
                ++end;
            end += (end < remaining && text[end] == u'>') ? 1 : 0;
        }
        if (row && kind != MarkupToken::Word) {
            if (row->breaksSpace && pendingSpace)
                *pendingSpace = false;
            if (row->breaksSpace || spaceBefore)
                while (end < remaining && text[end].isSpace())
                    ++end;
        }
    }
    tokenLength = end;
    remaining -= end;
    return kind;
}

quint32 ParseMarkupColor(QStringView text) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'"' || text[i] == u'\''))
        ++i;
    if (i < text.size() && text[i] == u'#')
        ++i;
    int digits[6] = {};
    for (int k = 0; k < 6 && i + k < text.size(); ++k)
        digits[k] = HexDigit(text[i + k]);
    const quint32 red = digits[0] * 16 + digits[1];
    const quint32 green = digits[2] * 16 + digits[3];
    const quint32 blue = digits[4] * 16 + digits[5];
    return red | (green << 8) | (blue << 16);
}

int DrawMarkupText(MarkupCanvas* dc, const QChar* text, int length, QRect* rect, unsigned format) {
    if (!dc || !text)
        return 0;
    if (length < 0)
        length = ZeroTerminatedLength(text);
    format = (format & ~(DT_CENTER | DT_RIGHT | DT_TABSTOP)) | DT_NOPREFIX;
    dc->SaveState();
    const int offset = MarkupRenderer(*dc, rect, format).Run(text, length);
    dc->RestoreState();
    return offset;
}

int DrawMarkupText(MarkupCanvas* dc, const QString& text, QRect* rect, unsigned format) {
    if (text.isNull())
        return 0;
    return DrawMarkupText(dc, text.constData(), int(text.size()), rect, format);
}

int DrawMarkupText(QPainter* dc, const QString& text, QRect* rect, unsigned format) {
    if (!dc)
        return 0;
    PainterMarkupCanvas canvas(*dc);
    return DrawMarkupText(&canvas, text, rect, format);
}
