#include "store/LayoutScreenRecord.h"
#include "StoreTestUtil.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "model/LayoutScreenFile.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/RestoreScheme.h"
#include "store/SchemeBackup.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A show prepared in one program folder, packed, and restored into another whose own layout
// was made for another screen.
class LayoutScreenRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolder = g_strAppFolder;
        for (const char* f : {"prepared", "venue"})
            QDir().mkpath(root.filePath(f));
        SetAppFolder(root.filePath("prepared"));
        NuFileDeal pool;
        pool.m_strFolder = g_strAppFolder;
        ASSERT_EQ(pool.OpenStore(), 1);
        live.m_strDataFolder = g_strAppFolder;
        live.AddLevel(GradeInfo());
        ASSERT_TRUE(LayoutScreenFile::Write(venue(), QSize(800, 600)));
    }
    void TearDown() override { SetAppFolder(savedFolder); }
    QString venue() const { return root.filePath("venue"); }
    QString Pack(const char* name) {
        QString path = root.filePath(QString::fromLatin1(name));
        SchemeBackup backup(&live, &prompter);
        EXPECT_TRUE(backup.Backup(path));
        return path;
    }

    QTemporaryDir root;
    QString savedFolder;
    RecordingPrompter prompter;
    TumoStatus live;
};

TEST_F(LayoutScreenRecordTest, ThePackCarriesTheScreenItsLayoutWasMadeFor) {
    ASSERT_TRUE(LayoutScreenFile::Write(g_strAppFolder, QSize(1920, 1080)));
    const QString pack = Pack("prepared.TSC");
    ASSERT_TRUE(RestoreScheme(pack, venue(), &prompter));
    EXPECT_EQ(LayoutScreenFile::Read(venue()), QSize(1920, 1080));
}

TEST_F(LayoutScreenRecordTest, APackWithoutTheRecordLeavesNoRecordOfTheOldLayout) {
    // As the Windows build's packs, and older ones, are.
    const QString pack = Pack("older.TSC");
    ASSERT_TRUE(RestoreScheme(pack, venue(), &prompter));
    EXPECT_FALSE(LayoutScreenFile::Read(venue()));
    EXPECT_FALSE(QFile::exists(LayoutScreenFile::PathIn(venue())));
}

} // namespace
