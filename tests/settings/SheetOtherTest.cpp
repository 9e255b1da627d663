#include "settings/Sheet_Other.h"

#include "common/RecordingPrompter.h"
#include "controls/XComBoxReadOnly.h"
#include "model/TumoStatus.h"
#include "settings/HotKeyRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

enum Command { kDraw = 0, kRestart = 1, kSettings = 2, kView = 3, kQuit = 4 };
enum Modifier { kCtrl = 0, kShift = 1, kAlt = 2 };

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// A choice made with the mouse: the selection changes and the owner hears of it.
void Choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

struct SheetOtherTest : ::testing::Test {
    TumoStatus status;
    RecordingPrompter prompter;
    QString symbols = "0123456789";
    QString moviePath;
    int monitors = 3;
    std::unique_ptr<Sheet_Other> page;

    SheetOtherTest() {
        status.AddLevel(GradeInfo());
        status.Level(0).m_sym.m_strDefaultFile = "DefSym.swf";
    }
    void Open() {
        OtherPageSources sources;
        sources.monitorCount = monitors;
        sources.readVariable = [this](const QString& path,
                                      const QString& name) -> std::optional<QString> {
            moviePath = path;
            if (symbols.isNull() || name != "_root._level0.SymbolsBits")
                return std::nullopt;
            return symbols;
        };
        page = std::make_unique<Sheet_Other>(&status, &prompter, nullptr, sources);
    }
    const AccelEntry& Record(int command) const { return status.m_options.m_accel[command + 1]; }
};

} // namespace

TEST_F(SheetOtherTest, OpensWithTheStoredOptions) {
    OtherOption& o = status.m_options;
    o.m_bMouseControl = 0;
    o.m_nMouseMode = 1;
    o.m_bShowButtons = 0;
    o.m_bStopAtStartup = 0;
    o.m_chStartSymbol = '7';
    o.m_bAllowDelete = 0;
    o.m_nMonitor = 2;
    Open();
    EXPECT_TRUE(page->IsInitialised());
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_TRUE(moviePath.endsWith("/DefSym.swf"));

    EXPECT_FALSE(page->m_checkMouseControl->isChecked());
    EXPECT_TRUE(page->m_radioMouse[1]->isChecked());
    for (QRadioButton* radio : page->m_radioMouse)
        EXPECT_FALSE(radio->isEnabled());
    EXPECT_FALSE(page->m_checkShowButtons->isChecked());
    EXPECT_FALSE(page->m_checkStopAtStartup->isChecked());
    EXPECT_FALSE(page->m_comboChar->isEnabled());
    EXPECT_EQ(page->m_comboChar->currentText(), "7");
    EXPECT_FALSE(page->m_checkAllowDelete->isChecked());
    EXPECT_FALSE(page->m_labelDelete->isEnabled());
    EXPECT_EQ(Items(page->m_comboMonitor), QStringList({"Monitor:1", "Monitor:2", "Monitor:3"}));
    EXPECT_EQ(page->m_comboMonitor->currentText(), "Monitor:2");

    // Command 0 (Draw, plain Space) is shown first.
    EXPECT_EQ(page->m_comboCommand->currentText(), "Draw out a winning number");
    EXPECT_EQ(Items(page->m_comboCommand), HotKeyRules::CommandItems());
    EXPECT_EQ(page->m_comboKey->currentText(), "<Space>");
    for (QRadioButton* radio : page->m_radioModifier) {
        EXPECT_FALSE(radio->isChecked());
        EXPECT_FALSE(radio->isEnabled());
    }
}

TEST_F(SheetOtherTest, CheckBoxesEnableWhatDependsOnThem) {
    status.m_options.m_bStopAtStartup = 0;
    Open();
    page->m_checkStopAtStartup->click();
    EXPECT_TRUE(page->m_comboChar->isEnabled());
    page->m_checkMouseControl->click(); // on by default: now off
    EXPECT_FALSE(page->m_radioMouse[2]->isEnabled());
    page->m_checkMouseControl->click();
    EXPECT_TRUE(page->m_radioMouse[0]->isEnabled());
    page->m_checkAllowDelete->click();
    EXPECT_FALSE(page->m_labelDelete->isEnabled());
}

TEST_F(SheetOtherTest, AnUnreadableSymbolMovieLeavesThePageUnsaved) {
    symbols = QString();
    status.m_options.m_nMonitor = 1;
    Open();
    EXPECT_EQ(prompter.messages, QStringList({"Incompatible symbol file!"}));
    EXPECT_FALSE(page->IsInitialised());
    EXPECT_EQ(page->m_comboChar->count(), 0);
    EXPECT_EQ(page->m_comboMonitor->count(), 0);

    // Hot keys still work and stand; the rest is never saved.
    Choose(page->m_comboCommand, "Quit");
    Choose(page->m_comboKey, "X");
    page->m_checkShowButtons->click();
    page->SaveOptions();
    EXPECT_EQ(Record(kQuit).key, 'X');
    EXPECT_EQ(status.m_options.m_bShowButtons, 1);
    EXPECT_FALSE(page->MonitorChanged());
}

TEST_F(SheetOtherTest, SpaceAndReturnComeAndGoWithTheCommand) {
    Open();
    Choose(page->m_comboCommand, "Settings...");
    EXPECT_EQ(page->m_comboKey->count(), 26);
    EXPECT_EQ(page->m_comboKey->currentText(), "S");
    EXPECT_TRUE(page->m_radioModifier[kCtrl]->isChecked());
    EXPECT_TRUE(page->m_radioModifier[kCtrl]->isEnabled());

    Choose(page->m_comboCommand, "Draw out a winning number");
    EXPECT_EQ(page->m_comboKey->itemText(0), "<Space>");
    EXPECT_EQ(page->m_comboKey->itemText(1), "<Return>");
    EXPECT_EQ(page->m_comboKey->currentText(), "<Space>");
}

TEST_F(SheetOtherTest, DrawAndRestartMayShareAKeyTheOthersMayNot) {
    Open();
    Choose(page->m_comboCommand, "Restart");
    Choose(page->m_comboKey, "<Space>");
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(Record(kRestart).key, 0x20);

    Choose(page->m_comboCommand, "Quit");
    Choose(page->m_comboKey, "S"); // Settings has Ctrl+S
    EXPECT_EQ(prompter.messages, QStringList({HotKeyRules::KeyUsedText()}));
    EXPECT_EQ(Record(kQuit).key, 'Q');
    EXPECT_EQ(Record(kQuit).fVirt, 9);
    // The list shows the stored key again for the next choice.
    EXPECT_EQ(page->m_comboKey->currentText(), "Q");
    page->m_comboKey->hidePopup();
}

TEST_F(SheetOtherTest, ModifierClickedTwiceIsTakenBack) {
    Open();
    Choose(page->m_comboCommand, "View winning numbers"); // Ctrl+V
    page->m_radioModifier[kShift]->click();
    EXPECT_EQ(Record(kView).fVirt, 5);
    EXPECT_FALSE(page->m_radioModifier[kCtrl]->isChecked());
    page->m_radioModifier[kCtrl]->click();
    EXPECT_EQ(Record(kView).fVirt, 9);
    page->m_radioModifier[kCtrl]->click();
    EXPECT_EQ(Record(kView).fVirt, 1);
    EXPECT_EQ(Record(kView).key, 'V');
    for (QRadioButton* radio : page->m_radioModifier)
        EXPECT_FALSE(radio->isChecked());
    EXPECT_EQ(Record(kView).cmd, OtherOption::kCmdShowWinning);
}

TEST_F(SheetOtherTest, ReturnForRestartClearsAndLocksTheModifier) {
    status.m_options.m_accel[2] = AccelEntry{9, 'R', OtherOption::kCmdRestart};
    Open();
    Choose(page->m_comboCommand, "Restart");
    EXPECT_TRUE(page->m_radioModifier[kCtrl]->isChecked());
    Choose(page->m_comboKey, "<Return>");
    EXPECT_EQ(Record(kRestart).key, 0x0D);
    EXPECT_EQ(Record(kRestart).fVirt, 1);
    for (QRadioButton* radio : page->m_radioModifier) {
        EXPECT_FALSE(radio->isChecked());
        EXPECT_FALSE(radio->isEnabled());
    }
    Choose(page->m_comboKey, "K");
    EXPECT_TRUE(page->m_radioModifier[kAlt]->isEnabled());
    EXPECT_EQ(Record(kRestart).key, 'K');
}

TEST_F(SheetOtherTest, AKeyTheListLacksShowsNoItemAndKeepsItsKey) {
    // Ctrl+Shift+F5 from a file of the other build: shown as Shift, no key item.
    status.m_options.m_accel[3] = AccelEntry{0x0D, 0x74, OtherOption::kCmdSettings};
    Open();
    Choose(page->m_comboCommand, "Settings...");
    EXPECT_EQ(page->m_comboKey->currentIndex(), -1);
    EXPECT_TRUE(page->m_radioModifier[kShift]->isChecked());
    page->m_radioModifier[kAlt]->click();
    EXPECT_EQ(Record(kSettings).key, 0x74);
    EXPECT_EQ(Record(kSettings).fVirt, 17);
}

TEST_F(SheetOtherTest, SavingWritesTheOptionsAndReportsAChangedMonitor) {
    status.m_options.m_chStartSymbol = '0';
    Open();
    page->m_checkShowButtons->click();
    page->m_checkStopAtStartup->click();
    page->m_radioMouse[0]->click();
    Choose(page->m_comboChar, "5");
    Choose(page->m_comboMonitor, "Monitor:3");
    page->SaveOptions();
    const OtherOption& o = status.m_options;
    EXPECT_EQ(o.m_bShowButtons, 0);
    EXPECT_EQ(o.m_bStopAtStartup, 1);
    EXPECT_EQ(o.m_nMouseMode, 0);
    EXPECT_EQ(o.m_chStartSymbol, '5');
    EXPECT_EQ(o.m_nMonitor, 3);
    EXPECT_TRUE(page->MonitorChanged());
}

TEST_F(SheetOtherTest, SavingUnchangedReportsNoMonitorChange) {
    status.m_options.m_nMonitor = 2;
    Open();
    page->SaveOptions();
    EXPECT_FALSE(page->MonitorChanged());
    EXPECT_EQ(status.m_options.m_nMonitor, 2);
    EXPECT_EQ(status.m_options.m_bMouseControl, 1);
}

TEST_F(SheetOtherTest, AGoneMonitorAndAnUnknownStartCharacterOpenWithoutChoice) {
    symbols = "ABC";
    status.m_options.m_chStartSymbol = '0';
    status.m_options.m_nMonitor = 4;
    monitors = 2;
    Open();
    EXPECT_EQ(page->m_comboChar->currentIndex(), -1);
    EXPECT_EQ(page->m_comboMonitor->currentIndex(), -1);
    page->SaveOptions();
    // The old character stands; the monitor becomes one that exists, reported as a change.
    EXPECT_EQ(status.m_options.m_chStartSymbol, '0');
    EXPECT_EQ(status.m_options.m_nMonitor, 1);
    EXPECT_TRUE(page->MonitorChanged());
}
