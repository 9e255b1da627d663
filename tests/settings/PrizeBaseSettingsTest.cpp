#include "settings/PrizeBaseSettings.h"

#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "settings/BaseSettingsFields.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct BaseSettingsTest : ::testing::Test {
    GradeInfo level;
    RecordingPrompter prompter;
    std::unique_ptr<PrizeBaseSettings> dialog;

    BaseSettingsTest() {
        level.m_base.m_strName = "First";
        level.m_base.m_nQuantity = 5;
        level.m_base.m_nPerScreen = 1;
    }
    void Open(bool defaultLevel = false) {
        dialog = std::make_unique<PrizeBaseSettings>(&prompter);
        dialog->m_pGradeInfo = &level;
        dialog->m_bDefaultLevel = defaultLevel ? 1 : 0;
        dialog->show();
    }
    void OpenActive() {
        Open();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    // Replaces the text as the operator does: select all, type.
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    }
    void ClickOk() { QTest::mouseClick(dialog->m_btnOK, Qt::LeftButton); }
};

} // namespace

TEST(BaseSettingsFields, TakeStyleReadsAsTheStopControlsAndBack) {
    GradeInfo level;
    for (int mode : {0, 1, 2}) {
        for (int direction : {0, 1}) {
            level.m_takeStyle.m_nStopMode = mode;
            level.m_takeStyle.m_nDirection = direction;
            const BaseSettingsFields f = BaseSettingsFields::FromLevel(level);
            EXPECT_EQ(f.stopStyle, mode == 2 ? 0 : 1);
            EXPECT_EQ(f.stopDigit, mode == 1);
            GradeInfo back;
            f.ToLevel(back);
            EXPECT_EQ(back.m_takeStyle, level.m_takeStyle);
        }
    }
    // "Stop all" wins over a checked "Stop a bit".
    BaseSettingsFields f;
    f.stopStyle = BaseSettingsFields::kStopAll;
    f.stopDigit = true;
    f.ToLevel(level);
    EXPECT_EQ(level.m_takeStyle.m_nStopMode, 2);
}

TEST(BaseSettingsFields, NumbersOnTheScreenBetweenOneAndTheWinners) {
    BaseSettingsFields f;
    f.quantity = 5;
    f.perScreen = 5;
    EXPECT_TRUE(f.PerScreenValid());
    f.perScreen = 6;
    EXPECT_FALSE(f.PerScreenValid());
    f.perScreen = 0;
    EXPECT_FALSE(f.PerScreenValid());
    // Compared unsigned: a default level whose prize levels overdraw the pool reads huge.
    f.quantity = quint32(-10);
    f.perScreen = 3;
    EXPECT_TRUE(f.PerScreenValid());
}

TEST_F(BaseSettingsTest, ATakeStyleOfOneCharacterOpensWithStopOneAndABitChecked) {
    level.m_takeStyle.m_nStopMode = 1;
    level.m_takeStyle.m_nDirection = 1;
    Open();
    EXPECT_TRUE(dialog->m_radioStop[1]->isChecked());
    EXPECT_TRUE(dialog->m_checkStopDigit->isChecked());
    EXPECT_TRUE(dialog->m_checkStopDigit->isEnabled());
    EXPECT_FALSE(dialog->m_radioStop[0]->isEnabled());
    EXPECT_TRUE(dialog->m_radioDirection[1]->isChecked());
    EXPECT_TRUE(dialog->m_radioDirection[1]->isEnabled());
    EXPECT_EQ(dialog->m_editName->text(), "First");
    EXPECT_EQ(dialog->windowTitle(), "The base settings of this prize level");
}

TEST_F(BaseSettingsTest, ATakeStyleOfAllNumbersOpensWithStopAllAndNoBit) {
    level.m_base.m_nPerScreen = 3;
    level.m_takeStyle.m_nStopMode = 2;
    Open();
    EXPECT_TRUE(dialog->m_radioStop[0]->isChecked());
    EXPECT_TRUE(dialog->m_radioStop[0]->isEnabled());
    EXPECT_FALSE(dialog->m_checkStopDigit->isChecked());
    EXPECT_FALSE(dialog->m_checkStopDigit->isEnabled());
    EXPECT_FALSE(dialog->m_radioDirection[0]->isEnabled());
}

TEST_F(BaseSettingsTest, OpeningAsksToBeKnownToTheGuide) {
    dialog = std::make_unique<PrizeBaseSettings>(&prompter);
    dialog->m_pGradeInfo = &level;
    QSignalSpy registered(dialog.get(), &PrizeBaseSettings::registerWithGuide);
    dialog->show();
    dialog->hide();
    dialog->show();
    ASSERT_EQ(registered.size(), 1);
    EXPECT_EQ(registered[0][0].value<QWidget*>(), dialog.get());
}

TEST_F(BaseSettingsTest, OkWritesEveryFieldIntoTheLevel) {
    Open();
    Type(dialog->m_editName, "Grand prize");
    Type(dialog->m_editQuantity, "12");
    Type(dialog->m_editPerScreen, "4");
    dialog->m_radioStop[0]->click();
    dialog->m_checkPause->click();
    dialog->m_checkAutoDraw->click();
    EXPECT_TRUE(dialog->m_editStopTime->isEnabled());
    Type(dialog->m_editStopTime, "250");
    Type(dialog->m_editScrollTime, "3000");
    Type(dialog->m_editSwitchTime, "1500");
    ClickOk();
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const GradeBase& b = level.m_base;
    EXPECT_EQ(b.m_strName, "Grand prize");
    EXPECT_EQ(b.m_nQuantity, 12);
    EXPECT_EQ(b.m_nPerScreen, 4);
    EXPECT_EQ(b.m_bPauseWhenDone, 1);
    EXPECT_EQ(b.m_bAutoDraw, 1);
    EXPECT_EQ(b.m_nStopTime, 250);
    EXPECT_EQ(b.m_nScrollTime, 3000);
    EXPECT_EQ(b.m_nSwitchTime, 1500);
    EXPECT_EQ(level.m_takeStyle.m_nStopMode, 2);
}

TEST_F(BaseSettingsTest, OkRefusesMoreNumbersOnTheScreenThanWinnersOrNone) {
    Open();
    for (const char* perScreen : {"6", "0"}) {
        dialog->m_editPerScreen->setText(perScreen);
        prompter.messages.clear();
        ClickOk();
        EXPECT_EQ(prompter.messages, QStringList({PrizeBaseSettings::PerScreenText()}));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(level.m_base.m_nPerScreen, 1);
        EXPECT_EQ(dialog->m_bWarned, 1);
    }
}

TEST_F(BaseSettingsTest, OkRefusesMoreNumbersOnTheScreenThanAScreenShows) {
    Open();
    dialog->m_editQuantity->setText("2000000");
    dialog->m_editPerScreen->setText("1000000");
    prompter.messages.clear();
    ClickOk();
    EXPECT_EQ(prompter.messages, QStringList({PrizeBaseSettings::PerScreenText()}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(level.m_base.m_nPerScreen, 1);
}

TEST_F(BaseSettingsTest, NumbersThatDoNotConvertAreReportedAndKeepTheDialogOpen) {
    Open();
    dialog->m_editStopTime->clear();
    ClickOk();
    EXPECT_EQ(prompter.messages, QStringList({"Please enter an integer."}));
    EXPECT_TRUE(dialog->isVisible());

    // Winners are kept in a signed field: above its range is refused, not turned negative.
    dialog->m_editStopTime->setText("0");
    dialog->m_editQuantity->setText("3000000000");
    prompter.messages.clear();
    ClickOk();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("Please enter an integer between 0 and"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(level.m_base.m_nQuantity, 5);
}

TEST_F(BaseSettingsTest, TheDefaultLevelKeepsItsNameAndWinners) {
    level.m_base.m_nQuantity = -10; // its prize levels ask for more than the pool holds
    Open(true);
    EXPECT_FALSE(dialog->m_editName->isEnabled());
    EXPECT_FALSE(dialog->m_editQuantity->isEnabled());
    EXPECT_EQ(dialog->m_editQuantity->text(), "-10");
    dialog->m_editPerScreen->setText("2");
    ClickOk();
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(level.m_base.m_nQuantity, -10);
    EXPECT_EQ(level.m_base.m_nPerScreen, 2);
}

// When the prize levels take the whole pool the default level has no winners left; its pause,
// automatic mode and numbers on the screen are still its own to set, but never none on the screen.
TEST_F(BaseSettingsTest, TheDefaultLevelWithNoWinnersLeftStillTakesItsSettings) {
    level.m_base.m_nQuantity = 0;
    level.m_base.m_bAutoDraw = 0;
    Open(true);
    dialog->m_checkAutoDraw->setChecked(true);
    dialog->m_editPerScreen->setText("3");
    ClickOk();
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(level.m_base.m_bAutoDraw, 1);
    EXPECT_EQ(level.m_base.m_nPerScreen, 3);
    EXPECT_EQ(level.m_base.m_nQuantity, 0);

    Open(true);
    dialog->m_editPerScreen->setText("0");
    ClickOk();
    EXPECT_EQ(prompter.messages, QStringList({PrizeBaseSettings::PerScreenText()}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(level.m_base.m_nPerScreen, 3);
}

TEST_F(BaseSettingsTest, TypingMoreThanOneNumberClearsAndLocksStopABit) {
    level.m_base.m_nQuantity = 10;
    level.m_takeStyle.m_nStopMode = 1;
    Open();
    Type(dialog->m_editPerScreen, "3");
    EXPECT_FALSE(dialog->m_checkStopDigit->isChecked());
    EXPECT_FALSE(dialog->m_checkStopDigit->isEnabled());
    EXPECT_TRUE(dialog->m_radioStop[0]->isEnabled());
    EXPECT_FALSE(dialog->m_radioDirection[0]->isEnabled());

    dialog->m_radioStop[0]->click();
    Type(dialog->m_editPerScreen, "1");
    EXPECT_TRUE(dialog->m_radioStop[1]->isChecked());
    EXPECT_FALSE(dialog->m_radioStop[0]->isEnabled());
    EXPECT_TRUE(dialog->m_checkStopDigit->isEnabled());
    EXPECT_FALSE(dialog->m_radioDirection[0]->isEnabled());
    dialog->m_checkStopDigit->click();
    EXPECT_TRUE(dialog->m_radioDirection[0]->isEnabled());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(BaseSettingsTest, AutoDrawUnlocksItsTimes) {
    Open();
    EXPECT_FALSE(dialog->m_editScrollTime->isEnabled());
    dialog->m_checkAutoDraw->click();
    EXPECT_TRUE(dialog->m_editScrollTime->isEnabled());
    EXPECT_EQ(dialog->m_editScrollTime->text(), "800");
    dialog->m_checkAutoDraw->click();
    EXPECT_FALSE(dialog->m_editSwitchTime->isEnabled());
}

TEST_F(BaseSettingsTest, TypingTooManyWarnsOnceAndKeepsTheFocus) {
    OpenActive();
    Type(dialog->m_editPerScreen, "7");
    EXPECT_EQ(prompter.messages, QStringList({PrizeBaseSettings::PerScreenText()}));
    EXPECT_TRUE(dialog->m_editPerScreen->hasFocus());
    EXPECT_EQ(dialog->m_editPerScreen->selectedText(), "7");
    // Leaving it still wrong says nothing more.
    dialog->m_editName->setFocus();
    Type(dialog->m_editPerScreen, "9");
    dialog->m_editName->setFocus();
    EXPECT_EQ(prompter.messages.size(), 1);
}

TEST_F(BaseSettingsTest, LeavingAWrongValueForAnotherBoxWarnsAndComesBack) {
    OpenActive();
    dialog->m_editPerScreen->setFocus();
    dialog->m_editPerScreen->setText("0");
    dialog->m_editName->setFocus();
    EXPECT_EQ(prompter.messages, QStringList({PrizeBaseSettings::PerScreenText()}));
    EXPECT_TRUE(dialog->m_editPerScreen->hasFocus());
}

TEST_F(BaseSettingsTest, LeavingAWrongValueByCancelSaysNothingAndCancels) {
    OpenActive();
    dialog->m_editPerScreen->setFocus();
    dialog->m_editPerScreen->setText("9");
    QTest::mouseClick(dialog->m_btnCancel, Qt::LeftButton);
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(level.m_base.m_nPerScreen, 1);
}

TEST_F(BaseSettingsTest, AnEmptiedBoxWaitsForTheNextDigit) {
    level.m_base.m_nQuantity = 10;
    OpenActive();
    Type(dialog->m_editPerScreen, "");
    EXPECT_TRUE(prompter.messages.isEmpty());
    QTest::keyClicks(dialog->m_editPerScreen, "4");
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_FALSE(dialog->m_checkStopDigit->isEnabled());
}

TEST(PrizeBaseSettingsCommand, RunsModallyOnTheLevelAndKnowsTheDefaultLevel) {
    TumoStatus status;
    status.SetLevels({GradeInfo(), GradeInfo()});
    status.m_nuBase.m_nCount = 50;
    status.m_nuBase.m_nDigits = 2;
    status.RecomputeDefaultGradeTotal();
    RecordingPrompter prompter;
    QList<QWidget*> registered;
    bool quantityLocked = false;
    // The modal dialog is answered from inside its own loop, once it is up.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<PrizeBaseSettings*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        quantityLocked = !dialog->m_editQuantity->isEnabled();
        dialog->m_editPerScreen->setText("3");
        dialog->accept();
        if (dialog->isVisible())
            dialog->reject(); // refused: the test fails below instead of hanging
    });
    answer.start(10);
    const PrizeLevels::Outcome outcome =
        PrizeBaseSettings::EditLevel(nullptr, status, status.Level(0), &prompter,
                                     [&](QWidget* window) { registered << window; });
    EXPECT_TRUE(quantityLocked);
    EXPECT_EQ(registered.size(), 1);
    EXPECT_EQ(outcome, PrizeLevels::Outcome::LayoutReset);
    EXPECT_EQ(status.Level(0).m_base.m_nPerScreen, 3);
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 49);
    EXPECT_EQ(status.Level(0).m_sym.m_listLayout.size(), 3);
}
