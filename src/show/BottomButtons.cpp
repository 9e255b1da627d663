#include "show/BottomButtons.h"

#include "model/OtherOption.h"
#include "model/ScreenMapping.h"

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
    return ScreenMapping::FullHdFactor(client);
}

bool BottomButtons::HitTest(const QList<QRect>& rects, QPoint point) {
    for (const QRect& rect : rects) {
        if (rect.contains(point))
            return true;
    }
    return false;
}
