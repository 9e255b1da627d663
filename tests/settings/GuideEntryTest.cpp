#include "settings/GuideEntry.h"
#include "settings/GuideControlIds.h"

#include <QFile>
#include <gtest/gtest.h>

#include <set>

namespace {

QByteArray Items(const QByteArray& items) {
    return "<?xml version=\"1.0\"?><Items>" + items + "</Items>";
}

} // namespace

TEST(GuideFile, ReadsTheSixElementsOfEveryItemInOrder) {
    const auto entries = ParseGuideEntries(
        Items("<Item><title><![CDATA[<b>First</b>]]></title><content>Body</content><level>0</level>"
              "<relCtrlID>1174</relCtrlID><tipTitle>T</tipTitle><tipContent>C</tipContent></Item>"
              "<Other/>"
              "<Item><tipContent>c2</tipContent><level> 1 </level><title>\n  Second \n</title>"
              "<content/><relCtrlID>7</relCtrlID><tipTitle/></Item>"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].title, "<b>First</b>");
    EXPECT_EQ(entries[0].content, "Body");
    EXPECT_EQ(entries[0].relCtrlId, 1174);
    EXPECT_EQ(entries[0].tipTitle, "T");
    EXPECT_EQ(entries[0].tipContent, "C");
    EXPECT_EQ(entries[0].ListText(), "<b>First</b><br>Body");
    EXPECT_EQ(entries[1].title, "Second");
    EXPECT_EQ(entries[1].level, 1);
    EXPECT_EQ(entries[1].relCtrlId, 7);
    EXPECT_TRUE(entries[1].tipTitle.isEmpty());
    // An empty content shows the title alone.
    EXPECT_EQ(entries[1].ListText(), "Second");
}

TEST(GuideFile, MissingElementsAreEmptyAndTheFirstOfTwinsCounts) {
    const auto entries = ParseGuideEntries(
        Items("<Item><title>a<b>bold</b>c</title><title>second</title><level>x</level></Item>"));
    ASSERT_EQ(entries.size(), 1u);
    // Markup written as elements still reaches the list as its text.
    EXPECT_EQ(entries[0].title, "aboldc");
    EXPECT_EQ(entries[0].level, 0);
    EXPECT_EQ(entries[0].relCtrlId, 0);
    EXPECT_TRUE(entries[0].content.isEmpty());
}

TEST(GuideFile, DamagedOrForeignDocumentsGiveNoEntries) {
    EXPECT_TRUE(ParseGuideEntries("").empty());
    EXPECT_TRUE(ParseGuideEntries("not xml").empty());
    EXPECT_TRUE(ParseGuideEntries("<Root><Item><title>a</title></Item></Root>").empty());
    EXPECT_TRUE(ParseGuideEntries("<Items><Item><title>a</title></Item>").empty());
    EXPECT_TRUE(ParseGuideEntries("<Items><Item><title>a</title></Item></Items><x").empty());
    EXPECT_TRUE(ParseGuideEntries("<Items><Item><title>a</titel></Item></Items>").empty());
    EXPECT_TRUE(ParseGuideEntries(Items("")).empty());
    EXPECT_TRUE(ReadGuideFile("/nonexistent/GuidHelpContent.xml").empty());
}

TEST(GuideFile, NumbersTakeASignAndTheLeadingDigits) {
    EXPECT_EQ(ParseGuideNumber("12"), 12);
    EXPECT_EQ(ParseGuideNumber("  -3x"), -3);
    EXPECT_EQ(ParseGuideNumber("+4"), 4);
    EXPECT_EQ(ParseGuideNumber("7 8"), 7);
    EXPECT_EQ(ParseGuideNumber("abc"), 0);
    EXPECT_EQ(ParseGuideNumber("-"), 0);
    EXPECT_EQ(ParseGuideNumber(""), 0);
    EXPECT_EQ(ParseGuideNumber("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseGuideNumber("-99999999999999999999"), -2147483647 - 1);
}

// The guide delivered with the program: well-formed, nested one level at a time, and every entry
// points at a control some window of the program carries.
TEST(GuideFile, TheDeliveredGuidePointsAtKnownControls) {
    const auto entries = ReadGuideFile(TUMO_SOURCE_DIR "/src/resources/GuidHelpContent.xml");
    ASSERT_GE(entries.size(), 20u);
    using namespace GuideControlIds;
    const std::set<int> known{
        // draw window buttons
        7, 1003, 102, 107, 110,
        // settings window and numbers page
        kSettingsTabs, kSettingsReset, kSettingsLoadScheme, kSettingsBackupScheme, kSettingsClose,
        kNumbersList, kNumbersAdd, kNumbersModify, kNumbersDelete, kNumbersImport, kNumbersEdit,
        kNumbersOutput, kNumbersSummary,
        // prize levels page and its rows
        1017, 1019, 1021, kLevelBaseSettings, kLevelDesignMode,
        // base settings
        1018, 1020, 1022, 1023, 1024, 1025, 1026, 1027, 1047, 1056, 1058, 1060, 1089,
        // other options
        kOtherStopAtStartup, kOtherStartSymbol, kOtherShowButtons, kOtherMouseControl,
        kOtherMouseDrawOnly, kOtherMouseRestartOnly, kOtherMouseBoth, kOtherAllowDelete,
        kOtherMonitor, kOtherCommand, kOtherCtrl, kOtherShift, kOtherAlt, kOtherKey,
        // design tool
        32778, 32794, 32795, 32779, 32807, 32787, 32789, 32792, 32891, 32800};
    int previousLevel = -1;
    for (const GuideEntry& entry : entries) {
        const std::string title = entry.title.toStdString();
        EXPECT_FALSE(entry.title.isEmpty());
        EXPECT_FALSE(entry.tipTitle.isEmpty()) << title;
        EXPECT_FALSE(entry.tipContent.isEmpty()) << title;
        EXPECT_TRUE(known.count(entry.relCtrlId)) << title << " " << entry.relCtrlId;
        EXPECT_GE(entry.level, 0) << title;
        EXPECT_LE(entry.level, previousLevel + 1) << title;
        previousLevel = entry.level;
    }
    EXPECT_EQ(entries.front().level, 0);
}
