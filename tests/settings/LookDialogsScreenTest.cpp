#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "media/FakeSoundDevice.h"
#include "model/GradeInfo.h"
#include "settings/BannerShow.h"
#include "settings/FontColourDialog.h"
#include "settings/Set_BB.h"
#include "settings/Set_BG.h"
#include "settings/SoundDD.h"

#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// The operator sets the show up on a laptop: every window and every tab page must fit its
// screen without being cut. Pictures of them are kept in the build folder for a look.
constexpr int kLaptopWidth = 1280;
constexpr int kLaptopHeight = 720;

void ExpectFitsAndKeep(QWidget& window, const QString& name) {
    window.adjustSize();
    const QSize size = window.sizeHint().expandedTo(window.minimumSizeHint());
    EXPECT_LE(size.width(), kLaptopWidth) << name.toStdString();
    EXPECT_LE(size.height(), kLaptopHeight) << name.toStdString();
    window.resize(size);
    window.grab().save(QDir(TUMO_BINARY_DIR).filePath(QStringLiteral("looks-") + name + ".png"));
}

TEST(LookDialogsScreen, EveryWindowFitsALaptopScreen) {
    const QString saved = g_strAppFolder;
    SetAppFolder(TUMO_BINARY_DIR);
    GradeInfo level;
    level.m_base.m_strName = "First prize";
    RecordingPrompter prompter;

    Set_BB board(&level, nullptr, &prompter);
    for (int page = 0; page < board.Tabs()->count(); ++page) {
        board.ShowPage(page);
        ExpectFitsAndKeep(board, QStringLiteral("board-%1").arg(page));
    }
    Set_BG background(&level, nullptr, nullptr, &prompter);
    ExpectFitsAndKeep(background, "background");
    BannerShow banner(&level, nullptr, &prompter);
    ExpectFitsAndKeep(banner, "banner");
    LottrySound sound;
    FakeSoundWorld world;
    QList<FakeSoundDevice*> devices;
    SoundDD sounds(&sound, nullptr, &prompter, FakeFactory(world, devices));
    ExpectFitsAndKeep(sounds, "sound");
    FontColourDialog font(level.m_notify.m_fontTitle, level.m_notify.m_clrTitle);
    ExpectFitsAndKeep(font, "font");
    SetAppFolder(saved);
}

} // namespace
