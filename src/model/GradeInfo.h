#pragma once

#include "model/GradeBase.h"
#include "model/LotteryAPanel.h"
#include "model/LotteryBanner.h"
#include "model/LotteryBg.h"
#include "model/LotteryMask.h"
#include "model/LotteryNotify.h"
#include "model/LotterySym.h"
#include "model/LotteryTakeStyle.h"
#include "model/LottrySound.h"
#include "model/TakedNu.h"

class Archive;

// One prize level: its rules, the numbers drawn in it and its look on the draw screen. A level
// is a plain value: copying one copies every list it holds, so a dialog can edit a copy and put
// it back.
class GradeInfo {
public:
    static const char* ClassName() { return "GradeInfo"; }

    // Writes or reads the ten parts, each untagged; the caller writes the level's own tag.
    void Serialize(Archive& ar);

    friend bool operator==(const GradeInfo&, const GradeInfo&) = default;

    LottrySound m_sound;
    TakedNu m_taken;
    GradeBase m_base;
    LotteryBg m_bg;
    LotteryBanner m_banner;
    LotteryTakeStyle m_takeStyle;
    LotterySym m_sym;
    LotteryMask m_mask;
    LotteryNotify m_notify;
    LotteryAPanel m_aPanel;
};
