#include "show/BulletinText.h"

#include "model/LotteryMask.h"
#include "model/LotteryNotify.h"
#include "model/SUINT.h"

#include <algorithm>

int BulletinText::ListedCount(const LotteryNotify& notify, int count, int drawnCount) {
    int n;
    switch (notify.m_nShowWhen) {
    case 0:
    case 1:
        n = count;
        break;
    case 2:
        n = notify.m_bShowAllWinners ? drawnCount : count;
        break;
    default:
        return -1;
    }
    // After a removal of just-drawn numbers the count asked for can exceed what is left; the
    // board then lists what there is rather than leaving blank rows and losing the oldest ones.
    return std::clamp(n, 0, std::max(drawnCount, 0));
}

QString BulletinText::ShownNumber(const QString& number, int digits, bool fillZero,
                                  const LotteryMask& mask) {
    QString text = fillZero ? number.rightJustified(digits, QLatin1Char('0')) : number;
    if (digits <= 0 || mask.m_listBits.size() != digits || mask.m_strMaskChar.isEmpty())
        return text;
    // The mask counts positions from the left of a full-length number, and the symbols show a
    // short number right-aligned: a short unfilled number is masked where the screen masks it,
    // so the board never shows a character the symbols hide.
    const qsizetype shift = digits - text.size();
    QString shown;
    for (qsizetype t = 0; t < text.size(); ++t) {
        const qsizetype bit = t + shift;
        if (bit >= 0 && bit < digits && mask.m_listBits[bit].m_nValue == 1)
            shown += mask.m_strMaskChar;
        else
            shown += text[t];
    }
    return shown;
}

BulletinText::Columns BulletinText::ColumnSpans(const LotteryNotify& notify, int width, int k) {
    const int perLine = std::max(notify.m_nPerLine, 1);
    const int colW = width / perLine;
    const int infoWidth = std::clamp(notify.m_nInfoWidth, 0, 100);
    const int numW = static_cast<int>((1.0 - infoWidth / 100.0) * colW);
    const int left = colW * k;
    const int right = colW * (k + 1);
    Columns c;
    if (!notify.m_bInfoFirst) {
        c.numberLeft = left + 1;
        c.numberRight = left + numW;
        c.infoLeft = left + numW + 1;
        c.infoRight = right;
    } else {
        c.infoLeft = left + 1;
        c.infoRight = right - numW;
        c.numberLeft = right - numW + 1;
        c.numberRight = right;
    }
    return c;
}

QString BulletinText::PlainLines(const QString& text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return plain;
}

namespace {

int AlignOf(qint32 value) {
    return value == 1 || value == 2 ? value : 0;
}

QRect Span(int left, int right, int top, int bottom) {
    return QRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
}

} // namespace

BulletinRow BulletinText::LayoutRow(const LotteryNotify& notify, const Input& in, int first,
                                    int last, int top) {
    BulletinRow row;
    row.top = top;
    const int perLine = std::max(notify.m_nPerLine, 1);
    for (int k = 0; k < perLine && first + k <= last; ++k) {
        const BulletinEntry entry = in.read((*in.drawn)[first + k].m_nValue);
        const QString number =
            ShownNumber(entry.number, in.digits, notify.m_bFillZero != 0, *in.mask);
        const QString info = PlainLines(entry.info);

        QString measured;
        if (notify.m_bShowNumbers)
            measured = number;
        if (notify.m_bShowInfo)
            measured += info;
        if (!measured.isEmpty())
            row.height = std::max(row.height, in.measure(measured, false));

        const Columns c = ColumnSpans(notify, in.width, k);
        const int bottom = in.areaHeight + top;
        if (notify.m_bShowNumbers)
            row.cells.append({Span(c.numberLeft, c.numberRight, top, bottom), number,
                              AlignOf(notify.m_nNumbersAlign)});
        if (notify.m_bShowInfo)
            row.cells.append(
                {Span(c.infoLeft, c.infoRight, top, bottom), info, AlignOf(notify.m_nInfoAlign)});
    }
    return row;
}

BulletinContent BulletinText::Layout(const LotteryNotify& notify, const Input& in) {
    BulletinContent content;
    // Never walk past the list itself, whatever the stored count says.
    const int drawn = in.drawn ? std::min<int>(in.drawnCount, in.drawn->size()) : 0;
    const int listed = ListedCount(notify, in.count, drawn);
    if (listed < 0)
        return content;

    int y = 0;
    if (notify.m_bShowTitle && notify.m_bScroll) {
        const int titleLine = in.measure(PlainLines(notify.m_strTitle), true) + notify.m_nLineSpace;
        content.titleScrolls = true;
        content.titleRect = QRect(0, 0, in.width, std::max(in.areaHeight, 0));
        content.lineHeights.append(titleLine);
        y = titleLine;
    }

    const int perLine = std::max(notify.m_nPerLine, 1);
    const int rows = listed / perLine + (listed % perLine != 0 ? 1 : 0);
    for (int j = 0; j < rows; ++j) {
        const BulletinRow row = LayoutRow(notify, in, drawn - listed + perLine * j, drawn - 1, y);
        const int line = row.height + notify.m_nLineSpace;
        content.rows.append(row);
        content.lineHeights.append(line);
        y += line;
    }
    content.totalHeight = y;
    return content;
}
