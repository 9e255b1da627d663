#include "media/QtSoundDevice.h"

#include "base/AppPaths.h"
#include "media/DecodedSound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFileInfo>
#include <QMediaDevices>
#include <algorithm>

namespace {

// How close to its end a closed sound may play out.
constexpr qint64 kDrainMs = 200;
// The position runs this far ahead of the sound: a loop hands over to its other device one tick of
// the caller early, so that a tick that comes late on a busy GUI thread still finds the other
// device playing before this one has run dry. The two overlap by a moment rather than leave a gap.
constexpr qint64 kLeadMs = 50;
// What the output holds ahead: enough to ride out a busy moment of the GUI thread, which feeds it
// (a level change builds a whole screen). A stop still silences it at once.
constexpr qint64 kOutputBufferMs = 500;
constexpr int kFeedMs = 20;
// A stream that has taken nothing for this long while it had room is stuck.
constexpr qint64 kStallMs = 600;

} // namespace

QtSoundDevice::QtSoundDevice() = default;

QtSoundDevice::~QtSoundDevice() {
    QObject::disconnect(m_settled);
    m_feedTimer.stop();
    if (m_output)
        m_output->stop();
}

SoundDeviceFactory QtSoundDevice::Factory() {
    return [] { return std::make_unique<QtSoundDevice>(); };
}

bool QtSoundDevice::Open(const QString& file) {
    // Names stored by the Windows build may differ from the file's in case only.
    const QFileInfo info(ResolveFileCase(file));
    std::shared_ptr<DecodedSound> sound;
    if (info.isFile() && info.isReadable())
        sound = DecodedSound::Get(info.absoluteFilePath());
    // The new decoding is taken before the old is let go: the same file opened again (the next
    // turn of a loop) keeps its samples rather than decoding them anew.
    Close();
    QObject::disconnect(m_settled);
    m_sound = std::move(sound);
    m_bFailed = false;
    m_strError.clear();
    if (!m_sound) {
        Fail(QStringLiteral("Cannot read ") + file);
        return false;
    }
    m_settled = QObject::connect(m_sound.get(), &DecodedSound::Settled, m_sound.get(),
                                 [this] { OnSettled(); });
    m_bOpen = true;
    return true;
}

void QtSoundDevice::OnSettled() {
    if (!m_bOpen || !m_sound)
        return;
    if (m_sound->GetState() == DecodedSound::State::Failed) {
        Fail(m_sound->ErrorText());
        return;
    }
    if (m_bPending) {
        m_bPending = false;
        StartOutput();
    }
}

void QtSoundDevice::Play() {
    if (!m_bOpen || Failed())
        return;
    m_bStarted = true;
    m_heldMs = -1;
    if (m_sound->GetState() == DecodedSound::State::Ready)
        StartOutput();
    else
        m_bPending = true;
}

void QtSoundDevice::StartOutput() {
    const QAudioFormat format = m_sound->Format();
    if (!m_output || m_output->format() != format) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            Fail(QStringLiteral("No sound output"));
            return;
        }
        m_output = std::make_unique<QAudioSink>(device, format);
        ++m_nOutputsMade;
        m_output->setBufferSize(format.bytesForDuration(kOutputBufferMs * 1000));
    }
    m_output->stop();
    m_samples = m_sound->Samples();
    m_nFed = 0;
    m_pStream = m_output->start();
    if (!m_pStream || m_output->error() == QAudio::OpenError) {
        m_pStream = nullptr;
        Fail(QStringLiteral("The sound output cannot be opened"));
        return;
    }
    m_clock.start();
    m_sinceFed.start();
    if (!m_feedTimer.isActive()) {
        m_feedTimer.setTimerType(Qt::PreciseTimer);
        m_feedTimer.setInterval(kFeedMs);
        m_feedTimer.callOnTimeout([this] { Feed(); });
    }
    m_feedTimer.start();
    Feed();
}

void QtSoundDevice::Feed() {
    if (!m_pStream || !m_output) {
        m_feedTimer.stop();
        return;
    }
    while (m_nFed < m_samples.size()) {
        const qsizetype room = m_output->bytesFree();
        if (room <= 0)
            break;
        const qint64 n = m_pStream->write(m_samples.constData() + m_nFed,
                                          qMin<qsizetype>(room, m_samples.size() - m_nFed));
        if (n <= 0)
            break;
        m_nFed += n;
        m_sinceFed.start();
    }
    if (m_nFed >= m_samples.size()) {
        // Everything is with the output, which plays it out by itself.
        m_feedTimer.stop();
        return;
    }
    if (m_sinceFed.elapsed() > kStallMs) {
        // The sound server has stopped taking this stream; a new one carries on.
        m_output->stop();
        m_pStream = m_output->start();
        m_sinceFed.start();
    }
}

void QtSoundDevice::Stop() {
    if (!m_bOpen || !m_bStarted)
        return;
    if (m_heldMs < 0) {
        qint64 ms = 0;
        Position(ms);
        m_heldMs = ms;
    }
    m_bPending = false;
    m_feedTimer.stop();
    m_pStream = nullptr;
    if (m_output)
        m_output->stop();
}

qint64 QtSoundDevice::LengthMs() const {
    return m_sound ? m_sound->LengthMs() : 0;
}

bool QtSoundDevice::Position(qint64& ms) {
    if (!m_bOpen || Failed())
        return false;
    if (!m_bStarted) {
        ms = 0;
    } else if (m_heldMs >= 0) {
        ms = m_heldMs;
    } else if (m_bPending || !m_clock.isValid()) {
        ms = 1; // started, though the samples are not there yet: not a finished sound
    } else {
        // The output's clock: what it has played reaches the hall at the pace of the wall clock.
        ms = std::clamp<qint64>(m_clock.elapsed() + kLeadMs, 1, std::max<qint64>(LengthMs(), 1));
    }
    return true;
}

bool QtSoundDevice::Length(qint64& ms) {
    if (!m_bOpen || Failed() || LengthMs() <= 0)
        return false;
    ms = LengthMs();
    return true;
}

bool QtSoundDevice::NearEnd() const {
    return m_bStarted && m_heldMs < 0 && !m_bPending && m_clock.isValid() &&
           LengthMs() - m_clock.elapsed() <= kDrainMs;
}

void QtSoundDevice::Close() {
    if (!m_bOpen)
        return;
    // What is left of a sound closed in its last moments is still fed and played out.
    if (!m_output || !NearEnd()) {
        m_feedTimer.stop();
        m_pStream = nullptr;
        if (m_output)
            m_output->stop();
    }
    m_bOpen = false;
    m_bStarted = false;
    m_bPending = false;
    m_heldMs = -1;
    m_clock.invalidate();
}

bool QtSoundDevice::Failed() const {
    return m_bFailed || (m_sound && m_bOpen && m_sound->GetState() == DecodedSound::State::Failed);
}

QString QtSoundDevice::ErrorText() const {
    if (m_strError.isEmpty() && m_sound && m_sound->GetState() == DecodedSound::State::Failed)
        return m_sound->ErrorText();
    return m_strError;
}

void QtSoundDevice::Fail(const QString& text) {
    m_bFailed = true;
    m_bPending = false;
    m_strError = text;
}
