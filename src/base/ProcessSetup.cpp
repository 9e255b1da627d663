#include "base/ProcessSetup.h"

#include <QByteArray>
#include <QStringList>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Vulkan's variables naming the graphics drivers to load, the newer name first.
constexpr const char* kDriverVariables[] = {"VK_DRIVER_FILES", "VK_ICD_FILENAMES"};

// The variables Prepare set, which were not set before.
QStringList& SetHere() {
    static QStringList names;
    return names;
}

void SetIfUnset(const char* name, const QByteArray& value) {
    if (!qEnvironmentVariableIsEmpty(name))
        return;
    qputenv(name, value);
    SetHere() << QString::fromLatin1(name);
}

} // namespace

void ProcessSetup::Prepare() {
    // Qt's other media back end needs a sound card even to start; GStreamer plays or stays quiet.
    SetIfUnset("QT_MEDIA_BACKEND", "gstreamer");
    // The program draws on the processor and never uses Vulkan, yet GStreamer's device monitor,
    // started with the first sound, lists Vulkan devices and so loads every graphics driver there
    // is, the software one with its whole compiler: 50 MB and more of a running show for nothing.
    // With no driver file to read it finds no device, at once.
    for (const char* name : kDriverVariables)
        SetIfUnset(name, "/dev/null");
#if defined(__GLIBC__)
    // Full-screen pictures are made and dropped as a background plays on; with a fixed threshold
    // every big block goes back to the system when freed, instead of the allocator keeping the
    // largest it has seen for reuse and the show holding that much more for good.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

QProcessEnvironment ProcessSetup::ForChildren() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : SetHere())
        environment.remove(name);
    return environment;
}
