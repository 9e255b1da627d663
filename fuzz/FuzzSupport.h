#pragma once

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>

// What every target needs: the input as bytes, a private folder to put files in, and for the
// targets that draw or decode pictures an application object on the offscreen platform.
namespace FuzzSupport {

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

inline QString WriteFile(const QString& name, const QByteArray& bytes) {
    QString path = Folder().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

// The application lives until the process ends: libFuzzer leaves through exit(), and Qt's own
// statics may be gone by the time a static application object would be destroyed.
inline void NeedGui() {
    static QGuiApplication* app = nullptr;
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        app = new QGuiApplication(argc, argv);
    }
}

} // namespace FuzzSupport
