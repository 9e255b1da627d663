// Markup text as the guide and the lists draw it: measured, then drawn.
#include "FuzzSupport.h"
#include "controls/DrawMarkupText.h"
#include "controls/DrawTextFormat.h"

#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSupport::NeedGui();
    const QString text = QString::fromUtf8(FuzzSupport::Bytes(data, size));
    QImage surface(200, 200, QImage::Format_RGB32);
    QPainter dc(&surface);
    QRect rect(0, 0, 180, 200);
    DrawMarkupText(&dc, text, &rect, DrawTextFormat::DT_CALCRECT | DrawTextFormat::DT_WORDBREAK);
    rect = QRect(0, 0, 180, 200);
    DrawMarkupText(&dc, text, &rect, DrawTextFormat::DT_WORDBREAK);
    return 0;
}
