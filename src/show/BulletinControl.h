#pragma once

// What the draw sequence tells the bulletin board of the draw window.
class BulletinControl {
public:
    virtual ~BulletinControl() = default;

    // Lays the board out first when it was marked for it, lists the last count numbers of the
    // current level, puts its scroll back to the start and shows it.
    virtual void ShowBulletin(int count) = 0;
    virtual void RestartScroll() = 0;
    virtual void HideBulletin() = 0;
    // The level changed: the board lays itself out again before it is next shown.
    virtual void MarkBulletinReshape() = 0;
};
