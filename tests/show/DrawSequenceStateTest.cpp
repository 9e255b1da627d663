#include "DrawSequenceFakes.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// One level of three winners, a pool of 1 to 100 (three positions), the winners file and removal
// on; the level's take style, numbers on a screen and pause vary by row.
struct StateFixture : DrawFixture {
    StateFixture(int style, int perScreen, bool pause) : DrawFixture(100, 3, {3}) {
        Level(1).m_takeStyle.m_nStopMode = style;
        Level(1).m_base.m_nPerScreen = perScreen;
        Level(1).m_base.m_bPauseWhenDone = pause ? 1 : 0;
        status.m_options.m_bAutoOutput = 1;
        status.m_options.m_bAllowDelete = 1;
        Begin();
    }

    // An event as the window delivers it.
    void Send(DrawEvent event) {
        switch (event) {
        case DrawEvent::Draw:
            seq->OnDraw();
            break;
        case DrawEvent::Restart:
            seq->OnRestart();
            break;
        case DrawEvent::Landed:
            Land();
            break;
        case DrawEvent::DesignOn:
            seq->SetDesignMode(true);
            break;
        case DrawEvent::DesignOff:
            seq->SetDesignMode(false);
            break;
        case DrawEvent::DeleteAsked:
            seq->OnDeleteWinning();
            break;
        case DrawEvent::RemovalAnswered:
            seq->OnInfoTipResult(QStringLiteral("0"), 1);
            break;
        case DrawEvent::FreshScreen:
            seq->StartFreshScreen();
            break;
        default:
            FAIL() << "no way to send " << DrawSequence::EventName(event);
        }
    }
};

using E = DrawEvent;
using S = DrawState;

struct Row {
    const char* name;
    int style;
    int perScreen;
    bool pause;
    QList<DrawEvent> before; // what brings the draw to `from`
    DrawState from;
    DrawEvent event;
    DrawState to;
    QStringList effects; // log lines the move gives, in order, each named by its start
    QStringList absent;  // log lines it must not give
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class DrawStates : public ::testing::TestWithParam<Row> {};

const Row kRows[] = {
    {"AWholeNumberStopsAndIsSavedWithTheWinnersFile",
     0,
     1,
     false,
     {},
     S::Rolling,
     E::Draw,
     S::Landing,
     {"stop p0", "sound 1", "winners", "panels 0"},
     {"board"}},
    {"TheBoardComesOnceTheNumberLanded",
     0,
     1,
     false,
     {E::Draw},
     S::Landing,
     E::Landed,
     S::ScreenDone,
     {"board"},
     {"stop", "winners"}},
    {"ANumberOnAScreenOfTwoLeavesItOpen",
     0,
     2,
     false,
     {E::Draw},
     S::Landing,
     E::Landed,
     S::ScreenOpen,
     {},
     {"winners"}},
    {"TheOpenScreenTakesTheNextNumber",
     0,
     2,
     false,
     {E::Draw, E::Landed},
     S::ScreenOpen,
     E::Draw,
     S::Landing,
     {"stop p0 s1", "sound 1", "winners"},
     {}},
    {"TheFirstCharacterOfANumberLeavesTheRestRolling",
     1,
     1,
     false,
     {},
     S::Rolling,
     E::Draw,
     S::Landing,
     {"stop p0", "sound 1"},
     {"winners", "panels", "board"}},
    {"AStandingCharacterWaitsForTheNext",
     1,
     1,
     false,
     {E::Draw},
     S::Landing,
     E::Landed,
     S::Stopping,
     {},
     {"winners", "board"}},
    {"TheLastCharacterCompletesTheNumberAndWritesTheWinnersFile",
     1,
     1,
     false,
     {E::Draw, E::Landed, E::Draw, E::Landed},
     S::Stopping,
     E::Draw,
     S::Landing,
     {"stop p2", "sound 1", "winners", "panels 0"},
     {}},
    {"AWholeScreenStopsAtOnce",
     2,
     3,
     false,
     {},
     S::Rolling,
     E::Draw,
     S::Landing,
     {"stop p0 s0", "stop p0 s1", "stop p0 s2", "winners"},
     {}},
    {"TheLevelsLastScreenLandsComplete",
     2,
     3,
     false,
     {E::Draw},
     S::Landing,
     E::Landed,
     S::LevelComplete,
     {"board"},
     {}},
    {"ALevelThatPausesStaysOnItsLastScreen",
     2,
     3,
     true,
     {E::Draw, E::Landed},
     S::LevelPaused,
     E::Restart,
     S::LevelPaused,
     {},
     {"roll", "sound 0"}},
    {"RestartMovesOnFromACompleteLevelWhoseSymbolsComeAnew",
     2,
     3,
     false,
     {E::Draw, E::Landed},
     S::LevelComplete,
     E::Restart,
     S::Waiting,
     {"roll 0 1", "sound 0"},
     {"winners"}},
    {"DrawOnAFinishedScreenRollsWhenItSharesTheKey",
     0,
     1,
     false,
     {E::Draw, E::Landed},
     S::ScreenDone,
     E::Draw,
     S::Rolling,
     {"roll 0 1", "sound 0"},
     {"stop", "winners"}},
    {"DeleteOpensTheCheckList",
     0,
     1,
     false,
     {E::Draw, E::Landed},
     S::ScreenDone,
     E::DeleteAsked,
     S::Removing,
     {"enable 0", "checklist"},
     {}},
    {"ARemovalIsSavedAndTheSymbolsRollAgain",
     0,
     1,
     false,
     {E::Draw, E::Landed, E::DeleteAsked},
     S::Removing,
     E::RemovalAnswered,
     S::Rolling,
     {"enable 1", "winners", "roll 0 1", "panels 0"},
     {}},
    {"DesignModeTakesTheScreenAndIgnoresDraw",
     0,
     1,
     false,
     {E::DesignOn},
     S::Design,
     E::Draw,
     S::Design,
     {},
     {"stop", "winners"}},
    {"DesignModeDropsTheBoardOfALandingResult",
     0,
     1,
     false,
     {E::Draw},
     S::Landing,
     E::DesignOn,
     S::Design,
     {},
     {"board"}},
    {"AFreshScreenRollsAfterDesignMode",
     0,
     1,
     false,
     {E::Draw, E::Landed, E::DesignOn, E::DesignOff},
     S::ScreenDone,
     E::FreshScreen,
     S::Rolling,
     {},
     {"winners"}},
    {"DeleteOffersNothingOnAFreshScreenAfterDesignMode",
     0,
     1,
     false,
     {E::Draw, E::Landed, E::DesignOn, E::DesignOff, E::FreshScreen},
     S::Rolling,
     E::DeleteAsked,
     S::Rolling,
     {},
     {"checklist"}},
};

INSTANTIATE_TEST_SUITE_P(Moves, DrawStates, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

// Each row: the draw brought to a state, one event, the state it moves to and the side effects
// of the move, in order. The move is one the transition table allows.
TEST_P(DrawStates, OneEventMovesTheDrawWithItsEffects) {
    const Row& row = GetParam();
    StateFixture f(row.style, row.perScreen, row.pause);
    for (DrawEvent event : row.before)
        f.Send(event);
    ASSERT_EQ(DrawSequence::StateName(f.seq->State()),
              std::string(DrawSequence::StateName(row.from)));
    f.rec.log.clear();
    f.Send(row.event);
    EXPECT_EQ(DrawSequence::StateName(f.seq->State()),
              std::string(DrawSequence::StateName(row.to)));
    EXPECT_TRUE(DrawSequence::IsTransition(row.from, row.event, row.to));
    // The effects in the order given, other lines between them allowed.
    qsizetype at = 0;
    for (const QString& effect : row.effects) {
        while (at < f.rec.log.size() && !f.rec.log.at(at).startsWith(effect))
            ++at;
        EXPECT_LT(at, f.rec.log.size()) << "no " << effect.toStdString() << " in order in "
                                        << f.rec.log.join(" | ").toStdString();
        ++at;
    }
    for (const QString& effect : row.absent)
        EXPECT_TRUE(f.rec.Only(effect).isEmpty()) << effect.toStdString();
}

// The table turns away what no event does: a draw step never leaves the screen being laid out,
// a landing never starts the symbols rolling, and nothing but the check list's answer leaves it.
TEST(DrawStateTable, MovesNoEventMakes) {
    EXPECT_FALSE(DrawSequence::IsTransition(S::Design, E::Draw, S::Landing));
    EXPECT_FALSE(DrawSequence::IsTransition(S::Landing, E::Landed, S::Rolling));
    EXPECT_FALSE(DrawSequence::IsTransition(S::Removing, E::Draw, S::Rolling));
    EXPECT_FALSE(DrawSequence::IsTransition(S::ScreenDone, E::Landed, S::Rolling));
    EXPECT_FALSE(DrawSequence::IsTransition(S::Rolling, E::Restart, S::Landing));
    EXPECT_TRUE(DrawSequence::IsTransition(S::Rolling, E::Restart, S::Rolling)); // ignored
}
