#pragma once

#include "media/SoundDevice.h"

#include <QMediaPlayer>
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

    // How many players all devices have built so far: building one sets up a whole media
    // pipeline on the GUI thread, long enough to hold up a frame of the show.
    static int ChannelsMade();

private:
    struct Channel;

    std::unique_ptr<Channel> MakeChannel();
    bool NearEnd() const;
    void OnStatus(QMediaPlayer::MediaStatus status);
    void Fail(const QString& text);

    std::unique_ptr<Channel> m_channel;
    // The sound was closed in its last moments and plays them out; opened again on the same
    // file (the next turn of a loop), it is wound back once it has ended rather than built anew.
    bool m_bDraining = false;
    bool m_bOpen = false;
    bool m_bStarted = false;
    bool m_bFailed = false;
    QString m_strError;
};
