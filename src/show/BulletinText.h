#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <functional>

class LotteryMask;
class LotteryNotify;
class SUINT;

// One winner as the pool holds it.
struct BulletinEntry {
    QString number;
    QString info;
};

// One piece of text in the board's text area, in content coordinates (the scroll offset is
// added when it is painted). Alignment: 0 left, 1 centre, 2 right.
struct BulletinCell {
    QRect rect;
    QString text;
    int align = 0;
};

struct BulletinRow {
    int top = 0;
    int height = 0;
    QList<BulletinCell> cells;
};

// What the text area shows, laid out: the title when it scrolls with the numbers, the rows, and
// the height of every line that a scroll step moves out of view.
struct BulletinContent {
    bool titleScrolls = false;
    QRect titleRect;
    QList<BulletinRow> rows;
    QList<int> lineHeights;
    int totalHeight = 0;
};

// The board's text, built from plain data without any widget, so that what a projector audience
// reads can be checked line by line.
class BulletinText {
public:
    // Reads a winner from the pool by its pool index.
    using Reader = std::function<BulletinEntry(quint32 poolIndex)>;
    // Height in pixels of a text drawn with the title font or the numbers font; line breaks
    // count, the width does not.
    using Measure = std::function<int(const QString& text, bool title)>;

    // Everything a layout depends on besides the bulletin-board record.
    struct Input {
        const QList<SUINT>* drawn = nullptr; // the level's drawn list, oldest first
        int drawnCount = 0;                  // the level's drawn count
        int count = 0;                       // numbers the draw window asked the board to list
        int digits = 0;                      // the pool's longest number length
        const LotteryMask* mask = nullptr;
        int width = 0;      // of the text area
        int areaHeight = 0; // of the text area
        Reader read;
        Measure measure;
    };

    // How many of the last drawn numbers the board lists; -1 when the mode lists nothing.
    static int ListedCount(const LotteryNotify& notify, int count, int drawnCount);

    // A number as the board shows it: zero-filled to the pool's length when asked, then masked.
    static QString ShownNumber(const QString& number, int digits, bool fillZero,
                               const LotteryMask& mask);

    // The pixel span [left, right) of the number cell and the information cell of column k.
    struct Columns {
        int numberLeft = 0;
        int numberRight = 0;
        int infoLeft = 0;
        int infoRight = 0;
    };
    static Columns ColumnSpans(const LotteryNotify& notify, int width, int k);

    static BulletinContent Layout(const LotteryNotify& notify, const Input& in);

    // Information texts keep Windows line breaks; drawn text breaks at '\n' only.
    static QString PlainLines(const QString& text);

private:
    static BulletinRow LayoutRow(const LotteryNotify& notify, const Input& in, int first, int last,
                                 int top);
};
