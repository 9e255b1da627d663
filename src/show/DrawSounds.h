#pragma once

// The draw window's three sound players, as the draw sequence drives them.
class DrawSounds {
public:
    enum Kind { Rolling = 0, WinningNumber = 1, Bulletin = 2 };

    virtual ~DrawSounds() = default;

    // 0 starts the rolling sound (when not already playing), 1 plays the winning-number sound
    // from its start, 2 the bulletin-board sound from its start.
    virtual void ControlSounds(int kind) = 0;
    // -1 stops all three players; any other value loads the current level's sounds (a player
    // whose file is unchanged keeps it loaded).
    virtual void LoadGradeSounds(int mode) = 0;
};
