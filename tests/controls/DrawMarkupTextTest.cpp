#include "controls/DrawMarkupText.h"
#include "controls/DrawTextFormat.h"
#include "controls/MarkupTestCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace DrawTextFormat;

namespace {

constexpr int kLine = 20;

struct Token {
    int kind;
    QString text;
    bool pending;
};

QList<Token> Scan(const QString& text) {
    QList<Token> tokens;
    const QChar* pos = text.constData();
    int remaining = int(text.size());
    int length = 0;
    bool pending = false;
    for (int kind; (kind = ScanMarkupToken(pos, remaining, length, &pending)) != -1;) {
        tokens.append({kind, QString(pos, length), pending});
        pending = kind == MarkupToken::Word ? false : pending;
        pos += length;
    }
    return tokens;
}

QList<int> Kinds(const QString& text) {
    QList<int> kinds;
    for (const Token& t : Scan(text))
        kinds.append(t.kind);
    return kinds;
}

int Draw(MarkupTestCanvas& dc, const QString& text, QRect* rect, unsigned format) {
    return DrawMarkupText(&dc, text, rect, format);
}

} // namespace

TEST(MarkupScanner, TagNamesMatchByTheirFirstLettersWithoutRegardToCase) {
    EXPECT_EQ(Kinds("<b></B><STRONG><i><em><u><sub><sup>"),
              (QList<int>{1, 0x101, 1, 4, 4, 8, 6, 7}));
    EXPECT_EQ(Kinds("<bogus><pre><ul>"), (QList<int>{1, 5, 8}));
    EXPECT_EQ(Kinds("<br><p></p>"), (QList<int>{2, 5, 0x105}));
    EXPECT_EQ(Kinds("</span>"), (QList<int>{0x100}));
}

TEST(MarkupScanner, TagsNotUnderstoodAreWords) {
    const QList<Token> span = Scan("<span>x");
    ASSERT_EQ(span.size(), 2);
    EXPECT_EQ(span[0].kind, 0);
    EXPECT_EQ(span[0].text, "<span>");

    const QList<Token> img = Scan("<img src=a.png>");
    ASSERT_EQ(img.size(), 2);
    EXPECT_EQ(img[0].text, "<img");
    EXPECT_EQ(img[1].text, "src=a.png>");
    EXPECT_EQ(img[1].kind, 0);

    // A known name followed by anything but '>' is text too.
    EXPECT_EQ(Scan("<b x>")[0].kind, 0);
    EXPECT_EQ(Scan("<b x>")[0].text, "<b");
    EXPECT_EQ(Scan("</b x>")[0].kind, 0);
    // Lone brackets never stall the scanner.
    EXPECT_EQ(Kinds("< <> </"), (QList<int>{0, 0, 0x100}));
}

TEST(MarkupScanner, FontTagRunsToItsBracketAndWordsStopAtTags) {
    const QList<Token> tokens = Scan("<font color=#00FF00 size=2>green</font>");
    ASSERT_EQ(tokens.size(), 3);
    EXPECT_EQ(tokens[0].kind, 3);
    EXPECT_EQ(tokens[0].text, "<font color=#00FF00 size=2>");
    EXPECT_EQ(tokens[1].text, "green");
    EXPECT_EQ(tokens[2].kind, 0x103);
}

TEST(MarkupScanner, LineBreaksClearThePendingSpaceAndTakeTheBlanksAfterThem) {
    const QList<Token> tokens = Scan("a <br>  b");
    ASSERT_EQ(tokens.size(), 3);
    EXPECT_EQ(tokens[1].text, "<br>  ");
    EXPECT_FALSE(tokens[1].pending);
    EXPECT_FALSE(tokens[2].pending);

    const QList<Token> spaced = Scan("a <b> c");
    ASSERT_EQ(spaced.size(), 3);
    EXPECT_TRUE(spaced[2].pending);
}

TEST(MarkupColour, ReadsSixHexDigitsAfterAnOptionalQuoteAndHash) {
    EXPECT_EQ(ParseMarkupColor(u"00FF00"), 0x00FF00u);
    EXPECT_EQ(ParseMarkupColor(u"#FF0000"), 0x0000FFu);
    EXPECT_EQ(ParseMarkupColor(u"'#0000ff'"), 0xFF0000u);
    EXPECT_EQ(ParseMarkupColor(u"\"123456\""), 0x563412u);
    EXPECT_EQ(ParseMarkupColor(u"zz99zz"), 0x009900u);
    EXPECT_EQ(ParseMarkupColor(u"#F"), 0x0000F0u);
    EXPECT_EQ(ParseMarkupColor(u""), 0u);
}

TEST(MarkupLayout, WithoutWordBreakTheLineGrowsToFitTheText) {
    MarkupTestCanvas dc;
    QRect rect(5, 7, 30, 100);
    EXPECT_EQ(Draw(dc, "one two three", &rect, DT_CALCRECT), 0);
    EXPECT_EQ(rect, QRect(5, 7, 130, kLine));
    EXPECT_TRUE(dc.drawn.isEmpty());

    Draw(dc, "one two three", &rect, 0);
    ASSERT_EQ(dc.Words(), (QStringList{"one", "two", "three"}));
    EXPECT_EQ(dc.drawn[1].rect.topLeft(), QPoint(5 + 40, 7));
    EXPECT_EQ(dc.drawn[2].rect.topLeft(), QPoint(5 + 80, 7));
}

TEST(MarkupLayout, WordBreakWrapsAtBlanksAndNeverInsideAWord) {
    MarkupTestCanvas dc;
    QRect rect(0, 0, 75, 0);
    EXPECT_EQ(Draw(dc, "aaa bbb ccc", &rect, DT_WORDBREAK), kLine);
    ASSERT_EQ(dc.drawn.size(), 3);
    EXPECT_EQ(dc.drawn[1].rect.topLeft(), QPoint(40, 0));
    EXPECT_EQ(dc.drawn[2].rect.topLeft(), QPoint(0, kLine));

    // One word wider than the rectangle widens the measure instead of breaking.
    QRect narrow(0, 0, 20, 0);
    EXPECT_EQ(Draw(dc, "abcdefgh", &narrow, DT_WORDBREAK | DT_CALCRECT), 0);
    EXPECT_EQ(narrow.width(), 80);
    EXPECT_EQ(narrow.height(), kLine);

    // A word that follows a tag without a blank stays on its line, and is drawn whole.
    dc.drawn.clear();
    QRect tight(0, 0, 50, 0);
    EXPECT_EQ(Draw(dc, "abcd<b>efg</b>", &tight, DT_WORDBREAK), 0);
    ASSERT_EQ(dc.drawn.size(), 2);
    EXPECT_EQ(dc.drawn[1].rect.left(), 40);
    EXPECT_GE(dc.drawn[1].rect.width(), 36);
}

TEST(MarkupLayout, LineBreaksAndParagraphs) {
    MarkupTestCanvas dc;
    QRect rect(0, 0, 500, 0);
    EXPECT_EQ(Draw(dc, "one<br>two", &rect, DT_WORDBREAK), kLine);
    EXPECT_EQ(Draw(dc, "<p>one", &rect, DT_WORDBREAK), 0);
    EXPECT_EQ(Draw(dc, " <p>one", &rect, DT_WORDBREAK), kLine * 3 / 2);
    EXPECT_EQ(Draw(dc, "one<p>two", &rect, DT_WORDBREAK), kLine * 3 / 2);

    // The second line starts at the left without a blank.
    dc.drawn.clear();
    Draw(dc, "one <br> two", &rect, DT_WORDBREAK);
    ASSERT_EQ(dc.drawn.size(), 2);
    EXPECT_EQ(dc.drawn[1].rect.topLeft(), QPoint(0, kLine));

    QRect calc(0, 0, 500, 0);
    EXPECT_EQ(Draw(dc, "one<br>two<br>", &calc, DT_WORDBREAK | DT_CALCRECT), 2 * kLine);
    EXPECT_EQ(calc.height(), 3 * kLine);
}

TEST(MarkupLayout, SingleLineIgnoresBreaksAndParagraphs) {
    MarkupTestCanvas dc;
    QRect rect(0, 0, 500, 0);
    EXPECT_EQ(Draw(dc, "one<br>two<p>three", &rect, DT_SINGLELINE), 0);
    ASSERT_EQ(dc.drawn.size(), 3);
    for (const auto& d : dc.drawn)
        EXPECT_EQ(d.rect.top(), 0);
}

TEST(MarkupLayout, EmptyOrMissingTextDrawsNothing) {
    MarkupTestCanvas dc;
    QRect rect(3, 4, 100, 100);
    EXPECT_EQ(Draw(dc, "", &rect, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(rect, QRect(3, 4, 0, kLine));
    EXPECT_EQ(DrawMarkupText(&dc, QString(), &rect, 0), 0);
    EXPECT_EQ(DrawMarkupText(static_cast<MarkupCanvas*>(nullptr), "text", &rect, 0), 0);
    EXPECT_TRUE(dc.drawn.isEmpty());
}

TEST(MarkupLayout, LengthLimitsTheTextAndMinusOneReadsToTheEnd) {
    MarkupTestCanvas dc;
    const QString text = "one two three";
    QRect rect(0, 0, 500, 0);
    DrawMarkupText(&dc, text.constData(), 7, &rect, 0);
    EXPECT_EQ(dc.Words(), (QStringList{"one", "two"}));
    dc.drawn.clear();
    DrawMarkupText(&dc, text.constData(), -1, &rect, 0);
    EXPECT_EQ(dc.Words().size(), 3);
}

TEST(MarkupLayout, WithoutARectangleStartsAtTheCurrentPositionUpToTheSurfaceEdge) {
    MarkupTestCanvas dc;
    dc.position = QPoint(900, 50);
    dc.resolution = 980;
    DrawMarkupText(&dc, "aaaa bbbb cccccc", nullptr, DT_WORDBREAK);
    ASSERT_EQ(dc.drawn.size(), 3);
    EXPECT_EQ(dc.drawn[0].rect.topLeft(), QPoint(900, 50));
    EXPECT_EQ(dc.drawn[1].rect.topLeft(), QPoint(900, 50 + kLine));
    EXPECT_EQ(dc.drawn[2].rect.topLeft(), QPoint(900, 50 + 2 * kLine));
}

TEST(MarkupStyles, BoldItalicUnderlineAndTheirEnds) {
    MarkupTestCanvas dc;
    QRect rect(0, 0, 500, 0);
    Draw(dc, "a <b>b <i>c</i></b> <u>d</u> e", &rect, 0);
    ASSERT_EQ(dc.drawn.size(), 6); // the underlined blank before d is drawn too
    EXPECT_FALSE(dc.drawn[0].font.bold());
    EXPECT_TRUE(dc.drawn[1].font.bold());
    EXPECT_TRUE(dc.drawn[2].font.bold());
    EXPECT_TRUE(dc.drawn[2].font.italic());
    EXPECT_EQ(dc.drawn[3].text, "d");
    EXPECT_EQ(dc.drawn[4].text, " ");
    EXPECT_TRUE(dc.drawn[4].font.underline());
    EXPECT_EQ(dc.drawn[4].rect.right() + 1, dc.drawn[3].rect.left());
    EXPECT_FALSE(dc.drawn[5].font.underline());
    EXPECT_FALSE(dc.drawn[5].font.bold());
    // Bold words and their blanks measure wider: "a", a bold blank, "b", a bold blank.
    EXPECT_EQ(dc.drawn[2].rect.left(), 10 + 12 + 12 + 12);
}

TEST(MarkupStyles, SubscriptIsSmallerAndSitsOnTheBottomOfTheLine) {
    MarkupTestCanvas dc;
    QRect rect(0, 0, 500, 0);
    Draw(dc, "H<sub>2</sub>O x<sup>2</sup>", &rect, 0);
    ASSERT_EQ(dc.drawn.size(), 5);
    EXPECT_EQ(dc.drawn[1].font.pixelSize(), 16 * 7 / 10);
    EXPECT_EQ(dc.drawn[1].format & (DT_SINGLELINE | DT_BOTTOM), DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(dc.drawn[1].rect.height(), kLine);
    EXPECT_EQ(dc.drawn[4].font.pixelSize(), 16 * 7 / 10);
    EXPECT_EQ(dc.drawn[4].format & DT_BOTTOM, 0u);
    EXPECT_EQ(dc.drawn[2].font.pixelSize(), 16);
}

TEST(MarkupStyles, FormatFlagsReachEachWordWithoutAlignmentOrWrapping) {
    MarkupTestCanvas dc;
    QRect rect(0, 0, 500, 0);
    Draw(dc, "a", &rect, DT_CENTER | DT_RIGHT | DT_WORDBREAK | DT_NOCLIP);
    ASSERT_EQ(dc.drawn.size(), 1);
    EXPECT_EQ(dc.drawn[0].format, DT_NOCLIP | DT_NOPREFIX);
}

TEST(MarkupColours, FontColourAppliesAndItsEndRestoresTheOneBefore) {
    for (const char* value : {"#00FF00", "00FF00", "'#00FF00'", "\"00ff00\""}) {
        MarkupTestCanvas dc;
        dc.SetTextColor(Qt::blue);
        QRect rect(0, 0, 500, 0);
        Draw(dc, QString("a <font color=%1>b</font> c").arg(value), &rect, 0);
        ASSERT_EQ(dc.drawn.size(), 3);
        EXPECT_EQ(dc.drawn[1].colour, QColor(0, 255, 0)) << value;
        EXPECT_EQ(dc.drawn[2].colour, QColor(Qt::blue));
        EXPECT_EQ(dc.TextColor(), QColor(Qt::blue));
    }
}

TEST(MarkupColours, FontTagsWithoutAColourDoNothing) {
    MarkupTestCanvas dc;
    QRect rect(0, 0, 500, 0);
    Draw(dc, "<font size=3>a</font> <font  color=#FF0000>b</font> </font>c", &rect, 0);
    ASSERT_EQ(dc.drawn.size(), 3);
    for (const auto& d : dc.drawn)
        EXPECT_EQ(d.colour, QColor(Qt::black));
}

TEST(MarkupColours, EightColoursAreSavedAndANinthIsShownButNotSaved) {
    QString text;
    for (int i = 1; i <= 9; ++i)
        text += QString("<font color=#0000%1>%2 ").arg(i, 2, 10, QChar('0')).arg(i);
    text += "</font>x </font>y";
    MarkupTestCanvas dc;
    QRect rect(0, 0, 1000, 0);
    Draw(dc, text, &rect, 0);
    ASSERT_EQ(dc.drawn.size(), 11);
    EXPECT_EQ(dc.drawn[8].colour, QColor(0, 0, 9));
    // The ninth colour's end restores what the eighth saved: the seventh colour.
    EXPECT_EQ(dc.drawn[9].colour, QColor(0, 0, 7));
    EXPECT_EQ(dc.drawn[10].colour, QColor(0, 0, 6));
}

TEST(MarkupPainter, ColoursReachThePixelsAndThePainterIsLeftAsItWas) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(20);
    painter.setFont(font);
    painter.setPen(Qt::black);
    QRect rect(0, 0, 200, 40);
    DrawMarkupText(&painter, "<font color=#FF0000>XXX</font> XXX", &rect, DT_WORDBREAK);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::black));
    EXPECT_EQ(painter.font(), font);
    painter.end();

    int red = 0, black = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            red += qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
            black += qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(black, 20);
}
