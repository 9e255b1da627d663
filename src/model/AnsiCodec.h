#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Single-byte text from files of Windows origin (old settings files, ANSI number files, pack
// record names) uses the Western Windows code page, 1252.
namespace AnsiCodec {

QString toUnicode(QByteArrayView bytes);
// Characters the code page lacks become '?'.
QByteArray fromUnicode(const QString& text);
// Whether the system's Qt can convert Windows-1252 (it needs ICU).
bool isAvailable();

} // namespace AnsiCodec
