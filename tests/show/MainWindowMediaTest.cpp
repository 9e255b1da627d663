#include "common/RecordingPrompter.h"
#include "show/DrawBackground.h"
#include "show/MainWindowTestUtil.h"

namespace {

using mainwindowtest::ProgramFolderTest;

class MainWindowMediaTest : public ProgramFolderTest {
protected:
    // A file with an actual Flash movie's header: no player here reads it.
    QString RealFlash(const char* name) {
        QFile f(File(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("CWS\x0A\x40\x00\x00\x00", 8) + QByteArray(56, '\x5A'));
        return File(name);
    }
};

// A background or banner the program cannot show is told once, by its name, and the show goes
// on: the window comes up and draws.
TEST_F(MainWindowMediaTest, AFlashBackgroundAndBannerAreToldByNameAndTheShowGoesOn) {
    const QString background = RealFlash("party.swf");
    const QString banner = RealFlash("sponsor.swf");
    mainwindowtest::PrepareSettings(dir.path(), [&](TumoStatus& s) {
        s.Level(0).m_bg.m_strFile = background;
        s.Level(0).m_banner.m_strFile = banner;
        s.Level(0).m_banner.m_bShow = 1;
    });
    RecordingPrompter prompter;
    CTumoDlg dlg(&prompter);
    ASSERT_TRUE(dlg.OnInitDialog());
    EXPECT_TRUE(mainwindowtest::DrawKeyDraws(dlg));
    EXPECT_EQ(prompter.messages.count(DrawBackground::UnusableText(background)), 1);
    EXPECT_EQ(prompter.messages.count(CTumoDlg::UnusableBannerText(banner)), 1);
    CTumoDlgTestAccess::SetNoSave(dlg, true);
    dlg.OnQuit();
}

} // namespace
