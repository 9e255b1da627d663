#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QAudioDecoder;

// The samples of one sound file, decoded once in the background and shared by every device that
// plays the file. A sound is played from memory: the audio output then starts it at once and
// plays it to its end without waiting on a media pipeline, which under load held sounds back
// for seconds or dropped them. GUI thread only.
class DecodedSound : public QObject {
    Q_OBJECT
public:
    enum class State { Decoding, Ready, Failed };

    // The decoding of `path` (absolute, readable) as the file is now: the one in use when a
    // device holds one, else a new one, which starts at once.
    static std::shared_ptr<DecodedSound> Get(const QString& path);
    ~DecodedSound() override;

    State GetState() const { return m_state; }
    // Complete once Ready: the samples in Format(), from the start of the sound to its end.
    const QByteArray& Samples() const { return m_samples; }
    const QAudioFormat& Format() const { return m_format; }
    qint64 LengthMs() const;
    // Why the file cannot be played, once Failed.
    QString ErrorText() const { return m_strError; }

Q_SIGNALS:
    // Ready or Failed.
    void Settled();

private:
    explicit DecodedSound(const QString& path);
    void OnBuffer();
    void OnFinished();
    void Fail(const QString& text);

    std::unique_ptr<QAudioDecoder> m_decoder;
    QByteArray m_samples;
    QAudioFormat m_format;
    State m_state = State::Decoding;
    QString m_strError;
};
