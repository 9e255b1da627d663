#include "controls/CHyperLink.h"

#include "common/RecordingPrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <optional>

namespace {

// Opens nothing: records what would be opened and answers as told.
class TestLink : public CHyperLink {
public:
    using CHyperLink::CHyperLink;
    bool desktopOpens = true;
    bool browserStarts = true;
    QList<QUrl> desktopUrls;
    QStringList browserLine;

    // What OpenLink gives, with the fakes here that answer at once.
    int OpenNow(const QString& url) {
        int code = -1;
        OpenLink(url, [&code](int c) { code = c; });
        return code;
    }

protected:
    void OpenWithDesktop(const QUrl& url, std::function<void(bool)> done) override {
        desktopUrls << url;
        done(desktopOpens);
    }
    bool StartBrowser(const QString& program, const QStringList& arguments) override {
        browserLine = QStringList{program} + arguments;
        return browserStarts;
    }
};

// Sets $BROWSER for one test and puts the old value back.
class BrowserVariable {
public:
    explicit BrowserVariable(std::optional<QByteArray> value) : m_old(qgetenv("BROWSER")) {
        m_hadOld = qEnvironmentVariableIsSet("BROWSER");
        if (value)
            qputenv("BROWSER", *value);
        else
            qunsetenv("BROWSER");
    }
    ~BrowserVariable() {
        if (m_hadOld)
            qputenv("BROWSER", m_old);
        else
            qunsetenv("BROWSER");
    }

private:
    QByteArray m_old;
    bool m_hadOld = false;
};

const QColor kLinkBlue(0x00, 0x00, 0xEE);
const QColor kVisitedPurple(0x55, 0x1A, 0x8B);

struct HyperLinkTest : ::testing::Test {
    QWidget window;
    RecordingPrompter prompter;
    BrowserVariable noBrowser{std::nullopt};

    HyperLinkTest() { window.resize(400, 200); }

    TestLink* MakeLink(const QString& text, QRect geometry = QRect(20, 20, 300, 40)) {
        auto* link = new TestLink(text, &window);
        link->setGeometry(geometry);
        link->SetPrompter(&prompter);
        return link;
    }
    void Show() {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    static void Click(QWidget* link, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(link, button, {}, QPoint(2, link->height() / 2));
    }
};

} // namespace

TEST_F(HyperLinkTest, TextAndAddressFillEachOtherWhenTheLinkTakesItsForm) {
    TestLink* bare = MakeLink(QString());
    bare->SetLinkUrl(QStringLiteral("https://tumo.example/get"));
    TestLink* named = MakeLink(QStringLiteral("www.tumo.example"), QRect(20, 80, 300, 40));
    // Before the link takes its form, neither is touched.
    EXPECT_TRUE(bare->text().isEmpty());
    Show();

    EXPECT_EQ(bare->text(), QStringLiteral("https://tumo.example/get"));
    EXPECT_EQ(bare->toolTip(), QStringLiteral("https://tumo.example/get"));
    EXPECT_EQ(named->GetLinkUrl(), QStringLiteral("www.tumo.example"));
    EXPECT_EQ(named->toolTip(), QStringLiteral("www.tumo.example"));
    EXPECT_TRUE(named->font().underline());
    EXPECT_EQ(named->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(HyperLinkTest, ShrinksToItsTextKeepingTheEdgeItsAlignmentNames) {
    TestLink* left = MakeLink(QStringLiteral("Download"));
    left->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TestLink* right = MakeLink(QStringLiteral("Download"), QRect(20, 80, 300, 40));
    right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Show();

    const QSize text = QFontMetrics(left->font()).size(Qt::TextExpandTabs, left->text());
    EXPECT_EQ(left->geometry(), QRect(QPoint(20, 20), text));
    EXPECT_EQ(right->geometry().right(), 319);
    EXPECT_EQ(right->width(), text.width());
    EXPECT_EQ(right->geometry().top(), 80 + (40 - text.height()) / 2);

    // A new address fits the link to its (new) text again and becomes the tool tip.
    right->setText(QStringLiteral("Get it"));
    right->SetLinkUrl(QStringLiteral("https://tumo.example/new"));
    EXPECT_EQ(right->geometry().right(), 319);
    EXPECT_EQ(right->width(), QFontMetrics(right->font()).size(0, "Get it").width());
    EXPECT_EQ(right->toolTip(), QStringLiteral("https://tumo.example/new"));
}

TEST(HyperLinkFit, CentresShrinkBothSidesByHalfTheDifferenceRoundedTowardZero) {
    const QRect box(10, 10, 101, 31); // right 110, bottom 40
    const QSize text(50, 14);
    const QRect centred = CHyperLink::FitRectToText(box, text, Qt::AlignCenter);
    EXPECT_EQ(centred.left(), 10 + 25);
    EXPECT_EQ(centred.right(), 110 - 25);
    EXPECT_EQ(centred.top(), 10 + 8);
    EXPECT_EQ(centred.bottom(), 40 - 8);
    // A text larger than the box grows it the same way.
    const QRect grown = CHyperLink::FitRectToText(QRect(0, 0, 20, 10), QSize(41, 10),
                                                  Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_EQ(grown.left(), -10);
    EXPECT_EQ(grown.right(), 29);
    EXPECT_EQ(grown.height(), 10);
}

TEST_F(HyperLinkTest, UnderlineSwitchedOffBeforeOrAfterTheLinkTakesItsForm) {
    TestLink* early = MakeLink(QStringLiteral("early"));
    early->SetUnderline(false);
    TestLink* late = MakeLink(QStringLiteral("late"), QRect(20, 80, 300, 40));
    Show();
    EXPECT_FALSE(early->font().underline());
    EXPECT_TRUE(late->font().underline());
    late->SetUnderline(false);
    EXPECT_FALSE(late->font().underline());
}

TEST_F(HyperLinkTest, BlueAtRestHighlightUnderTheMousePurpleOnceOpened) {
    TestLink* link = MakeLink(QStringLiteral("WWWWWWWW"));
    link->SetLinkUrl(QStringLiteral("https://tumo.example/win"));
    const QColor highlight = link->palette().color(QPalette::Active, QPalette::Highlight);
    Show();
    EXPECT_EQ(link->TextColor(), kLinkBlue);
    const QImage rest = link->grab().toImage();
    bool blueInk = false;
    for (int y = 0; y < rest.height() && !blueInk; ++y)
        for (int x = 0; x < rest.width() && !blueInk; ++x)
            blueInk = rest.pixelColor(x, y) == kLinkBlue;
    EXPECT_TRUE(blueInk);

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->IsHovering());
    EXPECT_EQ(link->TextColor(), highlight);

    Click(link);
    ASSERT_EQ(link->desktopUrls.size(), 1);
    EXPECT_EQ(link->desktopUrls[0], QUrl(QStringLiteral("https://tumo.example/win")));
    EXPECT_TRUE(link->IsVisited());
    EXPECT_TRUE(prompter.messages.isEmpty());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->IsHovering());
    EXPECT_EQ(link->TextColor(), kVisitedPurple);
}

TEST_F(HyperLinkTest, AFailedOpenExplainsWhyAndLeavesTheLinkUnvisited) {
    TestLink* link = MakeLink(QStringLiteral("Missing file"));
    link->SetLinkUrl(QStringLiteral("/nowhere/tumo/missing.html"));
    link->desktopOpens = false;
    Show();

    Click(link, Qt::RightButton);
    EXPECT_TRUE(link->desktopUrls.isEmpty());

    Click(link);
    EXPECT_FALSE(link->IsVisited());
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0],
              QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found."));
    EXPECT_EQ(link->TextColor(), kLinkBlue);

    link->ShowOpenError(4);
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Unable to open hyperlink:\n\nUnknown Error (4) occurred."));
}

TEST(HyperLinkErrors, EveryShellCodeHasItsText) {
    EXPECT_EQ(CHyperLink::OpenErrorText(0),
              QStringLiteral("The operating system is out\nof memory or resources."));
    EXPECT_EQ(CHyperLink::OpenErrorText(26), QStringLiteral("A sharing violation occurred. "));
    EXPECT_EQ(CHyperLink::OpenErrorText(31),
              QStringLiteral("There is no application associated\nwith the given filename "
                             "extension."));
    EXPECT_EQ(CHyperLink::OpenErrorText(32),
              QStringLiteral("The specified dynamic-link library was not found."));
    EXPECT_EQ(CHyperLink::OpenErrorText(33), QStringLiteral("Unknown Error (33) occurred."));
    EXPECT_EQ(CHyperLink::OpenErrorText(-1), QStringLiteral("Unknown Error (-1) occurred."));
}

TEST_F(HyperLinkTest, WithoutTheDesktopTheBrowserVariableOpensTheLink) {
    TestLink* link = MakeLink(QStringLiteral("x"));
    link->desktopOpens = false;
    const QString url = QStringLiteral("https://tumo.example/a b?c=\"d\";rm");

    EXPECT_EQ(link->OpenNow(url), CHyperLink::kNoAssociation);
    EXPECT_TRUE(link->browserLine.isEmpty());

    BrowserVariable browser(QByteArray("\"/opt/my browser/run\" --new-window '%s' --rest:lynx"));
    EXPECT_EQ(link->OpenNow(url), CHyperLink::kOpenSucceeded);
    EXPECT_EQ(link->browserLine, (QStringList{"/opt/my browser/run", "--new-window", url}));

    link->browserStarts = false;
    EXPECT_EQ(link->OpenNow(url), CHyperLink::kFileNotFound);
}

TEST(HyperLinkBrowser, TheAddressIsAlwaysOneArgumentOfItsOwn) {
    const QString url = QStringLiteral("http://x.example/$(reboot) `id` 'q'");
    EXPECT_EQ(CHyperLink::BrowserCommand("firefox %s", url), (QStringList{"firefox", url}));
    EXPECT_EQ(CHyperLink::BrowserCommand("firefox '%s' --tail", url),
              (QStringList{"firefox", url}));
    // Without a placeholder the address goes at the end.
    EXPECT_EQ(CHyperLink::BrowserCommand("w3m -N", url), (QStringList{"w3m", "-N", url}));
    EXPECT_TRUE(CHyperLink::BrowserCommand("", url).isEmpty());
    EXPECT_TRUE(CHyperLink::BrowserCommand("  %s", url).isEmpty());
}

// The real desktop opener, a fake xdg-open first on PATH: its result is waited for, so one that
// starts and then fails ("no method available") beeps and explains, and one that opens makes the
// link visited.
TEST_F(HyperLinkTest, TheDesktopOpenersResultDecides) {
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ":" + oldPath);
    struct Case {
        const char* script;
        bool opens;
    };
    for (const Case c : {Case{"sleep 0.2; echo 'xdg-open: no method available' >&2; exit 3", false},
                         Case{"exit 0", true}}) {
        QFile opener(bin.filePath("xdg-open"));
        ASSERT_TRUE(opener.open(QIODevice::WriteOnly | QIODevice::Truncate));
        opener.write("#!/bin/sh\necho \"$1\" >" + bin.filePath("asked").toLocal8Bit() + "\n" +
                     c.script + "\n");
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        prompter.messages.clear();
        auto* link = new CHyperLink(QStringLiteral("Download"), &window);
        link->setGeometry(20, 20, 300, 40);
        link->SetPrompter(&prompter);
        link->SetLinkUrl(QStringLiteral("https://tumo.example/new"));
        Show();
        link->show();
        Click(link);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return link->IsVisited() || !prompter.messages.isEmpty(); }));
        EXPECT_EQ(link->IsVisited(), c.opens) << c.script;
        if (c.opens) {
            EXPECT_TRUE(prompter.messages.isEmpty());
        } else {
            ASSERT_EQ(prompter.messages.size(), 1);
            EXPECT_EQ(prompter.messages[0],
                      QStringLiteral("Unable to open hyperlink:\n\nThere is no application "
                                     "associated\nwith the given filename extension."));
        }
        QFile asked(bin.filePath("asked"));
        ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
        EXPECT_EQ(asked.readAll().trimmed(), "https://tumo.example/new");
        delete link;
    }
    qputenv("PATH", oldPath);
}
