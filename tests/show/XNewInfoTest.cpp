#include "show/XNewInfo.h"

#include "common/FileSizeLimit.h"
#include "common/RecordingPrompter.h"
#include "controls/CHyperLink.h"
#include "model/TumoStatus.h"
#include "show/IniFile.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct NewInfoTest : ::testing::Test {
    QTemporaryDir dir;
    QString ini = dir.filePath("tumo.ini");

    void WriteIni(const QByteArray& bytes) {
        QFile file(ini);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadIni() {
        QFile file(ini);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void PressOk(XNewInfo& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == QLatin1String("OK"))
                QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace

TEST_F(NewInfoTest, ShowsBothVersionsAndLinksToTheMakersPages) {
    XNewInfo dialog(nullptr, ini);
    dialog.m_strNewVersion = QStringLiteral("6.5.0.0"); // lower than ours: shown all the same
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New information"));
    EXPECT_EQ(dialog.CurrentVersionLabel()->text(), QStringLiteral("Current version:7.0.0.0"));
    EXPECT_EQ(dialog.DownloadLink()->text(),
              QStringLiteral("The newer version:6.5.0.0(click to download)"));
    EXPECT_EQ(dialog.DownloadLink()->GetLinkUrl(), XNewInfo::DownloadUrl());
    EXPECT_EQ(dialog.DownloadLink()->toolTip(), XNewInfo::DownloadUrl());
    EXPECT_FALSE(dialog.DownloadLink()->font().underline());
    EXPECT_EQ(dialog.ResourceLink()->text(), QStringLiteral("Click here to get newer resources."));
    EXPECT_EQ(dialog.ResourceLink()->GetLinkUrl(), XNewInfo::ResourceUrl());
    EXPECT_FALSE(dialog.ResourceLink()->font().underline());
    EXPECT_EQ(dialog.AutoCheckBox()->text(), QStringLiteral("Auto check."));
    // The whole text of the link is visible: the dialog took its size after filling it in.
    EXPECT_GE(
        dialog.DownloadLink()->width(),
        QFontMetrics(dialog.DownloadLink()->font()).size(0, dialog.DownloadLink()->text()).width());
    EXPECT_LE(dialog.DownloadLink()->geometry().right(),
              dialog.DownloadLink()->parentWidget()->width());
}

TEST_F(NewInfoTest, AFailedFetchAndALineBreakInTheFileShowAsTheyAre) {
    EXPECT_EQ(XNewInfo::NewerVersionText("The newer version:xxx(click to download)", ""),
              QStringLiteral("The newer version:Connection error!(click to download)"));
    EXPECT_EQ(XNewInfo::NewerVersionText("xxx and xxx", "8"), QStringLiteral("8 and 8"));
    // The file's line end becomes the label's line break.
    EXPECT_EQ(XNewInfo::NewerVersionText("v:xxx(click)", "7.1\r\n"),
              QStringLiteral("v:7.1\n(click)"));
    // Markup in a fetched text is shown, never interpreted.
    XNewInfo dialog(nullptr, ini);
    dialog.m_strNewVersion = QStringLiteral("<b>9</b>\r\n");
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.DownloadLink()->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.DownloadLink()->text(),
              QStringLiteral("The newer version:<b>9</b>\n(click to download)"));
}

TEST_F(NewInfoTest, WithoutTheFileTheBoxStartsTickedAndOkCreatesIt) {
    XNewInfo dialog(nullptr, ini);
    dialog.show();
    EXPECT_TRUE(dialog.AutoCheckBox()->isChecked());
    EXPECT_EQ(dialog.m_bAutoCheck, 1);
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadIni(), QByteArray("[STATE]\r\nautoCheck=1\r\n"));
}

TEST_F(NewInfoTest, OkWritesOnlyTheBoxAndCancelWritesNothing) {
    const QByteArray original = "; Tumo\n[Window]\nleft=10\n\n[state]\nAutoCheck = 0\nother=x\n";
    WriteIni(original);
    {
        XNewInfo dialog(nullptr, ini);
        dialog.show();
        EXPECT_FALSE(dialog.AutoCheckBox()->isChecked());
        dialog.AutoCheckBox()->setChecked(true);
        dialog.reject();
        EXPECT_EQ(ReadIni(), original);
    }
    XNewInfo dialog(nullptr, ini);
    dialog.show();
    dialog.AutoCheckBox()->setChecked(true);
    PressOk(dialog);
    EXPECT_EQ(dialog.m_bAutoCheck, 1);
    EXPECT_EQ(ReadIni(),
              QByteArray("; Tumo\n[Window]\nleft=10\n\n[state]\nautoCheck=1\nother=x\n"));

    XNewInfo again(nullptr, ini);
    again.show();
    EXPECT_TRUE(again.AutoCheckBox()->isChecked());
    again.AutoCheckBox()->setChecked(false);
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_TRUE(ReadIni().contains("autoCheck=1\n"));
}

TEST_F(NewInfoTest, TheStoredValueIsReadByItsLeadingNumber) {
    EXPECT_EQ(XNewInfo::LeadingNumber(" 12abc"), 12);
    EXPECT_EQ(XNewInfo::LeadingNumber("-3"), -3);
    EXPECT_EQ(XNewInfo::LeadingNumber("yes"), 0);
    EXPECT_EQ(XNewInfo::LeadingNumber(""), 0);
    EXPECT_EQ(XNewInfo::LeadingNumber("99999999999999"), INT_MAX);

    WriteIni("[STATE]\nautoCheck=yes\n");
    XNewInfo unticked(nullptr, ini);
    unticked.OnInitDialog();
    EXPECT_FALSE(unticked.AutoCheckBox()->isChecked());

    WriteIni("[STATE]\nautoCheck=\"2\"\n");
    XNewInfo ticked(nullptr, ini);
    ticked.show();
    EXPECT_TRUE(ticked.AutoCheckBox()->isChecked());
    PressOk(ticked);
    EXPECT_EQ(ReadIni(), QByteArray("[STATE]\nautoCheck=1\n"));
}

TEST(IniFileText, FindsKeysInTheirSectionWhateverTheirCase) {
    const QByteArray text = "[Other]\nautoCheck=5\n[ State ]\r\n  AUTOCHECK =  '0' \r\n"
                            "[STATE]\nautoCheck=7\n";
    EXPECT_EQ(IniFile::FindValue(text, "STATE", "autoCheck"), QByteArray("0"));
    EXPECT_EQ(IniFile::FindValue(text, "other", "AutoCheck"), QByteArray("5"));
    EXPECT_FALSE(IniFile::FindValue(text, "STATE", "auto"));
    EXPECT_FALSE(IniFile::FindValue(text, "Missing", "autoCheck"));
    EXPECT_FALSE(IniFile::FindValue("autoCheck=1\n", "STATE", "autoCheck"));
    EXPECT_EQ(IniFile::FindValue("[STATE]\nautoCheck=\n", "STATE", "autoCheck"), QByteArray());
}

TEST(IniFileText, AddsWhatIsMissingAndKeepsTheRest) {
    // A new key goes after the section's last entry, before the blank line.
    EXPECT_EQ(IniFile::WithValue("[STATE]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "STATE", "autoCheck", "0"),
              QByteArray("[STATE]\r\nx=1\r\nautoCheck=0\r\n\r\n[B]\r\ny=2\r\n"));
    // A new section goes at the end, after a line end that the file lacked.
    EXPECT_EQ(IniFile::WithValue("[B]\ny=2", "STATE", "autoCheck", "1"),
              QByteArray("[B]\ny=2\n[STATE]\nautoCheck=1\n"));
    EXPECT_EQ(IniFile::WithValue("[STATE]", "STATE", "autoCheck", "1"),
              QByteArray("[STATE]\r\nautoCheck=1\r\n"));
    EXPECT_EQ(IniFile::WithValue("", "STATE", "autoCheck", "1"),
              QByteArray("[STATE]\r\nautoCheck=1\r\n"));
    // Only the first section of the name changes.
    EXPECT_EQ(IniFile::WithValue("[STATE]\na=1\n[STATE]\nautoCheck=0\n", "STATE", "autoCheck", "1"),
              QByteArray("[STATE]\na=1\nautoCheck=1\n[STATE]\nautoCheck=0\n"));
}

TEST_F(NewInfoTest, AFullDiskKeepsTheOldFileAndSaysWriteError) {
    WriteIni("[STATE]\nautoCheck=1\n");
    RecordingPrompter prompter;
    XNewInfo dialog(nullptr, ini);
    dialog.SetPrompter(&prompter);
    dialog.show();
    dialog.AutoCheckBox()->setChecked(false);
    {
        FileSizeLimit full(0);
        PressOk(dialog);
    }
    EXPECT_EQ(ReadIni(), QByteArray("[STATE]\nautoCheck=1\n"));
    EXPECT_EQ(prompter.messages, QStringList{TumoStatus::WriteErrorText()});
}

TEST(IniFileText, AFileThatCannotBeWrittenIsReportedAndLeftAlone) {
    QTemporaryDir dir;
    const QString folderAsFile = dir.filePath("sub");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_FALSE(IniFile::WriteString(folderAsFile, "STATE", "autoCheck", "1"));
    EXPECT_EQ(IniFile::ReadString(dir.filePath("none.ini"), "STATE", "autoCheck", "1"),
              QStringLiteral("1"));
    EXPECT_EQ(IniFile::ReadString(folderAsFile, "STATE", "autoCheck", "1"), QStringLiteral("1"));
}
