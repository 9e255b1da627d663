#pragma once

#include <QString>

class GradeInfo;

// The parts of the draw window that follow a level change: background, banner, the symbol set of
// the level's movie, and the window itself.
class DrawScreen {
public:
    virtual ~DrawScreen() = default;

    // The level's background (movie or picture), stretched over the window as the level says.
    virtual void LoadBackground(const GradeInfo& grade) = 0;
    // The level's banner, placed and playing.
    virtual void ShowBanner(const GradeInfo& grade) = 0;
    // The banner movie stops and its window hides.
    virtual void HideBanner() = 0;
    // The characters the level's default symbol movie can show, in frame order; empty when the
    // movie cannot be read (reported by the screen).
    virtual QString LoadSymbolSet(const GradeInfo& grade) = 0;
    // Repaints the whole window now.
    virtual void RepaintAll() = 0;
    // Takes input again, or none while the check-list pop-up is open.
    virtual void EnableWindow(bool enable) = 0;
};
