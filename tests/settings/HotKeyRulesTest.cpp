#include "settings/HotKeyRules.h"

#include "show/AccelKeys.h"

#include <gtest/gtest.h>

namespace {

enum Command { kDraw = 0, kRestart = 1, kSettings = 2, kView = 3, kQuit = 4 };

quint16 Letter(char c) {
    return quint16(c);
}

} // namespace

TEST(HotKeyRules, KeyListsOfferSpaceAndReturnOnlyToDrawAndRestart) {
    for (int command : {kDraw, kRestart}) {
        const QStringList items = HotKeyRules::KeyItems(command);
        ASSERT_EQ(items.size(), 28);
        EXPECT_EQ(items.at(0), "<Space>");
        EXPECT_EQ(items.at(1), "<Return>");
        EXPECT_EQ(items.at(2), "A");
        EXPECT_EQ(items.last(), "Z");
    }
    for (int command : {kSettings, kView, kQuit}) {
        const QStringList items = HotKeyRules::KeyItems(command);
        ASSERT_EQ(items.size(), 26);
        EXPECT_EQ(items.first(), "A");
    }
}

TEST(HotKeyRules, ItemsAndStoredCodesMapBothWaysAsTheKeyFilterReadsThem) {
    EXPECT_EQ(HotKeyRules::KeyCodeOfItem("<Space>"), 0x20);
    EXPECT_EQ(HotKeyRules::KeyCodeOfItem("<Return>"), 0x0D);
    EXPECT_EQ(HotKeyRules::KeyCodeOfItem("Q"), 0x51);
    EXPECT_EQ(HotKeyRules::KeyCodeOfItem(""), 0);
    EXPECT_EQ(HotKeyRules::KeyCodeOfItem("F5"), 0);
    for (const QString& item : HotKeyRules::KeyItems(kDraw)) {
        const quint16 code = HotKeyRules::KeyCodeOfItem(item);
        EXPECT_EQ(HotKeyRules::ItemOfKeyCode(code), item);
    }
    // A key the lists lack, as another build's file may hold (F5), has no item.
    EXPECT_EQ(HotKeyRules::ItemOfKeyCode(0x74), "");
    EXPECT_EQ(HotKeyRules::ItemOfKeyCode(0), "");

    // What the editor stores is what a press of that key gives to the draw window's filter.
    OtherOption::AccelTable table = OtherOption::DefaultAccel();
    ASSERT_TRUE(
        HotKeyRules::Write(table, kQuit, HotKeyRules::KeyCodeOfItem("X"), HotKeyRules::kAlt));
    const auto press = AccelKeys::PressOf(Qt::Key_X, Qt::AltModifier, "x");
    ASSERT_TRUE(press.has_value());
    EXPECT_EQ(AccelKeys::Match(table, *press), OtherOption::kCmdQuit);
}

TEST(HotKeyRules, FlagsReadAsOneModifierAndWriteBack) {
    EXPECT_EQ(HotKeyRules::ModifierOf(0x01), HotKeyRules::kNoModifier);
    EXPECT_EQ(HotKeyRules::ModifierOf(0x09), HotKeyRules::kCtrl);
    EXPECT_EQ(HotKeyRules::ModifierOf(0x05), HotKeyRules::kShift);
    EXPECT_EQ(HotKeyRules::ModifierOf(0x11), HotKeyRules::kAlt);
    // Several bits: the last of Ctrl, Shift, Alt wins.
    EXPECT_EQ(HotKeyRules::ModifierOf(0x0D), HotKeyRules::kShift);
    EXPECT_EQ(HotKeyRules::ModifierOf(0x1D), HotKeyRules::kAlt);

    EXPECT_EQ(HotKeyRules::FVirtOf(HotKeyRules::kNoModifier), 1);
    EXPECT_EQ(HotKeyRules::FVirtOf(HotKeyRules::kCtrl), 9);
    EXPECT_EQ(HotKeyRules::FVirtOf(HotKeyRules::kShift), 5);
    EXPECT_EQ(HotKeyRules::FVirtOf(HotKeyRules::kAlt), 17);
}

TEST(HotKeyRules, OnlySettingsViewAndQuitKeepTheirKeysToThemselves) {
    OtherOption::AccelTable table = OtherOption::DefaultAccel(); // Ctrl+S, Ctrl+V, Ctrl+Q

    // Restart may share Space with Draw.
    EXPECT_TRUE(HotKeyRules::Write(table, kRestart, 0x20, HotKeyRules::kNoModifier));
    // Quit may not take S from Settings, whatever the modifiers.
    const OtherOption::AccelTable before = table;
    EXPECT_FALSE(HotKeyRules::Write(table, kQuit, Letter('S'), HotKeyRules::kNoModifier));
    EXPECT_FALSE(HotKeyRules::Write(table, kQuit, Letter('S'), HotKeyRules::kAlt));
    EXPECT_EQ(table, before);
    // Nor may Draw.
    EXPECT_FALSE(HotKeyRules::Write(table, kDraw, Letter('V'), HotKeyRules::kNoModifier));
    // A command keeps its own key under another modifier.
    EXPECT_TRUE(HotKeyRules::Write(table, kSettings, Letter('S'), HotKeyRules::kShift));
    EXPECT_EQ(table[3].key, Letter('S'));
    EXPECT_EQ(table[3].fVirt, 5);
    // Settings may take Draw's key; the command word stays.
    EXPECT_TRUE(HotKeyRules::Write(table, kSettings, 0x20, HotKeyRules::kNoModifier));
    EXPECT_EQ(table[3].cmd, OtherOption::kCmdSettings);
    // Record 0 (Delete) is never written.
    EXPECT_EQ(table[0], OtherOption::DefaultAccel()[0]);
    EXPECT_FALSE(HotKeyRules::Write(table, -1, Letter('K'), HotKeyRules::kNoModifier));
    EXPECT_FALSE(HotKeyRules::Write(table, 5, Letter('K'), HotKeyRules::kNoModifier));
}
