#include "show/BulletinPopup.h"

#include "model/LotteryNotify.h"

BulletinPopup::Action BulletinPopup::AfterDraw(const LotteryNotify& notify, bool screenDone,
                                               int levelDrawn, int quantity, int count) {
    Action a;
    if (!notify.m_bEnable) {
        a.sound = WinningSound;
        return a;
    }
    switch (notify.m_nShowWhen) {
    case 0:
        // The draw step has started the winning sound already.
        if (screenDone) {
            a.show = true;
            a.count = count;
            a.sound = BoardSound;
        }
        break;
    case 1:
        if (levelDrawn == quantity) {
            a.show = true;
            a.count = levelDrawn;
            a.sound = BoardSound;
        } else {
            a.sound = WinningSound;
        }
        break;
    case 2:
        a.show = true;
        a.count = notify.m_bShowAllWinners ? levelDrawn : count;
        a.sound = WinningSound;
        a.soundFirst = false;
        break;
    default:
        break;
    }
    return a;
}
