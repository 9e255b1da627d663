#pragma once

#include "media/SoundDevice.h"

#include <QString>

#include <memory>

// The sound device of the running program: a QMediaPlayer with its own audio output (WAV, MP3,
// and MIDI where the GStreamer soundfont synthesiser is installed). GUI thread only.
//
// The player prepares the file in the background after Open, so the length becomes known a
// moment later and a file that turns out unplayable is reported through Failed().
class QtSoundDevice : public SoundDevice {
public:
    QtSoundDevice();
    ~QtSoundDevice() override;
    QtSoundDevice(const QtSoundDevice&) = delete;
    QtSoundDevice& operator=(const QtSoundDevice&) = delete;

    bool Open(const QString& file) override;
    void Play() override;
    void Stop() override;
    bool Position(qint64& ms) override;
    bool Length(qint64& ms) override;
    // A sound closed within its last moments plays them out, so a loop handing over to the other
    // device is not cut short; any other close silences it at once.
    void Close() override;
    bool Failed() const override;

    // The back end's description of the failure, for the log.
    QString ErrorText() const { return m_strError; }

    static SoundDeviceFactory Factory();

private:
    struct Channel;

    std::unique_ptr<Channel> MakeChannel();
    bool NearEnd() const;
    void Fail(const QString& text);

    std::unique_ptr<Channel> m_channel;
    // The previous channel, playing out the end of its sound.
    std::unique_ptr<Channel> m_draining;
    bool m_bOpen = false;
    bool m_bStarted = false;
    bool m_bFailed = false;
    QString m_strError;
};
