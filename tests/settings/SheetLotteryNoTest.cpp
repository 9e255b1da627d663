#include "settings/Sheet_LotteryNo.h"

#include "NumberPoolFixture.h"
#include "common/FileSizeLimit.h"
#include "controls/ControlId.h"
#include "settings/EnterModiState.h"
#include "settings/NumberListModel.h"
#include "settings/SNuItem.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using numbertest::TestPage;

namespace {

class NumbersPageTest : public numbertest::PoolFixture {
protected:
    void SetUp() override {
        PoolFixture::SetUp();
        status.m_nuBase.m_nDigits = 3;
        page = std::make_unique<TestPage>(&status, &pool, &prompter);
        page->resize(520, 480);
    }

    QPushButton* Button(const QString& text) const { return page->findChild<QPushButton*>(text); }
    bool EditButtonsEnabled() const {
        return Button(QStringLiteral("Add"))->isEnabled() &&
               Button(QStringLiteral("Modi"))->isEnabled() &&
               Button(QStringLiteral("Delete"))->isEnabled() &&
               Button(QStringLiteral("Import"))->isEnabled();
    }
    bool EditButtonsDisabled() const {
        return !Button(QStringLiteral("Add"))->isEnabled() &&
               !Button(QStringLiteral("Modi"))->isEnabled() &&
               !Button(QStringLiteral("Delete"))->isEnabled() &&
               !Button(QStringLiteral("Import"))->isEnabled();
    }
    QString Cell(int row, int column) const {
        return page->Model()->index(row, column).data().toString();
    }
    void SelectRows(std::initializer_list<int> rows) {
        QItemSelection selection;
        for (int r : rows)
            selection.select(page->Model()->index(r, 0), page->Model()->index(r, 1));
        page->List()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    }
    // Answers the item dialog with the given texts (the information typed with line feeds).
    void AnswerItem(const QString& number, const QString& info) {
        page->answer = [number, info](QDialog& d) {
            auto& item = dynamic_cast<SNuItem&>(d);
            item.NumberEdit()->setText(number);
            item.InfoEdit()->setPlainText(info);
            item.accept();
            return d.result();
        };
    }
    void Unlock() {
        page->answer = [](QDialog& d) {
            d.accept();
            return d.result();
        };
        page->OnEdit();
    }

    std::unique_ptr<TestPage> page;
};

} // namespace

TEST_F(NumbersPageTest, OpensLockedWithThePoolAndTheStoredDigits) {
    EXPECT_EQ(page->Model()->rowCount(), 100);
    EXPECT_EQ(page->Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Number"));
    EXPECT_EQ(page->Model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Additional information"));
    EXPECT_EQ(Cell(41, 0), QStringLiteral("42"));
    EXPECT_EQ(Cell(41, 1), QStringLiteral("Info.42"));
    EXPECT_EQ(page->m_strSummary, QStringLiteral(">>Total numbers: 100, max digit:3."));
    EXPECT_TRUE(page->findChild<QLabel*>(QStringLiteral("Summary"))->text() == page->m_strSummary);
    EXPECT_TRUE(EditButtonsDisabled());
    EXPECT_TRUE(Button(QStringLiteral("Edit"))->isEnabled());
    EXPECT_TRUE(Button(QStringLiteral("Output"))->isEnabled());
    EXPECT_EQ(page->m_bEditMode, 0);
    EXPECT_EQ(page->m_bNumbersChanged, 0);
    // The guide finds the controls by their numbers.
    EXPECT_EQ(FindControlById(page.get(), 1201), page->List());
    EXPECT_EQ(FindControlById(page.get(), 1206), Button(QStringLiteral("Edit")));
}

TEST_F(NumbersPageTest, ListShowsTabsAndLineBreaksReadably) {
    ASSERT_EQ(pool.ModifyNumber(LoNuInfo(0, QStringLiteral("A\t7"), QStringLiteral("x\r\ny"))), 1);
    page->Model()->Repaint();
    EXPECT_EQ(Cell(0, 0), QStringLiteral("A    7"));
    EXPECT_EQ(Cell(0, 1), QStringLiteral("x\\ny"));
    // While an operation rewrites the pool, rows read empty.
    pool.m_bReady = 0;
    EXPECT_EQ(Cell(1, 0), QString());
    pool.m_bReady = 1;
}

TEST_F(NumbersPageTest, EditWithoutWinnersUnlocksAtOnce) {
    page->OnEdit();
    EXPECT_TRUE(page->shown.isEmpty());
    EXPECT_TRUE(EditButtonsEnabled());
    EXPECT_EQ(page->m_bEditMode, 1);
}

TEST_F(NumbersPageTest, EditWithWinnersWarnsAndClearsThemOnOk) {
    status.Level(1).m_taken.Add(5);
    status.Level(0).m_taken.Add(7);
    Unlock();
    EXPECT_EQ(page->shown, QStringList{QStringLiteral("Caution!")});
    EXPECT_EQ(status.GetTakenCount(), 0);
    EXPECT_FALSE(status.IsNumberTaken(5));
    EXPECT_TRUE(EditButtonsEnabled());
    // Clearing the winners is no change of the pool.
    EXPECT_EQ(page->m_bNumbersChanged, 0);
}

// The pool may change only once the files hold the cleared winners: a kill after an import that
// replaced the pool would otherwise leave the old winners' indexes naming other numbers.
TEST_F(NumbersPageTest, ClearedWinnersAreOnDiskBeforeEditingIsUnlocked) {
    status.m_strDataFolder = dir.path();
    status.Level(1).m_taken.Add(5);
    const auto takenOnDisk = [this] {
        TumoStatus disk;
        disk.m_strDataFolder = dir.path();
        disk.LoadAll();
        return disk.GetTakenCount();
    };
    ASSERT_TRUE(status.CopyForSave()->SaveAll());
    ASSERT_EQ(takenOnDisk(), 1);
    {
        // A full disk: the winners stay on it, and so does the lock.
        FileSizeLimit full(0);
        Unlock();
    }
    EXPECT_EQ(status.GetTakenCount(), 0);
    EXPECT_EQ(takenOnDisk(), 1);
    EXPECT_TRUE(EditButtonsDisabled());
    EXPECT_TRUE(prompter.messages.contains(TumoStatus::WriteErrorText()));
    // Edit again, with room: no second question, the cleared state is written, then unlocked.
    page->shown.clear();
    page->OnEdit();
    EXPECT_TRUE(page->shown.isEmpty());
    EXPECT_EQ(takenOnDisk(), 0);
    EXPECT_TRUE(EditButtonsEnabled());
}

TEST_F(NumbersPageTest, CancelledWarningKeepsButtonsLockedButDoubleClickModifies) {
    status.Level(1).m_taken.Add(5);
    page->OnEdit(); // answered Cancel
    EXPECT_EQ(status.GetTakenCount(), 1);
    EXPECT_TRUE(EditButtonsDisabled());
    EXPECT_EQ(page->m_bEditMode, 1);

    AnswerItem(QStringLiteral("  77  "), QStringLiteral(" new info "));
    page->OnModifyRow(9);
    EXPECT_EQ(page->shown.last(), QStringLiteral("Modify a number"));
    EXPECT_EQ(pool.ReadNumber(9).m_strNumber, QStringLiteral("77"));
    EXPECT_EQ(pool.ReadNumber(9).m_strInfo, QStringLiteral("new info"));
    EXPECT_EQ(page->m_bNumbersChanged, 1);
    EXPECT_EQ(page->m_strSummary, QStringLiteral(">>Total numbers: 100, max digit:?."));
    EXPECT_EQ(Cell(9, 0), QStringLiteral("77"));
}

TEST_F(NumbersPageTest, LockedPageIgnoresDoubleClicks) {
    page->OnModifyRow(3);
    EXPECT_TRUE(page->shown.isEmpty());
}

TEST_F(NumbersPageTest, ModifyFillsTheDialogAndTakesTheFirstSelectedRow) {
    Unlock();
    ASSERT_EQ(pool.ModifyNumber(LoNuInfo(4, QStringLiteral("5"), QStringLiteral("a\r\nb"))), 1);
    SelectRows({7, 4, 12});
    QString seenNumber, seenInfo;
    page->answer = [&](QDialog& d) {
        auto& item = dynamic_cast<SNuItem&>(d);
        seenNumber = item.NumberEdit()->text();
        seenInfo = item.InfoEdit()->toPlainText();
        item.InfoEdit()->setPlainText(QStringLiteral("c\nd"));
        item.accept();
        return d.result();
    };
    page->OnModify();
    EXPECT_EQ(seenNumber, QStringLiteral("5"));
    EXPECT_EQ(seenInfo, QStringLiteral("a\nb"));
    EXPECT_EQ(pool.ReadNumber(4).m_strInfo, QStringLiteral("c\r\nd"));
    EXPECT_EQ(pool.ReadNumber(7).m_strNumber, QStringLiteral("8"));
}

TEST_F(NumbersPageTest, ModifyToAnEmptyNumberLeavesTheRecord) {
    Unlock();
    AnswerItem(QStringLiteral("   "), QStringLiteral("info"));
    page->OnModifyRow(2);
    EXPECT_EQ(pool.ReadNumber(2).m_strNumber, QStringLiteral("3"));
    EXPECT_EQ(pool.GetCount(), 100u);
}

TEST_F(NumbersPageTest, AddTrimsTheNumberAndKeepsTheInformation) {
    Unlock();
    QSignalSpy changed(page.get(), &Sheet_LotteryNo::NumbersChanged);
    AnswerItem(QStringLiteral("  B12 "), QStringLiteral("line one\nline two "));
    page->OnAdd();
    EXPECT_EQ(page->shown.last(), QStringLiteral("Add a new number"));
    ASSERT_EQ(pool.GetCount(), 101u);
    EXPECT_EQ(pool.ReadNumber(100).m_strNumber, QStringLiteral("B12"));
    EXPECT_EQ(pool.ReadNumber(100).m_strInfo, QStringLiteral("line one\r\nline two"));
    // The information is stored untrimmed (the pool trims what it reads).
    const QByteArray data = numbertest::ReadFile(Path(QStringLiteral("data.dat")));
    EXPECT_TRUE(data.endsWith(
        numbertest::Utf16Le(QStringLiteral("B12\u00fd\u00baline one\r\nline two \u00fe\u00db"))));
    EXPECT_EQ(page->Model()->rowCount(), 101);
    EXPECT_EQ(status.m_nuBase.m_nCount, 101);
    EXPECT_EQ(page->m_strSummary, QStringLiteral(">>Total numbers: 101, max digit:?."));
    EXPECT_EQ(page->m_bNumbersChanged, 1);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(NumbersPageTest, CancelledAddChangesNothing) {
    Unlock();
    page->answer = nullptr;
    page->OnAdd();
    EXPECT_EQ(pool.GetCount(), 100u);
    EXPECT_EQ(page->m_bNumbersChanged, 0);
}

TEST_F(NumbersPageTest, EmptyNumberIsRefusedButCountsAsAChange) {
    Unlock();
    AnswerItem(QStringLiteral("  "), QStringLiteral("x"));
    page->OnAdd();
    EXPECT_EQ(pool.GetCount(), 100u);
    EXPECT_EQ(page->m_bNumbersChanged, 1);
}

TEST_F(NumbersPageTest, DeleteAsksAndRemovesTheSelectedRuns) {
    Unlock();
    SelectRows({3, 4, 5, 9, 11});
    prompter.answers = {false};
    page->OnDelete();
    EXPECT_EQ(prompter.questions,
              QStringList{QStringLiteral("5 numbers will be deleted, are you sure?")});
    EXPECT_EQ(pool.GetCount(), 100u);

    prompter.answers = {true};
    page->OnDelete();
    ASSERT_EQ(pool.GetCount(), 95u);
    const QStringList numbers = Numbers();
    for (const char* gone : {"4", "5", "6", "10", "12"})
        EXPECT_FALSE(numbers.contains(QLatin1String(gone))) << gone;
    EXPECT_EQ(numbers[3], QStringLiteral("7"));
    EXPECT_EQ(status.m_nuBase.m_nCount, 95);
    EXPECT_EQ(page->Model()->rowCount(), 95);
    EXPECT_EQ(page->m_strSummary, QStringLiteral(">>Total numbers: 95, max digit:?."));
    EXPECT_FALSE(page->List()->selectionModel()->hasSelection());
    EXPECT_EQ(page->m_bNumbersChanged, 1);
}

TEST_F(NumbersPageTest, DeleteWithoutSelectionAsksNothing) {
    Unlock();
    page->OnDelete();
    EXPECT_TRUE(prompter.questions.isEmpty());
}

TEST_F(NumbersPageTest, DeletingEveryRowEmptiesThePool) {
    Unlock();
    page->List()->selectAll();
    prompter.answers = {true};
    page->OnDelete();
    EXPECT_EQ(prompter.questions.last(),
              QStringLiteral("100 numbers will be deleted, are you sure?"));
    EXPECT_EQ(pool.GetCount(), 0u);
    EXPECT_EQ(page->Model()->rowCount(), 0);
}

// The chooser completes the name, before it asks about replacing a file.
TEST_F(NumbersPageTest, OutputLetsTheChooserAddTheExtensionAndReportsAFileItCannotCreate) {
    prompter.chosenFiles = {Path(QStringLiteral("winners.txt"))};
    page->OnOutput();
    EXPECT_EQ(prompter.saveSuffixes, QStringList{QStringLiteral("txt")});
    const QByteArray bytes = numbertest::ReadFile(Path(QStringLiteral("winners.txt")));
    EXPECT_TRUE(bytes.startsWith(QByteArray(QByteArray("\xFF\xFE", 2) +
                                            numbertest::Utf16Le(QStringLiteral("1,Info.1\r\n")))));
    EXPECT_TRUE(prompter.messages.isEmpty());

    prompter.chosenFiles = {Path(QStringLiteral("missing/out.txt"))};
    page->OnOutput();
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("Open File Error!")});

    page->OnOutput(); // cancelled
    EXPECT_EQ(prompter.messages.size(), 1);
}

TEST_F(NumbersPageTest, ButtonsAndDoubleClickReachTheirOperations) {
    page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
    QTest::mouseClick(Button(QStringLiteral("Edit")), Qt::LeftButton);
    EXPECT_TRUE(EditButtonsEnabled());
    AnswerItem(QStringLiteral("Z9"), QString());
    const QRect cell = page->List()->visualRect(page->Model()->index(1, 0));
    QTest::mouseClick(page->List()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(page->List()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(pool.ReadNumber(1).m_strNumber, QStringLiteral("Z9"));
}
