#pragma once

// Where the draw keeps what it did, as it goes: the settings files after every change of the
// winners or of the level on show, and after them the winners text file.
class WinnersOutput {
public:
    virtual ~WinnersOutput() = default;

    // The winners or the level changed: the status and scheme files are written again and, with
    // winnersText, the winners text file after them. It must not hold up the draw.
    virtual void SaveDrawState(bool winnersText) = 0;
    // Asked before a new number is drawn: true when the last draw step is on disk. A save that
    // failed is tried again first; when it fails again the operator has been told, and nothing
    // may be drawn.
    virtual bool EnsureDrawStateSaved() = 0;
};
