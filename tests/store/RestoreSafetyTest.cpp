#include "StoreTestUtil.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "model/SafeFileWriter.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/RestoreScheme.h"
#include "store/SchemeBackup.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray record(const QByteArray& name, const QByteArray& content) {
    QByteArray r("FilePack");
    auto u32 = [&r](quint32 v) {
        for (int i = 0; i < 4; ++i)
            r.append(char((v >> (8 * i)) & 0xFF));
    };
    u32(9);
    u32(quint32(name.size()));
    r += name;
    u32(quint32(content.size()));
    r += content;
    return r;
}

class RestoreSafety : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(at("prog"));
        QDir().mkpath(at("elsewhere"));
        ASSERT_TRUE(WriteBytes(at("prog/TumoStatus.dat"), "old status"));
        ASSERT_TRUE(WriteBytes(at("prog/data.dat"), "old data"));
        ASSERT_TRUE(WriteBytes(at("prog/tumo"), "the program"));
    }
    void TearDown() override { SafeFileWriter::SetFailureInjector({}); }
    QString at(const QString& rel) const { return root.filePath(rel); }
    bool restore(const QByteArray& bytes) {
        EXPECT_TRUE(WriteBytes(at("p.TSC"), bytes));
        return RestoreScheme(at("p.TSC"), at("prog"), &prompter);
    }
    void expectOldFiles() {
        EXPECT_EQ(ReadBytes(at("prog/TumoStatus.dat")), QByteArray("old status"));
        EXPECT_EQ(ReadBytes(at("prog/data.dat")), QByteArray("old data"));
        EXPECT_EQ(ReadBytes(at("prog/tumo")), QByteArray("the program"));
        EXPECT_EQ(QDir(at("prog"))
                      .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                      .size(),
                  3);
    }

    QTemporaryDir root;
    RecordingPrompter prompter;
};

} // namespace

TEST(SchemePackNames, OnlyTheFilesOfASchemeAreRestored) {
    QString scheme;
    EXPECT_EQ(SchemePackName("TumoScheme\\a.jpg", &scheme), "TumoScheme\\a.jpg");
    EXPECT_EQ(SchemePackName("tumoscheme/sub/a.jpg", &scheme), "TumoScheme\\sub\\a.jpg");
    EXPECT_EQ(SchemePackName("TUMOSTATUS.DAT", &scheme), "TumoStatus.dat");
    EXPECT_EQ(SchemePackName("Data.dat", &scheme), "data.dat");
    EXPECT_EQ(SchemePackName("index.dat", &scheme), "index.dat");
    EXPECT_EQ(SchemePackName("show.TumoScheme", &scheme), "show.TumoScheme");
    EXPECT_EQ(SchemePackName("show.TumoScheme", &scheme), "show.TumoScheme");
    for (const char* refused : {"tumo", "other.TumoScheme", "TumoScheme\\", "x\\data.dat",
                                "libtumo.so", ".TumoScheme", "tumo.ini", "x\\a.TumoScheme"})
        EXPECT_EQ(SchemePackName(refused, &scheme), QString()) << refused;
}

TEST_F(RestoreSafety, APackWithAnyOtherFileIsRefusedBeforeAnythingIsWritten) {
    const QByteArray good = record("TumoScheme\\a.jpg", "A") + record("tumostatus.dat", "S");
    const QList<QByteArray> extras = {
        record("tumo", "#!/bin/sh\n"),
        QByteArray(record("default.TumoScheme", "1") + record("b.TumoScheme", "2")),
        record("lib\\x.so", "x")};
    for (const QByteArray& extra : extras) {
        prompter.messages.clear();
        EXPECT_FALSE(restore(good + extra));
        EXPECT_EQ(prompter.messages, QStringList({StoreTexts::BadPack()}));
        expectOldFiles();
    }
}

TEST_F(RestoreSafety, LinksInTheProgramFolderAreReplacedNotFollowed) {
    ASSERT_TRUE(WriteBytes(at("elsewhere/data.dat"), "outside"));
    ASSERT_TRUE(QFile::remove(at("prog/data.dat")));
    ASSERT_TRUE(QFile::link(at("elsewhere/data.dat"), at("prog/data.dat")));
    ASSERT_TRUE(QFile::link(at("elsewhere"), at("prog/TumoScheme")));

    ASSERT_TRUE(restore(record("TumoScheme\\a.jpg", "A") + record("data.dat", "new data")));
    EXPECT_EQ(ReadBytes(at("elsewhere/data.dat")), QByteArray("outside"));
    EXPECT_EQ(QDir(at("elsewhere")).entryList(QDir::Files), QStringList({"data.dat"}));
    EXPECT_FALSE(QFileInfo(at("prog/data.dat")).isSymLink());
    EXPECT_EQ(ReadBytes(at("prog/data.dat")), QByteArray("new data"));
    EXPECT_FALSE(QFileInfo(at("prog/TumoScheme")).isSymLink());
    EXPECT_EQ(ReadBytes(at("prog/TumoScheme/a.jpg")), QByteArray("A"));
}

TEST_F(RestoreSafety, AFullDiskKeepsEveryOldFile) {
    const QByteArray pack = record("data.dat", "new data") + record("index.dat", "new index") +
                            record("tumostatus.dat", "new status");
    // Every staged file is written; the last one finds the disk full.
    int writes = 0;
    SafeFileWriter::SetFailureInjector([&writes](const QString&) { return ++writes > 4; });
    EXPECT_FALSE(restore(pack));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith(StoreTexts::FilesNotRestored()));
    EXPECT_TRUE(prompter.messages[0].contains("TumoStatus.dat"));
    expectOldFiles();

    SafeFileWriter::SetFailureInjector({});
    prompter.messages.clear();
    EXPECT_TRUE(restore(pack));
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    EXPECT_EQ(ReadBytes(at("prog/TumoStatus.dat")), QByteArray("new status"));
    EXPECT_EQ(ReadBytes(at("prog/index.dat")), QByteArray("new index"));
}

// A rename that fails partway (here a folder stands where a file of the pack goes) takes back
// the files already moved: the program folder keeps the old scheme whole, and the folder is left
// as it was.
TEST_F(RestoreSafety, ARenameFailingPartwayPutsEveryOldFileBack) {
    ASSERT_TRUE(QDir().mkpath(at("prog/index.dat")));
    ASSERT_TRUE(WriteBytes(at("prog/index.dat/keep"), "someone's file"));
    const QByteArray pack = record("data.dat", "new data") + record("index.dat", "new index") +
                            record("tumostatus.dat", "new status") +
                            record("TumoScheme\\a.jpg", "A");
    EXPECT_FALSE(restore(pack));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("index.dat"));
    EXPECT_EQ(ReadBytes(at("prog/data.dat")), QByteArray("old data"));
    EXPECT_EQ(ReadBytes(at("prog/TumoStatus.dat")), QByteArray("old status"));
    EXPECT_EQ(ReadBytes(at("prog/index.dat/keep")), QByteArray("someone's file"));
    EXPECT_FALSE(QFileInfo::exists(at("prog/TumoScheme/a.jpg")));

    // With the folder gone, the same pack lands whole, and nothing is left behind.
    ASSERT_TRUE(QDir(at("prog/index.dat")).removeRecursively());
    prompter.messages.clear();
    EXPECT_TRUE(restore(pack));
    EXPECT_EQ(ReadBytes(at("prog/data.dat")), QByteArray("new data"));
    EXPECT_EQ(ReadBytes(at("prog/index.dat")), QByteArray("new index"));
    QStringList left =
        QDir(at("prog")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, QStringList({"TumoScheme", "TumoStatus.dat", "data.dat", "index.dat", "tumo"}));
}

TEST(SchemeBackupNames, StoredNamesAreTheNamesThePackHolds) {
    EXPECT_EQ(SchemeBackup::PackableFileName("a:b*c?.jpg"), "a_b_c_.jpg");
    EXPECT_EQ(SchemeBackup::PackableFileName(QString::fromUtf8("фото.jpg")), "____.jpg");
    EXPECT_EQ(SchemeBackup::PackableFileName(QString::fromUtf8("写真😀.png")), "___.png");
    EXPECT_EQ(SchemeBackup::PackableFileName(QString::fromUtf8("café €.wav")),
              QString::fromUtf8("café €.wav"));
    QStringList list;
    const QString p = SchemeBackup::PackFolderPrefix();
    EXPECT_EQ(SchemeBackup::MakePackName(list, QString::fromUtf8("/a/фото.jpg"), p),
              "TumoScheme\\____.jpg");
    EXPECT_EQ(SchemeBackup::MakePackName(list, QString::fromUtf8("/a/кино.jpg"), p),
              "TumoScheme\\_____.jpg");
    EXPECT_EQ(SchemeBackup::MakePackName(list, "/a/Back.JPG", p), "TumoScheme\\Back.JPG");
    EXPECT_EQ(SchemeBackup::MakePackName(list, "/b/back.jpg", p), "TumoScheme\\_back.jpg");
}

TEST_F(RestoreSafety, NamesFromEverywhereSurviveBackupRestoreAndLoad) {
    const QString saved = g_strAppFolder;
    QDir().mkpath(at("live/media"));
    SetAppFolder(at("live"));
    {
        NuFileDeal pool;
        pool.m_strFolder = g_strAppFolder;
        ASSERT_EQ(pool.OpenStore(), 1);
    }
    const QStringList names = {"a:b.jpg",
                               QString::fromUtf8("фото.jpg"),
                               QString::fromUtf8("кадр.jpg"),
                               QString::fromUtf8("写真.png"),
                               QString::fromUtf8("背景.png"),
                               "Back.jpg",
                               "back.jpg"};
    TumoStatus live;
    live.m_strDataFolder = g_strAppFolder;
    for (const QString& n : names) {
        ASSERT_TRUE(WriteBytes(at("live/media/") + n, n.toUtf8()));
        GradeInfo level;
        for (QString* other :
             {&level.m_banner.m_strFile, &level.m_notify.m_strBackPic, &level.m_notify.m_strSkin,
              &level.m_sound.m_strBBSound, &level.m_sound.m_strStopSound,
              &level.m_sound.m_strBackSound, &level.m_sym.m_strDefaultFile})
            other->clear();
        level.m_bg.m_strFile = at("live/media/") + n;
        live.AddLevel(level);
    }
    SchemeBackup backup(&live, &prompter);
    ASSERT_TRUE(backup.Backup(at("names.TSC")));
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();

    QDir().mkpath(at("fresh"));
    SetAppFolder(at("fresh"));
    ASSERT_TRUE(RestoreScheme(at("names.TSC"), g_strAppFolder, &prompter));
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    TumoStatus restored(&prompter);
    restored.m_strDataFolder = g_strAppFolder;
    ASSERT_TRUE(restored.LoadAll());
    ASSERT_EQ(restored.LevelCount(), names.size());
    QStringList files;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString path = ResolveFileCase(restored.Level(i).m_bg.m_strFile);
        EXPECT_EQ(ReadBytes(path), names[i].toUtf8()) << names[i].toStdString();
        files << QFileInfo(path).fileName().toLower();
    }
    files.removeDuplicates();
    EXPECT_EQ(files.size(), names.size());
    SetAppFolder(saved);
}

TEST_F(RestoreSafety, ABackupOnAFullDiskSaysSoAndKeepsTheOldPack) {
    const QString saved = g_strAppFolder;
    SetAppFolder(at("prog"));
    TumoStatus live;
    live.m_strDataFolder = g_strAppFolder;
    ASSERT_TRUE(WriteBytes(at("old.TSC"), "older pack"));
    SafeFileWriter::SetFailureInjector([](const QString& path) { return path.endsWith(".TSC"); });
    SchemeBackup backup(&live, &prompter);
    EXPECT_FALSE(backup.Backup(at("old.TSC")));
    EXPECT_TRUE(prompter.messages.contains(StoreTexts::WriteError()));
    EXPECT_EQ(ReadBytes(at("old.TSC")), QByteArray("older pack"));
    SetAppFolder(saved);
}
