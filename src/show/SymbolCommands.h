#pragma once

class GradeInfo;

// The commands the draw sequence gives the symbol worker, one per thread message, delivered in
// the order given (a roll after a stop undoes the stop). Position 0 is a number's rightmost
// character; the symbol of position p in screen slot s is s x positions + p.
class SymbolCommands {
public:
    virtual ~SymbolCommands() = default;

    // UM_SYM_STOPPOS: the symbol stops on a frame (1 mask, k + 2 character k of the set).
    virtual void StopPosition(int position, int slot, int frame) = 0;
    // UM_SYM_ROLL: (0, 1) every symbol, (slot, -1) the symbols of one slot, (index, 0) one symbol.
    virtual void Roll(int target, int mode) = 0;
    // UM_SYM_HIDESLOT: a slot no number will fill on this screen.
    virtual void HideSlot(int slot) = 0;
    // UM_SYM_SETALL: every symbol of the screen shows one frame.
    virtual void ShowFrameOnAll(int frame) = 0;
    // UM_SYM_SETCOUNT: positions x numbers on the screen.
    virtual void SetCount(int count) = 0;
    // UM_SYM_LAYOUT: lays the symbols out; the worker answers with UM_SYM_READY 1.
    virtual void Layout() = 0;
    // UM_SYM_SETGRADE: the symbols load the movies of this level.
    virtual void SetGrade(const GradeInfo& grade) = 0;
    // UM_SYM_LANDED: once every symbol stopped by the commands given before has finished its
    // landing on the screen, the draw window calls DrawSequence::OnSymbolsLanded(token).
    virtual void ReportLanding(int token) = 0;
};
