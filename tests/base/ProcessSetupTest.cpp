#include "base/ProcessSetup.h"

#include <gtest/gtest.h>

// What the program sets for itself stays out of what a browser it starts inherits, and what the
// user set is left alone.
TEST(ProcessSetup, SetsDriversOffForItselfOnlyAndKeepsWhatTheUserSet) {
    qunsetenv("VK_DRIVER_FILES");
    qputenv("VK_ICD_FILENAMES", "/etc/own.json");
    qputenv("QT_MEDIA_BACKEND", "ffmpeg");

    ProcessSetup::Prepare();

    EXPECT_EQ(qgetenv("VK_DRIVER_FILES"), "/dev/null");
    EXPECT_EQ(qgetenv("VK_ICD_FILENAMES"), "/etc/own.json");
    EXPECT_EQ(qgetenv("QT_MEDIA_BACKEND"), "ffmpeg");
    const QProcessEnvironment children = ProcessSetup::ForChildren();
    EXPECT_FALSE(children.contains(QStringLiteral("VK_DRIVER_FILES")));
    EXPECT_EQ(children.value(QStringLiteral("VK_ICD_FILENAMES")), "/etc/own.json");
    EXPECT_EQ(children.value(QStringLiteral("QT_MEDIA_BACKEND")), "ffmpeg");
}
