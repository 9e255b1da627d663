#include "settings/XFaceString.h"

#include "model/GradeInfo.h"
#include "settings/TextItemFormat.h"
#include "show/XAPanel.h"

#include <QFontInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

// ---- format rules, without widgets ----

TEST(TextItemFormatTest, FormatsClaimSizeColourFaceCharsetLocaleAndEffects) {
    static_assert(TextItemFormat::kMask == 0xEA000007u);
    const CharFormat cf = TextItemFormat::Initial();
    EXPECT_EQ(cf.cbSize, 116u);
    EXPECT_EQ(cf.dwMask, 0xEA000007u);
    EXPECT_EQ(cf.dwEffects, 0u);
    EXPECT_EQ(cf.yHeight, 0);
}

TEST(TextItemFormatTest, ANewItemIsRedAtFourTimesTheEditorsHeight) {
    CharFormat editor = TextItemFormat::Initial();
    editor.dwMask = 0x1234;
    editor.yHeight = 195;
    editor.szFaceName = QStringLiteral("Sans");
    editor.crTextColor = 0x123456;
    editor.dwEffects = CharFormat::CFE_AUTOCOLOR | CharFormat::CFE_ITALIC;
    const CharFormat cf = TextItemFormat::NewItemFormat(editor);
    EXPECT_EQ(cf.yHeight, 780);
    EXPECT_EQ(cf.crTextColor, 0x0000FFu);
    EXPECT_EQ(cf.dwEffects, quint32(CharFormat::CFE_ITALIC));
    EXPECT_EQ(cf.dwMask, 0xEA000007u);
    EXPECT_EQ(cf.szFaceName, QStringLiteral("Sans"));
}

TEST(TextItemFormatTest, TwipsBecomeNegativePixelsAndBack) {
    CharFormat cf = TextItemFormat::Initial();
    cf.yHeight = 320;
    cf.szFaceName = QStringLiteral("Arial");
    LogFont lf;
    TextItemFormat::PrepareLogFont(cf, lf);
    EXPECT_EQ(lf.lfHeight, -21);
    EXPECT_EQ(lf.lfFaceName, QStringLiteral("Arial"));
    EXPECT_EQ(lf.lfWeight, 0); // not bold: the weight stays as it was
    TextItemFormat::ApplyChosenFont(cf, lf, 0x00FF00);
    EXPECT_EQ(cf.yHeight, 315);
    EXPECT_EQ(cf.crTextColor, 0x00FF00u);
}

TEST(TextItemFormatTest, EffectsFollowTheChoiceBothWays) {
    CharFormat cf = TextItemFormat::Initial();
    cf.dwEffects = CharFormat::CFE_BOLD | CharFormat::CFE_ITALIC | CharFormat::CFE_UNDERLINE;
    cf.yHeight = 300;
    LogFont lf;
    TextItemFormat::PrepareLogFont(cf, lf);
    // An italic, underlined item opens as such, so an OK without changes keeps it.
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfUnderline, 1);
    TextItemFormat::ApplyChosenFont(cf, lf, 0);
    EXPECT_EQ(cf.dwEffects,
              quint32(CharFormat::CFE_BOLD | CharFormat::CFE_ITALIC | CharFormat::CFE_UNDERLINE));

    lf.lfWeight = 400;
    lf.lfItalic = 0;
    lf.lfUnderline = 0;
    TextItemFormat::ApplyChosenFont(cf, lf, 0);
    EXPECT_EQ(cf.dwEffects, 0u);

    // Heavier than bold is still bold.
    lf.lfWeight = 900;
    TextItemFormat::ApplyChosenFont(cf, lf, 0);
    EXPECT_EQ(cf.dwEffects, quint32(CharFormat::CFE_BOLD));
    // A cell height never gives a negative size.
    lf.lfHeight = 20;
    TextItemFormat::ApplyChosenFont(cf, lf, 0);
    EXPECT_EQ(cf.yHeight, 300);
}

TEST(TextItemFormatTest, ColoursAreStoredBlueGreenRed) {
    EXPECT_EQ(TextItemFormat::ColorRefOf(QColor(0x11, 0x22, 0x33)), 0x332211u);
    EXPECT_EQ(TextItemFormat::ColorOf(0x0000FF), QColor(255, 0, 0));
}

// ---- the editor ----

namespace {

class XFaceStringTest : public ::testing::Test {
protected:
    void SetUp() override {
        CharFormat bold = TextItemFormat::Initial();
        bold.yHeight = 320;
        bold.szFaceName = QStringLiteral("DejaVu Sans");
        bold.dwEffects = CharFormat::CFE_BOLD;
        bold.crTextColor = 0x00FF00;
        level.m_aPanel.AddPanel(QStringLiteral("first ~?~"), bold);
        level.m_aPanel.AddPanel(QStringLiteral("second"), bold);
        level.m_aPanel.m_listPanels[1].m_rect = WinRect{10, 20, 300, 80};
    }

    // A chooser that records what it was opened with and answers with `answer`.
    XFaceString::FontChooser Chooser(std::function<void(LogFont&, quint32&)> answer) {
        return [this, answer = std::move(answer)](LogFont& font, quint32& colour, QWidget*) {
            opened.push_back(font);
            if (!answer)
                return false;
            answer(font, colour);
            return true;
        };
    }

    static int EditorDefaultTwips(const XFaceString& dialog) {
        return QFontInfo(dialog.RichEdit()->document()->defaultFont()).pixelSize() * 15;
    }

    GradeInfo level;
    std::vector<LogFont> opened;
};

} // namespace

TEST_F(XFaceStringTest, ANewItemSavedUnchangedIsRedLargeAndAppended) {
    XFaceString dialog(&level);
    QSignalSpy edited(&dialog, &XFaceString::StringEdited);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add/Modi a string"));
    EXPECT_EQ(dialog.RichEdit()->toPlainText(), QStringLiteral("NEW INFOMATION"));
    dialog.OnSave();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(level.m_aPanel.m_listPanels.size(), 3);
    const APanel& item = level.m_aPanel.m_listPanels.last();
    EXPECT_EQ(item.m_strText, QStringLiteral("NEW INFOMATION"));
    EXPECT_EQ(item.m_cf.crTextColor, 0x0000FFu);
    EXPECT_FALSE(item.m_cf.dwEffects & CharFormat::CFE_AUTOCOLOR);
    EXPECT_EQ(item.m_cf.yHeight, 4 * EditorDefaultTwips(dialog));
    EXPECT_EQ(item.m_cf.dwMask, 0xEA000007u);
    EXPECT_EQ(item.m_rect, WinRect{});
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toInt(), -1);
}

TEST_F(XFaceStringTest, EditorShowsTheTextAsThePanelWillShowIt) {
    XFaceString dialog(&level);
    ASSERT_TRUE(dialog.EditItem(0));
    dialog.OnInitDialog();
    QTextCursor cursor(dialog.RichEdit()->document());
    cursor.setPosition(3);
    const QTextCharFormat shown = cursor.charFormat();
    EXPECT_EQ(shown.font().pixelSize(),
              XAPanel::FontOf(level.m_aPanel.m_listPanels[0].m_cf).pixelSize());
    EXPECT_TRUE(shown.font().bold());
    EXPECT_EQ(shown.foreground().color(), QColor(0, 255, 0));
    EXPECT_EQ(dialog.RichEdit()->toPlainText(), QStringLiteral("first ~?~"));
}

TEST_F(XFaceStringTest, EveryTemplateReplacesTheTypedText) {
    XFaceString dialog(&level);
    dialog.OnInitDialog();
    const QStringList texts = XFaceString::TemplateTexts();
    ASSERT_EQ(dialog.TemplateMenu()->actions().size(), 4);
    for (int i = 0; i < 4; ++i) {
        dialog.RichEdit()->setPlainText(QStringLiteral("typed"));
        dialog.TemplateMenu()->actions().at(i)->trigger();
        EXPECT_EQ(dialog.RichEdit()->toPlainText(), texts.at(i));
        EXPECT_EQ(dialog.TemplateMenu()->actions().at(i)->text(), texts.at(i));
    }
    EXPECT_EQ(texts.at(3), QStringLiteral("Existing:~$~,Remaining:~#~,total:~?~."));
    dialog.OnSave();
    EXPECT_EQ(level.m_aPanel.m_listPanels.last().m_strText, texts.at(3));
    EXPECT_EQ(level.m_aPanel.m_listPanels.last().m_cf.yHeight, 4 * EditorDefaultTwips(dialog));
}

TEST_F(XFaceStringTest, EditingAnItemKeepsItsIndexAndPlace) {
    XFaceString dialog(&level);
    QSignalSpy edited(&dialog, &XFaceString::StringEdited);
    ASSERT_TRUE(dialog.EditItem(1));
    dialog.OnInitDialog();
    dialog.RichEdit()->setPlainText(QStringLiteral("changed\nsecond line"));
    dialog.OnSave();
    ASSERT_EQ(level.m_aPanel.m_listPanels.size(), 2);
    const APanel& item = level.m_aPanel.m_listPanels[1];
    EXPECT_EQ(item.m_strText, QStringLiteral("changed\r\nsecond line"));
    EXPECT_EQ(item.m_cf, level.m_aPanel.m_listPanels[0].m_cf);
    EXPECT_EQ(item.m_rect, (WinRect{10, 20, 300, 80}));
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toInt(), 1);
}

TEST_F(XFaceStringTest, AnItemThatIsNotThereIsRefused) {
    XFaceString dialog(&level);
    EXPECT_FALSE(dialog.EditItem(2));
    EXPECT_FALSE(dialog.EditItem(-3));
    EXPECT_EQ(dialog.m_nIndex, XFaceString::kNewItem);

    // Told to save into a vanished item, it stores nothing and reports nothing.
    dialog.m_nIndex = 5;
    QSignalSpy edited(&dialog, &XFaceString::StringEdited);
    dialog.OnSave();
    EXPECT_EQ(level.m_aPanel.m_listPanels.size(), 2);
    EXPECT_EQ(edited.count(), 0);
}

TEST_F(XFaceStringTest, FontChooserOpensOnTheItemAndItsAnswerIsStored) {
    XFaceString dialog(&level);
    dialog.SetFontChooser(Chooser([](LogFont& font, quint32& colour) {
        EXPECT_EQ(colour, 0x00FF00u);
        font.lfWeight = 400; // bold removed
        font.lfHeight = -21;
        font.lfItalic = 1;
        colour = 0x102030;
    }));
    ASSERT_TRUE(dialog.EditItem(0));
    dialog.OnInitDialog();
    dialog.OnFont();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].lfHeight, -21);
    EXPECT_EQ(opened[0].lfWeight, 700);
    EXPECT_EQ(opened[0].lfFaceName, QStringLiteral("DejaVu Sans"));
    dialog.OnSave();
    const CharFormat& cf = level.m_aPanel.m_listPanels[0].m_cf;
    EXPECT_EQ(cf.yHeight, 315);
    EXPECT_EQ(cf.dwEffects, quint32(CharFormat::CFE_ITALIC));
    EXPECT_EQ(cf.crTextColor, 0x102030u);
    EXPECT_EQ(cf.dwMask, 0xEA000007u);
    // Typed text goes on in the chosen font.
    EXPECT_TRUE(dialog.RichEdit()->currentCharFormat().font().italic());
}

TEST_F(XFaceStringTest, CancellingTheFontChooserChangesNothing) {
    XFaceString dialog(&level);
    dialog.SetFontChooser(Chooser({}));
    ASSERT_TRUE(dialog.EditItem(1));
    const CharFormat before = level.m_aPanel.m_listPanels[1].m_cf;
    dialog.OnInitDialog();
    dialog.OnFont();
    dialog.OnSave();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(level.m_aPanel.m_listPanels[1].m_cf, before);
}

TEST_F(XFaceStringTest, ATemplateAfterAChosenFontKeepsThatFont) {
    XFaceString dialog(&level);
    dialog.SetFontChooser(Chooser([](LogFont& font, quint32& colour) {
        font.lfHeight = -30;
        font.lfWeight = 700;
        font.SetFaceName(QStringLiteral("DejaVu Serif"));
        colour = 0xFF0000;
    }));
    dialog.OnInitDialog();
    dialog.OnFont();
    dialog.OnTemplate(1);
    dialog.OnSave();
    const APanel& item = level.m_aPanel.m_listPanels.last();
    EXPECT_EQ(item.m_strText, XFaceString::TemplateTexts().at(1));
    EXPECT_EQ(item.m_cf.yHeight, 450);
    EXPECT_EQ(item.m_cf.szFaceName, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(item.m_cf.dwEffects, quint32(CharFormat::CFE_BOLD));
    EXPECT_EQ(item.m_cf.crTextColor, 0xFF0000u);
}

TEST_F(XFaceStringTest, CancelLeavesTheLevelAlone) {
    const LotteryAPanel before = level.m_aPanel;
    XFaceString dialog(&level);
    QSignalSpy edited(&dialog, &XFaceString::StringEdited);
    ASSERT_TRUE(dialog.EditItem(0));
    dialog.OnInitDialog();
    dialog.RichEdit()->setPlainText(QStringLiteral("not kept"));
    dialog.reject();
    EXPECT_EQ(level.m_aPanel, before);
    EXPECT_EQ(edited.count(), 0);
}
