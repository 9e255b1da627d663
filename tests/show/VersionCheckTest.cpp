#include "show/VersionCheck.h"

#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "controls/CHyperLink.h"
#include "show/LocalHttpServer.h"
#include "show/XNewInfo.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Runs one check to its end and gives the reported text; fails when nothing is reported.
QString Fetch(const QUrl& url, int timeoutMs = 5000) {
    VersionCheck check(nullptr, url, timeoutMs);
    QSignalSpy finished(&check, &VersionCheck::Finished);
    EXPECT_TRUE(check.Start());
    EXPECT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.count(), 1);
    return finished.isEmpty() ? QStringLiteral("<nothing>") : finished[0][0].toString();
}

QByteArray Pattern(int size) {
    QByteArray bytes;
    for (int i = 0; i < size; ++i)
        bytes += char('a' + i % 26);
    return bytes;
}

} // namespace

TEST(VersionCheckFetch, ShowsWhatTheServerPublishesAsItIs) {
    LocalHttpServer server;
    server.response.body = "6.9.0.1\r\n";
    EXPECT_EQ(Fetch(server.Url()), QStringLiteral("6.9.0.1\r\n"));
    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray request = server.requests[0];
    EXPECT_TRUE(request.startsWith("GET /version.txt HTTP/1.1\r\n"));
    EXPECT_TRUE(request.contains("\r\nUser-Agent: VER INFO\r\n"));
    EXPECT_TRUE(request.contains("\r\nCache-Control: no-cache\r\n"));

    server.response.body = "Version 7.1 \xE9t\xE9";
    EXPECT_EQ(Fetch(server.Url()), QStringLiteral("Version 7.1 \u00E9t\u00E9"));
    server.response.body = QByteArray("7.2\0hidden", 10);
    EXPECT_EQ(Fetch(server.Url()), QStringLiteral("7.2"));
}

TEST(VersionCheckFetch, OnlyTheFirst4095BytesCountAndTheTransferStopsThere) {
    LocalHttpServer server;
    server.response.body = Pattern(10000);
    EXPECT_EQ(Fetch(server.Url()), QString::fromLatin1(Pattern(4095)));

    server.response.body = Pattern(4095);
    EXPECT_EQ(Fetch(server.Url()), QString::fromLatin1(Pattern(4095)));

    // A server that never stops sending: the check ends as soon as it has its bytes.
    server.response.body = Pattern(26 * 40); // whole alphabets: the stream continues the pattern
    server.response.endless = true;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Fetch(server.Url(), 60000), QString::fromLatin1(Pattern(4095)));
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(VersionCheckFetch, ErrorsRefusalsAndSilenceGiveAnEmptyText) {
    LocalHttpServer server;
    server.response.status = 404;
    server.response.body = "<html>Not here</html>";
    EXPECT_EQ(Fetch(server.Url()), QString());

    server.response.body = Pattern(6000); // an error page longer than the buffer
    EXPECT_EQ(Fetch(server.Url()), QString());

    EXPECT_EQ(Fetch(LocalHttpServer::RefusingUrl()), QString());

    server.response = {};
    server.response.silent = true;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Fetch(server.Url(), 300), QString());
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(VersionCheckFetch, OneRequestAtATimeAndNoReportAfterItsOwnerIsGone) {
    LocalHttpServer server;
    server.response.silent = true;
    auto* check = new VersionCheck(nullptr, server.Url(), 60000);
    QSignalSpy finished(check, &VersionCheck::Finished);
    ASSERT_TRUE(check->Start());
    EXPECT_TRUE(check->IsRunning());
    EXPECT_FALSE(check->Start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests.isEmpty(); }, 5000));
    delete check;
    QTest::qWait(50);
    EXPECT_EQ(server.requests.size(), 1);
}

TEST(VersionCheckFetch, TheTextIsCutAtTheBufferAndAtAZeroByte) {
    EXPECT_EQ(VersionCheck::DecodeVersion(Pattern(5000)).size(), 4095);
    EXPECT_EQ(VersionCheck::DecodeVersion(QByteArray("\0abc", 4)), QString());
    EXPECT_EQ(VersionCheck::DecodeVersion("\x80 7"), QStringLiteral("\u20AC 7"));
    EXPECT_EQ(VersionCheck::VersionUrl().scheme(), QStringLiteral("https"));
}

struct VersionDialogFlow : ::testing::Test {
    QTemporaryDir dir;
    QString savedFolder = g_strAppFolder;
    QWidget window;
    RecordingPrompter prompter;
    VersionDialogFlow() { SetAppFolder(dir.path()); }
    ~VersionDialogFlow() override { SetAppFolder(savedFolder); }

    XNewInfo* WaitForDialog() {
        XNewInfo* dialog = nullptr;
        (void)QTest::qWaitFor(
            [&] {
                dialog = window.findChild<XNewInfo*>();
                return dialog && dialog->isVisible();
            },
            10000);
        return dialog;
    }
};

TEST_F(VersionDialogFlow, TheCommandFetchesThenOpensTheDialogOverItsWindow) {
    LocalHttpServer server;
    server.response.body = "7.3.0.0";
    window.show();
    VersionCheck* check = VersionCheck::ShowNewVersionInfo(&window, &prompter, server.Url());
    ASSERT_NE(check, nullptr);
    // Asked again while the first request runs: ignored.
    EXPECT_EQ(VersionCheck::ShowNewVersionInfo(&window, &prompter, server.Url()), nullptr);
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);

    XNewInfo* dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->DownloadLink()->text(),
              QStringLiteral("The newer version:7.3.0.0(click to download)"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(server.requests.size(), 1);
    EXPECT_TRUE(dialog->testAttribute(Qt::WA_DeleteOnClose));
    // The links report through the draw window's prompter.
    dialog->ResourceLink()->ShowOpenError(3);
    EXPECT_EQ(prompter.messages,
              QStringList("Unable to open hyperlink:\n\nThe specified path was not found."));
    dialog->reject();
    EXPECT_FALSE(QFile::exists(dir.filePath("tumo.ini")));

    // Done: a new request may start.
    check = VersionCheck::ShowNewVersionInfo(&window, &prompter, LocalHttpServer::RefusingUrl());
    ASSERT_NE(check, nullptr);
    dialog = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (XNewInfo* found : window.findChildren<XNewInfo*>())
                if (found->isVisible())
                    dialog = found;
            return dialog != nullptr;
        },
        10000));
    EXPECT_EQ(dialog->DownloadLink()->text(),
              QStringLiteral("The newer version:Connection error!(click to download)"));
    dialog->reject();
}

TEST_F(VersionDialogFlow, AWindowClosedDuringTheRequestLeavesNoBusyCursorBehind) {
    LocalHttpServer server;
    server.response.silent = true;
    auto* owner = new QWidget;
    ASSERT_NE(VersionCheck::ShowNewVersionInfo(owner, nullptr, server.Url(), 60000), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests.isEmpty(); }, 5000));
    delete owner;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // And the next request is not refused as if one were still running.
    auto* next = new QWidget;
    EXPECT_NE(VersionCheck::ShowNewVersionInfo(next, nullptr, server.Url(), 60000), nullptr);
    delete next;
}
