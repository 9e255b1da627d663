#include "model/AnsiCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace AnsiCodec {

namespace {
constexpr const char* kCodePage = "windows-1252";
}

bool isAvailable() {
    return QStringDecoder(kCodePage).isValid();
}

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
    // The converter puts its own substitute byte (0x1A) for a missing character; a '?' is what
    // every reader of these files expects instead.
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const QByteArray b = encoder(QString(c));
        out += (b.size() == 1 && b[0] != '\x1A') || c.unicode() == 0x1A ? b : QByteArray("?");
    }
    return out;
}

} // namespace AnsiCodec
