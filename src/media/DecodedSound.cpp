#include "media/DecodedSound.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QUrl>

namespace {

// A changed file is decoded anew: the key holds its size and time as well as its path.
QString KeyOf(const QString& path) {
    const QFileInfo info(path);
    return path + QLatin1Char('|') + QString::number(info.size()) + QLatin1Char('|') +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

QHash<QString, std::weak_ptr<DecodedSound>>& InUse() {
    static QHash<QString, std::weak_ptr<DecodedSound>> sounds;
    return sounds;
}

} // namespace

std::shared_ptr<DecodedSound> DecodedSound::Get(const QString& path) {
    const QString key = KeyOf(path);
    if (std::shared_ptr<DecodedSound> sound = InUse().value(key).lock())
        return sound;
    std::shared_ptr<DecodedSound> sound(new DecodedSound(path));
    InUse().insert(key, sound);
    return sound;
}

DecodedSound::DecodedSound(const QString& path) : m_decoder(std::make_unique<QAudioDecoder>()) {
    QAudioDecoder* decoder = m_decoder.get();
    connect(decoder, &QAudioDecoder::bufferReady, this, &DecodedSound::OnBuffer);
    connect(decoder, &QAudioDecoder::finished, this, &DecodedSound::OnFinished);
    connect(decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
            [this](QAudioDecoder::Error) { Fail(m_decoder->errorString()); });
    decoder->setSource(QUrl::fromLocalFile(path));
    decoder->start();
}

DecodedSound::~DecodedSound() = default;

qint64 DecodedSound::LengthMs() const {
    const int frameBytes = m_format.bytesPerFrame();
    if (m_state != State::Ready || frameBytes <= 0 || m_format.sampleRate() <= 0)
        return 0;
    return qint64(m_samples.size() / frameBytes) * 1000 / m_format.sampleRate();
}

void DecodedSound::OnBuffer() {
    if (m_state != State::Decoding)
        return;
    const QAudioBuffer buffer = m_decoder->read();
    if (!buffer.isValid())
        return;
    if (!m_format.isValid())
        m_format = buffer.format();
    m_samples.append(buffer.constData<char>(), buffer.byteCount());
}

void DecodedSound::OnFinished() {
    if (m_state != State::Decoding)
        return;
    if (m_samples.isEmpty() || !m_format.isValid()) {
        Fail(QStringLiteral("No sound in the file"));
        return;
    }
    m_state = State::Ready;
    // The pipeline is no longer needed; the samples stay.
    m_decoder.release()->deleteLater();
    Q_EMIT Settled();
}

void DecodedSound::Fail(const QString& text) {
    if (m_state != State::Decoding)
        return;
    m_state = State::Failed;
    m_strError = text.isEmpty() ? QStringLiteral("The file cannot be decoded") : text;
    m_samples.clear();
    m_decoder.release()->deleteLater();
    Q_EMIT Settled();
}
