#include "store/FilePack.h"
#include "StoreTestUtil.h"
#include "common/RecordingPrompter.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}

// A record built by hand, for packs no writer would make.
QByteArray record(const QByteArray& name, const QByteArray& content, quint32 tag = 7) {
    QByteArray r("FilePack");
    auto u32 = [&r](quint32 v) {
        for (int i = 0; i < 4; ++i)
            r.append(char((v >> (8 * i)) & 0xFF));
    };
    u32(tag);
    u32(quint32(name.size()));
    r += name;
    u32(quint32(content.size()));
    r += content;
    return r;
}

class PackTest : public ::testing::Test {
protected:
    QString src(const QString& name, const QByteArray& content) {
        QString path = dir.filePath("src/" + name);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(WriteBytes(path, content));
        return path;
    }
    QString packPath() const { return dir.filePath("pack.TSC"); }
    QString out(const QString& name) const { return dir.filePath("out/" + name); }
    bool extract(const QByteArray& packBytes) {
        EXPECT_TRUE(WriteBytes(packPath(), packBytes));
        FilePack pack(packPath());
        return pack.Extract(dir.filePath("out"), &prompter);
    }

    QTemporaryDir dir;
    RecordingPrompter prompter;
};

} // namespace

TEST_F(PackTest, RecordBytes) {
    FilePack pack;
    ASSERT_EQ(pack.Open(packPath(), 0x1234, FilePack::kModeCreate), 1);
    ASSERT_TRUE(pack.AddFile(src("a.txt", "ABC"), QString()));
    EXPECT_EQ(ReadBytes(packPath()),
              hex("46696C655061636B 34120000 05000000 612E747874 03000000 414243"));
    ASSERT_TRUE(pack.AddFile(src("empty", ""), QStringLiteral("TumoScheme\\e")));
    EXPECT_EQ(ReadBytes(packPath()).size(), 28 + 20 + 12);
    // Every record carries the pack's tag.
    EXPECT_EQ(ReadBytes(packPath()).mid(28 + 8, 4), hex("34120000"));
}

TEST_F(PackTest, OpenReplacesAnOldPackAndAMissingSourceWritesNothing) {
    ASSERT_TRUE(WriteBytes(packPath(), "old"));
    FilePack pack;
    ASSERT_EQ(pack.Open(packPath(), 1, FilePack::kModeCreate), 1);
    EXPECT_FALSE(QFile::exists(packPath()));
    EXPECT_FALSE(pack.AddFile(dir.filePath("missing.jpg"), QString()));
    EXPECT_FALSE(QFile::exists(packPath()));
    // A pack without a path takes nothing.
    FilePack none;
    EXPECT_FALSE(none.AddFile(src("a", "x"), QString()));
}

TEST_F(PackTest, RoundTripWithFolders) {
    FilePack pack;
    ASSERT_EQ(pack.Open(packPath(), 5, FilePack::kModeCreate), 1);
    ASSERT_TRUE(pack.AddFile(src("back.jpg", "JPEG"), QStringLiteral("TumoScheme\\back.jpg")));
    ASSERT_TRUE(pack.AddFile(src("s.wav", "RIFF"), QStringLiteral("a/b/s.wav")));
    ASSERT_TRUE(pack.AddFile(src("empty.dat", ""), QString()));
    ASSERT_TRUE(pack.AddFile(src("x1", "first"), QStringLiteral("dup.txt")));
    ASSERT_TRUE(pack.AddFile(src("x2", "second"), QStringLiteral("dup.txt")));
    FilePack reader(packPath());
    ASSERT_TRUE(reader.Extract(dir.filePath("out"), &prompter));
    EXPECT_EQ(ReadBytes(out("TumoScheme/back.jpg")), QByteArray("JPEG"));
    EXPECT_EQ(ReadBytes(out("a/b/s.wav")), QByteArray("RIFF"));
    EXPECT_TRUE(QFileInfo(out("empty.dat")).isFile());
    EXPECT_EQ(QFileInfo(out("empty.dat")).size(), 0);
    EXPECT_EQ(ReadBytes(out("dup.txt")), QByteArray("second"));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

// Contents larger than the piece they are copied in, added to a pack on disk and to one written
// whole, come back byte for byte after the record that follows them.
TEST_F(PackTest, LargeContentsRoundTripInBothWaysOfWriting) {
    QByteArray big(5 * (1 << 19) + 3, Qt::Uninitialized);
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char((i * 131) >> 7);
    const QString bigPath = src("data.dat", big);
    for (const bool whole : {false, true}) {
        FilePack pack;
        ASSERT_EQ(pack.Open(packPath(), 9, FilePack::kModeCreate), 1);
        ASSERT_TRUE(!whole || pack.BeginWrite());
        ASSERT_TRUE(pack.AddFile(bigPath, QString()));
        ASSERT_TRUE(pack.AddFile(src("after.txt", "next"), QString()));
        ASSERT_TRUE(!whole || pack.EndWrite());
        EXPECT_EQ(QFileInfo(packPath()).size(), big.size() + qint64{2} * 20 + 8 + 9 + 4) << whole;
        FilePack reader(packPath());
        ASSERT_TRUE(reader.Extract(dir.filePath("out"), &prompter));
        EXPECT_EQ(ReadBytes(out("data.dat")), big) << whole;
        EXPECT_EQ(ReadBytes(out("after.txt")), QByteArray("next")) << whole;
    }
}

TEST_F(PackTest, ABadPackChangesNothing) {
    const QByteArray good = record("a.txt", "A") + record("b.txt", "B");
    const QList<QByteArray> bad = {
        good + "NotAPack",                       // stray bytes after the records
        good + record("c.txt", "CCCC").left(27), // cut inside the content
        good + record("c.txt", "C").left(14),    // cut inside the header
        record("..\\evil.txt", "x") + good,      // leads out of the folder
        record("a\\..\\..\\evil.txt", "x"),      //
        record("\\evil.txt", "x"),               // a leading separator
        record("/tmp/evil.txt", "x"),            // an absolute path
        record("C:\\evil.txt", "x"),             // a drive
        record("folder\\", "x"),                 // no file name
        record(QByteArray(), "x"),               // no name at all
        record(QByteArray(4096, 'n'), "x"),      // a name longer than a name can be
    };
    for (const QByteArray& b : bad) {
        prompter.messages.clear();
        EXPECT_FALSE(extract(b)) << b.left(40).toStdString();
        EXPECT_EQ(prompter.messages, QStringList({StoreTexts::BadPack()}));
        EXPECT_FALSE(QDir(dir.filePath("out")).exists());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("evil.txt")));
    // A name of 4095 bytes is a sound record, though no file system takes such a file name.
    prompter.messages.clear();
    EXPECT_FALSE(extract(record(QByteArray(4095, 'n'), "x")));
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages.first().startsWith(StoreTexts::FilesNotRestored()));
    EXPECT_TRUE(extract(good));
    EXPECT_EQ(ReadBytes(out("b.txt")), QByteArray("B"));
}

TEST_F(PackTest, AMissingPackDoesNothing) {
    FilePack pack(dir.filePath("none.TSC"));
    EXPECT_FALSE(pack.Extract(dir.filePath("out"), &prompter));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(PackTest, ExtractionMapsNames) {
    EXPECT_TRUE(WriteBytes(packPath(), record("tumostatus.dat", "S")));
    FilePack pack(packPath());
    ASSERT_TRUE(pack.Extract(dir.filePath("out"), &prompter, [](const QString& n) {
        return n == QLatin1String("tumostatus.dat") ? QStringLiteral("TumoStatus.dat") : n;
    }));
    EXPECT_EQ(ReadBytes(out("TumoStatus.dat")), QByteArray("S"));
}

TEST_F(PackTest, CreateFolderRecursiveTellsWhetherItCreated) {
    const QString deep = dir.filePath("x/y/z");
    EXPECT_TRUE(FilePack::CreateFolderRecursive(deep + "/"));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_FALSE(FilePack::CreateFolderRecursive(deep));
}
