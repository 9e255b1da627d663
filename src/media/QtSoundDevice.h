#pragma once

#include "media/SoundDevice.h"

#include <QAudio>
#include <QByteArray>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QString>
#include <QTimer>

#include <memory>

class DecodedSound;
class QAudioSink;

// The sound device of the running program: the file is decoded into memory (WAV, MP3, OGG, and
// MIDI where the GStreamer soundfont synthesiser is installed) and played from there through an
// audio output of its own. GUI thread only.
//
// Decoding runs in the background after Open, so the length becomes known a moment later, a file
// that turns out unplayable is reported through Failed(), and a Play asked for meanwhile starts
// as soon as the samples are there.
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

    // The back end's description of the failure, for the log and the operator.
    QString ErrorText() const;

    static SoundDeviceFactory Factory();

    // How many audio outputs this device has made: each is a stream of the sound server, kept
    // for the device's later turns rather than made anew.
    int OutputsMade() const { return m_nOutputsMade; }

private:
    void StartOutput();
    // Hands the output what it has room for; a stream that takes nothing for a while is opened
    // anew where the sound stands.
    void Feed();
    void OnSettled();
    bool NearEnd() const;
    qint64 LengthMs() const;
    void Fail(const QString& text);

    std::shared_ptr<DecodedSound> m_sound;
    QMetaObject::Connection m_settled;
    std::unique_ptr<QAudioSink> m_output;
    int m_nOutputsMade = 0;
    QIODevice* m_pStream = nullptr; // the output's input, while it plays
    QByteArray m_samples;
    qsizetype m_nFed = 0; // bytes of the samples handed to the output
    QTimer m_feedTimer;
    QElapsedTimer m_sinceFed; // since the output last took samples
    QElapsedTimer m_clock;    // since the output started the sound
    qint64 m_heldMs = -1;     // where a stopped sound halted
    bool m_bOpen = false;
    bool m_bStarted = false;
    bool m_bPending = false; // Play came before the samples
    bool m_bFailed = false;
    QString m_strError;
};
