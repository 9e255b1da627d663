#include "settings/NuTakedOutDD.h"
#include "base/AppPaths.h"
#include "common/FileSizeLimit.h"
#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "settings/WinningList.h"
#include "store/NuFileDeal.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

// A program folder with the default pool (1 to 100, information "Info." and the number), a
// prize level "First" with two winners and one winner of the default level.
class WinningDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetAppFolder(dir.path());
        status.m_strDataFolder = dir.path();
        status.LoadAll();
        pool.m_strFolder = dir.path();
        pool.m_pStatus = &status;
        ASSERT_EQ(pool.OpenStore(), 1);
        GradeInfo first = status.Level(0);
        first.m_base.m_strName = QStringLiteral("First");
        first.m_base.m_nQuantity = 3;
        status.AddLevel(first);
        status.Level(1).m_taken.Add(4);
        status.Level(1).m_taken.Add(0);
        status.Level(0).m_taken.Add(99);
        status.m_nTakenAtGradeStart = 2;
        status.m_options.m_strAutoOutputFile = QStringLiteral("auto.txt");
        status.m_options.m_bAutoOutput = 0;
    }

    void Open(NuTakedOutDD& dlg) {
        dlg.m_pNumberStore = &pool;
        dlg.m_pStatus = &status;
        dlg.OnInitDialog();
    }

    QString Cell(NuTakedOutDD& dlg, int row, int column) {
        const QAbstractItemModel* model = dlg.List()->model();
        return model->data(model->index(row, column)).toString();
    }

    QTemporaryDir dir;
    TumoStatus status;
    NuFileDeal pool;
    RecordingPrompter prompter;
};

TEST_F(WinningDialogTest, ListsEveryWinnerFromThePool) {
    NuTakedOutDD dlg(nullptr, &prompter);
    Open(dlg);
    EXPECT_EQ(dlg.windowTitle(), "Winning  Numbers");
    ASSERT_EQ(dlg.List()->model()->rowCount(), 3);
    EXPECT_EQ(Cell(dlg, 0, 0), "1");
    EXPECT_EQ(Cell(dlg, 0, 1), "First");
    EXPECT_EQ(Cell(dlg, 0, 2), "5");
    EXPECT_EQ(Cell(dlg, 0, 3), "Info.5");
    EXPECT_EQ(Cell(dlg, 1, 1), "");
    EXPECT_EQ(Cell(dlg, 2, 1), "Other Winning numbers");
    EXPECT_EQ(Cell(dlg, 2, 2), "100");
    // The stored bare name is completed in the status, and shown so.
    EXPECT_EQ(status.m_options.m_strAutoOutputFile, dir.path() + "/auto.txt");
    EXPECT_TRUE(dlg.AutoOutputCaption().contains(dir.path() + "/auto.txt\""));
}

TEST_F(WinningDialogTest, CopyAndOutputWriteTheSameText) {
    NuTakedOutDD dlg(nullptr, &prompter);
    Open(dlg);
    const QString text = "SN.,Name,Number,Additional information\r\n1,First,5,Info.5\r\n"
                         "2,First,1,Info.1\r\n3,Other Winning numbers,100,Info.100\r\n";
    EXPECT_EQ(dlg.BuildText(), text);
    dlg.OnCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    EXPECT_EQ(prompter.messages, QStringList{WinningList::CopiedText()});

    // The chooser completes the name, before it asks about replacing a file.
    prompter.chosenFiles = {dir.filePath("winners.txt")};
    dlg.OnOutput();
    EXPECT_EQ(prompter.saveSuffixes, QStringList{QStringLiteral("txt")});
    EXPECT_EQ(status.m_options.m_strOutputFile, dir.filePath("winners.txt"));
    QFile f(dir.filePath("winners.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), WinningList::FileBytes(text));

    // A file that cannot be created is not reported; cancelling keeps the stored name.
    prompter.chosenFiles = {dir.filePath("missing/folder/w.txt")};
    dlg.OnOutput();
    dlg.OnOutput();
    EXPECT_EQ(status.m_options.m_strOutputFile, dir.filePath("missing/folder/w.txt"));
    EXPECT_EQ(prompter.messages.size(), 1);
}

TEST_F(WinningDialogTest, AnOutputCutShortByAFullDiskKeepsTheOldFileAndSaysSo) {
    NuTakedOutDD dlg(nullptr, &prompter);
    Open(dlg);
    const QString path = dir.filePath("winners.txt");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old list");
    old.close();
    {
        FileSizeLimit full(0);
        prompter.chosenFiles = {path};
        dlg.OnOutput();
    }
    EXPECT_EQ(prompter.messages, QStringList{TumoStatus::WriteErrorText()});
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old list"));
}

TEST_F(WinningDialogTest, AutoOutputBoxReachesTheStatusOnlyThroughClose) {
    {
        NuTakedOutDD dlg(nullptr, &prompter);
        Open(dlg);
        dlg.AutoOutputBox()->click(); // on; the file chooser is cancelled
        EXPECT_TRUE(dlg.AutoOutputBox()->isChecked());
        EXPECT_EQ(status.m_options.m_bAutoOutput, 0);
        prompter.chosenFiles = {dir.filePath("live.txt")};
        dlg.AutoOutputBox()->click(); // off: nothing is asked
        dlg.AutoOutputBox()->click(); // on again, with a file
        EXPECT_EQ(status.m_options.m_strAutoOutputFile, dir.filePath("live.txt"));
        EXPECT_TRUE(dlg.AutoOutputCaption().contains("live.txt"));
        // Enter and Esc close without storing the box.
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Return);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(status.m_options.m_bAutoOutput, 0);
    }
    {
        NuTakedOutDD dlg(nullptr, &prompter);
        Open(dlg);
        dlg.AutoOutputBox()->click();
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_EQ(status.m_options.m_bAutoOutput, 0);
    }
    NuTakedOutDD dlg(nullptr, &prompter);
    Open(dlg);
    dlg.AutoOutputBox()->click();
    dlg.OnCloseButton();
    EXPECT_EQ(status.m_options.m_bAutoOutput, 1);
    EXPECT_EQ(status.m_options.m_strAutoOutputFile, dir.filePath("live.txt"));
    NuTakedOutDD again(nullptr, &prompter);
    Open(again);
    EXPECT_TRUE(again.AutoOutputBox()->isChecked());
    again.AutoOutputBox()->click();
    again.show();
    again.close(); // the close box stores the box as well
    EXPECT_EQ(status.m_options.m_bAutoOutput, 0);
}

TEST_F(WinningDialogTest, ClearAllEmptiesEveryLevelAfterYes) {
    NuTakedOutDD dlg(nullptr, &prompter);
    Open(dlg);
    prompter.answers = {false};
    dlg.OnClearAll();
    EXPECT_EQ(status.GetTakenCount(), 3);
    EXPECT_EQ(dlg.List()->model()->rowCount(), 3);
    prompter.answers = {true};
    dlg.OnClearAll();
    EXPECT_EQ(prompter.questions, QStringList(2, "Are you sure?"));
    EXPECT_EQ(status.GetTakenCount(), 0);
    EXPECT_EQ(status.m_nTakenAtGradeStart, 0);
    EXPECT_EQ(status.m_nFirstSlot, 0);
    EXPECT_EQ(dlg.List()->model()->rowCount(), 0);
    EXPECT_EQ(dlg.BuildText(), "SN.,Name,Number,Additional information\r\n");
}

} // namespace
