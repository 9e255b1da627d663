#pragma once

#include "show/DrawSounds.h"

// The sounds of the first screen, loaded once that screen is shown: setting up the sound players
// takes long enough at a start to hold the first frame back, and no sound can start before its
// file is decoded anyway. Whatever asks the players anything before then (a draw, a level
// change) finds the start's sounds loaded first, so the order of sounds stays as it was.
class StartupSounds : public DrawSounds {
public:
    explicit StartupSounds(DrawSounds& players) : m_players(players) {}

    // The level's sounds are to be loaded, and the rolling sound started when `roll`.
    void Defer(bool roll);
    // Does what Defer asked, once.
    void RunPending();
    bool IsPending() const { return m_bPending; }

    void ControlSounds(int kind) override;
    void LoadGradeSounds(int mode) override;

private:
    DrawSounds& m_players;
    bool m_bPending = false;
    bool m_bRoll = false;
};
