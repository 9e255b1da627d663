#pragma once

#include "media/SoundMgr.h"
#include "show/DrawSounds.h"

#include <functional>

class GradeInfo;

// The draw window's three sound players: the bulletin-board sound, the winning-number sound and
// the rolling sound of the level on the screen. A winning number or the board silences the other
// two and plays its own sound from the start; the rolling sound starts only when it is not
// counted as playing already. Sounds that loop are kept going by the window's 50 ms timer.
class DrawSoundPlayers : public DrawSounds {
public:
    using LevelSource = std::function<const GradeInfo*()>;

    static constexpr int kLoopTickMs = 50;

    DrawSoundPlayers();
    explicit DrawSoundPlayers(const SoundDeviceFactory& makeDevice);

    // Where the level's sounds come from when they are loaded.
    void SetLevelSource(LevelSource level) { m_level = std::move(level); }

    void ControlSounds(int kind) override;
    void LoadGradeSounds(int mode) override;
    // The 50 ms tick: each looping player that plays hands over at the end of its sound.
    void OnLoopTick();

    SoundMgr m_bulletin;
    SoundMgr m_winning;
    SoundMgr m_rolling;

private:
    static void Load(SoundMgr& player, const QString& file, bool loop);
    // Silences the two others and plays `own` again from its start.
    static void PlayAlone(SoundMgr& own, SoundMgr& other, SoundMgr& rolling);

    LevelSource m_level;
};
