#include "media/QtSoundDevice.h"
#include "media/SoundMgr.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QtEndian>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// The real device, headless: perhaps no sound card, GStreamer back end. Playback either starts or
// the device reports a clean failure; nothing hangs and nothing crashes. Tests that pass either way
// say so in their names, and check what holds without audio: the file is found and decoded, and a
// failure is reported.

namespace {

constexpr int kMaxWaitMs = 3000;

void WriteSineWav(const QString& path, int ms) {
    const int rate = 44100;
    const int frames = rate * ms / 1000;
    QByteArray pcm;
    QDataStream out(&pcm, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    for (int i = 0; i < frames; ++i)
        out << static_cast<qint16>(8000 * std::sin(2 * M_PI * 440 * i / rate));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QDataStream h(&f);
    h.setByteOrder(QDataStream::LittleEndian);
    h.writeRawData("RIFF", 4);
    h << quint32(36 + pcm.size());
    h.writeRawData("WAVEfmt ", 8);
    h << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
      << quint16(16);
    h.writeRawData("data", 4);
    h << quint32(pcm.size());
    f.write(pcm);
}

void WriteMidi(const QString& path) {
    // One track: four quarter-ish notes on a piano.
    QByteArray track;
    track.append("\x00\xC0\x00", 3);
    for (char note : {60, 64, 67, 72}) {
        track.append('\x00').append('\x90').append(note).append('\x64');
        track.append('\x81').append('\x70').append('\x80').append(note).append('\x00');
    }
    track.append("\x00\xFF\x2F\x00", 4);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14);
    file.append("MTrk");
    quint32 len = qToBigEndian<quint32>(track.size());
    file.append(reinterpret_cast<const char*>(&len), 4);
    file.append(track);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
}

// Runs the event loop until `done` holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& done, int ms = kMaxWaitMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// How the media back end finds the file, without playing it: loaded (found and decoded) or
// invalid. The back end settles this whether or not a sound device opens.
QMediaPlayer::MediaStatus LoadStatus(const QString& file) {
    QAudioOutput output;
    QMediaPlayer player;
    player.setAudioOutput(&output);
    player.setSource(QUrl::fromLocalFile(file));
    WaitFor([&] {
        return player.mediaStatus() == QMediaPlayer::LoadedMedia ||
               player.mediaStatus() == QMediaPlayer::InvalidMedia;
    });
    return player.mediaStatus();
}

// Plays `file` and waits until it has clearly started or the device has given up: both pass,
// for a machine without a sound device gives up. A sound that plays has the length `lengthMs`
// (when given); a failure says why and leaves no position.
void ExpectPlaysOrFailsCleanly(const QString& file, qint64 lengthMs = 0) {
    QtSoundDevice device;
    ASSERT_TRUE(device.Open(file)) << "the file is there";
    device.Play();
    qint64 pos = 0;
    const bool settled =
        WaitFor([&] { return device.Failed() || (device.Position(pos) && pos >= 100); });
    ASSERT_TRUE(settled) << "neither played nor failed";
    if (device.Failed()) {
        EXPECT_FALSE(device.ErrorText().isEmpty());
        EXPECT_FALSE(device.Position(pos));
        return;
    }
    qint64 length = 0;
    EXPECT_TRUE(device.Length(length));
    EXPECT_GT(length, 0);
    if (lengthMs > 0) {
        EXPECT_NEAR(double(length), double(lengthMs), 50.0);
    }
    device.Stop();
    device.Close();
    EXPECT_FALSE(device.Position(pos));
}

TEST(QtSoundDeviceTest, AWavIsDecodedThenPlaysOrFailsCleanlyEvenWhenNoDeviceOpens) {
    QTemporaryDir dir;
    WriteSineWav(dir.filePath("tone.wav"), 600);
    EXPECT_EQ(LoadStatus(dir.filePath("tone.wav")), QMediaPlayer::LoadedMedia);
    ExpectPlaysOrFailsCleanly(dir.filePath("tone.wav"), 600);
}

TEST(QtSoundDeviceTest, AMidiFilePlaysOrFailsCleanlyEvenWithoutASynthesiserOrDevice) {
    QTemporaryDir dir;
    WriteMidi(dir.filePath("tune.mid"));
    // Without the soundfont synthesiser the back end cannot read MIDI: the device says so
    // before anything is played.
    if (LoadStatus(dir.filePath("tune.mid")) == QMediaPlayer::InvalidMedia) {
        QtSoundDevice device;
        ASSERT_TRUE(device.Open(dir.filePath("tune.mid")));
        EXPECT_TRUE(WaitFor([&] { return device.Failed(); }));
        EXPECT_FALSE(device.ErrorText().isEmpty());
        return;
    }
    ExpectPlaysOrFailsCleanly(dir.filePath("tune.mid"));
}

TEST(QtSoundDeviceTest, NameDifferingInCaseOnlyFindsTheFileWithoutAnAudioDevice) {
    QTemporaryDir dir;
    WriteSineWav(dir.filePath("defStopSound.wav"), 200);
    QtSoundDevice device;
    EXPECT_TRUE(device.Open(dir.filePath("DEFSTOPSOUND.WAV")));
    EXPECT_FALSE(device.Failed());
    EXPECT_TRUE(device.ErrorText().isEmpty());
}

TEST(QtSoundDeviceTest, MissingOrUndecodableFilesFailWithoutAnAudioDevice) {
    QTemporaryDir dir;
    QtSoundDevice device;
    EXPECT_FALSE(device.Open(dir.filePath("none.wav")));
    EXPECT_TRUE(device.Failed());
    EXPECT_TRUE(device.ErrorText().contains(QStringLiteral("none.wav")));

    // Not a sound at all: the back end refuses it while reading, before any device is involved.
    QFile junk(dir.filePath("junk.wav"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_EQ(LoadStatus(dir.filePath("junk.wav")), QMediaPlayer::InvalidMedia);
    ASSERT_TRUE(device.Open(dir.filePath("junk.wav")));
    EXPECT_TRUE(WaitFor([&] { return device.Failed(); }));
    EXPECT_FALSE(device.ErrorText().isEmpty());
    qint64 ms = 0;
    EXPECT_FALSE(device.Position(ms));
    EXPECT_FALSE(device.Length(ms));
    device.Play(); // nothing to play, nothing breaks
    EXPECT_TRUE(device.Failed());
}

TEST(QtSoundDeviceTest, LoopingPlayerHandsOverOnTheRealDeviceOrStopsCleanlyWhenNoneOpens) {
    QTemporaryDir dir;
    WriteSineWav(dir.filePath("loop.wav"), 250);
    EXPECT_EQ(LoadStatus(dir.filePath("loop.wav")), QMediaPlayer::LoadedMedia);
    SoundMgr player;
    player.m_strFile = dir.filePath("loop.wav");
    player.m_bLoop = true;
    player.Start();
    player.PlayIfIdle();
    int swaps = 0;
    MCISound* last = &player.Current();
    QElapsedTimer tick;
    tick.start();
    const bool looped = WaitFor([&] {
        if (tick.elapsed() >= 50) {
            tick.restart();
            player.OnLoopTick();
            if (&player.Current() != last)
                ++swaps;
            last = &player.Current();
        }
        return swaps >= 2 || player.Current().HasFailed();
    });
    EXPECT_TRUE(looped) << "swaps: " << swaps;
    player.Stop();
    EXPECT_FALSE(player.m_bPlaying);
    EXPECT_FALSE(player.Current().m_bOpen);
    EXPECT_FALSE(player.Other().m_bOpen);
}

// A looping sound turns every few seconds while the symbols roll; building a media pipeline at
// each turn held the show's frames up. After the first turns the two devices play on the players
// they have, and each turn still starts at the beginning and lasts the sound's length.
TEST(QtSoundDeviceTest, LoopTurnsWindTheirPlayersBackRatherThanBuildingNewOnes) {
    QTemporaryDir dir;
    WriteSineWav(dir.filePath("loop.wav"), 400);
    std::vector<const QtSoundDevice*> devices; // owned by the player
    SoundMgr player([&devices] {
        auto device = std::make_unique<QtSoundDevice>();
        devices.push_back(device.get());
        return device;
    });
    player.m_strFile = dir.filePath("loop.wav");
    player.m_bLoop = true;
    player.Start();
    player.PlayIfIdle();
    std::vector<qint64> turns;
    MCISound* last = &player.Current();
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    WaitFor(
        [&] {
            if (clock.elapsed() - lastTick >= 50) {
                lastTick = clock.elapsed();
                player.OnLoopTick();
                if (&player.Current() != last)
                    turns.push_back(clock.elapsed());
                last = &player.Current();
            }
            return turns.size() >= 6 || player.Current().HasFailed();
        },
        8000);
    if (player.Current().HasFailed())
        GTEST_SKIP() << "no sound device here";
    ASSERT_EQ(turns.size(), 6u);
    int outputs = 0;
    for (const QtSoundDevice* device : devices)
        outputs += device->OutputsMade();
    EXPECT_LE(outputs, 2);
    for (size_t i = 1; i < turns.size(); ++i)
        EXPECT_GT(turns[i] - turns[i - 1], 250) << "turn " << i << " came too soon";
    player.Stop();
}

} // namespace
