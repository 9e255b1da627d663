#include "settings/GetOuterData.h"

#include "NumberPoolFixture.h"
#include "settings/CreateContinusNu.h"
#include "settings/GetNuFromFile.h"
#include "settings/NumberListModel.h"
#include "settings/NumberPageText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using numbertest::TestPage;

namespace {

class ImportDialogTest : public numbertest::PoolFixture {
protected:
    void SetUp() override {
        PoolFixture::SetUp();
        page = std::make_unique<TestPage>(&status, &pool, &prompter);
        dialog = std::make_unique<GetOuterData>(page.get(), &pool, prompter, page.get());
    }

    void SetRange(const QString& min, const QString& max) {
        dialog->m_pageRange->MinEdit()->setText(min);
        dialog->m_pageRange->MaxEdit()->setText(max);
    }
    QString WriteNumbers(const QByteArray& text) {
        QString path = Path(QStringLiteral("import.txt"));
        EXPECT_TRUE(numbertest::WriteFile(path, text));
        return path;
    }
    void ChooseFile(const QString& path) {
        dialog->Tabs()->setCurrentIndex(1);
        dialog->m_pageFile->PathEdit()->setText(path);
    }
    QStringList PreviewColumn(int column) const {
        QStringList out;
        const QTreeWidget* list = dialog->m_pageFile->m_list;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(column);
        return out;
    }

    std::unique_ptr<TestPage> page;
    std::unique_ptr<GetOuterData> dialog;
};

} // namespace

TEST_F(ImportDialogTest, OpensOnTheRangeTabWithItsDefaults) {
    EXPECT_EQ(dialog->windowTitle(),
              QStringLiteral("Create continus number or import from a file"));
    EXPECT_EQ(dialog->Tabs()->currentIndex(), 0);
    EXPECT_EQ(dialog->Tabs()->tabText(0), QStringLiteral("Generate the continus numbers."));
    EXPECT_EQ(dialog->Tabs()->tabText(1), QStringLiteral("Import from a file."));
    EXPECT_TRUE(dialog->ClearRadio()->isChecked());
    EXPECT_TRUE(dialog->MakeUpperBox()->isChecked());
    EXPECT_EQ(dialog->m_pageRange->MinEdit()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog->m_pageRange->MaxEdit()->text(), QStringLiteral("100"));
    EXPECT_EQ(dialog->m_pageFile->m_nSeparator, -1);
    EXPECT_FALSE(dialog->m_pageFile->SeparatorEdit()->isEnabled());
    dialog->ShowPage(2);
    EXPECT_EQ(dialog->Tabs()->currentIndex(), 0);
}

TEST_F(ImportDialogTest, ARangeOfOneReplacesThePoolAndRefreshesThePage) {
    SetRange(QStringLiteral("5"), QStringLiteral("5"));
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Numbers(), QStringList{QStringLiteral("5")});
    EXPECT_EQ(pool.ReadNumber(0).m_strInfo, QStringLiteral("Info.5"));
    EXPECT_EQ(status.m_nuBase.m_nCount, 1);
    EXPECT_EQ(page->Model()->rowCount(), 1);
    EXPECT_EQ(page->m_strSummary, QStringLiteral(">>Total numbers: 1, max digit:?."));
    EXPECT_EQ(page->m_bNumbersChanged, 1);
    EXPECT_TRUE(dialog->isEnabled());
}

TEST_F(ImportDialogTest, ARangeTheWrongWayRoundIsSwappedForTheNextOk) {
    SetRange(QStringLiteral("10"), QStringLiteral("3"));
    dialog->OnOK();
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral(
                  "The min number is larger than the max number,please correct it.")});
    EXPECT_EQ(dialog->m_pageRange->MinEdit()->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog->m_pageRange->MaxEdit()->text(), QStringLiteral("10"));
    EXPECT_EQ(pool.GetCount(), 100u);
    EXPECT_EQ(page->m_bNumbersChanged, 0);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->isEnabled());

    dialog->OnOK();
    EXPECT_EQ(Numbers().first(), QStringLiteral("3"));
    EXPECT_EQ(Numbers().last(), QStringLiteral("10"));
    EXPECT_EQ(pool.GetCount(), 8u);
}

TEST_F(ImportDialogTest, ARangeFieldThatIsNoUnsignedNumberIsRefused) {
    for (const char* bad : {"", "4294967296", "99999999999999999999"}) {
        prompter.messages.clear();
        SetRange(QStringLiteral("1"), QString::fromLatin1(bad));
        dialog->OnOK();
        EXPECT_EQ(prompter.messages,
                  QStringList{QStringLiteral("Please enter a positive integer.")})
            << bad;
        EXPECT_EQ(pool.GetCount(), 100u);
        EXPECT_TRUE(dialog->isEnabled());
    }
}

TEST_F(ImportDialogTest, AppendingARangeKeepsTheOldNumbers) {
    dialog->AppendRadio()->setChecked(true);
    SetRange(QStringLiteral("4294967294"), QStringLiteral("4294967295"));
    dialog->OnOK();
    ASSERT_EQ(pool.GetCount(), 102u);
    EXPECT_EQ(pool.ReadNumber(99).m_strNumber, QStringLiteral("100"));
    EXPECT_EQ(pool.ReadNumber(101).m_strNumber, QStringLiteral("4294967295"));
    EXPECT_EQ(status.m_nuBase.m_nCount, 102);
}

TEST_F(ImportDialogTest, AppendingAFileAddsItsLinesAfterTheOldNumbers) {
    ChooseFile(WriteNumbers("ab1;Row 3\\nseat 12\r\n\r\n  \r\nc2\r\n"));
    dialog->m_pageFile->SeparatorRadio(GetNuFromFile::kOther)->click();
    QTest::keyClicks(dialog->m_pageFile->SeparatorEdit(), QStringLiteral(";"));
    dialog->AppendRadio()->setChecked(true);
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(pool.GetCount(), 102u);
    EXPECT_EQ(pool.ReadNumber(100).m_strNumber, QStringLiteral("AB1"));
    EXPECT_EQ(pool.ReadNumber(100).m_strInfo, QStringLiteral("Row 3\r\nseat 12"));
    EXPECT_EQ(pool.ReadNumber(101).m_strNumber, QStringLiteral("C2"));
    EXPECT_EQ(page->Model()->rowCount(), 102);
    EXPECT_EQ(page->m_bNumbersChanged, 1);
}

TEST_F(ImportDialogTest, ImportWithoutUpperCaseKeepsTheNumbersAsTyped) {
    ChooseFile(WriteNumbers("ab1\r\n"));
    dialog->MakeUpperBox()->click();
    EXPECT_EQ(dialog->m_bMakeUpper, 0);
    dialog->OnOK();
    EXPECT_EQ(Numbers(), QStringList{QStringLiteral("ab1")});
}

TEST_F(ImportDialogTest, AFileThatCannotBeReadLeavesThePoolAlone) {
    ChooseFile(Path(QStringLiteral("missing.txt")));
    dialog->OnOK();
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("Open File Error!")});
    EXPECT_EQ(pool.GetCount(), 100u);
    EXPECT_EQ(page->m_bNumbersChanged, 0);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->isEnabled());
}

// OK refuses what the preview refuses, before "Clear the old numbers." empties the pool.
TEST_F(ImportDialogTest, AFileThePreviewRefusesIsRefusedByOkToo) {
    for (const QByteArray& bytes : {QByteArray("\xFE\xFF\0A\0\n", 6)}) {
        ChooseFile(WriteNumbers(bytes));
        prompter.messages.clear();
        dialog->OnOK();
        EXPECT_EQ(prompter.messages, QStringList{NumberPageText::NotUnicode()});
        EXPECT_EQ(pool.GetCount(), 100u);
        EXPECT_EQ(page->m_bNumbersChanged, 0);
        EXPECT_NE(dialog->result(), QDialog::Accepted);
    }
}

// What spreadsheets save as "CSV UTF-8": the mark is no part of the first number.
TEST_F(ImportDialogTest, Utf8WithItsMarkIsPreviewedAndImportedAsUtf8) {
    const QString path = WriteNumbers("\xEF\xBB\xBF"
                                      "A1,caf\xC3\xA9\r\nB2,x\xE9");
    ChooseFile(path);
    dialog->m_pageFile->SeparatorRadio(2)->click(); // ","
    EXPECT_EQ(PreviewColumn(0), (QStringList{QStringLiteral("A1"), QStringLiteral("B2")}));
    EXPECT_TRUE(prompter.messages.isEmpty());
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(pool.GetCount(), 2u);
    EXPECT_EQ(pool.ReadNumber(0).m_strNumber, QStringLiteral("A1"));
    EXPECT_EQ(pool.ReadNumber(0).m_strInfo, QStringLiteral("caf\u00e9"));
    // The mark decides: a stray byte is not read in the Windows code page.
    EXPECT_EQ(pool.ReadNumber(1).m_strInfo, QStringLiteral("x\ufffd"));
}

TEST_F(ImportDialogTest, ALinuxTextFileWithLineFeedsImportsLineByLine) {
    ChooseFile(WriteNumbers("n\xC3\xBA"
                            "1,caf\xC3\xA9\n2\n3"));
    dialog->m_pageFile->SeparatorRadio(2)->click(); // ","
    dialog->OnOK();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(pool.GetCount(), 3u);
    EXPECT_EQ(pool.ReadNumber(0).m_strNumber, QStringLiteral("N\u00fa1"));
    EXPECT_EQ(pool.ReadNumber(0).m_strInfo, QStringLiteral("caf\u00e9"));
    EXPECT_EQ(pool.ReadNumber(2).m_strNumber, QStringLiteral("3"));
}

TEST_F(ImportDialogTest, CancelTouchesNothing) {
    SetRange(QStringLiteral("1"), QStringLiteral("3"));
    dialog->reject();
    EXPECT_EQ(pool.GetCount(), 100u);
}

TEST_F(ImportDialogTest, SeparatorRadiosChooseAndShowTheSeparator) {
    GetNuFromFile& file = *dialog->m_pageFile;
    file.OnSeparator(GetNuFromFile::kOther);
    EXPECT_TRUE(file.SeparatorEdit()->isEnabled());
    file.OnSeparator(2);
    EXPECT_FALSE(file.SeparatorEdit()->isEnabled());
    EXPECT_EQ(file.SeparatorEdit()->text(), QStringLiteral(","));
    EXPECT_EQ(file.m_strSeparator, QStringLiteral(","));
    const QStringList expected{QStringLiteral(" "), QStringLiteral("\t"), QStringLiteral(","),
                               QStringLiteral("."), QStringLiteral("-"),  QStringLiteral("|"),
                               QStringLiteral("/")};
    for (int i = 0; i < expected.size(); ++i) {
        file.SeparatorRadio(i)->click();
        EXPECT_EQ(file.m_strSeparator, expected[i]) << i;
        EXPECT_EQ(file.m_nSeparator, i);
    }
    // "Other" starts from what the edit shows.
    file.SeparatorRadio(GetNuFromFile::kOther)->click();
    EXPECT_EQ(file.m_strSeparator, QStringLiteral("/"));
}

TEST_F(ImportDialogTest, PreviewFollowsTheSeparatorAndTheUpperCaseChoice) {
    ChooseFile(WriteNumbers("ab1,x;y\r\nc2,z\r\n"));
    GetNuFromFile& file = *dialog->m_pageFile;
    file.SeparatorRadio(2)->click();
    EXPECT_EQ(PreviewColumn(0), (QStringList{QStringLiteral("AB1"), QStringLiteral("C2")}));
    EXPECT_EQ(PreviewColumn(1), (QStringList{QStringLiteral("x;y"), QStringLiteral("z")}));

    dialog->MakeUpperBox()->click();
    file.SeparatorRadio(GetNuFromFile::kOther)->click();
    QTest::keyClick(file.SeparatorEdit(), Qt::Key_Backspace);
    QTest::keyClicks(file.SeparatorEdit(), QStringLiteral(";"));
    EXPECT_EQ(file.m_strSeparator, QStringLiteral(";"));
    EXPECT_EQ(PreviewColumn(0), (QStringList{QStringLiteral("ab1,x"), QStringLiteral("c2,z")}));
    EXPECT_EQ(PreviewColumn(1), (QStringList{QStringLiteral("y"), QString()}));
}

TEST_F(ImportDialogTest, PreviewFailuresKeepTheRowsAndSayWhy) {
    ChooseFile(WriteNumbers("A1,x\r\n"));
    GetNuFromFile& file = *dialog->m_pageFile;
    file.SeparatorRadio(2)->click();
    ASSERT_EQ(PreviewColumn(0), QStringList{QStringLiteral("A1")});

    ASSERT_TRUE(numbertest::WriteFile(Path(QStringLiteral("utf16be.txt")),
                                      QByteArray("\xFE\xFF\0B\0\n", 6)));
    file.PreviewFile(Path(QStringLiteral("utf16be.txt")));
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral("Please re-save the file as unicode and re-try!")});
    file.PreviewFile(Path(QStringLiteral("none.txt")));
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(PreviewColumn(0), QStringList{QStringLiteral("A1")});
}

TEST_F(ImportDialogTest, BrowseTakesTheChosenFileAndPreviewsIt) {
    const QString path = WriteNumbers("q1\r\n");
    dialog->Tabs()->setCurrentIndex(1);
    prompter.chosenFiles = {path};
    dialog->m_pageFile->OnBrowse();
    EXPECT_EQ(dialog->m_pageFile->PathEdit()->text(), path);
    EXPECT_EQ(PreviewColumn(0), QStringList{QStringLiteral("Q1")});
}

TEST_F(ImportDialogTest, ExampleOpensTheFileBesideTheProgram) {
    QString opened;
    dialog->m_pageFile->m_openExample = [&opened](const QString& p) { opened = p; };
    dialog->m_pageFile->OnExample();
    EXPECT_EQ(opened, Path(QStringLiteral("sam.txt")));
}

TEST_F(ImportDialogTest, PageImportRunsTheDialog) {
    page->OnEdit();
    page->answer = [](QDialog& d) {
        auto& g = dynamic_cast<GetOuterData&>(d);
        g.m_pageRange->MinEdit()->setText(QStringLiteral("20"));
        g.m_pageRange->MaxEdit()->setText(QStringLiteral("29"));
        g.OnOK();
        return d.result();
    };
    page->OnImport();
    EXPECT_EQ(page->shown,
              QStringList{QStringLiteral("Create continus number or import from a file")});
    EXPECT_EQ(pool.GetCount(), 10u);
    EXPECT_EQ(page->Model()->rowCount(), 10);
    EXPECT_EQ(page->m_bNumbersChanged, 1);
}
