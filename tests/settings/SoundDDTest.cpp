#include "settings/SoundDD.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "media/FakeSoundDevice.h"
#include "model/LottrySound.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class SoundDDTest : public ::testing::Test {
protected:
    SoundDDTest() {
        SetAppFolder("/opt/tumo");
        world.lengths = {{"/opt/tumo/defBKSound.wav", 2000},
                         {"/opt/tumo/defStopSound.wav", 800},
                         {"/music/roll.mp3", 2000},
                         {"/music/bb.wav", 500}};
    }
    ~SoundDDTest() override { SetAppFolder(saved); }

    std::unique_ptr<SoundDD> Open() {
        return std::make_unique<SoundDD>(&sound, nullptr, &prompter, FakeFactory(world, devices));
    }
    // The dialog's 100 ms timer, with the clock at `ms`.
    void TickAt(SoundDD& dlg, qint64 ms) {
        world.clock.now = ms;
        dlg.OnTimerTick();
    }
    bool AnyPlaying() const {
        for (FakeSoundDevice* d : devices)
            if (d->IsPlaying())
                return true;
        return false;
    }

    QString saved = g_strAppFolder;
    LottrySound sound;
    RecordingPrompter prompter;
    FakeSoundWorld world;
    QList<FakeSoundDevice*> devices;
};

TEST_F(SoundDDTest, BulletinSoundPathDecidesHowAllThreeAreShown) {
    QString shown[3];
    SoundDD::ShownPaths(sound, shown);
    EXPECT_EQ(shown[SoundDD::Rolling], "/opt/tumo/defBKSound.wav");
    EXPECT_EQ(shown[SoundDD::Winning], "/opt/tumo/defStopSound.wav");
    EXPECT_EQ(shown[SoundDD::Bulletin], "/opt/tumo/defBBSound.wav");

    sound.m_strBBSound = "/music/bb.wav";
    SoundDD::ShownPaths(sound, shown);
    EXPECT_EQ(shown[SoundDD::Rolling], "defBKSound.wav");
    EXPECT_EQ(shown[SoundDD::Bulletin], "/music/bb.wav");

    auto dlg = Open();
    EXPECT_EQ(dlg->FileEdit(SoundDD::Rolling)->text(), "defBKSound.wav");
    EXPECT_TRUE(dlg->LoopCheck(SoundDD::Rolling)->isChecked());
    EXPECT_FALSE(dlg->LoopCheck(SoundDD::Bulletin)->isChecked());
    EXPECT_TRUE(dlg->IsTimerRunning());
}

TEST_F(SoundDDTest, LoopedTestRepeatsUntilTheNextTest) {
    auto dlg = Open();
    dlg->FileEdit(SoundDD::Rolling)->setText("/music/roll.mp3");
    dlg->OnTest(SoundDD::Rolling);
    EXPECT_EQ(dlg->TestPlayer().m_strFile, "/music/roll.mp3");
    for (qint64 t = 100; t <= 7000; t += 100)
        TickAt(*dlg, t);
    EXPECT_TRUE(AnyPlaying());

    // Another test stops the first: only one sound at a time.
    dlg->OnTest(SoundDD::Winning);
    EXPECT_EQ(dlg->TestPlayer().m_strFile, "/opt/tumo/defStopSound.wav");
    int playing = 0;
    for (FakeSoundDevice* d : devices)
        playing += d->IsPlaying();
    EXPECT_EQ(playing, 1);
    // Without its loop check the winning-number sound plays once.
    for (qint64 t = 7100; t <= 10000; t += 100)
        TickAt(*dlg, t);
    EXPECT_FALSE(AnyPlaying());
}

TEST_F(SoundDDTest, LoopCheckTurnedOffLetsTheSoundEnd) {
    auto dlg = Open();
    dlg->OnTest(SoundDD::Rolling); // the bare default name plays from the program folder
    EXPECT_EQ(dlg->TestPlayer().m_strFile, "/opt/tumo/defBKSound.wav");
    TickAt(*dlg, 1000);
    dlg->LoopCheck(SoundDD::Rolling)->click(); // off
    EXPECT_EQ(sound.m_bLoopBack, 0);
    for (qint64 t = 1100; t <= 5000; t += 100)
        TickAt(*dlg, t);
    EXPECT_FALSE(AnyPlaying());
}

TEST_F(SoundDDTest, OkWritesTheFilesAndFlagsAndSilencesTheTest) {
    auto dlg = Open();
    prompter.chosenFiles = {"/music/bb.wav"};
    dlg->OnBrowse(SoundDD::Bulletin);
    EXPECT_EQ(dlg->FileEdit(SoundDD::Bulletin)->text(), "/music/bb.wav");
    dlg->LoopCheck(SoundDD::Bulletin)->setChecked(true);
    dlg->OnTest(SoundDD::Rolling);
    ASSERT_TRUE(AnyPlaying());
    dlg->accept();
    EXPECT_FALSE(AnyPlaying());
    EXPECT_EQ(sound.m_strBBSound, "/music/bb.wav");
    EXPECT_EQ(sound.m_bLoopBB, 1);
    EXPECT_EQ(sound.m_strBackSound, "/opt/tumo/defBKSound.wav");

    auto again = Open();
    again->OnTest(SoundDD::Winning);
    ASSERT_TRUE(AnyPlaying());
    again->close(); // the close box
    EXPECT_FALSE(AnyPlaying());
    EXPECT_FALSE(again->IsTimerRunning());
    EXPECT_EQ(again->result(), QDialog::Rejected);
}

// A test sound that cannot be played says so once, naming the file, whether the device refuses it
// at once (missing) or finds out while reading it; one that plays says nothing.
TEST_F(SoundDDTest, AnUnplayableTestSoundIsToldOnceWithItsName) {
    world.lengths.insert("/music/broken.mp3", 1000);
    world.unplayable.insert("/music/broken.mp3");
    auto dlg = Open();
    dlg->OnTest(SoundDD::Winning);
    TickAt(*dlg, 100);
    EXPECT_TRUE(prompter.messages.isEmpty());

    const struct {
        const char* file;
        bool failsLater;
    } cases[] = {{"/music/gone.wav", false}, {"/music/broken.mp3", true}};
    for (const auto& c : cases) {
        prompter.messages.clear();
        dlg->FileEdit(SoundDD::Bulletin)->setText(c.file);
        dlg->OnTest(SoundDD::Bulletin);
        TickAt(*dlg, 200);
        TickAt(*dlg, 300);
        ASSERT_EQ(prompter.messages.size(), 1) << c.file;
        EXPECT_EQ(prompter.messages.first(), SoundDD::UnplayableText(c.file));
        EXPECT_TRUE(prompter.messages.first().contains(c.file));
    }
}

} // namespace
