#include "base/AppPaths.h"
#include "media/FakeSoundDevice.h"
#include "model/GradeInfo.h"
#include "show/DrawSoundPlayers.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// The three players of the draw window over fake sound devices, with the level's default sounds
// in a program folder of their own.
class MainWindowSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppFolder(QStringLiteral("/show"));
        world.lengths[Path("defBKSound.wav")] = 2000;
        world.lengths[Path("defStopSound.wav")] = 800;
        world.lengths[Path("defBBSound.wav")] = 1200;
        players.SetLevelSource([this] { return &level; });
    }

    static QString Path(const char* name) {
        return QDir::toNativeSeparators(QStringLiteral("/show/") + QString::fromLatin1(name));
    }
    // The device a player plays on at the moment.
    FakeSoundDevice* Current(SoundMgr& player) {
        for (FakeSoundDevice* d : made) {
            if (d->IsPlaying() && d->File() == player.m_strFile)
                return d;
        }
        return nullptr;
    }
    bool Playing(SoundMgr& player) { return Current(player) != nullptr; }

    FakeSoundWorld world;
    QList<FakeSoundDevice*> made;
    GradeInfo level;
    DrawSoundPlayers players{FakeFactory(world, made)};
};

TEST_F(MainWindowSoundTest, LoadingTakesTheLevelsFilesFromTheProgramFolderWithTheirLoopFlags) {
    level.m_sound.m_bLoopBB = 1;
    players.LoadGradeSounds(0);
    EXPECT_EQ(players.m_rolling.m_strFile, Path("defBKSound.wav"));
    EXPECT_EQ(players.m_winning.m_strFile, Path("defStopSound.wav"));
    EXPECT_EQ(players.m_bulletin.m_strFile, Path("defBBSound.wav"));
    EXPECT_TRUE(players.m_rolling.m_bLoop);
    EXPECT_FALSE(players.m_winning.m_bLoop);
    EXPECT_TRUE(players.m_bulletin.m_bLoop);
    // Rolling first, then the board, then the winning number; nothing plays yet.
    ASSERT_GE(world.opened.size(), 6);
    EXPECT_EQ(world.opened.first(), Path("defBKSound.wav"));
    EXPECT_EQ(world.opened.last(), Path("defStopSound.wav"));
    EXPECT_FALSE(Playing(players.m_rolling));
}

TEST_F(MainWindowSoundTest, AWinningNumberSilencesTheOthersAndStartsFromItsBeginning) {
    players.LoadGradeSounds(0);
    players.ControlSounds(DrawSounds::Rolling);
    EXPECT_TRUE(Playing(players.m_rolling));
    world.clock.now = 300;
    players.ControlSounds(DrawSounds::WinningNumber);
    EXPECT_FALSE(Playing(players.m_rolling));
    EXPECT_FALSE(players.m_rolling.m_bPlaying);
    EXPECT_TRUE(Playing(players.m_winning));
    world.clock.now = 500;
    players.ControlSounds(DrawSounds::WinningNumber); // again: from the start
    qint64 pos = -1;
    ASSERT_TRUE(Current(players.m_winning)->Position(pos));
    EXPECT_EQ(pos, 0);
    players.ControlSounds(DrawSounds::Bulletin);
    EXPECT_FALSE(Playing(players.m_winning));
    EXPECT_TRUE(Playing(players.m_bulletin));
    players.ControlSounds(7); // no such sound
    EXPECT_TRUE(Playing(players.m_bulletin));
}

TEST_F(MainWindowSoundTest, RollingStartsOnlyWhenNotCountedAsPlaying) {
    level.m_sound.m_bLoopBack = 0;
    players.LoadGradeSounds(0);
    players.ControlSounds(DrawSounds::Rolling);
    world.clock.now = 2500; // the sound has ended by itself but still counts as playing
    players.ControlSounds(DrawSounds::Rolling);
    EXPECT_FALSE(Playing(players.m_rolling));
    players.ControlSounds(DrawSounds::WinningNumber);
    players.ControlSounds(DrawSounds::Rolling);
    EXPECT_TRUE(Playing(players.m_rolling));
}

TEST_F(MainWindowSoundTest, TheTickLoopsOnlyPlayingLoopedSoundsAndStoppingReleasesAll) {
    players.LoadGradeSounds(0);
    players.ControlSounds(DrawSounds::Rolling);
    FakeSoundDevice* first = Current(players.m_rolling);
    ASSERT_NE(first, nullptr);
    world.clock.now = 1960; // within 50 ms of the end
    players.OnLoopTick();
    FakeSoundDevice* second = Current(players.m_rolling);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first) << "the other device takes over";

    const int opensBefore = int(world.opened.size());
    players.ControlSounds(DrawSounds::WinningNumber); // not looped, no longer rolling
    world.clock.now = 2900;
    players.OnLoopTick();
    EXPECT_EQ(int(world.opened.size()), opensBefore);

    players.LoadGradeSounds(-1);
    for (SoundMgr* p : {&players.m_rolling, &players.m_winning, &players.m_bulletin}) {
        EXPECT_FALSE(p->m_bPlaying);
        EXPECT_FALSE(Playing(*p));
    }
}

TEST_F(MainWindowSoundTest, AnEmptyFileNameStaysSilentInsteadOfOpeningTheFolder) {
    level.m_sound.m_strStopSound.clear();
    players.LoadGradeSounds(0);
    EXPECT_TRUE(players.m_winning.m_strFile.isEmpty());
    players.ControlSounds(DrawSounds::WinningNumber);
    EXPECT_FALSE(world.opened.contains(QDir::toNativeSeparators(QStringLiteral("/show"))));
}

// A level change stops the sounds and loads the new level's: a player whose file is the same
// keeps it loaded (opening a media source can stall the window), a changed one is opened anew.
TEST_F(MainWindowSoundTest, ALevelChangeReopensOnlyThePlayersWhoseFileChanged) {
    players.LoadGradeSounds(0);
    players.ControlSounds(DrawSounds::Rolling);
    world.opened.clear();

    players.LoadGradeSounds(-1);
    players.LoadGradeSounds(0);
    EXPECT_TRUE(world.opened.isEmpty());
    EXPECT_FALSE(Playing(players.m_rolling)) << "stopped all the same";
    EXPECT_FALSE(players.m_rolling.m_bPlaying);
    players.ControlSounds(DrawSounds::Rolling);
    EXPECT_TRUE(Playing(players.m_rolling));

    level.m_sound.m_strStopSound = QStringLiteral("defBBSound.wav");
    players.LoadGradeSounds(-1);
    players.LoadGradeSounds(0);
    EXPECT_EQ(world.opened, QStringList({Path("defBBSound.wav"), Path("defBBSound.wav")}));
    EXPECT_EQ(players.m_winning.m_strFile, Path("defBBSound.wav"));
    players.ControlSounds(DrawSounds::WinningNumber);
    EXPECT_TRUE(Playing(players.m_winning));
}

} // namespace
