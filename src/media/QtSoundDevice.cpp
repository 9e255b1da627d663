#include "media/QtSoundDevice.h"

#include "base/AppPaths.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QList>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>

namespace {

// How close to its end a closed sound may play out.
constexpr qint64 kDrainMs = 100;

int g_channelsMade = 0;

} // namespace

struct QtSoundDevice::Channel {
    // Declared before the player so that the player goes first.
    std::unique_ptr<QAudioOutput> output = std::make_unique<QAudioOutput>();
    std::unique_ptr<QMediaPlayer> player = std::make_unique<QMediaPlayer>();
    QList<QMetaObject::Connection> reports;

    Channel() { player->setAudioOutput(output.get()); }
    ~Channel() { Detach(); }
    // The device no longer hears from this channel.
    void Detach() {
        for (const QMetaObject::Connection& c : reports)
            QObject::disconnect(c);
        reports.clear();
    }
};

QtSoundDevice::QtSoundDevice() = default;

QtSoundDevice::~QtSoundDevice() = default;

SoundDeviceFactory QtSoundDevice::Factory() {
    return [] { return std::make_unique<QtSoundDevice>(); };
}

int QtSoundDevice::ChannelsMade() {
    return g_channelsMade;
}

std::unique_ptr<QtSoundDevice::Channel> QtSoundDevice::MakeChannel() {
    ++g_channelsMade;
    auto ch = std::make_unique<Channel>();
    QMediaPlayer* player = ch->player.get();
    ch->reports.append(
        QObject::connect(player, &QMediaPlayer::errorOccurred, player,
                         [this](QMediaPlayer::Error, const QString& text) { Fail(text); }));
    ch->reports.append(
        QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player,
                         [this](QMediaPlayer::MediaStatus status) { OnStatus(status); }));
    return ch;
}

void QtSoundDevice::OnStatus(QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::InvalidMedia)
        Fail(QStringLiteral("Invalid media"));
    if (status == QMediaPlayer::EndOfMedia && m_bDraining) {
        m_bDraining = false;
        m_channel->player->setPosition(0);
    }
}

void QtSoundDevice::Fail(const QString& text) {
    m_bFailed = true;
    m_strError = text;
}

bool QtSoundDevice::Open(const QString& file) {
    Close();
    m_bFailed = false;
    m_strError.clear();
    // Names stored by the Windows build may differ from the file's in case only.
    const QFileInfo info(ResolveFileCase(file));
    if (!info.isFile() || !info.isReadable()) {
        Fail(QStringLiteral("Cannot read ") + file);
        return false;
    }
    if (!m_channel)
        m_channel = MakeChannel();
    const QUrl source = QUrl::fromLocalFile(info.absoluteFilePath());
    QMediaPlayer& player = *m_channel->player;
    // The same file still in the player is the next turn of a loop: a new source would tear the
    // pipeline down and build it again on this thread while the show runs; winding back is a seek.
    if (player.source() != source) {
        m_bDraining = false;
        player.setSource(source);
    } else if (player.mediaStatus() == QMediaPlayer::EndOfMedia) {
        m_bDraining = false;
        player.setPosition(0);
    }
    m_bOpen = true;
    return true;
}

void QtSoundDevice::Play() {
    if (!m_bOpen)
        return;
    m_bDraining = false;
    m_channel->player->setPosition(0);
    m_channel->player->play();
    m_bStarted = true;
}

void QtSoundDevice::Stop() {
    if (m_bOpen)
        m_channel->player->pause();
}

bool QtSoundDevice::Position(qint64& ms) {
    if (!m_bOpen || m_bFailed)
        return false;
    const QMediaPlayer& p = *m_channel->player;
    ms = p.position();
    if (p.mediaStatus() == QMediaPlayer::EndOfMedia)
        ms = std::max(ms, p.duration());
    else if (m_bStarted && ms <= 0 && p.playbackState() == QMediaPlayer::PlayingState)
        ms = 1; // started, though the pipeline's clock has not run yet: not a finished sound
    return true;
}

bool QtSoundDevice::Length(qint64& ms) {
    if (!m_bOpen || m_bFailed || m_channel->player->duration() <= 0)
        return false;
    ms = m_channel->player->duration();
    return true;
}

bool QtSoundDevice::NearEnd() const {
    const QMediaPlayer& p = *m_channel->player;
    return m_bStarted && !m_bFailed && p.playbackState() == QMediaPlayer::PlayingState &&
           p.duration() > 0 && p.duration() - p.position() <= kDrainMs;
}

void QtSoundDevice::Close() {
    if (!m_bOpen)
        return;
    if (NearEnd()) {
        m_bDraining = true;
    } else {
        m_bDraining = false;
        m_channel->player->stop();
        m_channel->player->setSource(QUrl());
    }
    m_bOpen = false;
    m_bStarted = false;
}

bool QtSoundDevice::Failed() const {
    return m_bFailed;
}
