#include "media/SoundMgr.h"
#include "FakeSoundDevice.h"

#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

class SoundMgrTest : public ::testing::Test {
protected:
    SoundMgrTest() { world.lengths = {{"/show/roll.wav", 2000}, {"/show/short.wav", 30}}; }

    std::unique_ptr<SoundMgr> MakePlayer(const QString& file, bool loop) {
        auto player = std::make_unique<SoundMgr>(FakeFactory(world, devices));
        player->m_strFile = file;
        player->m_bLoop = loop;
        player->Start();
        return player;
    }
    // The 50 ms timer of the draw window, with the clock set to `ms`.
    void TickAt(SoundMgr& player, qint64 ms) {
        world.clock.now = ms;
        player.OnLoopTick();
    }

    FakeSoundWorld world;
    QList<FakeSoundDevice*> devices;
};

TEST_F(SoundMgrTest, StartOpensBothDevicesOnTheFileItself) {
    auto player = MakePlayer("/show/roll.wav", true);
    EXPECT_EQ(world.opened, QStringList({"/show/roll.wav", "/show/roll.wav"}));
    EXPECT_EQ(player->Current().m_nLength, 2000);
    EXPECT_EQ(player->Other().m_nLength, 2000);
    EXPECT_FALSE(player->m_bPlaying);
    EXPECT_FALSE(devices[0]->IsPlaying());
}

TEST_F(SoundMgrTest, LoopHandsOverOnlyAfterTheLast50Ms) {
    auto player = MakePlayer("/show/roll.wav", true);
    player->PlayIfIdle();
    MCISound* first = &player->Current();
    for (qint64 t = 50; t <= 1900; t += 50)
        TickAt(*player, t);
    TickAt(*player, 1950);
    EXPECT_EQ(&player->Current(), first) << "1950 is not beyond 2000 - 50";
    TickAt(*player, 1951);
    ASSERT_NE(&player->Current(), first);
    EXPECT_TRUE(devices[1]->IsPlaying());
    // The device that finished was closed and opened again, ready at its start.
    EXPECT_EQ(devices[0]->closes, 1);
    EXPECT_EQ(world.opened.size(), 3);
    EXPECT_TRUE(first->m_bOpen);
    EXPECT_FALSE(first->m_bPlaying);
    EXPECT_EQ(first->GetPosition(), 0);

    // And back again one length later.
    TickAt(*player, 1951 + 1900);
    EXPECT_NE(&player->Current(), first);
    TickAt(*player, 1951 + 1960);
    EXPECT_EQ(&player->Current(), first);
    EXPECT_TRUE(devices[0]->IsPlaying());
}

TEST_F(SoundMgrTest, LoopHandsOverWhenThePositionReadsZero) {
    auto player = MakePlayer("/show/roll.wav", true);
    player->m_bPlaying = true; // marked playing, but its device never started
    MCISound* first = &player->Current();
    TickAt(*player, 50);
    EXPECT_NE(&player->Current(), first);
    EXPECT_TRUE(devices[1]->IsPlaying());
}

TEST_F(SoundMgrTest, SoundShorterThanTheMarginStillLoops) {
    auto player = MakePlayer("/show/short.wav", true);
    player->PlayIfIdle();
    int swaps = 0;
    MCISound* last = &player->Current();
    for (qint64 t = 50; t <= 500; t += 50) {
        TickAt(*player, t);
        if (&player->Current() != last)
            ++swaps;
        last = &player->Current();
        EXPECT_EQ(player->Current().m_bPlaying, true);
    }
    EXPECT_EQ(swaps, 10);
}

TEST_F(SoundMgrTest, NothingHappensUnlessLoopingAndPlaying) {
    auto once = MakePlayer("/show/roll.wav", false);
    once->PlayIfIdle();
    auto idle = MakePlayer("/show/roll.wav", true);
    MCISound* onceFirst = &once->Current();
    MCISound* idleFirst = &idle->Current();
    for (qint64 t = 50; t <= 3000; t += 50) {
        TickAt(*once, t);
        TickAt(*idle, t);
    }
    EXPECT_EQ(&once->Current(), onceFirst);
    EXPECT_EQ(&idle->Current(), idleFirst);
    EXPECT_EQ(world.opened.size(), 4);
    EXPECT_TRUE(once->m_bPlaying) << "a sound that ended by itself still counts as playing";
}

TEST_F(SoundMgrTest, LengthLearnedAfterOpeningIsUsed) {
    world.lengthKnownAfter = 120;
    auto player = MakePlayer("/show/roll.wav", true);
    EXPECT_EQ(player->Current().m_nLength, 0);
    player->PlayIfIdle();
    MCISound* first = &player->Current();
    for (qint64 t = 50; t <= 1950; t += 50)
        TickAt(*player, t);
    EXPECT_EQ(&player->Current(), first) << "an unknown length is no reason to hand over";
    EXPECT_EQ(first->m_nLength, 2000);
    TickAt(*player, 2000);
    EXPECT_NE(&player->Current(), first);
}

TEST_F(SoundMgrTest, FailedFileIsNotReopenedOnEveryTick) {
    auto player = MakePlayer("/show/missing.wav", true);
    player->PlayIfIdle();
    for (qint64 t = 50; t <= 5000; t += 50)
        TickAt(*player, t);
    EXPECT_EQ(world.opened.size(), 2);
}

TEST_F(SoundMgrTest, FileFoundUnplayableLaterIsNotReopenedEither) {
    world.lengths.insert("/show/broken.wav", 1000);
    world.unplayable.insert("/show/broken.wav");
    auto player = MakePlayer("/show/broken.wav", true);
    player->PlayIfIdle();
    for (qint64 t = 50; t <= 5000; t += 50)
        TickAt(*player, t);
    EXPECT_EQ(world.opened.size(), 2);
}

TEST_F(SoundMgrTest, LoopGoesOnPastADeviceThatFailedToOpen) {
    world.failDevice = 1;
    auto player = MakePlayer("/show/roll.wav", true);
    player->PlayIfIdle();
    int plays = 0;
    bool wasPlaying = false;
    for (qint64 t = 50; t <= 10000; t += 50) {
        TickAt(*player, t);
        const bool playing = devices[0]->IsPlaying();
        if (playing && !wasPlaying)
            ++plays;
        wasPlaying = playing;
    }
    // The good device plays again after each end; the failed one was only tried by Start.
    EXPECT_GE(plays, 4);
    EXPECT_EQ(devices[1]->opens, 1);
}

TEST_F(SoundMgrTest, PlayersOfTheSameFileKeepTheirOwnDevices) {
    auto a = MakePlayer("/show/roll.wav", true);
    auto b = MakePlayer("/show/roll.wav", true);
    a->PlayIfIdle();
    world.clock.now = 700;
    b->PlayIfIdle();
    a->Stop();
    EXPECT_FALSE(a->Current().m_bOpen);
    EXPECT_TRUE(b->Current().m_bOpen);
    EXPECT_TRUE(devices[2]->IsPlaying());
    for (qint64 t = 750; t <= 2700; t += 50)
        TickAt(*b, t);
    EXPECT_TRUE(devices[3]->IsPlaying()) << "b looped on its own devices";
    EXPECT_EQ(devices[0]->opens + devices[1]->opens, 2);
    EXPECT_FALSE(devices[0]->IsPlaying() || devices[1]->IsPlaying());
}

TEST_F(SoundMgrTest, SameNameInAnotherFolderIsAnotherSound) {
    world.lengths.insert("/levelA/win.wav", 800);
    world.lengths.insert("/levelB/win.wav", 1200);
    auto a = MakePlayer("/levelA/win.wav", false);
    auto b = MakePlayer("/levelB/win.wav", false);
    EXPECT_EQ(a->Current().m_nLength, 800);
    EXPECT_EQ(b->Current().m_nLength, 1200);
    EXPECT_EQ(devices[1]->File(), "/levelA/win.wav");
    EXPECT_EQ(devices[3]->File(), "/levelB/win.wav");
    // Nothing of either sound lands in the temporary folder.
    const QDir temp(QStandardPaths::writableLocation(QStandardPaths::TempLocation));
    EXPECT_FALSE(temp.exists("_win.wav"));
}

TEST_F(SoundMgrTest, PlayIfIdleWaitsForAnotherSoundToClearTheMark) {
    auto player = MakePlayer("/show/roll.wav", false);
    player->PlayIfIdle();
    world.clock.now = 2500; // ended by itself
    player->PlayIfIdle();
    EXPECT_FALSE(devices[0]->IsPlaying());
    player->StopCurrent();
    EXPECT_FALSE(player->m_bPlaying);
    player->PlayIfIdle();
    EXPECT_TRUE(devices[0]->IsPlaying());
}

TEST_F(SoundMgrTest, RestartPlaysFromTheBeginning) {
    auto player = MakePlayer("/show/roll.wav", false);
    player->Restart();
    world.clock.now = 1200;
    EXPECT_EQ(player->Current().GetPosition(), 1200);
    player->Restart();
    EXPECT_TRUE(player->m_bPlaying);
    EXPECT_EQ(player->Current().GetPosition(), 0);
    world.clock.now = 1300;
    EXPECT_EQ(player->Current().GetPosition(), 100);
}

TEST_F(SoundMgrTest, StopClosesBothDevices) {
    auto player = MakePlayer("/show/roll.wav", true);
    player->PlayIfIdle();
    player->Stop();
    EXPECT_FALSE(player->m_bPlaying);
    EXPECT_FALSE(player->Current().m_bOpen);
    EXPECT_FALSE(player->Other().m_bOpen);
    EXPECT_FALSE(devices[0]->IsPlaying());
    player->PlayIfIdle(); // a closed device stays silent
    EXPECT_FALSE(devices[0]->IsPlaying());
}

TEST(MCISoundTest, OpenReportsEmptyNamesAndFailures) {
    FakeSoundWorld world;
    world.lengths.insert("/show/a.wav", 500);
    MCISound sound(std::make_unique<FakeSoundDevice>(world, 0));
    EXPECT_EQ(sound.Open(""), -1);
    EXPECT_FALSE(sound.m_bOpen);
    EXPECT_EQ(sound.Open("/show/none.wav"), 0);
    EXPECT_TRUE(sound.HasFailed());
    EXPECT_EQ(sound.Play(), 0);
    EXPECT_EQ(sound.Open("/show/a.wav"), 1);
    EXPECT_FALSE(sound.HasFailed());
    EXPECT_EQ(sound.m_nLength, 500);
    EXPECT_EQ(sound.Play(), 1);
    EXPECT_EQ(sound.Play(), 0) << "already playing";
    sound.Close();
    EXPECT_FALSE(sound.m_bPlaying);
    EXPECT_EQ(sound.GetPosition(), 0);
    EXPECT_EQ(sound.GetLength(), 0);
}

} // namespace
