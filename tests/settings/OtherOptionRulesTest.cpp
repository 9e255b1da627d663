#include "settings/OtherOptionRules.h"

#include "base/AppPaths.h"
#include "model/AnsiCodec.h"

#include <gtest/gtest.h>

TEST(OtherOptionRules, MonitorEntriesStayInMonitorOrderPastNine) {
    EXPECT_EQ(OtherOptionRules::MonitorItems(3),
              QStringList({"Monitor:1", "Monitor:2", "Monitor:3"}));
    const QStringList twelve = OtherOptionRules::MonitorItems(12);
    ASSERT_EQ(twelve.size(), 12);
    // Entry 1 is monitor 2 even when "Monitor:10" would sort before it.
    EXPECT_EQ(twelve.at(1), "Monitor:2");
    EXPECT_EQ(OtherOptionRules::MonitorToStore(1, 12, 1), 2);
    EXPECT_EQ(OtherOptionRules::MonitorItems(0), QStringList());
}

TEST(OtherOptionRules, AMonitorWithoutChoiceBecomesTheFirst) {
    EXPECT_EQ(OtherOptionRules::MonitorToStore(2, 3, 1), 3);
    // The stored monitor 4 is gone: nothing chosen, the draw window opens on the first.
    EXPECT_EQ(OtherOptionRules::MonitorToStore(-1, 3, 4), 1);
    // No monitor at all: the stored value stays.
    EXPECT_EQ(OtherOptionRules::MonitorToStore(-1, 0, 2), 2);
}

TEST(OtherOptionRules, StartSymbolsSortedAndFoundWithoutRegardToCase) {
    const QStringList items = OtherOptionRules::StartSymbolItems("9a0B1");
    EXPECT_EQ(items, QStringList({"0", "1", "9", "a", "B"}));
    EXPECT_EQ(OtherOptionRules::FindStartSymbol(items, '9'), 2);
    EXPECT_EQ(OtherOptionRules::FindStartSymbol(items, 'b'), 4);
    EXPECT_EQ(OtherOptionRules::FindStartSymbol(items, 'A'), 3);
    EXPECT_EQ(OtherOptionRules::FindStartSymbol(items, '7'), -1);
    EXPECT_EQ(OtherOptionRules::FindStartSymbol({}, '0'), -1);
}

TEST(OtherOptionRules, StoredStartSymbolIsOneCodePageByteOrTheOldOne) {
    ASSERT_TRUE(AnsiCodec::isAvailable());
    EXPECT_EQ(OtherOptionRules::StartSymbolToStore("7", '0'), '7');
    // The euro sign is byte 0x80 in the Western code page.
    EXPECT_EQ(OtherOptionRules::StartSymbolToStore(QString(QChar(0x20AC)), '0'), 0x80);
    EXPECT_EQ(OtherOptionRules::StartSymbolToStore("", '5'), '5');
    // A character the code page lacks is not stored as '?'.
    EXPECT_EQ(OtherOptionRules::StartSymbolToStore(QString(QChar(0x4E00)), '5'), '5');
    EXPECT_EQ(OtherOptionRules::StartSymbolToStore("?", '5'), '?');
}

TEST(OtherOptionRules, SymbolMovieOfABareNameLiesInTheProgramFolder) {
    const QString saved = g_strAppFolder;
    SetAppFolder("/opt/show");
    EXPECT_EQ(OtherOptionRules::SymbolMoviePath("DefSym.swf"), "/opt/show/DefSym.swf");
    EXPECT_EQ(OtherOptionRules::SymbolMoviePath("sym\\Big.swf"), "/opt/show/sym/Big.swf");
    EXPECT_EQ(OtherOptionRules::SymbolMoviePath("/media/x.swf"), "/media/x.swf");
    SetAppFolder(saved);
}
