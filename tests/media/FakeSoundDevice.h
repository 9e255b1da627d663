#pragma once

#include "media/SoundDevice.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>

// A sound card in a test: sounds have the lengths the test gives them and play along a clock the
// test moves by hand.
struct FakeClock {
    qint64 now = 0;
};

// What every fake device did, shared by all devices of a test.
struct FakeSoundWorld {
    FakeClock clock;
    QHash<QString, qint64> lengths; // playable files and their lengths
    QSet<QString> unplayable;       // open, then turn out to fail
    qint64 lengthKnownAfter = 0;    // ms after opening before a device knows the length
    QStringList opened;             // every open attempt, in order
    int devicesMade = 0;
    int failDevice = -1; // this device (0-based, in order made) fails every open
};

class FakeSoundDevice : public SoundDevice {
public:
    FakeSoundDevice(FakeSoundWorld& world, int index) : m_world(world), m_index(index) {}

    bool Open(const QString& file) override {
        m_world.opened.append(file);
        ++opens;
        m_open = false;
        m_playing = false;
        m_failed = m_world.unplayable.contains(file);
        if (m_index == m_world.failDevice || !m_world.lengths.contains(file))
            return false;
        m_open = true;
        m_file = file;
        m_openedAt = m_world.clock.now;
        m_pos = 0;
        return true;
    }
    void Play() override {
        if (!m_open || m_failed)
            return;
        m_playing = true;
        m_pos = 0;
        m_startedAt = m_world.clock.now;
    }
    void Stop() override {
        m_pos = Now();
        m_playing = false;
    }
    bool Position(qint64& ms) override {
        if (!m_open || m_failed)
            return false;
        ms = Now();
        return true;
    }
    bool Length(qint64& ms) override {
        if (!m_open || m_failed || m_world.clock.now - m_openedAt < m_world.lengthKnownAfter)
            return false;
        ms = m_world.lengths.value(m_file);
        return true;
    }
    void Close() override {
        m_open = false;
        m_playing = false;
        ++closes;
    }
    bool Failed() const override { return m_failed; }

    bool IsPlaying() const { return m_playing && Now() < m_world.lengths.value(m_file); }
    QString File() const { return m_file; }
    int opens = 0;
    int closes = 0;

private:
    qint64 Now() const {
        if (!m_playing)
            return m_pos;
        return std::min(m_world.clock.now - m_startedAt, m_world.lengths.value(m_file));
    }

    FakeSoundWorld& m_world;
    const int m_index;
    QString m_file;
    bool m_open = false;
    bool m_playing = false;
    bool m_failed = false;
    qint64 m_openedAt = 0;
    qint64 m_startedAt = 0;
    qint64 m_pos = 0;
};

// Makes fake devices and keeps a pointer to each, in the order made.
inline SoundDeviceFactory FakeFactory(FakeSoundWorld& world, QList<FakeSoundDevice*>& made) {
    return [&world, &made] {
        auto device = std::make_unique<FakeSoundDevice>(world, world.devicesMade++);
        made.append(device.get());
        return device;
    };
}
