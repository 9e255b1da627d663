#include "show/AdjustToolIcons.h"

#include "media/PaintedIcon.h"
#include "show/CToolWnd.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor kInk(40, 48, 64);
const QColor kBox(120, 150, 200);
const QColor kReference(220, 40, 40);

void Box(QPainter& p, const QRectF& r, const QColor& fill) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(r);
}

void Line(QPainter& p, QPointF a, QPointF b, const QColor& colour = kInk) {
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    Line(p, from, to);
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(to + u * 1.5);
    head.lineTo(to - u * 4 + n * 3.5);
    head.lineTo(to - u * 4 - n * 3.5);
    head.closeSubpath();
    p.fillPath(head, kInk);
}

void DrawAlign(QPainter& p, int command) {
    switch (command) {
    case CToolWnd::kAlignLeft:
        Line(p, {4, 2}, {4, 22}, kReference);
        Box(p, {5.5, 4.5, 14, 6}, kBox);
        Box(p, {5.5, 13.5, 9, 6}, kBox);
        break;
    case CToolWnd::kAlignRight:
        Line(p, {20, 2}, {20, 22}, kReference);
        Box(p, {4.5, 4.5, 14, 6}, kBox);
        Box(p, {9.5, 13.5, 9, 6}, kBox);
        break;
    case CToolWnd::kAlignTop:
        Line(p, {2, 4}, {22, 4}, kReference);
        Box(p, {4.5, 5.5, 6, 14}, kBox);
        Box(p, {13.5, 5.5, 6, 9}, kBox);
        break;
    default: // bottom
        Line(p, {2, 20}, {22, 20}, kReference);
        Box(p, {4.5, 4.5, 6, 14}, kBox);
        Box(p, {13.5, 9.5, 6, 9}, kBox);
        break;
    }
}

void DrawSpace(QPainter& p, bool horizontal) {
    for (int k = 0; k < 3; ++k) {
        const qreal at = 2.5 + k * 7.5;
        Box(p, horizontal ? QRectF(at, 7.5, 4, 9) : QRectF(7.5, at, 9, 4), kBox);
    }
    if (horizontal) {
        Line(p, {1, 20}, {23, 20});
        Line(p, {1, 18}, {1, 22});
        Line(p, {23, 18}, {23, 22});
    } else {
        Line(p, {20, 1}, {20, 23});
        Line(p, {18, 1}, {22, 1});
        Line(p, {18, 23}, {22, 23});
    }
}

void DrawSizeAll(QPainter& p) {
    Box(p, {2.5, 2.5, 9, 9}, QColor(255, 200, 200));
    Box(p, {12.5, 12.5, 9, 9}, kBox);
    Arrow(p, {9, 9}, {19, 19});
}

void DrawSymbolFile(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(255, 248, 220));
    p.drawRoundedRect(QRectF(5.5, 2.5, 13, 19), 2, 2);
    QFont font;
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kReference);
    p.drawText(QRectF(5, 3, 14, 18), Qt::AlignCenter, QStringLiteral("8"));
}

void DrawString(QPainter& p, bool add) {
    QFont font;
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("Ab"));
    const QColor sign = add ? QColor(30, 140, 60) : kReference;
    Line(p, {13, 18}, {23, 18}, sign);
    if (add)
        Line(p, {18, 13}, {18, 23}, sign);
}

void DrawQuit(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(3.5, 3.5, 11, 17));
    Arrow(p, {10, 12}, {21, 12});
}

void DrawCommand(QPainter& p, int command) {
    switch (command) {
    case CToolWnd::kAlignLeft:
    case CToolWnd::kAlignRight:
    case CToolWnd::kAlignTop:
    case CToolWnd::kAlignBottom:
        DrawAlign(p, command);
        break;
    case CToolWnd::kSpaceHorizontal:
        DrawSpace(p, true);
        break;
    case CToolWnd::kSpaceVertical:
        DrawSpace(p, false);
        break;
    case CToolWnd::kSizeAll:
        DrawSizeAll(p);
        break;
    case CToolWnd::kChooseSymbolFile:
        DrawSymbolFile(p);
        break;
    case CToolWnd::kAddString:
        DrawString(p, true);
        break;
    case CToolWnd::kDeleteString:
        DrawString(p, false);
        break;
    case CToolWnd::kQuit:
        DrawQuit(p);
        break;
    default:
        break;
    }
}

} // namespace

QImage AdjustToolIcons::Draw(int command) {
    return PaintedIcon::Paint(kSide, [command](QPainter& p) { DrawCommand(p, command); });
}

QIcon AdjustToolIcons::Icon(int command) {
    return QIcon(QPixmap::fromImage(Draw(command)));
}
