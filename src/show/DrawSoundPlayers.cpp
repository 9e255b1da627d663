#include "show/DrawSoundPlayers.h"

#include "base/AppPaths.h"
#include "model/GradeInfo.h"

DrawSoundPlayers::DrawSoundPlayers() = default;

DrawSoundPlayers::DrawSoundPlayers(const SoundDeviceFactory& makeDevice)
    : m_bulletin(makeDevice), m_winning(makeDevice), m_rolling(makeDevice) {}

void DrawSoundPlayers::ControlSounds(int kind) {
    switch (kind) {
    case Rolling:
        m_rolling.PlayIfIdle();
        break;
    case WinningNumber:
        PlayAlone(m_winning, m_bulletin, m_rolling);
        break;
    case Bulletin:
        PlayAlone(m_bulletin, m_winning, m_rolling);
        break;
    default:
        break;
    }
}

void DrawSoundPlayers::PlayAlone(SoundMgr& own, SoundMgr& other, SoundMgr& rolling) {
    other.StopCurrent();
    rolling.StopCurrent();
    own.Restart();
}

void DrawSoundPlayers::LoadGradeSounds(int mode) {
    if (mode == -1) {
        m_rolling.Halt();
        m_winning.Halt();
        m_bulletin.Halt();
        return;
    }
    const GradeInfo* level = m_level ? m_level() : nullptr;
    if (!level)
        return;
    const LottrySound& s = level->m_sound;
    Load(m_rolling, s.m_strBackSound, s.m_bLoopBack);
    Load(m_bulletin, s.m_strBBSound, s.m_bLoopBB);
    Load(m_winning, s.m_strStopSound, s.m_bLoopStop);
}

void DrawSoundPlayers::Load(SoundMgr& player, const QString& file, bool loop) {
    player.m_bLoop = loop;
    // An empty name stays empty: the player then stays silent rather than opening the folder.
    player.Load(file.isEmpty() ? QString() : ResolveFileCase(MakeAbsolutePath(file)));
}

void DrawSoundPlayers::OnLoopTick() {
    for (SoundMgr* player : {&m_rolling, &m_winning, &m_bulletin}) {
        if (player->m_bPlaying && player->m_bLoop)
            player->OnLoopTick();
    }
}
