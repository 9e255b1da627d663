#include "settings/MaskDlg.h"

#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "settings/XHScrollWnd.h"
#include "show/SymbolTestUtil.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MaskDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        symtest::SetLevels(status, 1, 0, 1, 5);
        level = &status.Level(0);
    }

    void SetBits(std::initializer_list<quint32> values) {
        level->m_mask.m_listBits.clear();
        for (const quint32 v : values)
            level->m_mask.m_listBits.append(SUINT(v, 1));
    }

    static QList<quint32> Values(const LotteryMask& mask) {
        QList<quint32> values;
        for (const SUINT& bit : mask.m_listBits)
            values << bit.m_nValue;
        return values;
    }

    static QList<qint32> Flags(const LotteryMask& mask) {
        QList<qint32> flags;
        for (const SUINT& bit : mask.m_listBits)
            flags << bit.m_nFlag;
        return flags;
    }

    symtest::ProgramFolder folder;
    RecordingPrompter prompter;
    TumoStatus status;
    GradeInfo* level = nullptr;
};

} // namespace

TEST_F(MaskDlgTest, OpensOnTheStoredMaskAndWritesTheTickedPositionsFromTheLeft) {
    SetBits({1, 0, 0, 1, 0});
    level->m_mask.m_strMaskChar = QStringLiteral("*");
    MaskDlg dialog(&status, level, &prompter);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set the mask bit"));
    ASSERT_EQ(dialog.Strip()->CheckBoxes().size(), 5u);
    EXPECT_TRUE(dialog.MaskCheck()->isChecked());
    EXPECT_TRUE(dialog.MaskCharBox()->isEnabled());
    EXPECT_EQ(dialog.MaskCharBox()->text(), QStringLiteral("*"));

    // Untick the first position, tick the last.
    dialog.Strip()->CheckBoxes()[0]->click();
    dialog.Strip()->CheckBoxes()[4]->click();
    dialog.MaskCharBox()->setText(QStringLiteral("#"));
    dialog.OnOK();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Values(level->m_mask), (QList<quint32>{0, 0, 0, 1, 1}));
    EXPECT_EQ(Flags(level->m_mask), QList<qint32>(5, 1));
    EXPECT_EQ(level->m_mask.m_strMaskChar, QStringLiteral("#"));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MaskDlgTest, AListOfAnotherLengthOpensUntickedAndOkWritesOnePerPosition) {
    SetBits({1, 1, 1});
    MaskDlg dialog(&status, level, &prompter);
    dialog.OnInitDialog();
    for (QCheckBox* box : dialog.Strip()->CheckBoxes())
        EXPECT_FALSE(box->isChecked());
    dialog.OnOK();
    EXPECT_EQ(Values(level->m_mask), QList<quint32>(5, 0));
    EXPECT_EQ(Flags(level->m_mask), QList<qint32>(5, 1));
}

TEST_F(MaskDlgTest, TheCharacterCheckClearsAndRestoresX) {
    level->m_mask.m_strMaskChar = QStringLiteral("?");
    MaskDlg dialog(&status, level, &prompter);
    dialog.OnInitDialog();
    dialog.MaskCheck()->click(); // off
    EXPECT_EQ(dialog.MaskCharBox()->text(), QString());
    EXPECT_FALSE(dialog.MaskCharBox()->isEnabled());
    dialog.MaskCheck()->click(); // on again: back to "X", not to what was there
    EXPECT_EQ(dialog.MaskCharBox()->text(), QStringLiteral("X"));
    EXPECT_TRUE(dialog.MaskCharBox()->isEnabled());
    dialog.MaskCheck()->click();
    dialog.OnOK();
    EXPECT_EQ(level->m_mask.m_strMaskChar, QString());

    // An empty character opens with the check off and the box disabled.
    MaskDlg again(&status, level, &prompter);
    again.OnInitDialog();
    EXPECT_FALSE(again.MaskCheck()->isChecked());
    EXPECT_FALSE(again.MaskCharBox()->isEnabled());
}

TEST_F(MaskDlgTest, CancelChangesNothing) {
    SetBits({0, 1, 0, 1, 0});
    const LotteryMask before = level->m_mask;
    MaskDlg dialog(&status, level, &prompter);
    dialog.OnInitDialog();
    dialog.Strip()->CheckBoxes()[0]->click();
    dialog.MaskCheck()->click();
    dialog.reject();
    EXPECT_EQ(level->m_mask, before);
}

TEST_F(MaskDlgTest, AMissingSymbolMovieDoesNotCostTheLevelItsMask) {
    SetBits({0, 1, 1, 0, 1});
    level->m_sym.m_strDefaultFile = folder.Path("gone.swf");
    MaskDlg dialog(&status, level, &prompter);
    dialog.OnInitDialog();
    EXPECT_EQ(prompter.messages, QStringList{XHScrollWnd::FileNotExistText()});
    EXPECT_EQ(dialog.Strip()->CellCount(), 0);
    dialog.OnOK();
    EXPECT_EQ(Values(level->m_mask), (QList<quint32>{0, 1, 1, 0, 1}));
}
