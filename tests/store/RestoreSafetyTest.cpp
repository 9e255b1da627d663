#include "StoreTestUtil.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
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

// A status file and a scheme file that the program reads, with the output paths as a scheme
// file stores them, and the two as a pack carries them.
struct SchemeFiles {
    QByteArray status;
    QByteArray scheme;
    QByteArray records() const {
        return record("default.TumoScheme", scheme) + record("tumostatus.dat", status);
    }
};

SchemeFiles schemeFiles(const QString& output = "WinningNumbers.txt",
                        const QString& autoOutput = "WinningNumbers.txt") {
    TumoStatus s;
    s.SetLevels({GradeInfo()});
    s.Level(0).m_taken.Add(4);
    s.m_options.m_strOutputFile = output;
    s.m_options.m_strAutoOutputFile = autoOutput;
    SchemeFiles files;
    EXPECT_TRUE(s.EncodeStatusFile(files.status));
    EXPECT_TRUE(s.EncodeSchemeFile(files.scheme));
    return files;
}

QByteArray schemeParts() {
    return schemeFiles().records();
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
    const QString scheme = "default.TumoScheme";
    EXPECT_EQ(SchemePackName("TumoScheme\\a.jpg", scheme), "TumoScheme\\a.jpg");
    EXPECT_EQ(SchemePackName("tumoscheme/sub/a.jpg", scheme), "TumoScheme\\sub\\a.jpg");
    EXPECT_EQ(SchemePackName("TUMOSTATUS.DAT", scheme), "TumoStatus.dat");
    EXPECT_EQ(SchemePackName("Data.dat", scheme), "data.dat");
    EXPECT_EQ(SchemePackName("index.dat", scheme), "index.dat");
    // The scheme lands on the live one whatever its case: beside it, it would never be read.
    EXPECT_EQ(SchemePackName("default.TumoScheme", scheme), "default.TumoScheme");
    EXPECT_EQ(SchemePackName("Default.TumoScheme", scheme), "default.TumoScheme");
    EXPECT_EQ(SchemePackName("DEFAULT.TUMOSCHEME", scheme), "default.TumoScheme");
    EXPECT_EQ(SchemePackName("show.TumoScheme", "show.TumoScheme"), "show.TumoScheme");
    for (const char* refused :
         {"tumo", "other.TumoScheme", "show.TumoScheme", "TumoScheme\\", "x\\data.dat",
          "libtumo.so", ".TumoScheme", "tumo.ini", "x\\a.TumoScheme", "x\\default.TumoScheme"})
        EXPECT_EQ(SchemePackName(refused, scheme), QString()) << refused;
}

TEST_F(RestoreSafety, APackWithAnyOtherFileIsRefusedBeforeAnythingIsWritten) {
    const QByteArray good = record("TumoScheme\\a.jpg", "A") + schemeParts();
    const QList<QByteArray> extras = {record("tumo", "#!/bin/sh\n"), record("b.TumoScheme", "2"),
                                      record("lib\\x.so", "x")};
    for (const QByteArray& extra : extras) {
        prompter.messages.clear();
        EXPECT_FALSE(restore(good + extra));
        EXPECT_EQ(prompter.messages, QStringList({StoreTexts::BadPack()}));
        expectOldFiles();
    }
}

// The scheme record counts under the live scheme's name in any case, and a pack holds no more
// files than its scheme refers to (one level: eight media files, the pool, scheme and status).
TEST_F(RestoreSafety, APackIsTakenOnlyAsTheSchemeItCarriesHoldsIt) {
    ASSERT_TRUE(WriteBytes(at("prog/default.TumoScheme"), "old scheme"));
    const SchemeFiles files = schemeFiles();
    const QByteArray pool = record("data.dat", "new data") + record("index.dat", "new index");
    QByteArray media, sameName;
    for (int i = 0; i < 9; ++i) {
        media += record("TumoScheme\\" + QByteArray::number(i) + ".jpg", "m");
        sameName += record("TumoScheme\\a.jpg", "m");
    }
    const struct {
        const char* what;
        QByteArray pack;
        bool taken;
    } cases[] = {
        {"eight media files", media.left(media.size() / 9 * 8) + pool + files.records(), true},
        {"nine media files", media + pool + files.records(), false},
        {"one media file nine times", sameName + pool + files.records(), false},
        {"a scheme named in other letters",
         record("Default.TumoScheme", files.scheme) + record("tumostatus.dat", files.status), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteBytes(at("prog/default.TumoScheme"), "old scheme"));
        prompter.messages.clear();
        EXPECT_EQ(restore(c.pack), c.taken);
        if (!c.taken) {
            EXPECT_EQ(prompter.messages, QStringList({StoreTexts::BadPack()}));
            EXPECT_EQ(ReadBytes(at("prog/default.TumoScheme")), QByteArray("old scheme"));
            continue;
        }
        // The pack's scheme is the one the program reads: no other spelling of it is left.
        EXPECT_EQ(ReadBytes(at("prog/default.TumoScheme")), files.scheme);
        EXPECT_EQ(QDir(at("prog")).entryList({"*.TumoScheme"}, QDir::Files),
                  QStringList({"default.TumoScheme"}));
    }
}

TEST_F(RestoreSafety, LinksInTheProgramFolderAreReplacedNotFollowed) {
    ASSERT_TRUE(WriteBytes(at("elsewhere/data.dat"), "outside"));
    ASSERT_TRUE(QFile::remove(at("prog/data.dat")));
    ASSERT_TRUE(QFile::link(at("elsewhere/data.dat"), at("prog/data.dat")));
    ASSERT_TRUE(QFile::link(at("elsewhere"), at("prog/TumoScheme")));

    ASSERT_TRUE(
        restore(record("TumoScheme\\a.jpg", "A") + record("data.dat", "new data") + schemeParts()));
    EXPECT_EQ(ReadBytes(at("elsewhere/data.dat")), QByteArray("outside"));
    EXPECT_EQ(QDir(at("elsewhere")).entryList(QDir::Files), QStringList({"data.dat"}));
    EXPECT_FALSE(QFileInfo(at("prog/data.dat")).isSymLink());
    EXPECT_EQ(ReadBytes(at("prog/data.dat")), QByteArray("new data"));
    EXPECT_FALSE(QFileInfo(at("prog/TumoScheme")).isSymLink());
    EXPECT_EQ(ReadBytes(at("prog/TumoScheme/a.jpg")), QByteArray("A"));
}

TEST_F(RestoreSafety, AFullDiskKeepsEveryOldFile) {
    const QByteArray pack =
        record("data.dat", "new data") + record("index.dat", "new index") + schemeParts();
    // The pool files are staged; the settings files after them find the disk full.
    constexpr rlim_t room = 16;
    ASSERT_GT(schemeFiles().status.size(), qsizetype(room));
    ASSERT_TRUE(WriteBytes(at("p.TSC"), pack));
    {
        FileSizeLimit full(room);
        EXPECT_FALSE(RestoreScheme(at("p.TSC"), at("prog"), &prompter));
    }
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith(StoreTexts::FilesNotRestored()));
    EXPECT_TRUE(prompter.messages[0].contains("TumoStatus.dat"));
    EXPECT_FALSE(prompter.messages[0].contains("index.dat"));
    expectOldFiles();

    prompter.messages.clear();
    EXPECT_TRUE(restore(pack));
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join("|").toStdString();
    EXPECT_NE(ReadBytes(at("prog/TumoStatus.dat")), QByteArray("old status"));
    EXPECT_EQ(ReadBytes(at("prog/index.dat")), QByteArray("new index"));
}

// A rename that fails partway (here a folder stands where a file of the pack goes) takes back
// the files already moved: the program folder keeps the old scheme whole, and the folder is left
// as it was.
TEST_F(RestoreSafety, ARenameFailingPartwayPutsEveryOldFileBack) {
    ASSERT_TRUE(QDir().mkpath(at("prog/index.dat")));
    ASSERT_TRUE(WriteBytes(at("prog/index.dat/keep"), "someone's file"));
    const QByteArray pack = record("data.dat", "new data") + record("index.dat", "new index") +
                            schemeParts() + record("TumoScheme\\a.jpg", "A");
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
    EXPECT_EQ(left, QStringList({"TumoScheme", "TumoStatus.dat", "data.dat", "default.TumoScheme",
                                 "index.dat", "tumo"}));
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
    SchemeBackup backup(&live, &prompter);
    {
        FileSizeLimit full(0);
        EXPECT_FALSE(backup.Backup(at("old.TSC")));
    }
    EXPECT_TRUE(prompter.messages.contains(StoreTexts::WriteError()));
    EXPECT_EQ(ReadBytes(at("old.TSC")), QByteArray("older pack"));
    SetAppFolder(saved);
}

TEST_F(RestoreSafety, APackWhoseSchemeTheProgramCannotReadIsRefusedWithNothingChanged) {
    const SchemeFiles files = schemeFiles();
    const QByteArray scheme = record("default.TumoScheme", files.scheme);
    const QByteArray status = record("tumostatus.dat", files.status);
    TumoStatus empty;
    QByteArray noLevels;
    ASSERT_TRUE(empty.EncodeSchemeFile(noLevels));
    const QByteArray nul(50, '\0');
    const struct {
        const char* what;
        QByteArray pack;
    } cases[] = {
        {"an empty pack", QByteArray()},
        {"only media", record("TumoScheme\\a.jpg", "A")},
        {"no status file", record("data.dat", "new data") + scheme},
        {"no scheme file", record("data.dat", "new data") + status},
        {"a scheme of NUL bytes", record("default.TumoScheme", nul) + status},
        {"a status of NUL bytes", scheme + record("tumostatus.dat", nul)},
        {"an empty scheme", record("default.TumoScheme", QByteArray()) + status},
        {"a scheme without levels", record("default.TumoScheme", noLevels) + status},
        {"a status with more after it", scheme + record("tumostatus.dat", files.status + "x")},
        {"a good scheme replaced by a later bad one",
         files.records() + record("default.TumoScheme", nul)},
    };
    for (const auto& c : cases) {
        prompter.messages.clear();
        ASSERT_TRUE(WriteBytes(at("p.TSC"), c.pack));
        EXPECT_FALSE(CheckSchemePack(at("p.TSC"), at("prog"), &prompter)) << c.what;
        EXPECT_FALSE(RestoreScheme(at("p.TSC"), at("prog"), &prompter)) << c.what;
        EXPECT_EQ(prompter.messages, QStringList({StoreTexts::BadPack(), StoreTexts::BadPack()}))
            << c.what;
        expectOldFiles();
    }
    prompter.messages.clear();
    EXPECT_FALSE(CheckSchemePack(at("none.TSC"), at("prog"), &prompter));
    EXPECT_TRUE(prompter.messages.isEmpty()) << "a missing pack says nothing";
    ASSERT_TRUE(WriteBytes(at("p.TSC"), files.records()));
    EXPECT_TRUE(CheckSchemePack(at("p.TSC"), at("prog"), &prompter));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(RestoreSafety, APackKeepsItsOutputFilesInTheProgramFolder) {
    const QString folder = at("prog");
    const QString fallback = "WinningNumbers.txt";
    // Stored output paths, and what each comes back as (stored form).
    const struct {
        QString output, autoOutput;
        QString outputAfter, autoOutputAfter;
    } cases[] = {
        {"mine.txt", "auto.txt", "mine.txt", "auto.txt"},
        {"mine.txt", "..\\x.txt", "mine.txt", fallback},
        {"/tmp/x.txt", "auto.txt", fallback, "auto.txt"},
        {"C:\\x.txt", "C:x.txt", fallback, fallback},
        {"sub\\x.txt", "sub/x.txt", fallback, fallback},
        {"", "..", fallback, fallback},
    };
    for (const auto& c : cases) {
        const std::string what = QString(c.output + " | " + c.autoOutput).toStdString();
        prompter.messages.clear();
        ASSERT_TRUE(restore(schemeFiles(c.output, c.autoOutput).records())) << what;
        const bool reset = c.outputAfter != c.output || c.autoOutputAfter != c.autoOutput;
        EXPECT_EQ(prompter.messages,
                  reset ? QStringList({StoreTexts::OutputPathsReset()}) : QStringList())
            << what;
        // Only the paths changed, byte for byte.
        EXPECT_EQ(ReadBytes(at("prog/default.TumoScheme")),
                  schemeFiles(c.outputAfter, c.autoOutputAfter).scheme)
            << what;
        TumoStatus restored;
        restored.m_strDataFolder = folder;
        restored.m_strProgramFolder = folder;
        restored.LoadAll();
        EXPECT_EQ(restored.m_options.m_strOutputFile, folder + "/" + c.outputAfter) << what;
        EXPECT_EQ(restored.m_options.m_strAutoOutputFile, folder + "/" + c.autoOutputAfter) << what;
        EXPECT_TRUE(restored.IsNumberTaken(4)) << what;
    }

    // A path the operator chose stays as chosen in the program's own files.
    TumoStatus live;
    live.m_strDataFolder = folder;
    live.m_strProgramFolder = folder;
    live.LoadAll();
    live.m_options.m_strAutoOutputFile = at("elsewhere/w.txt");
    ASSERT_TRUE(live.SaveAll());
    TumoStatus again;
    again.m_strDataFolder = folder;
    again.m_strProgramFolder = folder;
    again.LoadAll();
    EXPECT_EQ(again.m_options.m_strAutoOutputFile, at("elsewhere/w.txt"));
}
