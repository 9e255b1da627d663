#include "settings/XSet.h"
#include "base/AppPaths.h"
#include "common/FileSizeLimit.h"
#include "common/RecordingPrompter.h"
#include "controls/ControlId.h"
#include "media/MovieTestUtil.h"
#include "model/TumoStatus.h"
#include "settings/PrizesDlg.h"
#include "settings/Sheet_LotteryNo.h"
#include "settings/Sheet_Other.h"
#include "store/NuFileDeal.h"
#include "store/SchemeBackup.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace movietest;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SettingsWindowPackName, TheEndingIsAddedOnlyWhenMissingInAnyCase) {
    EXPECT_EQ(XSet::CompleteSchemeExtension("/a/show"), "/a/show.TSC");
    EXPECT_EQ(XSet::CompleteSchemeExtension("/a/show.TSC"), "/a/show.TSC");
    EXPECT_EQ(XSet::CompleteSchemeExtension("/a/show.tsc"), "/a/show.tsc");
    EXPECT_EQ(XSet::CompleteSchemeExtension("/a/show.Tsc"), "/a/show.Tsc");
    EXPECT_EQ(XSet::CompleteSchemeExtension("/a/show.TSCX"), "/a/show.TSCX.TSC");
    EXPECT_EQ(XSet::CompleteSchemeExtension("TS"), "TS.TSC");
}

// A program folder with the default pool and a readable symbol movie, and the settings window
// over its status and pool, without a draw window.
class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetAppFolder(dir.path());
        ASSERT_FALSE(Write(dir, "DefSym.swf", *ColourSymbols("0123456789")).isEmpty());
        status.m_strDataFolder = dir.path();
        status.LoadAll();
        ASSERT_TRUE(status.SaveAll());
        pool.m_strFolder = dir.path();
        pool.m_pStatus = &status;
        ASSERT_EQ(pool.OpenStore(), 1);
        Open();
    }

    void Open() {
        settings = std::make_unique<XSet>(&prompter);
        settings->m_pStatus = &status;
        settings->m_pNumberStore = &pool;
        ASSERT_TRUE(settings->Create());
        reports = std::make_unique<QSignalSpy>(settings.get(), &XSet::SettingsClosed);
        ASSERT_TRUE(settings->OtherPage()->IsInitialised())
            << prompter.messages.join('\n').toStdString();
    }

    // The reports so far, as (code, monitor) pairs.
    QList<QPair<int, int>> Reports() const {
        QList<QPair<int, int>> list;
        for (const QList<QVariant>& args : *reports)
            list.append({args[0].toInt(), args[1].toInt()});
        return list;
    }
    using Pairs = QList<QPair<int, int>>;

    // Turns "Show buttons on screen." over on the other options page.
    void FlipShowButtons() { settings->OtherPage()->m_checkShowButtons->click(); }

    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    TumoStatus status;
    NuFileDeal pool;
    RecordingPrompter prompter;
    std::unique_ptr<XSet> settings;
    std::unique_ptr<QSignalSpy> reports;
};

TEST_F(SettingsWindowTest, ThreePagesOnTabsOneShownAtATime) {
    EXPECT_EQ(settings->windowTitle(), "Settings");
    EXPECT_TRUE(settings->windowFlags() & Qt::WindowStaysOnTopHint);
    QTabWidget* tabs = settings->Tabs();
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Numbers");
    EXPECT_EQ(tabs->tabText(1), "Prize levels");
    EXPECT_EQ(tabs->tabText(2), "Other options");
    EXPECT_EQ(settings->Page(0), settings->NumbersPage());
    EXPECT_EQ(settings->Page(1), settings->PrizesPage());
    EXPECT_EQ(settings->Page(2), settings->OtherPage());
    EXPECT_TRUE(settings->NumbersPage()->isVisible());
    settings->ShowPage(2);
    EXPECT_TRUE(settings->OtherPage()->isVisible());
    EXPECT_FALSE(settings->NumbersPage()->isVisible());
    settings->ShowPage(3);
    settings->ShowPage(-1);
    EXPECT_EQ(tabs->currentIndex(), 2);
    // The keyboard moves between the tabs as well.
    tabs->tabBar()->setFocus();
    QTest::keyClick(tabs->tabBar(), Qt::Key_Left);
    EXPECT_TRUE(settings->PrizesPage()->isVisible());
}

TEST_F(SettingsWindowTest, CloseEnterEscAndTheCloseBoxReportOnceAndSaveTheOptions) {
    const qint32 shown = status.m_options.m_bShowButtons;
    FlipShowButtons();
    EXPECT_EQ(status.m_options.m_bShowButtons, shown) << "saved only on closing";
    QTest::keyClick(settings.get(), Qt::Key_Return);
    EXPECT_EQ(Reports(), (Pairs{{0, 0}}));
    EXPECT_NE(status.m_options.m_bShowButtons, shown);
    QTest::keyClick(settings.get(), Qt::Key_Escape);
    settings->close();
    settings->CloseAndReport();
    EXPECT_EQ(reports->count(), 1);
    EXPECT_TRUE(settings->isVisible()) << "the draw window deletes it";

    for (const int key : {int(Qt::Key_Escape), -1}) {
        Open();
        settings->NumbersPage()->MarkNumbersChanged();
        if (key < 0)
            settings->close();
        else
            QTest::keyClick(settings.get(), Qt::Key(key));
        EXPECT_EQ(Reports(), (Pairs{{1, 0}}));
    }
}

TEST_F(SettingsWindowTest, ResetNoClosesWithoutSavingTheOptionsButReportsChangedNumbers) {
    const qint32 shown = status.m_options.m_bShowButtons;
    FlipShowButtons();
    settings->NumbersPage()->MarkNumbersChanged();
    prompter.answers = {false};
    settings->OnReset();
    EXPECT_EQ(prompter.questions, QStringList{XSet::ResetQuestion()});
    EXPECT_EQ(Reports(), (Pairs{{1, 0}}));
    EXPECT_EQ(status.m_options.m_bShowButtons, shown);
    EXPECT_TRUE(QFile::exists(File("TumoStatus.dat")));
}

TEST_F(SettingsWindowTest, ResetYesDeletesTheSettingsFilesAndRestartsWithoutSaving) {
    prompter.answers = {true};
    settings->OnReset();
    EXPECT_EQ(Reports(), (Pairs{{-1, 0}}));
    EXPECT_FALSE(QFile::exists(File("TumoStatus.dat")));
    EXPECT_FALSE(QFile::exists(File("default.TumoScheme")));
    EXPECT_TRUE(QFile::exists(File("data.dat")));
    EXPECT_FALSE(status.SaveAll()) << "nothing is written again";
}

TEST_F(SettingsWindowTest, BackupWritesAPackAndLoadRestoresItThenRestarts) {
    status.Level(0).m_base.m_strName = QStringLiteral("Packed");
    prompter.chosenFiles = {File("show")};
    settings->OnBackupScheme();
    EXPECT_TRUE(QFile::exists(File("show.TSC")));
    EXPECT_EQ(prompter.saveSuffixes, QStringList({"TSC"})) << "asked about the pack it writes";
    // The copy's settings files were staged in the program folder, and are gone.
    EXPECT_TRUE(
        QDir(dir.path()).entryList({".backup-*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
    EXPECT_EQ(reports->count(), 0);
    EXPECT_TRUE(settings->isVisible());

    // Cancelled chooser, then No to the question: nothing happens.
    settings->OnLoadScheme();
    EXPECT_EQ(prompter.openFolders, QStringList({g_strAppFolder})) << "the program folder";
    EXPECT_EQ(prompter.openSuffixes, QStringList({"TSC"})) << "a bare name finds its pack";
    EXPECT_EQ(g_strAppFolder, dir.path());
    prompter.chosenFiles = {File("show")};
    prompter.answers = {false};
    settings->OnLoadScheme();
    EXPECT_EQ(reports->count(), 0);
    EXPECT_EQ(pool.ReadNumber(0).m_strNumber, "1");

    status.Level(0).m_base.m_strName = QStringLiteral("Live");
    prompter.chosenFiles = {File("show")};
    prompter.answers = {true};
    settings->OnLoadScheme();
    EXPECT_EQ(prompter.questions.last(), XSet::LoadQuestion());
    EXPECT_EQ(Reports(), (Pairs{{-1, 0}}));
    TumoStatus restored;
    restored.m_strDataFolder = dir.path();
    restored.LoadAll();
    EXPECT_EQ(restored.Level(0).m_base.m_strName, "Packed");
}

TEST_F(SettingsWindowTest, ABadPackIsRefusedAndChangesNothing) {
    for (const QByteArray& bytes : {QByteArray("not a pack at all"), QByteArray()}) {
        QFile bad(File("bad.TSC"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write(bytes);
        bad.close();
        const QByteArray scheme = ReadBytes(File("default.TumoScheme"));
        prompter.messages.clear();
        prompter.chosenFiles = {File("bad")};
        prompter.answers = {true};
        settings->OnLoadScheme();
        EXPECT_EQ(prompter.messages, QStringList({QStringLiteral("Bad pack file!")}));
        EXPECT_TRUE(Reports().isEmpty()) << "no restart: the window stays open";
        EXPECT_EQ(ReadBytes(File("default.TumoScheme")), scheme);
        EXPECT_EQ(pool.ReadNumber(41).m_strNumber, "42") << "the pool stays open";
    }
}

TEST_F(SettingsWindowTest, PackThatCannotBeWrittenRestartsAfterSavingWithThePoolOpen) {
    prompter.chosenFiles = {File("show")};
    settings->OnBackupScheme();
    FlipShowButtons();
    const qint32 shown = status.m_options.m_bShowButtons;
    prompter.chosenFiles = {File("show")};
    prompter.answers = {true};
    {
        FileSizeLimit full(0); // the pack's files cannot be staged
        settings->OnLoadScheme();
    }
    EXPECT_EQ(Reports(), (Pairs{{0, 1}}));
    EXPECT_FALSE(prompter.messages.isEmpty());
    EXPECT_NE(status.m_options.m_bShowButtons, shown) << "the options are kept";
    EXPECT_EQ(pool.ReadNumber(41).m_strNumber, "42") << "the pool is open again";
    EXPECT_TRUE(status.SaveAll());
}

} // namespace

namespace {

// The guide's entries 1231 to 1235 point at the settings window's tab control and its four
// buttons: each must be found by its number.
TEST_F(SettingsWindowTest, TheGuideFindsTheTabsAndTheButtonsByTheirNumbers) {
    const auto* tabs = qobject_cast<QTabWidget*>(FindControlById(settings.get(), 1231));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->count(), 3);
    const QStringList texts = {"Reset", "Load Scheme", "Backup Scheme", "Close"};
    for (int i = 0; i < texts.size(); ++i) {
        const auto* button = qobject_cast<QPushButton*>(FindControlById(settings.get(), 1232 + i));
        ASSERT_NE(button, nullptr) << 1232 + i;
        EXPECT_EQ(button->text(), texts[i]);
    }
}

} // namespace
