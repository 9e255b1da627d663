#include <QStringList>
#include <gtest/gtest.h>

// A failing comparison names the texts it compared, in lists too.
TEST(QtPrinters, AQStringPrintsAsItsText) {
    EXPECT_EQ(::testing::PrintToString(QStringLiteral("/tmp/out1.txt")), "\"/tmp/out1.txt\"");
    EXPECT_EQ(::testing::PrintToString(QStringList{QStringLiteral("a"), QStringLiteral("b")}),
              "{ \"a\", \"b\" }");
}
