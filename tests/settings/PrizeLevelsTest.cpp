#include "settings/PrizeLevels.h"

#include "common/RecordingPrompter.h"
#include "settings/LevelsTestUtil.h"

#include <gtest/gtest.h>

namespace {

struct PrizeLevelsTest : ::testing::Test {
    TumoStatus status;
    RecordingPrompter prompter;
    PrizeLevelsTest() { FillLevels(status, {"First", "Second"}); }
};

// An editor that renames the copy and answers as told, remembering what it was given.
struct FakeEditor {
    bool ok = true;
    int calls = 0;
    bool lastDefault = false;
    QString lastName;
    PrizeLevels::Editor Get() {
        return [this](GradeInfo& copy, bool defaultLevel) {
            ++calls;
            lastDefault = defaultLevel;
            lastName = copy.m_base.m_strName;
            copy.m_base.m_strName = "Edited";
            copy.m_base.m_nQuantity = 4;
            copy.m_base.m_nPerScreen = 2;
            return ok;
        };
    }
};

} // namespace

TEST_F(PrizeLevelsTest, RowsShowPrizeLevelsFirstAndTheDefaultLevelLast) {
    EXPECT_EQ(PrizeLevels::LevelOfRow(0, 3), 1);
    EXPECT_EQ(PrizeLevels::LevelOfRow(1, 3), 2);
    EXPECT_EQ(PrizeLevels::LevelOfRow(2, 3), 0);
    EXPECT_EQ(PrizeLevels::LevelOfRow(0, 1), 0);
}

TEST_F(PrizeLevelsTest, ANewLevelCopiesTheLastAndGoesBeforeNothingElse) {
    status.Level(2).m_base.m_nPerScreen = 1;
    status.Level(2).m_sound.m_strBackSound = "/show/drum.wav";
    GradeInfo level = PrizeLevels::NewLevel(status);
    EXPECT_EQ(level.m_base.m_strName, "Copy of Second");
    EXPECT_EQ(level.m_sound.m_strBackSound, "/show/drum.wav");

    EXPECT_TRUE(PrizeLevels::AppendLevel(status, level)); // no layout stored yet
    EXPECT_EQ(LevelNames(status),
              QStringList({"Default Settings", "First", "Second", "Copy of Second"}));
    EXPECT_EQ(status.LastGrade(), 3);
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 100 - 30);
    const LotterySym& sym = status.Level(3).m_sym;
    EXPECT_EQ(sym.m_listLayout.size(), 1);
    EXPECT_EQ(sym.GetColumnCount(), 3);
    EXPECT_EQ(sym.m_bLayoutValid, 0);
}

TEST_F(PrizeLevelsTest, WithoutPrizeLevelsTheNewLevelCopiesTheDefaultLevel) {
    FillLevels(status, {}, 10, 50);
    const GradeInfo level = PrizeLevels::NewLevel(status);
    EXPECT_EQ(level.m_base.m_strName, "Copy of Default Settings");
    EXPECT_EQ(level.m_base.m_nQuantity, 50);
    PrizeLevels::AppendLevel(status, level);
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 0);
}

TEST_F(PrizeLevelsTest, AFittingLayoutIsKeptAndAnyOtherRecreatedEmpty) {
    GradeInfo& level = status.Level(1);
    level.m_base.m_nPerScreen = 2;
    level.m_sym.ResetLayout(2, 3);
    level.m_sym.m_listLayout[0].m_items[0].m_rect = WinRect{1, 2, 3, 4};
    level.m_sym.m_bLayoutValid = 1;
    EXPECT_FALSE(PrizeLevels::FitLayout(level, 3));
    EXPECT_EQ(level.m_sym.m_bLayoutValid, 1);
    EXPECT_EQ(level.m_sym.m_listLayout[0].m_items[0].m_rect, (WinRect{1, 2, 3, 4}));

    level.m_sym.m_listFiles[1] = "/show/big.swf";
    EXPECT_TRUE(PrizeLevels::FitLayout(level, 4)); // a longer number
    EXPECT_EQ(level.m_sym.m_listLayout.size(), 2);
    EXPECT_EQ(level.m_sym.GetColumnCount(), 4);
    EXPECT_EQ(level.m_sym.m_listFiles, QStringList(4, QString()));
    EXPECT_EQ(level.m_sym.m_bLayoutValid, 0);

    level.m_sym.m_bLayoutValid = 1;
    level.m_base.m_nPerScreen = 3; // more rows
    EXPECT_TRUE(PrizeLevels::FitLayout(level, 4));
    EXPECT_EQ(level.m_sym.m_listLayout.size(), 3);
    EXPECT_EQ(level.m_sym.m_bLayoutValid, 0);
}

TEST_F(PrizeLevelsTest, RemovingALevelKeepsCountsAndTheCurrentLevelInStep) {
    status.SetCurrentLevel(2);
    PrizeLevels::RemoveLevel(status, 1);
    EXPECT_EQ(LevelNames(status), QStringList({"Default Settings", "Second"}));
    EXPECT_EQ(status.LastGrade(), 1);
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 90);
    // The current level is still "Second", now at index 1.
    EXPECT_EQ(status.CurGradeIndex(), 1);
    EXPECT_EQ(status.CurrentLevel(), &status.Level(1));

    PrizeLevels::RemoveLevel(status, 1); // the current one goes: the default level stands in
    EXPECT_EQ(status.CurGradeIndex(), 0);
    EXPECT_EQ(status.CurrentLevel(), &status.Level(0));
    // The default level is never removed.
    PrizeLevels::RemoveLevel(status, 0);
    PrizeLevels::RemoveLevel(status, 1);
    EXPECT_EQ(status.LevelCount(), 1);
    EXPECT_EQ(status.LastGrade(), 0);
}

TEST_F(PrizeLevelsTest, SwappingLevelsChangesTheDrawOrderAndFollowsTheCurrentLevel) {
    status.SetCurrentLevel(1);
    PrizeLevels::SwapLevels(status, 2, 1);
    EXPECT_EQ(LevelNames(status), QStringList({"Default Settings", "Second", "First"}));
    EXPECT_EQ(status.CurGradeIndex(), 2);
    EXPECT_EQ(status.CurrentLevel()->m_base.m_strName, "First");
    qint32 index = -1;
    EXPECT_EQ(status.FindCurrentGrade(index)->m_base.m_strName, "Second");
}

TEST_F(PrizeLevelsTest, MoveMenuFollowsTheSelectedRow) {
    using M = PrizeLevels::MoveMenu;
    auto state = [](int selected, int last) {
        const M m = PrizeLevels::MoveMenuState(selected, last, last + 1);
        return std::pair(m.up, m.down);
    };
    EXPECT_EQ(state(0, 0), std::pair(false, false)); // only the default level
    EXPECT_EQ(state(0, 1), std::pair(false, false)); // a lone prize level
    EXPECT_EQ(state(1, 1), std::pair(false, false));
    EXPECT_EQ(state(0, 3), std::pair(false, true));
    EXPECT_EQ(state(1, 3), std::pair(true, true));
    EXPECT_EQ(state(2, 3), std::pair(true, false));
    EXPECT_EQ(state(3, 3), std::pair(false, false)); // the default level's row
}

TEST_F(PrizeLevelsTest, ClearingQuestionOnlyWhenNumbersWereDrawn) {
    EXPECT_TRUE(PrizeLevels::ConfirmClearTaken(status, prompter));
    EXPECT_TRUE(prompter.questions.isEmpty());

    status.Level(0).m_taken.Add(7);
    status.Level(2).m_taken.Add(9);
    prompter.answers = {false};
    EXPECT_FALSE(PrizeLevels::ConfirmClearTaken(status, prompter));
    EXPECT_EQ(status.GetTakenCount(), 2);
    ASSERT_EQ(prompter.questions.size(), 1);
    EXPECT_EQ(prompter.questions[0], PrizeLevels::PulledOutText());
    EXPECT_TRUE(
        prompter.questions[0].startsWith("Some winning numbers have been pulled out! \nIf"));

    prompter.answers = {true};
    EXPECT_TRUE(PrizeLevels::ConfirmClearTaken(status, prompter));
    EXPECT_EQ(status.GetTakenCount(), 0);
    EXPECT_FALSE(status.IsNumberTaken(7));
}

TEST_F(PrizeLevelsTest, BaseSettingsOnACopyGoBackOnlyOnOk) {
    FakeEditor editor;
    GradeInfo& first = status.Level(1);
    first.m_sym.ResetLayout(1, 3);

    editor.ok = false;
    EXPECT_EQ(PrizeLevels::EditBaseSettings(status, first, false, prompter, editor.Get()),
              PrizeLevels::Outcome::Cancelled);
    EXPECT_EQ(first.m_base.m_strName, "First");

    editor.ok = true;
    EXPECT_EQ(PrizeLevels::EditBaseSettings(status, first, false, prompter, editor.Get()),
              PrizeLevels::Outcome::LayoutReset);
    EXPECT_EQ(editor.lastName, "First");
    EXPECT_FALSE(editor.lastDefault);
    EXPECT_EQ(first.m_base.m_strName, "Edited");
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 100 - 4 - 10);
    EXPECT_EQ(first.m_sym.m_listLayout.size(), 2);

    // Same shape again: the layout stays.
    EXPECT_EQ(PrizeLevels::EditBaseSettings(status, first, false, prompter, editor.Get()),
              PrizeLevels::Outcome::Applied);
}

TEST_F(PrizeLevelsTest, NoToClearingStopsTheBaseSettingsBeforeTheEditor) {
    FakeEditor editor;
    status.Level(1).m_taken.Add(3);
    prompter.answers = {false};
    EXPECT_EQ(PrizeLevels::EditBaseSettings(status, status.Level(0), true, prompter, editor.Get()),
              PrizeLevels::Outcome::Declined);
    EXPECT_EQ(editor.calls, 0);
    EXPECT_EQ(status.GetTakenCount(), 1);

    prompter.answers = {true};
    PrizeLevels::EditBaseSettings(status, status.Level(0), true, prompter, editor.Get());
    EXPECT_TRUE(editor.lastDefault);
    EXPECT_EQ(status.GetTakenCount(), 0);
    // The default level's winners are what the pool leaves, whatever the dialog said.
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 80);
}
