#include "store/SchemeBackup.h"
#include "StoreTestUtil.h"
#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "store/FilePack.h"
#include "store/NuFileDeal.h"
#include "store/RestoreScheme.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct PackedRecord {
    quint32 tag = 0;
    QString name;
    QByteArray content;
};

QList<PackedRecord> readPack(const QString& path) {
    const QByteArray b = ReadBytes(path);
    QList<PackedRecord> out;
    qsizetype pos = 0;
    while (pos + 20 <= b.size() && b.mid(pos, 8) == "FilePack") {
        PackedRecord r;
        r.tag = qFromLittleEndian<quint32>(b.constData() + pos + 8);
        const quint32 l = qFromLittleEndian<quint32>(b.constData() + pos + 12);
        r.name = QString::fromLatin1(b.mid(pos + 16, l));
        const quint32 d = qFromLittleEndian<quint32>(b.constData() + pos + 16 + l);
        r.content = b.mid(pos + 20 + l, d);
        out << r;
        pos += 20 + l + d;
    }
    EXPECT_EQ(pos, b.size());
    return out;
}

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolder = g_strAppFolder;
        for (const char* f : {"a/media", "other", "c", "out"})
            QDir().mkpath(root.filePath(f));
        SetAppFolder(root.filePath("a"));
    }
    void TearDown() override { SetAppFolder(savedFolder); }
    QString at(const QString& rel) const { return root.filePath(rel); }
    QString media(const QString& rel, const QByteArray& content) {
        EXPECT_TRUE(WriteBytes(at(rel), content));
        return at(rel);
    }

    QTemporaryDir root;
    QString savedFolder;
    RecordingPrompter prompter;
};

} // namespace

TEST(SchemeBackupNames, UnderscoresGrowOneLongerEachTime) {
    QStringList list;
    const QString p = SchemeBackup::PackFolderPrefix();
    EXPECT_EQ(SchemeBackup::MakePackName(list, "/x/a.jpg", p), "TumoScheme\\a.jpg");
    EXPECT_EQ(SchemeBackup::MakePackName(list, "/y/a.jpg", p), "TumoScheme\\_a.jpg");
    EXPECT_EQ(SchemeBackup::MakePackName(list, "/z/a.jpg", p), "TumoScheme\\___a.jpg");
    EXPECT_EQ(SchemeBackup::MakePackName(list, "C:\\w\\a.jpg", p), "TumoScheme\\______a.jpg");
    EXPECT_EQ(SchemeBackup::MakePackName(list, "/y/a.jpg", p), QString());
    // Paths compare exactly: another case is another file.
    EXPECT_EQ(SchemeBackup::MakePackName(list, "/X/a.jpg", p), "TumoScheme\\__________a.jpg");
    EXPECT_EQ(list.size(), 10);
    EXPECT_EQ(list[1], "a.jpg");
    EXPECT_EQ(list[3], "_a.jpg");
}

TEST_F(BackupTest, BackupThenRestoreOnAFreshProgramFolder) {
    const QString defBg = media("a/DefBg.swf", "movie");
    const QString back1 = media("a/media/back.jpg", "back one");
    const QString back2 = media("other/back.jpg", "back two");
    const QString sound = media("a/s.wav", "RIFF");

    {
        NuFileDeal pool;
        pool.m_strFolder = g_strAppFolder;
        ASSERT_EQ(pool.OpenStore(), 1);
    }
    TumoStatus live;
    live.m_strDataFolder = g_strAppFolder;
    for (int i = 0; i < 3; ++i) {
        GradeInfo level;
        level.m_base.m_strName = QStringLiteral("Level %1").arg(i);
        level.m_banner.m_strFile.clear();
        level.m_bg.m_strFile = i == 0 ? defBg : back2;
        level.m_notify.m_strBackPic = back1;
        level.m_notify.m_strSkin = at("a/missing.bmp");
        level.m_sound.m_strBBSound = sound;
        level.m_sound.m_strStopSound = sound;
        level.m_sound.m_strBackSound = sound;
        level.m_sym.m_strDefaultFile = defBg;
        level.m_sym.m_listFiles = QStringList({QString(), sound});
        live.AddLevel(level);
    }
    live.m_nuBase.m_nCount = 100;
    live.Level(1).m_taken.Add(5);
    live.Level(1).m_taken.Add(17);
    live.m_options.m_nMonitor = 2;
    live.m_options.m_bShowButtons = 0;
    const QList<GradeInfo> levelsBefore(live.Levels().begin(), live.Levels().end());

    const QString packPath = at("out/show.TSC");
    ASSERT_TRUE(WriteBytes(packPath, "an older pack"));
    SchemeBackup backup(&live, &prompter);
    ASSERT_TRUE(backup.Backup(packPath));

    // The live object and the live files are untouched.
    EXPECT_EQ(QList<GradeInfo>(live.Levels().begin(), live.Levels().end()), levelsBefore);
    EXPECT_FALSE(QFile::exists(at("a/TumoStatus.dat")));
    EXPECT_FALSE(QFile::exists(at("a/default.TumoScheme")));
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files), QStringList({"show.TSC"}));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith(StoreTexts::FilesNotPacked()));
    EXPECT_TRUE(prompter.messages[0].contains("missing.bmp"));

    const QList<PackedRecord> records = readPack(packPath);
    QStringList names;
    for (const PackedRecord& r : records) {
        names << r.name;
        EXPECT_EQ(r.tag, records.first().tag);
    }
    EXPECT_LE(records.first().tag, 32767u);
    EXPECT_EQ(names, QStringList({"TumoScheme\\DefBg.swf", "TumoScheme\\back.jpg",
                                  "TumoScheme\\s.wav", "TumoScheme\\_back.jpg", "data.dat",
                                  "index.dat", "default.TumoScheme", "tumostatus.dat"}));

    // A fresh program folder with an old status file of its own.
    SetAppFolder(at("c"));
    ASSERT_TRUE(WriteBytes(at("c/TumoStatus.dat"), "old"));
    ASSERT_TRUE(RestoreScheme(packPath, g_strAppFolder, &prompter));
    EXPECT_FALSE(QFile::exists(at("c/tumostatus.dat")));
    EXPECT_EQ(ReadBytes(at("c/TumoScheme/_back.jpg")), QByteArray("back two"));
    EXPECT_EQ(ReadBytes(at("c/TumoScheme/back.jpg")), QByteArray("back one"));

    TumoStatus restored(&prompter);
    restored.m_strDataFolder = g_strAppFolder;
    restored.LoadAll();
    ASSERT_EQ(restored.LastGrade(), 2);
    EXPECT_EQ(restored.m_options.m_nMonitor, 2);
    EXPECT_EQ(restored.m_options.m_bShowButtons, 0);
    EXPECT_EQ(restored.m_nuBase.m_nCount, 100);
    for (int i = 0; i < 3; ++i) {
        const GradeInfo& level = restored.Level(i);
        EXPECT_EQ(level.m_base.m_strName, QStringLiteral("Level %1").arg(i));
        // Stored empty; loading makes every path absolute, the empty one included.
        EXPECT_EQ(level.m_banner.m_strFile, MakeAbsolutePath(QString()));
        EXPECT_EQ(ReadBytes(level.m_notify.m_strBackPic), QByteArray("back one"));
        EXPECT_EQ(ReadBytes(level.m_bg.m_strFile), i == 0 ? "movie" : "back two");
        EXPECT_EQ(ReadBytes(level.m_sym.m_strDefaultFile), QByteArray("movie"));
        EXPECT_EQ(ReadBytes(level.m_sound.m_strBackSound), QByteArray("RIFF"));
        EXPECT_EQ(level.m_sym.m_listFiles, QStringList({QString(), "TumoScheme\\s.wav"}));
    }
    EXPECT_EQ(restored.Level(1).m_taken.Count(), 2);
    EXPECT_TRUE(restored.IsNumberTaken(17));

    NuFileDeal pool;
    pool.m_strFolder = g_strAppFolder;
    pool.m_pStatus = &restored;
    ASSERT_EQ(pool.OpenStore(), 1);
    EXPECT_EQ(pool.GetCount(), 100u);
    EXPECT_EQ(pool.ReadNumber(41).m_strNumber, QStringLiteral("42"));
}

TEST_F(BackupTest, ABadPackRestoresNothing) {
    ASSERT_TRUE(WriteBytes(at("c/TumoStatus.dat"), "old"));
    ASSERT_TRUE(
        WriteBytes(at("out/bad.TSC"), "FilePack\x01\0\0\0\x0e\0\0\0tumostatus.dat\x09\0\0\0"));
    EXPECT_FALSE(RestoreScheme(at("out/bad.TSC"), at("c"), &prompter));
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::BadPack()}));
    EXPECT_EQ(ReadBytes(at("c/TumoStatus.dat")), QByteArray("old"));
}

TEST_F(BackupTest, TheLiveSettingsFilesKeepTheirBytesAndThePackCarriesTheLiveOptions) {
    // Media outside the program folder: the packed levels refer to other names than the live
    // ones, so a copy written over the live files would change them.
    const QString back = media("other/back.jpg", "back");
    {
        NuFileDeal pool;
        pool.m_strFolder = g_strAppFolder;
        ASSERT_EQ(pool.OpenStore(), 1);
    }
    TumoStatus live(&prompter);
    live.m_strDataFolder = g_strAppFolder;
    GradeInfo level;
    level.m_base.m_strName = QStringLiteral("Main prize");
    for (QString* field :
         {&level.m_banner.m_strFile, &level.m_notify.m_strBackPic, &level.m_notify.m_strSkin,
          &level.m_sound.m_strBBSound, &level.m_sound.m_strStopSound, &level.m_sound.m_strBackSound,
          &level.m_sym.m_strDefaultFile})
        field->clear();
    level.m_sym.m_listFiles.clear();
    level.m_bg.m_strFile = back;
    live.AddLevel(level);
    live.Level(0).m_taken.Add(3);
    live.m_nuBase.m_nCount = 10;
    live.m_options.m_nMonitor = 3;
    live.m_options.m_bShowButtons = 0;
    ASSERT_TRUE(live.SaveAll());
    const QByteArray statusBefore = ReadBytes(at("a/TumoStatus.dat"));
    const QByteArray schemeBefore = ReadBytes(at("a/default.TumoScheme"));
    ASSERT_FALSE(statusBefore.isEmpty());
    ASSERT_FALSE(schemeBefore.isEmpty());

    ASSERT_TRUE(SchemeBackup(&live, &prompter).Backup(at("out/show.TSC")));
    EXPECT_EQ(ReadBytes(at("a/TumoStatus.dat")), statusBefore);
    EXPECT_EQ(ReadBytes(at("a/default.TumoScheme")), schemeBefore);
    EXPECT_EQ(QDir(at("a")).entryList(QDir::Files),
              QStringList({"data.dat", "default.TumoScheme", "index.dat", "TumoStatus.dat"}));
    EXPECT_EQ(live.Level(0).m_bg.m_strFile, back);
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join('\n').toStdString();

    QByteArray packedScheme;
    for (const PackedRecord& r : readPack(at("out/show.TSC"))) {
        if (r.name == "default.TumoScheme")
            packedScheme = r.content;
    }
    EXPECT_NE(packedScheme, schemeBefore);

    SetAppFolder(at("c"));
    ASSERT_TRUE(RestoreScheme(at("out/show.TSC"), g_strAppFolder, &prompter));
    TumoStatus restored(&prompter);
    restored.m_strDataFolder = g_strAppFolder;
    restored.LoadAll();
    ASSERT_EQ(restored.LastGrade(), 0);
    EXPECT_EQ(restored.m_options.m_nMonitor, 3);
    EXPECT_EQ(restored.m_options.m_bShowButtons, 0);
    EXPECT_EQ(restored.Level(0).m_taken.Count(), 1);
    EXPECT_TRUE(restored.IsNumberTaken(3));
    EXPECT_EQ(ReadBytes(restored.Level(0).m_bg.m_strFile), QByteArray("back"));
}

// A backup made after an import, before the settings window closed and the pool was scanned
// again, would carry the old number length: restored, the show would lay out too few symbols.
// The pack carries the true summary; a pack whose summary does not match its pool (one made
// before) has it found again when the restored program opens the pool.
TEST_F(BackupTest, ThePackCarriesThePoolItHoldsAndARestoreFindsItsTrueLength) {
    TumoStatus live;
    live.m_strDataFolder = g_strAppFolder;
    live.SetLevels({GradeInfo(), GradeInfo()});
    NuFileDeal pool;
    pool.m_strFolder = g_strAppFolder;
    pool.m_pStatus = &live;
    ASSERT_EQ(pool.OpenStore(), 1); // 1 to 100
    ASSERT_EQ(live.m_nuBase.m_nDigits, 3);
    for (GradeInfo& level : live.Levels())
        level.m_sym.m_bLayoutValid = 1;
    // The import stores the new count; the rest waits for the settings window to close.
    ASSERT_EQ(pool.CreateContinuousNumbers(1000000, 1000010, NuFileDeal::Fill::Replace), 1);
    live.m_nuBase.m_nCount = 11;

    const QString fresh = at("out/fresh.TSC");
    ASSERT_TRUE(SchemeBackup(&live, &prompter).Backup(fresh));
    QByteArray status, scheme, older;
    for (const PackedRecord& r : readPack(fresh)) {
        QByteArray content = r.content;
        if (r.name == "tumostatus.dat") {
            status = r.content;
            EXPECT_TRUE(live.EncodeStatusFile(content)); // the summary as it stood
        } else if (r.name == "default.TumoScheme") {
            scheme = r.content;
        }
        const auto u32 = [](qsizetype n) {
            char b[4];
            qToLittleEndian(quint32(n), b);
            return QByteArray(b, 4);
        };
        older += "FilePack" + u32(r.tag) + u32(r.name.size()) + r.name.toLatin1() +
                 u32(content.size()) + content;
    }
    TumoStatus packed;
    ASSERT_TRUE(packed.DecodeFiles(status, scheme));
    EXPECT_EQ(packed.m_nuBase.m_nDigits, 7);
    EXPECT_EQ(packed.m_nuBase.m_nCount, 11);
    EXPECT_EQ(packed.m_nuBase.m_strChars, QStringLiteral("1023456789"));
    for (const GradeInfo& level : packed.Levels())
        EXPECT_EQ(level.m_sym.m_bLayoutValid, 0) << "laid out again for the new length";
    ASSERT_TRUE(WriteBytes(at("out/older.TSC"), older));

    const struct {
        const char* what;
        QString pack;
        qint32 restoredDigits;
    } cases[] = {
        {"a pack with the pool's summary", fresh, 7},
        {"a pack with a summary of another pool", at("out/older.TSC"), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = at(QStringLiteral("c/") + QString::number(c.restoredDigits));
        QDir().mkpath(folder);
        SetAppFolder(folder);
        ASSERT_TRUE(RestoreScheme(c.pack, folder, &prompter));
        TumoStatus restored;
        restored.m_strDataFolder = folder;
        restored.LoadAll();
        EXPECT_EQ(restored.m_nuBase.m_nDigits, c.restoredDigits);
        for (GradeInfo& level : restored.Levels())
            level.m_sym.m_bLayoutValid = 1;
        NuFileDeal opened;
        opened.m_strFolder = folder;
        opened.m_pStatus = &restored;
        ASSERT_EQ(opened.OpenStore(), 1);
        EXPECT_EQ(restored.m_nuBase.m_nDigits, 7);
        EXPECT_EQ(restored.m_nuBase.m_nCount, 11);
        // Found again at the opening: every level is laid out for it.
        if (c.restoredDigits == 0) {
            EXPECT_EQ(restored.Level(1).m_sym.m_bLayoutValid, 0);
        }
    }
}

// The copy's settings files are staged in the program folder, not in a temporary folder that may
// lie on another disk or not be there at all; what a killed backup left there goes at the start.
TEST_F(BackupTest, TheCopysFilesAreStagedInTheProgramFolderAndLeftoversGoAtTheStart) {
    TumoStatus live;
    live.m_strDataFolder = g_strAppFolder;
    // A temporary folder that cannot hold anything: a file stands in its place.
    ASSERT_TRUE(WriteBytes(at("not a folder"), "x"));
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", at("not a folder").toLocal8Bit());
    const bool written = SchemeBackup(&live, &prompter).Backup(at("out/show.TSC"));
    qputenv("TMPDIR", savedTmp);
    EXPECT_TRUE(written) << prompter.messages.join('|').toStdString();

    ASSERT_TRUE(QDir().mkpath(at("a/.backup-AbC123")));
    ASSERT_TRUE(WriteBytes(at("a/.backup-AbC123/TumoStatus.dat"), "half a backup"));
    ASSERT_TRUE(WriteBytes(at("a/.backup-note.txt"), "someone's file"));
    RecoverSchemeFiles(g_strAppFolder);
    EXPECT_FALSE(QFileInfo::exists(at("a/.backup-AbC123")));
    EXPECT_TRUE(QFileInfo::exists(at("a/.backup-note.txt"))) << "only folders are staging";
}
