#include "show/BottomButtons.h"

#include "model/OtherOption.h"

QList<BottomButtons::Button> BottomButtons::Layout(QSize client) {
    struct Spec {
        int id;
        const char* text;
    };
    static const Spec specs[kCount] = {
        {OtherOption::kCmdQuit, "Quit"},        {OtherOption::kCmdSettings, "Set"},
        {OtherOption::kCmdShowWinning, "View"}, {OtherOption::kCmdDraw, "Draw"},
        {OtherOption::kCmdRestart, "Restart"},
    };
    QList<Button> buttons;
    const int scale = Scale(client);
    const int width = kWidth * scale;
    const int height = kHeight * scale;
    const int top = client.height() - height;
    for (int i = 0; i < kCount; ++i) {
        const int left = client.width() - (i + 1) * width;
        buttons.append(
            {specs[i].id, QString::fromLatin1(specs[i].text), QRect(left, top, width, height)});
    }
    return buttons;
}

int BottomButtons::Scale(QSize client) {
    constexpr int kLongSide = 1920;
    constexpr int kShortSide = 1080;
    const int longSide = qMax(client.width(), client.height());
    const int shortSide = qMin(client.width(), client.height());
    return qMax(1, qMin(longSide / kLongSide, shortSide / kShortSide));
}

bool BottomButtons::HitTest(const QList<QRect>& rects, QPoint point) {
    for (const QRect& rect : rects) {
        if (rect.contains(point))
            return true;
    }
    return false;
}
