#pragma once

class LotteryNotify;

// What the draw window does with the board after a finished number, by the level's board
// settings: whether it pops the board up, listing how many numbers, and which sound it plays.
class BulletinPopup {
public:
    enum Sound { NoSound = 0, WinningSound = 1, BoardSound = 2 }; // the draw window's sound ids

    struct Action {
        bool show = false;
        int count = 0; // numbers to list when shown
        Sound sound = NoSound;
        bool soundFirst = true; // the sound starts before the board is shown
    };

    // screenDone: the screen holds a finished result; levelDrawn and quantity: the level's
    // drawn count and number of winners; count: numbers drawn on this screen.
    static Action AfterDraw(const LotteryNotify& notify, bool screenDone, int levelDrawn,
                            int quantity, int count);
};
