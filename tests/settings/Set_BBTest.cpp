#include "settings/Set_BB.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "model/GradeInfo.h"
#include "settings/Set_BB_P1.h"
#include "settings/Set_BB_P2.h"
#include "settings/Set_BB_P3.h"
#include "settings/Set_BB_P4.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Set_BBTest : public ::testing::Test {
protected:
    Set_BBTest() {
        SetAppFolder(dir.path());
        level.m_base.m_strName = "First prize";
        level.m_notify.m_strSkin = dir.filePath("skin.bmp");
        level.m_notify.m_strBackPic = dir.filePath("face.jpg");
        level.m_notify.m_bAutoBackPic = false;
        level.m_notify.m_rcBoard = WinRect(100, 50, 500, 350);
        level.m_notify.m_rcNumbers = WinRect(40, 40, 360, 260);
        level.m_notify.m_shape.m_points = {SerialPt{}, SerialPt{}, SerialPt{}};
        level.m_notify.m_shape.m_nCount = 3;
        level.m_notify.m_shape.m_rect = level.m_notify.m_rcBoard;
    }
    ~Set_BBTest() override { SetAppFolder(saved); }

    void Touch(const QString& name) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    std::unique_ptr<Set_BB> Open() { return std::make_unique<Set_BB>(&level, nullptr, &prompter); }

    QString saved = g_strAppFolder;
    QTemporaryDir dir;
    GradeInfo level;
    RecordingPrompter prompter;
};

TEST_F(Set_BBTest, UntitledBoardIsHeadedByTheLevelNameEvenAfterCancel) {
    auto dlg = Open();
    EXPECT_EQ(dlg->NumbersPage().TitleEdit()->text(), "First prize");
    dlg->NumbersPage().TitleEdit()->setText("Changed");
    dlg->reject();
    EXPECT_EQ(level.m_notify.m_strTitle, "First prize");

    level.m_notify.m_strTitle = "Own title";
    auto again = Open();
    EXPECT_EQ(again->NumbersPage().TitleEdit()->text(), "Own title");
}

TEST_F(Set_BBTest, OkWritesEveryPageIntoTheLevel) {
    auto dlg = Open();
    EXPECT_EQ(dlg->Tabs()->tabText(0), "How to show");
    EXPECT_EQ(dlg->Tabs()->currentIndex(), 0);
    dlg->HowToShowPage().WhenButton(2)->click();
    dlg->HowToShowPage().ShowAllCheck()->click();
    dlg->NumbersPage().PerLineEdit()->setText("3");
    dlg->NumbersPage().LineSpaceEdit()->setText("-2");
    dlg->NumbersPage().InfoAlignGroup()->button(2)->click();
    dlg->ShapePage().DisplayGroup()->button(0)->click();
    dlg->SizePage().Edit(2)->setText("300"); // board width
    dlg->SizePage().Edit(5)->setText("10");  // number area y
    dlg->accept();

    const LotteryNotify& n = level.m_notify;
    EXPECT_EQ(n.m_nShowWhen, 2);
    EXPECT_EQ(n.m_bShowAllWinners, 1);
    EXPECT_EQ(n.m_nPerLine, 3);
    EXPECT_EQ(n.m_nLineSpace, -2);
    EXPECT_EQ(n.m_nInfoAlign, 2);
    EXPECT_EQ(n.m_nNumbersAlign, 1);
    EXPECT_EQ(n.m_nPicDisplay, 0);
    EXPECT_EQ(n.m_rcBoard, WinRect(100, 50, 400, 350));
    EXPECT_EQ(n.m_rcNumbers, WinRect(40, 10, 360, 230));
    EXPECT_EQ(n.m_shape.m_nCount, 3); // the outline is only cleared by a new shape picture
    EXPECT_TRUE(dlg->IsClosed());
}

TEST_F(Set_BBTest, RefusedNumberKeepsTheWindowOpenAndTheLevelUnchanged) {
    const LotteryNotify before = level.m_notify;
    auto dlg = Open();
    dlg->show();
    dlg->HowToShowPage().WhenButton(1)->click();
    dlg->NumbersPage().PerLineEdit()->setText("");
    dlg->accept();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_FALSE(dlg->IsClosed());
    EXPECT_TRUE(dlg->isVisible());

    dlg->NumbersPage().PerLineEdit()->setText("2");
    dlg->NumbersPage().InfoWidthEdit()->setText("101");
    EXPECT_FALSE(dlg->ApplyAll());
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_TRUE(prompter.messages[1].contains("between 0 and 100"))
        << prompter.messages[1].toStdString();

    dlg->SizePage().Edit(0)->setText("x");
    dlg->NumbersPage().InfoWidthEdit()->setText("100");
    EXPECT_FALSE(dlg->ApplyAll());
    EXPECT_EQ(prompter.messages.size(), 3);

    LotteryNotify expected = before;
    expected.m_strTitle = "First prize";
    EXPECT_EQ(level.m_notify, expected);
}

TEST_F(Set_BBTest, CancelAfterAPlacementRestoresTheBoardAsItWasOpened) {
    auto dlg = Open();
    const LotteryNotify opened = level.m_notify;
    dlg->EnableCheck()->click(); // off
    dlg->SizePage().Edit(0)->setText("7");
    ASSERT_TRUE(dlg->ApplyAll());
    EXPECT_EQ(level.m_notify.m_rcBoard.left, 7);
    EXPECT_EQ(level.m_notify.m_bEnable, 0);

    // The placement moves the board in the level; the page shows where it went.
    level.m_notify.m_rcBoard = WinRect(11, 22, 111, 222);
    dlg->RefreshFromLevel();
    EXPECT_EQ(dlg->SizePage().Edit(0)->text(), "11");
    EXPECT_EQ(dlg->SizePage().Edit(3)->text(), "200");
    EXPECT_EQ(dlg->WorkingCopy().m_rcBoard, WinRect(11, 22, 111, 222));

    dlg->reject();
    EXPECT_EQ(level.m_notify, opened);
}

TEST_F(Set_BBTest, NewShapePictureZeroesThePlacesAndOkKeepsThemZero) {
    auto dlg = Open();
    const QString newSkin = dir.filePath("star.bmp");
    prompter.chosenFiles = {level.m_notify.m_strSkin, newSkin};
    dlg->ShapePage().OnBrowseSkin(); // the same picture changes nothing
    EXPECT_EQ(dlg->WorkingCopy().m_shape.m_nCount, 3);
    dlg->ShapePage().OnBrowseSkin();
    EXPECT_EQ(dlg->ShapePage().SkinEdit()->text(), newSkin);
    // The chooser opens on the shape picture in use.
    EXPECT_EQ(prompter.openFolders, QStringList(2, level.m_notify.m_strSkin));
    EXPECT_EQ(dlg->SizePage().Edit(2)->text(), "400"); // still the old numbers
    dlg->accept();

    const LotteryNotify& n = level.m_notify;
    EXPECT_EQ(n.m_strSkin, newSkin);
    EXPECT_EQ(n.m_rcBoard, WinRect());
    EXPECT_EQ(n.m_rcNumbers, WinRect());
    EXPECT_EQ(n.m_shape.m_nCount, 0);
    EXPECT_TRUE(n.m_shape.m_points.isEmpty());
    EXPECT_EQ(n.m_shape.m_rect, WinRect());
}

TEST_F(Set_BBTest, AutomaticFacePictureIsFoundBesideTheShapePicture) {
    const QString base = dir.filePath("ticket");
    EXPECT_EQ(Set_BB_P1::AutoBackPicture(base + ".bmp"), base + ".bmp");
    Touch("ticket.jpeg");
    EXPECT_EQ(Set_BB_P1::AutoBackPicture(base + ".bmp"), base + ".jpeg");
    Touch("ticket.jpg");
    EXPECT_EQ(Set_BB_P1::AutoBackPicture(base + ".bmp"), base + ".jpg");
    // A dot in a folder name is no extension.
    EXPECT_EQ(Set_BB_P1::AutoBackPicture("/show.d/skin"), "/show.d/skin.bmp");

    level.m_notify.m_strSkin = base + ".bmp";
    level.m_notify.m_bAutoBackPic = true;
    auto dlg = Open();
    Set_BB_P1& page = dlg->ShapePage();
    EXPECT_EQ(page.PictureEdit()->text(), base + ".jpg");
    EXPECT_FALSE(page.PictureEdit()->isEnabled());
    EXPECT_FALSE(page.PictureBrowse()->isEnabled());
    EXPECT_FALSE(page.Swatch()->isEnabled());
    EXPECT_FALSE(page.DisplayGroup()->button(2)->isEnabled());

    page.AutoCheck()->click(); // off: the operator's own picture
    EXPECT_TRUE(page.PictureEdit()->isEnabled());
    EXPECT_TRUE(page.DisplayGroup()->button(2)->isEnabled());
    prompter.chosenFiles = {dir.filePath("mine.jpg")};
    page.OnBrowsePicture();
    EXPECT_EQ(prompter.openFolders, QStringList({base + ".jpg"}));
    dlg->accept();
    EXPECT_EQ(level.m_notify.m_strBackPic, dir.filePath("mine.jpg"));
    EXPECT_FALSE(level.m_notify.m_bAutoBackPic);
}

TEST_F(Set_BBTest, BarePictureNamesAreShownInTheProgramFolder) {
    level.m_notify.m_strSkin = "DefBBSkin.bmp";
    level.m_notify.m_strBackPic = "DefBBBg.jpg";
    auto dlg = Open();
    EXPECT_EQ(dlg->ShapePage().SkinEdit()->text(), dir.path() + "/DefBBSkin.bmp");
    EXPECT_EQ(dlg->ShapePage().PictureEdit()->text(), dir.path() + "/DefBBBg.jpg");
    EXPECT_EQ(Set_BB_P1::ShownPath(""), "");
}

TEST_F(Set_BBTest, NumbersAndInformationShareALineAndOneIsAlwaysShown) {
    auto dlg = Open();
    Set_BB_P2& page = dlg->NumbersPage();
    EXPECT_EQ(page.InfoWidthEdit()->text(), "70");

    page.ShowInfoCheck()->click(); // information off
    EXPECT_EQ(page.InfoWidthEdit()->text(), "0");
    EXPECT_TRUE(page.ShowNumbersCheck()->isChecked());
    EXPECT_FALSE(page.InfoWidthEdit()->isEnabled());
    page.ShowInfoCheck()->click(); // back on
    EXPECT_EQ(page.InfoWidthEdit()->text(), "50");
    EXPECT_TRUE(page.InfoWidthEdit()->isEnabled());

    page.ShowNumbersCheck()->click(); // numbers off
    EXPECT_EQ(page.InfoWidthEdit()->text(), "100");
    EXPECT_TRUE(page.ShowInfoCheck()->isChecked());
    EXPECT_FALSE(page.InfoWidthEdit()->isEnabled());
    page.ShowInfoCheck()->click(); // information off turns the numbers on again
    EXPECT_TRUE(page.ShowNumbersCheck()->isChecked());
    EXPECT_EQ(page.InfoWidthEdit()->text(), "0");

    dlg->accept();
    EXPECT_EQ(level.m_notify.m_bShowNumbers, 1);
    EXPECT_EQ(level.m_notify.m_bShowInfo, 0);
    EXPECT_EQ(level.m_notify.m_nInfoWidth, 0);
}

TEST_F(Set_BBTest, StoredHiddenPartShowsItsWidthLocked) {
    level.m_notify.m_bShowNumbers = 0;
    level.m_notify.m_bShowTitle = 0;
    auto dlg = Open();
    EXPECT_EQ(dlg->NumbersPage().InfoWidthEdit()->text(), "100");
    EXPECT_FALSE(dlg->NumbersPage().InfoWidthEdit()->isEnabled());
    EXPECT_FALSE(dlg->NumbersPage().TitleEdit()->isEnabled());
    dlg->NumbersPage().ShowTitleCheck()->click();
    EXPECT_TRUE(dlg->NumbersPage().TitleEdit()->isEnabled());
}

TEST_F(Set_BBTest, BoardSwitchLeavesOnlyItselfAndTheButtons) {
    level.m_notify.m_bEnable = 0;
    auto dlg = Open();
    EXPECT_FALSE(dlg->EnableCheck()->isChecked());
    EXPECT_FALSE(dlg->Tabs()->isEnabled());
    EXPECT_FALSE(dlg->HowToShowPage().WhenButton(0)->isEnabled());
    EXPECT_TRUE(dlg->EnableCheck()->isEnabled());

    dlg->Tabs()->setCurrentIndex(Set_BB::Numbers);
    dlg->EnableCheck()->click();
    EXPECT_EQ(dlg->Tabs()->currentIndex(), Set_BB::HowToShow);
    EXPECT_TRUE(dlg->Tabs()->isEnabled());
    EXPECT_TRUE(dlg->ShapePage().SkinEdit()->isEnabled());
    EXPECT_TRUE(dlg->HowToShowPage().WhenButton(0)->isEnabled());
    // Switched on again, the list check is offered whatever the radio says.
    EXPECT_EQ(level.m_notify.m_nShowWhen, 0);
    EXPECT_TRUE(dlg->HowToShowPage().ShowAllCheck()->isEnabled());

    dlg->accept();
    EXPECT_EQ(level.m_notify.m_bEnable, 1);
}

TEST_F(Set_BBTest, ListOfAllWinnersIsOfferedOnlyForABoardAlwaysShown) {
    auto dlg = Open();
    Set_BB_P4& page = dlg->HowToShowPage();
    EXPECT_FALSE(page.ShowAllCheck()->isEnabled());
    page.WhenButton(2)->click();
    EXPECT_TRUE(page.ShowAllCheck()->isEnabled());
    page.WhenButton(1)->click();
    EXPECT_FALSE(page.ShowAllCheck()->isEnabled());
}

TEST_F(Set_BBTest, FontsAndColoursGoIntoTheWorkingCopyAtOnce) {
    auto dlg = Open();
    LogFont chosen = LogFont::Default();
    chosen.lfHeight = -30;
    chosen.SetFaceName("DejaVu Serif");
    bool confirm = false;
    dlg->NumbersPage().m_chooseFont = [&](LogFont& font, quint32& colour, QWidget*) {
        if (!confirm)
            return false;
        font = chosen;
        colour = 0x00FF00;
        return true;
    };
    dlg->NumbersPage().OnTitleFont(); // cancelled
    EXPECT_EQ(dlg->WorkingCopy().m_fontTitle, LogFont::Default());
    confirm = true;
    dlg->NumbersPage().OnTitleFont();
    EXPECT_EQ(dlg->WorkingCopy().m_fontTitle, chosen);
    EXPECT_EQ(dlg->WorkingCopy().m_clrTitle, 0x00FF00u);
    EXPECT_EQ(dlg->WorkingCopy().m_fontNumbers, LogFont::Default());

    dlg->ShapePage().m_chooseColour = [](quint32& colour, QWidget*) {
        colour = 0x123456;
        return true;
    };
    dlg->ShapePage().OnColour();
    EXPECT_EQ(dlg->ShapePage().Swatch()->Colour(), 0x123456u);
    EXPECT_EQ(level.m_notify.m_clrTitle, 0x0000FFu); // the level only on OK
    dlg->accept();
    EXPECT_EQ(level.m_notify.m_clrBack, 0x123456u);
    EXPECT_EQ(level.m_notify.m_fontTitle, chosen);
}

TEST_F(Set_BBTest, ClosingIsReportedOnceThroughTheQueue) {
    for (const int way : {0, 1, 2}) {
        auto* dlg = new Set_BB(&level, nullptr, &prompter);
        dlg->show();
        int deletedBy = 0;
        QObject::connect(dlg, &Set_BB::closed, [&] {
            ++deletedBy;
            delete dlg; // the draw window deletes the window on the report
        });
        if (way == 0)
            dlg->accept();
        else if (way == 1)
            dlg->reject();
        else
            dlg->close();
        EXPECT_EQ(deletedBy, 0) << way; // not while the window is still closing
        QCoreApplication::processEvents();
        EXPECT_EQ(deletedBy, 1) << way;
    }
}

TEST_F(Set_BBTest, PlacementButtonsAskTheDrawWindow) {
    auto dlg = Open();
    QSignalSpy board(dlg.get(), &Set_BB::boardLayoutRequested);
    QSignalSpy numbers(dlg.get(), &Set_BB::numberAreaLayoutRequested);
    dlg->SizePage().BoardDesignButton()->click();
    dlg->SizePage().NumbersDesignButton()->click();
    dlg->SizePage().NumbersDesignButton()->click();
    EXPECT_EQ(board.size(), 1);
    EXPECT_EQ(numbers.size(), 2);
}

} // namespace

// The program folder the build makes: OK in the board options with nothing changed must leave
// the default level's board with the face it had.
TEST(Set_BBDefaultMediaTest, OkWithNothingChangedKeepsTheDefaultFace) {
    const QString program = QStringLiteral(TUMO_BINARY_DIR);
    if (!QFile::exists(program + "/DefBBBg.jpg"))
        GTEST_SKIP() << "the build has not drawn the board pictures yet";
    const QString saved = g_strAppFolder;
    SetAppFolder(program);
    GradeInfo level; // the defaults: DefBBSkin.bmp, DefBBBg.jpg, automatic picture on
    ASSERT_TRUE(level.m_notify.m_bAutoBackPic);
    RecordingPrompter prompter;
    {
        Set_BB dlg(&level, nullptr, &prompter);
        dlg.accept();
    }
    const QImage face(program + "/DefBBBg.jpg");
    const QImage chosen(MakeAbsolutePath(level.m_notify.m_strBackPic));
    SetAppFolder(saved);
    ASSERT_FALSE(face.isNull());
    ASSERT_FALSE(chosen.isNull()) << level.m_notify.m_strBackPic.toStdString();
    EXPECT_EQ(chosen.size(), face.size());
    EXPECT_EQ(chosen.convertToFormat(QImage::Format_RGB32),
              face.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(level.m_notify.m_strBackPic.endsWith("DefBBSkin.jpg"));
}
