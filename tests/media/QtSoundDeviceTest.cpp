#include "media/QtSoundDevice.h"
#include "media/SoundMgr.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

// The real device, headless: no sound card, GStreamer back end. Playback either starts or the
// device reports a clean failure; nothing hangs and nothing crashes.

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

// Plays `file` and waits until it has clearly started or the device has given up.
void ExpectPlaysOrFailsCleanly(const QString& file) {
    QtSoundDevice device;
    if (!device.Open(file)) {
        EXPECT_TRUE(device.Failed());
        return;
    }
    device.Play();
    qint64 pos = 0;
    const bool settled =
        WaitFor([&] { return device.Failed() || (device.Position(pos) && pos >= 100); });
    ASSERT_TRUE(settled) << "neither played nor failed";
    if (device.Failed()) {
        EXPECT_FALSE(device.ErrorText().isEmpty());
        return;
    }
    qint64 length = 0;
    EXPECT_TRUE(device.Length(length));
    EXPECT_GT(length, 0);
    device.Stop();
    device.Close();
    EXPECT_FALSE(device.Position(pos));
}

TEST(QtSoundDeviceTest, PlaysAWavOrFailsCleanly) {
    QTemporaryDir dir;
    WriteSineWav(dir.filePath("tone.wav"), 600);
    ExpectPlaysOrFailsCleanly(dir.filePath("tone.wav"));
}

TEST(QtSoundDeviceTest, PlaysAMidiFileOrFailsCleanly) {
    QTemporaryDir dir;
    WriteMidi(dir.filePath("tune.mid"));
    ExpectPlaysOrFailsCleanly(dir.filePath("tune.mid"));
}

TEST(QtSoundDeviceTest, NameDifferingInCaseOnlyFindsTheFile) {
    QTemporaryDir dir;
    WriteSineWav(dir.filePath("defStopSound.wav"), 200);
    QtSoundDevice device;
    EXPECT_TRUE(device.Open(dir.filePath("DEFSTOPSOUND.WAV")));
    EXPECT_FALSE(device.Failed());
}

TEST(QtSoundDeviceTest, MissingOrUnreadableFilesFail) {
    QTemporaryDir dir;
    QtSoundDevice device;
    EXPECT_FALSE(device.Open(dir.filePath("none.wav")));
    EXPECT_TRUE(device.Failed());

    QFile junk(dir.filePath("junk.wav"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    if (device.Open(dir.filePath("junk.wav"))) {
        device.Play();
        EXPECT_TRUE(WaitFor([&] { return device.Failed(); }));
    }
    qint64 ms = 0;
    EXPECT_FALSE(device.Position(ms));
}

TEST(QtSoundDeviceTest, LoopingPlayerHandsOverOnTheRealDevice) {
    QTemporaryDir dir;
    WriteSineWav(dir.filePath("loop.wav"), 250);
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
}

} // namespace
