#include "show/StartupSounds.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class RecordingSounds : public DrawSounds {
public:
    void ControlSounds(int kind) override { calls << QStringLiteral("control %1").arg(kind); }
    void LoadGradeSounds(int mode) override { calls << QStringLiteral("load %1").arg(mode); }
    QStringList calls;
};

} // namespace

// The start's sounds come once, before anything else asks the players, in the order the start
// asked them: load, then the rolling sound unless the symbols stand on the start character.
TEST(StartupSoundsTest, TheStartsSoundsComeOnceAndBeforeAnyOtherAsk) {
    const struct {
        bool roll = false;
        bool drawFirst = false;
        QStringList calls;
    } cases[] = {
        {true, false, {"load 0", "control 0"}},
        {false, false, {"load 0"}},
        {true, true, {"load 0", "control 0", "control 1"}},
        {false, true, {"load 0", "control 1"}},
    };
    for (const auto& c : cases) {
        RecordingSounds players;
        StartupSounds sounds(players);
        sounds.Defer(c.roll);
        EXPECT_TRUE(players.calls.isEmpty());
        EXPECT_TRUE(sounds.IsPending());
        if (c.drawFirst)
            sounds.ControlSounds(DrawSounds::WinningNumber);
        sounds.RunPending();
        sounds.RunPending();
        EXPECT_FALSE(sounds.IsPending());
        EXPECT_EQ(players.calls, c.calls) << c.roll << c.drawFirst;
    }
    RecordingSounds players;
    StartupSounds sounds(players);
    sounds.LoadGradeSounds(-1);
    EXPECT_EQ(players.calls, QStringList{"load -1"});
}
