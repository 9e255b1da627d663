#include "settings/Set_BG.h"
#include "common/RecordingPrompter.h"
#include "model/GradeInfo.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class Set_BGTest : public ::testing::Test {
protected:
    Set_BGTest() {
        designed.m_bg.m_strFile = "/show/stage.jpg";
        designed.m_bg.m_nDisplay = 1;
        work = designed;
    }

    bool DisplayEnabled(Set_BG& dlg) const {
        for (QAbstractButton* b : dlg.DisplayGroup()->buttons())
            if (!b->isEnabled())
                return false;
        return dlg.Swatch()->isEnabled();
    }

    GradeInfo designed;
    GradeInfo work;
    RecordingPrompter prompter;
};

TEST_F(Set_BGTest, MovieBackgroundsHaveNoPictureLayoutInAnyCase) {
    EXPECT_TRUE(Set_BG::IsMovieFile("/show/Loop.SWF"));
    EXPECT_TRUE(Set_BG::IsMovieFile("DefBg.swf"));
    EXPECT_FALSE(Set_BG::IsMovieFile("/show/swf.jpg"));

    work.m_bg.m_strFile = "/show/Loop.SWF";
    Set_BG dlg(&work, &designed, nullptr, &prompter);
    EXPECT_FALSE(DisplayEnabled(dlg));
    prompter.chosenFiles = {"/show/hall.jpeg"};
    dlg.OnBrowse();
    EXPECT_TRUE(DisplayEnabled(dlg));
    EXPECT_EQ(dlg.FileEdit()->text(), "/show/hall.jpeg");
    EXPECT_EQ(work.m_bg.m_strFile, "/show/hall.jpeg");
    prompter.chosenFiles = {"/show/other.swf"};
    dlg.OnBrowse();
    EXPECT_FALSE(DisplayEnabled(dlg));
}

TEST_F(Set_BGTest, OkLeavesTheEditsInTheWorkingCopyOnly) {
    Set_BG dlg(&work, &designed, nullptr, &prompter);
    EXPECT_EQ(dlg.DisplayGroup()->checkedId(), 1);
    EXPECT_TRUE(DisplayEnabled(dlg));
    dlg.DisplayGroup()->button(0)->click();
    dlg.FileEdit()->setText("/show/typed.bmp");
    dlg.m_chooseColour = [](quint32& c, QWidget*) {
        c = 0x00FF00;
        return true;
    };
    dlg.OnColour(); // the colour goes into the level edited at once
    EXPECT_EQ(work.m_bg.m_clrBack, 0x00FF00u);
    dlg.accept();
    EXPECT_EQ(work.m_bg.m_nDisplay, 0);
    EXPECT_EQ(work.m_bg.m_strFile, "/show/typed.bmp");
    EXPECT_EQ(designed.m_bg.m_strFile, "/show/stage.jpg");
    EXPECT_EQ(designed.m_bg.m_clrBack, 0xC4C4C4u);
}

TEST_F(Set_BGTest, ApplyShowsTheEditsAndKeepsThemThroughCancel) {
    Set_BG dlg(&work, &designed, nullptr, &prompter);
    GradeInfo* applied = nullptr;
    QString appliedFile;
    QObject::connect(&dlg, &Set_BG::applyGrade, [&](GradeInfo* g) {
        applied = g;
        appliedFile = g->m_bg.m_strFile;
        // The designed level is still the one on the screen while the edit is put there.
        EXPECT_EQ(designed.m_bg.m_strFile, "/show/stage.jpg");
    });
    dlg.DisplayGroup()->button(2)->click();
    dlg.FileEdit()->setText("/show/new.jpg");
    dlg.OnApply();
    EXPECT_EQ(applied, &work);
    EXPECT_EQ(appliedFile, "/show/new.jpg");
    EXPECT_EQ(designed.m_bg.m_strFile, "/show/new.jpg");
    EXPECT_EQ(designed.m_bg.m_nDisplay, 2);
    dlg.reject();
    EXPECT_EQ(designed.m_bg.m_strFile, "/show/new.jpg");
}

} // namespace
