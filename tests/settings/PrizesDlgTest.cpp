#include "settings/PrizesDlg.h"

#include "common/RecordingPrompter.h"
#include "controls/XButton.h"
#include "settings/LevelsTestUtil.h"
#include "settings/ListItem.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct PrizesDlgTest : ::testing::Test {
    TumoStatus status;
    RecordingPrompter prompter;
    std::unique_ptr<PrizesDlg> page;
    QStringList edited; // names of the copies the editor was given
    QList<bool> editedAsDefault;
    bool editorOk = true;

    void Open(const QStringList& levels) {
        FillLevels(status, levels);
        page = std::make_unique<PrizesDlg>(&status, &prompter);
        page->m_editLevel = [this](GradeInfo& copy, bool defaultLevel) {
            edited << copy.m_base.m_strName;
            editedAsDefault << defaultLevel;
            copy.m_base.m_strName = "Edited " + copy.m_base.m_strName;
            return editorOk;
        };
        page->show();
    }
    ListFrm& List() { return page->m_list; }
    QStringList Captions() {
        QStringList captions;
        for (ListItem* row : List().m_listItems)
            captions << row->Caption();
        return captions;
    }
};

} // namespace

TEST_F(PrizesDlgTest, WithoutPrizeLevelsOnlyTheDefaultRowShowsAndNothingMoves) {
    FillLevels(status, {});
    status.Level(0).m_base.m_strName.clear();
    page = std::make_unique<PrizesDlg>(&status, &prompter);
    EXPECT_EQ(status.Level(0).m_base.m_strName, "Default Settings");
    ASSERT_EQ(List().Count(), 1);
    EXPECT_EQ(List().Item(0)->Caption(), "Default Settings");
    EXPECT_EQ(List().m_nSelected, 0);
    EXPECT_FALSE(page->m_btnDelete->isEnabled());
    EXPECT_FALSE(List().MenuState().up);
    EXPECT_FALSE(List().MenuState().down);
    EXPECT_EQ(List().ScrollBar()->maximum(), 1);
}

TEST_F(PrizesDlgTest, RowsFollowTheDrawOrderWithTheFirstSelected) {
    Open({"First", "Second"});
    EXPECT_EQ(Captions(), QStringList({"First", "Second", "Default Settings"}));
    EXPECT_TRUE(List().Item(0)->IsSelected());
    EXPECT_EQ(List().Item(0)->height(), 70);
    EXPECT_EQ(List().Item(1)->height(), 40);
    EXPECT_EQ(List().Item(1)->y(), 70);
    EXPECT_TRUE(page->m_btnDelete->isEnabled());
    EXPECT_EQ(List().ScrollBar()->maximum(), 2);

    QTest::mouseClick(List().Item(2), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(List().m_nSelected, 2);
    EXPECT_EQ(List().Item(0)->height(), 40);
    EXPECT_FALSE(page->m_btnDelete->isEnabled());
}

TEST_F(PrizesDlgTest, AddingCopiesTheLastLevelAboveTheDefaultRow) {
    Open({"First", "Second"});
    QTest::mouseClick(page->m_btnAdd, Qt::LeftButton);
    EXPECT_EQ(edited, QStringList({"Copy of Second"}));
    EXPECT_EQ(editedAsDefault, QList<bool>({false}));
    EXPECT_EQ(LevelNames(status),
              QStringList({"Default Settings", "First", "Second", "Edited Copy of Second"}));
    EXPECT_EQ(status.LastGrade(), 3);
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 70);
    EXPECT_EQ(Captions(),
              QStringList({"First", "Second", "Edited Copy of Second", "Default Settings"}));
    EXPECT_EQ(List().m_nSelected, 2);
    EXPECT_EQ(List().m_nScrollPos, 1); // four rows: the last three show
    EXPECT_FALSE(List().Item(0)->isVisible());
    EXPECT_EQ(List().Item(1)->y(), 0);
}

TEST_F(PrizesDlgTest, ACancelledOrDeclinedAddChangesNothing) {
    Open({"First"});
    editorOk = false;
    QTest::mouseClick(page->m_btnAdd, Qt::LeftButton);
    EXPECT_EQ(status.LevelCount(), 2);
    EXPECT_EQ(List().Count(), 2);

    editorOk = true;
    status.Level(1).m_taken.Add(4);
    prompter.answers = {false};
    QTest::mouseClick(page->m_btnAdd, Qt::LeftButton);
    EXPECT_EQ(prompter.questions, QStringList({PrizeLevels::PulledOutText()}));
    EXPECT_EQ(edited.size(), 1);
    EXPECT_EQ(status.LevelCount(), 2);
    EXPECT_EQ(status.GetTakenCount(), 1);
}

TEST_F(PrizesDlgTest, DeletingTheFirstRowAfterAskingSelectsTheDefaultRow) {
    Open({"First", "Second"});
    prompter.answers = {false};
    QTest::mouseClick(page->m_btnDelete, Qt::LeftButton);
    EXPECT_EQ(prompter.questions, QStringList({"Are you sure?"}));
    EXPECT_EQ(status.LevelCount(), 3);

    prompter.answers = {true};
    QTest::mouseClick(page->m_btnDelete, Qt::LeftButton);
    EXPECT_EQ(LevelNames(status), QStringList({"Default Settings", "Second"}));
    EXPECT_EQ(status.LastGrade(), 1);
    EXPECT_EQ(status.Level(0).m_base.m_nQuantity, 90);
    EXPECT_EQ(Captions(), QStringList({"Second", "Default Settings"}));
    EXPECT_EQ(List().m_nSelected, 1);
    EXPECT_FALSE(page->m_btnDelete->isEnabled());
}

TEST_F(PrizesDlgTest, DeletingWithDrawnNumbersClearsThemFirst) {
    Open({"First", "Second"});
    status.Level(2).m_taken.Add(11);
    prompter.answers = {true, true};
    List().SelectItem(1);
    QTest::mouseClick(page->m_btnDelete, Qt::LeftButton);
    EXPECT_EQ(prompter.questions.size(), 2);
    EXPECT_EQ(LevelNames(status), QStringList({"Default Settings", "First"}));
    EXPECT_EQ(status.GetTakenCount(), 0);
    EXPECT_EQ(List().m_nSelected, 0);
}

TEST_F(PrizesDlgTest, MoveUpKeepsTheMovedLevelSelected) {
    Open({"First", "Second", "Third"});
    List().SelectItem(1);
    EXPECT_TRUE(List().MenuState().up);
    List().MoveItem(ListFrm::kUp);
    EXPECT_EQ(LevelNames(status), QStringList({"Default Settings", "Second", "First", "Third"}));
    EXPECT_EQ(Captions(), QStringList({"Second", "First", "Third", "Default Settings"}));
    EXPECT_EQ(List().m_nSelected, 0);
    EXPECT_FALSE(List().MenuState().up);

    List().MoveItem(ListFrm::kUp); // not offered on the first row: nothing happens
    EXPECT_EQ(List().m_nSelected, 0);
    List().SelectItem(2);
    List().MoveItem(ListFrm::kDown); // nor below the last prize level
    EXPECT_EQ(LevelNames(status).last(), "Third");
}

TEST_F(PrizesDlgTest, DesignModeIsAskedForTheChosenRow) {
    Open({"First", "Second"});
    QSignalSpy asked(page.get(), &PrizesDlg::designModeRequested);
    List().SelectItem(1);
    QTest::mouseClick(page->m_btnDesign, Qt::LeftButton);
    // A row's own button designs its own level and selects it.
    QTest::mouseClick(List().Item(2)->m_btnDesign, Qt::LeftButton);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0][0].toInt(), 1);
    EXPECT_EQ(asked[1][0].toInt(), 2);
    EXPECT_EQ(List().m_nSelected, 2);
}

TEST_F(PrizesDlgTest, ARowsBaseSettingsEditItsLevelAndRenameTheRow) {
    Open({"First", "Second"});
    QTest::mouseClick(List().Item(1)->m_btnBase, Qt::LeftButton);
    QTest::mouseClick(List().Item(2)->m_btnBase, Qt::LeftButton);
    EXPECT_EQ(edited, QStringList({"Second", "Default Settings"}));
    EXPECT_EQ(editedAsDefault, QList<bool>({false, true}));
    EXPECT_EQ(Captions(), QStringList({"First", "Edited Second", "Edited Default Settings"}));
    EXPECT_EQ(status.Level(2).m_base.m_strName, "Edited Second");
    EXPECT_EQ(List().m_nSelected, 0);
}

TEST_F(PrizesDlgTest, ScrollingHidesTheRowsAboveTheFirstShown) {
    Open({"1", "2", "3", "4", "5"});
    List().ScrollBar()->setValue(2);
    EXPECT_EQ(List().m_nScrollPos, 2);
    EXPECT_FALSE(List().Item(0)->isVisible());
    EXPECT_FALSE(List().Item(1)->isVisible());
    EXPECT_EQ(List().Item(2)->y(), 0);
    EXPECT_EQ(List().Item(3)->y(), 40);
    List().ScrollBar()->setValue(List().ScrollBar()->maximum());
    EXPECT_EQ(List().Item(5)->y(), 0);
    // A click beside the rows keeps the selection and the scroll.
    List().SelectItem(5);
    QTest::mouseClick(List().Item(5)->parentWidget(), Qt::LeftButton, {}, QPoint(20, 200));
    EXPECT_EQ(List().m_nSelected, 5);
    EXPECT_EQ(List().Item(5)->y(), 0);
}

TEST_F(PrizesDlgTest, TheRowUnderTheMouseIsFramed) {
    Open({"First", "Second"});
    // Sent to the row itself: a window or grab an earlier test of the program left behind may
    // stand between QTest's simulated pointer and a row that is not on the screen.
    const auto moveOver = [](ListItem* row) {
        const QPointF at(30, 20);
        QMouseEvent move(QEvent::MouseMove, at, row->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(row, &move);
    };
    moveOver(List().Item(1));
    EXPECT_TRUE(List().Item(1)->IsHot());
    moveOver(List().Item(0));
    EXPECT_TRUE(List().Item(0)->IsHot());
    EXPECT_FALSE(List().Item(1)->IsHot());
}

// The rows' buttons are the flat buttons of the draw screen, in the selected row too: a grey face
// with a thin dark border and black text, never the selected row's colour.
TEST_F(PrizesDlgTest, TheRowsButtonsLookFlatInEveryRow) {
    Open({"First", "Second"});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    const QColor grey(0xCC, 0xCC, 0xCC);
    const QColor border(0x66, 0x66, 0x66);
    for (int i : {0, 1}) {
        ListItem* row = List().Item(i);
        ASSERT_EQ(row->IsSelected(), i == 0);
        for (XButton* button : {row->m_btnBase, row->m_btnDesign}) {
            const QImage shot = row->grab(button->geometry()).toImage();
            EXPECT_EQ(shot.pixelColor(0, 0), border) << i;
            EXPECT_EQ(shot.pixelColor(shot.width() - 1, shot.height() / 2), border) << i;
            EXPECT_EQ(shot.pixelColor(3, 3), grey) << i;
            int black = 0;
            int selectedColour = 0;
            for (int y = 1; y < shot.height() - 1; ++y) {
                for (int x = 1; x < shot.width() - 1; ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    black += c == QColor(Qt::black) ? 1 : 0;
                    selectedColour += c == QColor(0x66, 0x99, 0xFF) ? 1 : 0;
                }
            }
            EXPECT_GT(black, 20) << i;
            EXPECT_EQ(selectedColour, 0) << i;
        }
    }
}
