#include "show/PanelTemplate.h"

#include <gtest/gtest.h>

TEST(PanelTemplate, PlaceholdersTakeTheLevelsCounts) {
    EXPECT_EQ(ExpandInfoTemplate("~#~ of ~?~", 10, 3), "7 of 10");
    EXPECT_EQ(ExpandInfoTemplate("~$~ and ~$~", 10, 3), "3 and 3");
    EXPECT_EQ(ExpandInfoTemplate("Existing:~$~,Remaining:~#~,total:~?~.", 25, 0),
              "Existing:0,Remaining:25,total:25.");
    EXPECT_EQ(ExpandInfoTemplate("Amount of the remained winning numbers in the grade:~#~.", 5, 5),
              "Amount of the remained winning numbers in the grade:0.");
    EXPECT_EQ(ExpandInfoTemplate("~?~ left: ~#~", -3, 2), "-3 left: -5");
    EXPECT_EQ(ExpandInfoTemplate("no ~ placeholders ~?", 1, 1), "no ~ placeholders ~?");
}
