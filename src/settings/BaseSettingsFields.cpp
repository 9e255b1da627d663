#include "settings/BaseSettingsFields.h"

#include "model/GradeInfo.h"

BaseSettingsFields BaseSettingsFields::FromLevel(const GradeInfo& level) {
    const GradeBase& base = level.m_base;
    const LotteryTakeStyle& style = level.m_takeStyle;
    BaseSettingsFields f;
    f.name = base.m_strName;
    f.quantity = quint32(base.m_nQuantity);
    f.perScreen = quint32(base.m_nPerScreen);
    f.stopStyle = style.m_nStopMode == LotteryTakeStyle::StopScreen ? kStopAll : kStopOne;
    f.stopDigit = style.m_nStopMode == LotteryTakeStyle::StopCharacter;
    f.direction = style.m_nDirection;
    f.pause = base.m_bPauseWhenDone != 0;
    f.autoDraw = base.m_bAutoDraw != 0;
    f.stopTime = base.m_nStopTime;
    f.scrollTime = base.m_nScrollTime;
    f.switchTime = base.m_nSwitchTime;
    return f;
}

void BaseSettingsFields::ToLevel(GradeInfo& level) const {
    GradeBase& base = level.m_base;
    LotteryTakeStyle& style = level.m_takeStyle;
    base.m_strName = name;
    base.m_nQuantity = qint32(quantity);
    base.m_nPerScreen = qint32(perScreen);
    if (stopStyle == kStopAll)
        style.m_nStopMode = LotteryTakeStyle::StopScreen;
    else
        style.m_nStopMode =
            stopDigit ? LotteryTakeStyle::StopCharacter : LotteryTakeStyle::StopNumber;
    style.m_nDirection = direction;
    base.m_bPauseWhenDone = pause ? 1 : 0;
    base.m_bAutoDraw = autoDraw ? 1 : 0;
    base.m_nStopTime = stopTime;
    base.m_nScrollTime = scrollTime;
    base.m_nSwitchTime = switchTime;
}

BaseSettingsFields::Enabling BaseSettingsFields::EnablingFor(quint32 perScreen, bool stopDigit) {
    Enabling e;
    if (perScreen == 1) {
        e.stopAll = false;
        e.direction = stopDigit;
    } else {
        e.stopDigit = false;
        e.direction = false;
    }
    return e;
}
