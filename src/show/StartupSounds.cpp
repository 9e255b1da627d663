#include "show/StartupSounds.h"

void StartupSounds::Defer(bool roll) {
    m_bPending = true;
    m_bRoll = roll;
}

void StartupSounds::RunPending() {
    if (!m_bPending)
        return;
    m_bPending = false;
    m_players.LoadGradeSounds(0);
    if (m_bRoll)
        m_players.ControlSounds(DrawSounds::Rolling);
}

void StartupSounds::ControlSounds(int kind) {
    RunPending();
    m_players.ControlSounds(kind);
}

void StartupSounds::LoadGradeSounds(int mode) {
    RunPending();
    m_players.LoadGradeSounds(mode);
}
