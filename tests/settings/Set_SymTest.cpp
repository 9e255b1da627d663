#include "settings/Set_Sym.h"

#include "common/RecordingPrompter.h"
#include "media/CShockwaveFlash.h"
#include "model/TumoStatus.h"
#include "settings/XHScrollWnd.h"
#include "show/SymbolTestUtil.h"

#include <QLineEdit>
#include <gtest/gtest.h>

TEST(SetSymRulesTest, TitlesNameTheDefaultOrThePosition) {
    EXPECT_EQ(Set_Sym::TitleFor(-1),
              QStringLiteral("Choose a default rolling symbol of this prize."));
    EXPECT_EQ(Set_Sym::TitleFor(0), QStringLiteral("Choose a rolling symbol for bit 0."));
    EXPECT_EQ(Set_Sym::TitleFor(12), QStringLiteral("Choose a rolling symbol for bit 12."));
}

TEST(SetSymRulesTest, APositionsMovieMustShowEveryDefaultCharacter) {
    const QString def = QStringLiteral("0123456789");
    EXPECT_TRUE(Set_Sym::IsCompatible(QStringLiteral("9876543210ABC"), def));
    EXPECT_TRUE(Set_Sym::IsCompatible(QStringLiteral("00112233445566778899"), def));
    EXPECT_FALSE(Set_Sym::IsCompatible(QStringLiteral("012345678"), def));
    EXPECT_FALSE(Set_Sym::IsCompatible(QString(), def));
    EXPECT_TRUE(Set_Sym::IsCompatible(QString(), QString()));
}

TEST(SetSymRulesTest, SymbolWindowsOfLowerRowsMapToTheirPosition) {
    EXPECT_EQ(Set_Sym::PositionOfSymbol(2, 4), 2);
    EXPECT_EQ(Set_Sym::PositionOfSymbol(6, 4), 2);
    EXPECT_EQ(Set_Sym::PositionOfSymbol(-1, 4), -1);
    EXPECT_EQ(Set_Sym::PositionOfSymbol(5, 0), 5);
}

namespace {

struct ApplyCall {
    GradeInfo* applied;
    GradeInfo before;
};

class SetSymTest : public ::testing::Test {
protected:
    void SetUp() override {
        symtest::SetLevels(status, 1, 0, 1, 3);
        live = &status.Level(0);
        live->m_sym.ResetLayout(1, 3);
        defaultMovie = folder.Path("defsym.swf");
        superset = symtest::WriteSymbols(folder.Path("super.swf"), QStringLiteral("9876543210XY"));
        lacking = symtest::WriteSymbols(folder.Path("lack.swf"), QStringLiteral("012345678"));
        letters = symtest::WriteSymbols(folder.Path("abc.swf"), QStringLiteral("ABC"));
    }

    Set_Sym::ApplyGradeFn Recorder() {
        return [this](GradeInfo* applied, GradeInfo* previous) {
            calls.push_back({applied, *previous});
        };
    }

    // Runs the dialog the way the draw window does; `act` plays the operator.
    int Run(int position, const std::function<int(Set_Sym&)>& act) {
        return Set_Sym::ChooseSymbolFile(*live, position, Recorder(), &prompter, nullptr,
                                         [&](Set_Sym& dialog) {
                                             dialog.OnInitDialog();
                                             return act(dialog);
                                         });
    }

    symtest::ProgramFolder folder;
    RecordingPrompter prompter;
    TumoStatus status;
    GradeInfo* live = nullptr;
    QString defaultMovie, superset, lacking, letters;
    std::vector<ApplyCall> calls;
};

} // namespace

TEST_F(SetSymTest, OpensOnTheDefaultMovieWithTheRightFileText) {
    Run(-1, [&](Set_Sym& d) {
        EXPECT_EQ(d.windowTitle(), Set_Sym::TitleFor(-1));
        EXPECT_EQ(d.FileBox()->text(), live->m_sym.m_strDefaultFile);
        EXPECT_EQ(d.Strip()->CellCount(), 12);
        return int(QDialog::Rejected);
    });
    // A position without a movie of its own opens on the default; the strip always does.
    live->m_sym.m_listFiles[1] = folder.Path("vanished.swf");
    Run(1, [&](Set_Sym& d) {
        EXPECT_EQ(d.FileBox()->text(), defaultMovie);
        EXPECT_EQ(d.Strip()->m_strFile, defaultMovie);
        return int(QDialog::Rejected);
    });
    live->m_sym.m_listFiles[2] = letters;
    Run(2, [&](Set_Sym& d) {
        EXPECT_EQ(d.FileBox()->text(), letters);
        EXPECT_EQ(d.Strip()->SymbolChars(), QStringLiteral("0123456789"));
        return int(QDialog::Rejected);
    });
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(SetSymTest, APositionTakesACompatibleMovieInAnyOrder) {
    prompter.answers = {true};
    prompter.chosenFiles = {superset};
    const GradeInfo original = *live;
    const int result = Run(1, [&](Set_Sym& d) {
        d.OnBrowse();
        EXPECT_EQ(prompter.questions, QStringList{Set_Sym::BrowseQuestion()});
        EXPECT_EQ(d.FileBox()->text(), superset);
        EXPECT_EQ(d.Strip()->SymbolChars(), QStringLiteral("9876543210XY"));
        d.OnOK();
        return d.result();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(live->m_sym.m_listFiles, (QStringList{QString(), superset, QString()}));
    EXPECT_EQ(live->m_sym.m_strDefaultFile, original.m_sym.m_strDefaultFile);
    // Applied by OK's own apply and again by the opener; each with the state before it.
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].applied, live);
    EXPECT_EQ(calls[0].before, original);
    EXPECT_EQ(calls[1].before, original);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(SetSymTest, APositionRefusesAMovieLackingADefaultCharacter) {
    prompter.answers = {true, true};
    prompter.chosenFiles = {lacking, folder.Path("nomovie.txt")};
    QFile text(folder.Path("nomovie.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello");
    text.close();
    const GradeInfo original = *live;
    Run(0, [&](Set_Sym& d) {
        d.OnBrowse();
        EXPECT_EQ(prompter.messages.takeFirst(), Set_Sym::NotSameBitsText());
        d.OnBrowse();
        EXPECT_EQ(prompter.messages.takeFirst(), Set_Sym::IncompatibleText());
        EXPECT_EQ(d.FileBox()->text(), defaultMovie);
        EXPECT_EQ(d.Strip()->SymbolChars(), QStringLiteral("0123456789"));
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(*live, original);
    EXPECT_TRUE(calls.empty());
}

TEST_F(SetSymTest, BrowseAnsweredNoOrCancelledChangesNothing) {
    prompter.answers = {false, true};
    prompter.chosenFiles = {};
    Run(-1, [&](Set_Sym& d) {
        d.FileBox()->setText(QStringLiteral("typed.swf"));
        d.OnBrowse(); // No
        d.OnBrowse(); // Yes, then the chooser is cancelled
        EXPECT_EQ(d.FileBox()->text(), QStringLiteral("typed.swf"));
        EXPECT_EQ(d.Strip()->CellCount(), 12);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(prompter.questions.size(), 2);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(SetSymTest, ANewDefaultIsNotCheckedAndApplyResetsEveryPosition) {
    live->m_sym.m_listFiles = {superset, QString(), superset};
    prompter.answers = {true};
    prompter.chosenFiles = {letters};
    Run(-1, [&](Set_Sym& d) {
        d.OnBrowse();
        EXPECT_EQ(d.FileBox()->text(), letters);
        EXPECT_EQ(d.Strip()->CellCount(), 5);
        d.OnApply();
        // Apply writes through at once: Cancel after it keeps what was applied.
        EXPECT_EQ(live->m_sym.m_strDefaultFile, letters);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(live->m_sym.m_listFiles, QStringList(3, letters));
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(SetSymTest, ADefaultThatCannotBeShownLeavesTheFileBoxAsItWas) {
    prompter.answers = {true};
    prompter.chosenFiles = {folder.Path("missing.swf")};
    Run(-1, [&](Set_Sym& d) {
        d.OnBrowse();
        EXPECT_EQ(prompter.messages, QStringList{XHScrollWnd::FileNotExistText()});
        EXPECT_EQ(d.FileBox()->text(), defaultMovie);
        EXPECT_EQ(d.Strip()->CellCount(), 12);
        return int(QDialog::Rejected);
    });
}

TEST_F(SetSymTest, ATypedPathIsStoredUnchecked) {
    Run(2, [&](Set_Sym& d) {
        d.FileBox()->setText(QStringLiteral("/nowhere/own.swf"));
        d.OnApply();
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(live->m_sym.m_listFiles.at(2), QStringLiteral("/nowhere/own.swf"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].before.m_sym.m_listFiles.at(2), QString());
}

TEST_F(SetSymTest, APositionBeyondTheStoredListIsAddedNotACrash) {
    live->m_sym.m_listFiles.clear();
    Run(2, [&](Set_Sym& d) {
        d.FileBox()->setText(superset);
        d.OnOK();
        return d.result();
    });
    EXPECT_EQ(live->m_sym.m_listFiles, (QStringList{QString(), QString(), superset}));
    // Empty entries keep meaning the default movie.
    EXPECT_EQ(live->m_sym.GetSymbolFile(0), defaultMovie);
    EXPECT_EQ(live->m_sym.GetSymbolFile(2), superset);
}

TEST_F(SetSymTest, CancelWithoutApplyLeavesTheLevelAlone) {
    const GradeInfo original = *live;
    const int result = Run(-1, [&](Set_Sym& d) {
        d.FileBox()->setText(letters);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(*live, original);
    EXPECT_TRUE(calls.empty());
}
