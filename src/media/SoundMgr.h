#pragma once

#include "media/MCISound.h"
#include "media/SoundDevice.h"

#include <QString>

// A player for one sound that loops without a gap: two devices are opened on the same file, and
// when the one playing comes within 50 ms of its end (the caller ticks every 50 ms), the other,
// already open at its start, takes over while the first is opened again for the next turn.
//
// Each player opens the sound file itself, so players of the same file, or of files of the same
// name in different folders, never share or delete anything of each other's.
class SoundMgr {
public:
    // A player on the QtMultimedia device.
    SoundMgr();
    explicit SoundMgr(const SoundDeviceFactory& makeDevice);
    virtual ~SoundMgr();
    SoundMgr(const SoundMgr&) = delete;
    SoundMgr& operator=(const SoundMgr&) = delete;

    // Opens both devices on m_strFile (an absolute path). Does not start playing and leaves
    // m_bPlaying as it was. Returns 1.
    int Start();
    // Called every 50 ms while playing: hands over to the other device at the end of the sound.
    void OnLoopTick();
    // Closes both devices; the player no longer counts as playing.
    void Stop();
    // Makes `file` (an absolute path, or empty for silence) the player's sound. Devices are
    // opened only when the file differs from the one they hold: a media pipeline's set-up can
    // take long on some audio outputs, and a level change must not wait for it needlessly.
    void Load(const QString& file);
    // Halts both devices where they are and clears the playing mark; the file stays open.
    void Halt();

    // The draw show's controls.
    // Starts the sound unless the player already counts as playing (a sound that ended by itself
    // still counts until StopCurrent).
    void PlayIfIdle();
    // Halts the sound where it is and clears the playing mark.
    void StopCurrent();
    // Plays the sound again from its start, whatever it was doing.
    void Restart();

    MCISound& Current() { return *m_pCurrent; }
    MCISound& Other() { return *m_pOther; }

    bool m_bLoop = false;
    bool m_bPlaying = false;
    QString m_strFile;

private:
    // The margin before the end at which the other device takes over: one tick of the caller.
    static constexpr qint64 kEndMarginMs = 50;

    bool ReachedEnd(MCISound& sound);
    static void Rearm(MCISound& sound);

    QString m_strLoaded; // the file both devices were opened on; empty once closed
    MCISound m_first;
    MCISound m_second;
    MCISound* m_pCurrent;
    MCISound* m_pOther;
};
