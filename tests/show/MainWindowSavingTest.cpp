#include "base/AppPaths.h"
#include "common/FileSizeLimit.h"
#include "common/RecordingPrompter.h"
#include "media/MovieTestUtil.h"
#include "model/TumoStatus.h"
#include "show/CTumoDlg.h"
#include "show/MainMenu.h"
#include "show/MainWindowTestUtil.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace movietest;
using namespace mainwindowtest;

namespace {

// Answers the question after a failed save at the end: the first answers free the disk (the
// size limit ends) when the test says so.
class FreeingPrompter : public RecordingPrompter {
public:
    std::unique_ptr<FileSizeLimit>* failure = nullptr;
    bool freeOnYes = false;

    bool AskYesNo(const QString& text) override {
        const bool yes = RecordingPrompter::AskYesNo(text);
        if (yes && freeOnYes && failure)
            failure->reset();
        return yes;
    }
};

class MainWindowSaving : public ProgramFolderTest {
protected:
    void TearDown() override {
        full.reset();
        ProgramFolderTest::TearDown();
    }

    FreeingPrompter prompter;
    std::unique_ptr<FileSizeLimit> full;
};

} // namespace

TEST_F(MainWindowSaving, TheStartWritesTheStatusFileAgainAtOnce) {
    // A damaged status file is deleted at the start; the scheme with its winners must not go at
    // the next start because this one ended abnormally.
    PrepareSettings(dir.path(), [](TumoStatus& s) { s.Level(0).m_taken.Add(3); });
    QFile status(File("TumoStatus.dat"));
    ASSERT_TRUE(status.open(QIODevice::WriteOnly));
    status.write("\x01\x00", 2);
    status.close();
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(dlg.OnInitDialog());
        EXPECT_TRUE(QFile::exists(File("TumoStatus.dat")));
        CTumoDlgTestAccess::SetNoSave(dlg, true); // ends as a crash would: nothing more written
        dlg.OnQuit();
    }
    EXPECT_EQ(prompter.messages, QStringList{TumoStatus::IncompatibleFileText()});
    EXPECT_EQ(SavedWinners().size(), 1);
}

TEST_F(MainWindowSaving, EveryDrawStepAndRemovalIsOnDiskWithTheWinnersFileAfterTheScheme) {
    PrepareSettings(dir.path(), [](TumoStatus& s) {
        s.m_options.m_bAutoOutput = 1;
        s.m_options.m_bAllowDelete = 1;
    });
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    for (int step = 1; step <= 3; ++step) {
        dlg.Draw().OnDraw();
        dlg.FlushSaves();
        EXPECT_EQ(SavedWinners().size(), step);
        dlg.Draw().OnRestart();
    }
    dlg.Draw().OnDraw();
    // The draw is random: the winners file is checked against the numbers the level holds.
    QStringList lines;
    for (qsizetype i = 0; i < dlg.CurGrade()->m_taken.Count(); ++i) {
        const LoNuInfo n = dlg.ReadNumber(dlg.CurGrade()->m_taken.ValueAt(i));
        lines << QLatin1Char(',') + n.m_strNumber + QLatin1Char(',') + n.m_strInfo +
                     QStringLiteral("\r\n");
    }
    ASSERT_EQ(lines.size(), 4);
    dlg.Draw().OnDeleteWinning();
    dlg.Draw().OnInfoTipResult(QStringLiteral("0"), 1);
    dlg.FlushSaves();
    EXPECT_EQ(SavedWinners().size(), 3);
    // The winners file lists the three winners kept, not the one taken back.
    const QByteArray winners = ReadAll(File("WinningNumbers.txt"));
    auto listed = [&](const QString& line) {
        return winners.contains(
            QByteArray(reinterpret_cast<const char*>(line.utf16()), line.size() * 2));
    };
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(listed(lines[i])) << lines[i].toStdString();
    EXPECT_FALSE(listed(lines[3])) << lines[3].toStdString();
    CTumoDlgTestAccess::SetNoSave(dlg, true);
    dlg.OnQuit();
}

TEST_F(MainWindowSaving, AFailingDiskIsSaidOnceAndEveryDrawPressTriesTheSaveAgainFirst) {
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(StartReady(dlg));
    auto drawStep = [&] {
        dlg.Draw().OnDraw();
        dlg.FlushSaves();
        QCoreApplication::processEvents();
        dlg.Draw().OnRestart();
    };
    full = std::make_unique<FileSizeLimit>(0);
    drawStep();
    EXPECT_EQ(prompter.messages, QStringList{TumoStatus::WriteErrorText()});
    drawStep(); // the save fails again: nothing is drawn
    EXPECT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(dlg.CurGrade()->m_taken.Count(), 1);
    full.reset();
    drawStep(); // saves the first winner, then draws the second
    EXPECT_EQ(SavedWinners().size(), 2);
    EXPECT_EQ(prompter.messages.size(), 2);
    full = std::make_unique<FileSizeLimit>(0);
    drawStep();
    EXPECT_EQ(prompter.messages.size(), 3);
    full.reset();
    CTumoDlgTestAccess::SetNoSave(dlg, true);
    dlg.OnQuit();
}

TEST_F(MainWindowSaving, ASaveThatFailsAtQuitAsksAgainAndOnlyNoGivesUp) {
    PrepareSettings(dir.path(), [](TumoStatus&) {});
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.FlushSaves();
        full = std::make_unique<FileSizeLimit>(0);
        dlg.Draw().OnDraw();
        prompter.answers = {true, false};
        dlg.OnQuit();
    }
    // Once after the draw step's save (in the background), then at the end: Write Error!, yes,
    // Write Error!, no.
    EXPECT_EQ(prompter.questions, QStringList({DrawStateSaver::SaveAgainQuestion(),
                                               DrawStateSaver::SaveAgainQuestion()}));
    EXPECT_EQ(SavedWinners().size(), 0);
}

TEST_F(MainWindowSaving, SpaceFreedBeforeYesSavesTheSessionsWinners) {
    PrepareSettings(dir.path(), [](TumoStatus&) {});
    prompter.failure = &full;
    prompter.freeOnYes = true;
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        full = std::make_unique<FileSizeLimit>(0);
        dlg.Draw().OnDraw();
        prompter.answers = {true};
        dlg.OnQuit();
    }
    EXPECT_EQ(prompter.questions.size(), 1);
    EXPECT_EQ(SavedWinners().size(), 1);
}

// The draw key's save is made once the key is handled; a reset answered right after the draw
// must not find it still coming, or the settings files would come back after being deleted.
TEST_F(MainWindowSaving, AResetRightAfterADrawLeavesNoSettingsFileBehind) {
    PrepareSettings(dir.path(), [](TumoStatus&) {});
    {
        CTumoDlg dlg(&prompter);
        ASSERT_TRUE(StartReady(dlg));
        dlg.FlushSaves();
        dlg.Draw().OnDraw();
        prompter.answers = {true};
        dlg.OnCommand(MainMenu::kCmdReset);
        ASSERT_TRUE(dlg.IsQuitting());
        QCoreApplication::processEvents();
        dlg.FlushSaves();
        EXPECT_FALSE(QFile::exists(File("TumoStatus.dat")));
    }
    EXPECT_FALSE(QFile::exists(File("TumoStatus.dat")));
    EXPECT_FALSE(QFile::exists(File("default.TumoScheme")));
}
