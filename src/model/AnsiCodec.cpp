#include "model/AnsiCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace AnsiCodec {

namespace {
constexpr const char* kCodePage = "windows-1252";
}

bool isAvailable() { return QStringDecoder(kCodePage).isValid(); }

QString toUnicode(QByteArrayView bytes) {
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes); // the closest stand-in, never a crash
    return decoder(bytes);
}

QByteArray fromUnicode(const QString& text) {
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Default);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder(text);
}

} // namespace AnsiCodec
