#pragma once

#include "model/ScreenMapping.h"

#include <QRect>

class APanel;
class GradeInfo;
class LotteryBanner;
class LotteryNotify;
class LotterySym;
class TumoStatus;

// The stored layout's records as they show on the screen in use (ScreenMapping): what the show
// draws from, and, once the operator places elements on this screen, what is stored, so that a
// placement is kept in the pixels it was made in and everything else shows as it did.
class LayoutRebase {
public:
    // The board's place, its number area and outline, its fonts and line space.
    static void MapNotify(LotteryNotify& notify, const ScreenMapping& mapping);
    // A text panel's place and font height; a panel never placed keeps its empty rectangle.
    static void MapPanel(APanel& panel, const ScreenMapping& mapping);
    static void MapBanner(LotteryBanner& banner, const ScreenMapping& mapping);
    // Placed symbol cells only: an automatic layout is laid out afresh on each screen instead.
    static void MapSymbols(LotterySym& sym, int rows, int positions, const ScreenMapping& mapping);
    // Every level.
    static void MapStatus(TumoStatus& status, const ScreenMapping& mapping);

    // What the stored layout covers of its screen: placed symbols, board, shown banner and
    // placed text panels. Empty when nothing is placed.
    static QRect PlacedBounds(const TumoStatus& status);
};
