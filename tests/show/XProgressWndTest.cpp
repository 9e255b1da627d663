#include "show/XProgressWnd.h"
#include "common/RecordingPrompter.h"
#include "store/NuFileDeal.h"
#include "store/StoreTexts.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Counts the quit requests made again instead of ending the test program.
class TestProgressWnd : public XProgressWnd {
public:
    int reposted = 0;

protected:
    void RepostQuit() override { ++reposted; }
};

QStringList labelTexts(const QWidget& w) {
    QStringList out;
    for (const QLabel* l : w.findChildren<QLabel*>())
        out << l->text();
    return out;
}

} // namespace

TEST(XProgressWnd, ShowsTheTaskAndTheProgress) {
    TestProgressWnd wnd;
    wnd.Begin(QStringLiteral("Generate the index."));
    EXPECT_TRUE(wnd.isVisible());
    EXPECT_EQ(wnd.windowTitle(), QStringLiteral("Wait for a minute..."));
    EXPECT_EQ(wnd.windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(wnd.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(wnd.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(labelTexts(wnd).contains(QStringLiteral("The current task:")));
    EXPECT_TRUE(labelTexts(wnd).contains(QStringLiteral("Generate the index.")));
    EXPECT_TRUE(wnd.m_strProgress.isEmpty());
    wnd.ShowProgress(QStringLiteral("-----42%-----"));
    EXPECT_EQ(wnd.m_strProgress, QStringLiteral("-----42%-----"));
    EXPECT_TRUE(labelTexts(wnd).contains(QStringLiteral("-----42%-----")));
    wnd.End();
    EXPECT_FALSE(wnd.isVisible());
    EXPECT_EQ(wnd.reposted, 0);
}

TEST(XProgressWnd, OnlyTheEndOfTheOperationClosesIt) {
    TestProgressWnd wnd;
    wnd.Begin(QStringLiteral("Import from a file."));
    QTest::keyClick(&wnd, Qt::Key_Escape);
    QTest::keyClick(&wnd, Qt::Key_Return);
    wnd.close();
    EXPECT_TRUE(wnd.isVisible());
    wnd.End();
    EXPECT_FALSE(wnd.isVisible());
}

TEST(XProgressWnd, AQuitRequestStopsTheOperationAndIsMadeAgainAfterwards) {
    TestProgressWnd wnd;
    wnd.Begin(QStringLiteral("x"));
    EXPECT_TRUE(wnd.Pump());
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
    EXPECT_FALSE(wnd.Pump());
    EXPECT_FALSE(wnd.Pump());
    EXPECT_EQ(wnd.reposted, 0);
    wnd.End();
    EXPECT_EQ(wnd.reposted, 1);
    // The next operation starts afresh.
    wnd.Begin(QStringLiteral("y"));
    EXPECT_TRUE(wnd.Pump());
    wnd.End();
    EXPECT_EQ(wnd.reposted, 1);
}

TEST(XProgressWnd, ALongPoolOperationKeepsTimersRunningAndStopsOnQuit) {
    QTemporaryDir dir;
    RecordingPrompter prompter;
    TestProgressWnd wnd;
    NuFileDeal pool;
    pool.m_strFolder = dir.path();
    pool.SetPrompter(&prompter);
    pool.SetProgressSink(&wnd);
    ASSERT_EQ(pool.OpenStore(), 1);

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(0);
    ASSERT_EQ(pool.CreateContinuousNumbers(1, 300000), 1);
    EXPECT_GT(ticks, 0);
    EXPECT_FALSE(wnd.isVisible());

    // A quit midway: the operation stops, and what it wrote is indexed.
    QTimer::singleShot(0, [] { QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit)); });
    EXPECT_EQ(pool.CreateContinuousNumbers(1, 3000000), 0);
    EXPECT_EQ(wnd.reposted, 1);
    EXPECT_FALSE(wnd.isVisible());
    // 100 numbers from the opening, 300000 from the first fill, and less than the second fill.
    EXPECT_LT(pool.GetCount(), 100u + 300000u + 3000000u);
    EXPECT_TRUE(prompter.messages.isEmpty());
}
