#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

// One audio channel that plays one sound file: what the looping player needs of an audio back
// end. Times are in milliseconds. The real device plays through QtMultimedia; tests drive the
// looping logic with a fake one.
class SoundDevice {
public:
    virtual ~SoundDevice();

    // Prepares the file for playing from its start; false when it cannot be opened. Opening
    // another file replaces the one open before.
    virtual bool Open(const QString& file) = 0;
    // Starts playing from the start to the end without waiting.
    virtual void Play() = 0;
    // Halts where it is.
    virtual void Stop() = 0;
    // Status queries; false when the query fails.
    virtual bool Position(qint64& ms) = 0;
    virtual bool Length(qint64& ms) = 0;
    virtual void Close() = 0;
    // The open file turned out to be unplayable (a device may find out only after Open).
    virtual bool Failed() const = 0;
};

using SoundDeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;
