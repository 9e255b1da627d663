#pragma once

// The two timers of the automatic mode. A timer repeats until it is killed, and starting a
// running timer restarts it with the new period; the owner calls DrawSequence::OnTimer with the
// id each time one fires. A tick the sequence cannot take now is skipped and comes again.
class DrawTimers {
public:
    static constexpr int TIMER_SOUND_POLL = 1;
    static constexpr int TIMER_AUTO_RESTART = 2;
    static constexpr int TIMER_AUTO_STOP = 3;

    virtual ~DrawTimers() = default;

    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void KillTimer(int id) = 0;
};
