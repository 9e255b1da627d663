#include "settings/XHScrollWnd.h"

#include "common/RecordingPrompter.h"
#include "media/CShockwaveFlash.h"
#include "model/TumoStatus.h"
#include "show/MovieView.h"
#include "show/SymbolTestUtil.h"

#include <QCheckBox>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using Layout = XHScrollLayout;

// ---- geometry, without widgets ----

TEST(SymbolStripLayoutTest, ParseIntReadsLikeAtoi) {
    EXPECT_EQ(Layout::ParseInt(QStringLiteral("120")), 120);
    EXPECT_EQ(Layout::ParseInt(QStringLiteral("  \t-35px")), -35);
    EXPECT_EQ(Layout::ParseInt(QStringLiteral("+7.9")), 7);
    EXPECT_EQ(Layout::ParseInt(QStringLiteral("abc")), 0);
    EXPECT_EQ(Layout::ParseInt(QStringLiteral("")), 0);
    EXPECT_EQ(Layout::ParseInt(QStringLiteral("- 5")), 0);
    EXPECT_EQ(Layout::ParseInt(QStringLiteral("99999999999999")), 2147483647);
}

TEST(SymbolStripLayoutTest, CellsAndScrollRangeFollowTheMode) {
    const QString ten = QStringLiteral("0123456789");
    EXPECT_EQ(Layout::CellCount(false, 0, ten), 12);
    EXPECT_EQ(Layout::ScrollMaximum(false, 0, ten), 760);
    EXPECT_EQ(Layout::CellCount(true, 6, ten), 6);
    EXPECT_EQ(Layout::ScrollMaximum(true, 6, ten), 380);
    // Too few cells to scroll: the maximum falls below the minimum.
    EXPECT_LT(Layout::ScrollMaximum(true, 2, ten), Layout::kScrollMinimum);
    EXPECT_EQ(Layout::CellCount(true, -3, ten), 0);
}

TEST(SymbolStripLayoutTest, MovieIsFittedIntoTheCellKeepingItsShape) {
    // Client height 170: 135 pixels available, so the box is 90 x 135.
    const Layout::CellBox tall = Layout::FitCell(100, 200, 170);
    EXPECT_EQ(tall.height, 135);
    EXPECT_EQ(tall.width, 67); // trunc(0.5 * 135)
    const Layout::CellBox wide = Layout::FitCell(200, 100, 170);
    EXPECT_EQ(wide.width, 90);
    EXPECT_EQ(wide.height, 45);
    // A movie that does not say its size fills the box instead of dividing by zero.
    const Layout::CellBox unknown = Layout::FitCell(0, 50, 170);
    EXPECT_EQ(unknown.width, 90);
    EXPECT_EQ(unknown.height, 135);
}

TEST(SymbolStripLayoutTest, CellsSitCentredInTheirFrames) {
    const int h = 170;
    const Layout::CellBox box = Layout::FitCell(100, 100, h); // 90 x 90
    // Symbol mode: centre x 95 i + 50, middle (170 - 30 + 5) / 2 = 72.
    EXPECT_EQ(Layout::CellRect(0, box, h, false), QRect(QPoint(7, 29), QPoint(92, 114)));
    EXPECT_EQ(Layout::CellRect(2, box, h, false).left(), 197);
    // Mask mode: from 7 down to h - 32 whatever the fitted height.
    const QRect mask = Layout::CellRect(1, box, h, true);
    EXPECT_EQ(mask.top(), 7);
    EXPECT_EQ(mask.bottom() + 1, h - 32);
    const QRect check = Layout::CheckRect(1, box, h);
    EXPECT_EQ(check.left(), mask.left());
    EXPECT_EQ(check.right(), mask.right());
    EXPECT_EQ(check.top(), h - 25);
    EXPECT_EQ(check.bottom() + 1, h - 5);
    // Frames move with the scroll offset; cells lie inside them.
    EXPECT_EQ(Layout::FrameRect(1, 0, h), QRect(QPoint(100, 5), QPoint(189, 139)));
    EXPECT_EQ(Layout::FrameRect(1, -20, h).left(), 80);
    EXPECT_TRUE(Layout::FrameRect(3, 0, h).contains(Layout::CellRect(3, box, h, false)));
    EXPECT_EQ(Layout::CaptionRect(1, 0, h).top(), h - 30);
}

TEST(SymbolStripLayoutTest, CaptionsNameWhatEachFrameShows) {
    const QString bits = QStringLiteral("AB");
    EXPECT_EQ(Layout::CaptionOf(0, bits), QStringLiteral("Scrolling"));
    EXPECT_EQ(Layout::CaptionOf(1, bits), QStringLiteral("Mask"));
    EXPECT_EQ(Layout::CaptionOf(2, bits), QStringLiteral("A"));
    EXPECT_EQ(Layout::CaptionOf(3, bits), QStringLiteral("B"));
    EXPECT_EQ(Layout::CaptionOf(4, bits), QString());
}

TEST(SymbolStripLayoutTest, ScrollRequests) {
    using R = Layout::ScrollRequest;
    EXPECT_EQ(Layout::NextScrollPosition(R::LineLeft, 1, 760, 0), 1);
    EXPECT_EQ(Layout::NextScrollPosition(R::LineLeft, 5, 760, 0), 4);
    EXPECT_EQ(Layout::NextScrollPosition(R::LineRight, 758, 760, 0), 759);
    EXPECT_EQ(Layout::NextScrollPosition(R::LineRight, 759, 760, 0), 759);
    EXPECT_EQ(Layout::NextScrollPosition(R::PageRight, 40, 760, 0), 40);
    EXPECT_EQ(Layout::NextScrollPosition(R::Thumb, 40, 760, 300), 300);
    EXPECT_EQ(Layout::NextScrollPosition(R::LeftEnd, 40, 760, 0), 1);
    EXPECT_EQ(Layout::NextScrollPosition(R::RightEnd, 40, 760, 0), 760);
}

// ---- the strip widget ----

namespace {

class SymbolStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        symtest::SetLevels(status, 1, 0, 1, 4);
        level = &status.Level(0);
    }

    // A strip of the given mode shown at a fixed size, built from the members set so far.
    XHScrollWnd& Strip(bool maskMode, const QString& file) {
        strip = std::make_unique<XHScrollWnd>(&prompter);
        strip->m_bMaskMode = maskMode;
        strip->m_pStatus = maskMode ? &status : nullptr;
        strip->m_pGrade = maskMode ? level : nullptr;
        strip->m_strFile = file;
        strip->resize(600, 200);
        strip->Create();
        strip->show();
        QCoreApplication::processEvents();
        return *strip;
    }

    static int FrameOf(const XHScrollWnd& s, int i) { return s.Players().at(i)->State().frame; }
    static bool Rolls(const XHScrollWnd& s, int i) {
        return s.Players().at(i)->State().mode == PlayerState::Mode::Rolling;
    }

    symtest::ProgramFolder folder;
    RecordingPrompter prompter;
    TumoStatus status;
    GradeInfo* level = nullptr;
    std::unique_ptr<XHScrollWnd> strip;
};

} // namespace

TEST_F(SymbolStripTest, SymbolModeShowsEveryFrameOfTheMovie) {
    XHScrollWnd& s = Strip(false, folder.Path("defsym.swf"));
    ASSERT_EQ(s.CellCount(), 12);
    EXPECT_EQ(s.SymbolChars(), QStringLiteral("0123456789"));
    EXPECT_EQ(s.ScrollBar()->minimum(), 1);
    EXPECT_EQ(s.ScrollBar()->maximum(), 760);
    EXPECT_TRUE(Rolls(s, 0));
    for (int i = 1; i < 12; ++i)
        EXPECT_EQ(FrameOf(s, i), i);
    EXPECT_TRUE(s.CheckBoxes().empty());
    EXPECT_TRUE(prompter.messages.isEmpty());
    // Every cell stays inside its frame.
    const int h = s.ClientArea()->height();
    for (int i = 0; i < 12; ++i)
        EXPECT_TRUE(Layout::FrameRect(i, 0, h).contains(s.Cells()[i]->geometry())) << i;
}

TEST_F(SymbolStripTest, MissingOrForeignMovieLeavesTheStripEmpty) {
    Strip(false, folder.Path("nothing.swf"));
    EXPECT_EQ(strip->CellCount(), 0);
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("file not exist!")});

    prompter.messages.clear();
    QFile foreign(folder.Path("real.swf"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("FWS\x09 not a strip movie");
    foreign.close();
    Strip(false, folder.Path("real.swf"));
    EXPECT_EQ(strip->CellCount(), 0);
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("Incompatible symbol file!")});
}

TEST_F(SymbolStripTest, AnotherMovieReplacesTheCellsOnlyWhenItCanBeShown) {
    XHScrollWnd& s = Strip(false, folder.Path("defsym.swf"));
    const QString letters = symtest::WriteSymbols(folder.Path("abc.swf"), QStringLiteral("ABC"));
    EXPECT_FALSE(s.SetSymbolFile(folder.Path("gone.swf")));
    EXPECT_EQ(prompter.messages.takeLast(), QStringLiteral("file not exist!"));
    EXPECT_EQ(s.CellCount(), 12);

    QFile broken(folder.Path("broken.swf"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no movie");
    broken.close();
    EXPECT_FALSE(s.SetSymbolFile(folder.Path("broken.swf")));
    EXPECT_EQ(prompter.messages.takeLast(), QStringLiteral("Error symbol file!"));
    EXPECT_EQ(s.CellCount(), 12);
    EXPECT_EQ(s.m_strFile, folder.Path("defsym.swf"));

    ASSERT_TRUE(s.SetSymbolFile(letters));
    EXPECT_EQ(s.CellCount(), 5);
    EXPECT_EQ(s.SymbolChars(), QStringLiteral("ABC"));
    EXPECT_EQ(s.ScrollBar()->maximum(), 95);
    EXPECT_EQ(s.Players().at(4)->GetMovie(), letters);

    // Two characters leave nothing to scroll.
    ASSERT_TRUE(
        s.SetSymbolFile(symtest::WriteSymbols(folder.Path("ab.swf"), QStringLiteral("AB"))));
    EXPECT_EQ(s.CellCount(), 4);
    EXPECT_EQ(s.ScrollBar()->maximum(), s.ScrollBar()->minimum());
    EXPECT_FALSE(s.ScrollBar()->isEnabled());
}

TEST_F(SymbolStripTest, ScrollingMovesCellsWithTheirFramesAndARebuildStartsAtTheLeft) {
    XHScrollWnd& s = Strip(false, folder.Path("defsym.swf"));
    const int h = s.ClientArea()->height();
    const int inset = s.Cells()[3]->x() - Layout::FrameRect(3, 0, h).left();
    s.ScrollBar()->setValue(201);
    EXPECT_EQ(s.ScrollOffset(), -200);
    EXPECT_EQ(s.Cells()[3]->x() - Layout::FrameRect(3, -200, h).left(), inset);

    // The rebuilt cells must sit in the frames that are painted.
    symtest::WriteSymbols(folder.Path("more.swf"), QStringLiteral("0123456789AB"));
    ASSERT_TRUE(s.SetSymbolFile(folder.Path("more.swf")));
    EXPECT_EQ(s.ScrollBar()->value(), 1);
    EXPECT_EQ(s.ScrollOffset(), 0);
    EXPECT_EQ(s.Cells()[3]->x() - Layout::FrameRect(3, 0, h).left(), inset);
}

TEST_F(SymbolStripTest, MaskModeTicksTheStoredPositions) {
    for (const quint32 v : {0u, 1u, 0u, 1u})
        level->m_mask.m_listBits.append(SUINT(v, 1));
    XHScrollWnd& s = Strip(true, folder.Path("defsym.swf"));
    ASSERT_EQ(s.CellCount(), 4);
    ASSERT_EQ(s.CheckBoxes().size(), 4u);
    EXPECT_EQ(s.ScrollBar()->maximum(), 190);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.CheckBoxes()[i]->text(), QStringLiteral("Mask"));
        EXPECT_EQ(s.CheckBoxes()[i]->isChecked(), i % 2 == 1) << i;
        if (i % 2 == 1)
            EXPECT_EQ(FrameOf(s, i), 1) << i;
        else
            EXPECT_TRUE(Rolls(s, i)) << i;
    }
    EXPECT_EQ(s.MaskStates(), (QList<bool>{false, true, false, true}));

    // A click shows the mask symbol, another sets the cell rolling again.
    QTest::mouseClick(s.CheckBoxes()[0], Qt::LeftButton);
    EXPECT_EQ(FrameOf(s, 0), 1);
    EXPECT_TRUE(s.MaskStates().at(0));
    QTest::mouseClick(s.CheckBoxes()[0], Qt::LeftButton);
    EXPECT_TRUE(Rolls(s, 0));
    EXPECT_FALSE(s.MaskStates().at(0));
}

TEST_F(SymbolStripTest, MaskListOfAnotherLengthTicksNothing) {
    for (int i = 0; i < 3; ++i)
        level->m_mask.m_listBits.append(SUINT(1, 1));
    XHScrollWnd& s = Strip(true, folder.Path("defsym.swf"));
    ASSERT_EQ(s.CellCount(), 4);
    for (QCheckBox* box : s.CheckBoxes())
        EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(s.MaskStates(), QList<bool>(4, false));
}

TEST_F(SymbolStripTest, MaskCellsShowEachPositionsOwnMovieCountedFromTheRight) {
    const QString own = symtest::WriteSymbols(folder.Path("own.swf"), QStringLiteral("0123456789"));
    // Position 0 is the rightmost character; position 2's movie is gone; position 3 no movie.
    level->m_sym.m_listFiles = {own, QString(), folder.Path("gone.swf"), folder.Path("x.bmp")};
    XHScrollWnd& s = Strip(true, folder.Path("defsym.swf"));
    ASSERT_EQ(s.CellCount(), 4);
    EXPECT_EQ(s.Players()[3]->GetMovie(), own);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(s.Players()[i]->GetMovie(), folder.Path("defsym.swf")) << i;
}

TEST_F(SymbolStripTest, MaskStatesSurviveAMovieThatCannotBeShown) {
    for (const quint32 v : {1u, 0u, 0u, 1u})
        level->m_mask.m_listBits.append(SUINT(v, 1));
    XHScrollWnd& s = Strip(true, folder.Path("missing.swf"));
    EXPECT_EQ(s.CellCount(), 0);
    EXPECT_EQ(s.MaskStates(), (QList<bool>{true, false, false, true}));
}
