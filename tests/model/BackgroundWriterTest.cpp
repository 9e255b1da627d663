#include "model/BackgroundWriter.h"

#include "common/FileSizeLimit.h"
#include "model/SafeFileWriter.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

BackgroundWriter::File Bytes(const QString& path, const QByteArray& content,
                             std::atomic<int>* made = nullptr) {
    BackgroundWriter::File file;
    file.path = path;
    file.bytes = [content, made](QByteArray& bytes) {
        if (made)
            ++*made;
        bytes = content;
        return true;
    };
    return file;
}

struct Reports {
    std::mutex lock;
    QList<bool> ok;
    QStringList paths;
};

} // namespace

TEST(BackgroundWriter, WritesInOrderAndTheNewestWaitingStateWins) {
    QTemporaryDir dir;
    const QString a = dir.filePath("status");
    const QString b = dir.filePath("winners");
    BackgroundWriter writer;
    // The first batch is held on the writer's thread until the others have been handed over.
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
    BackgroundWriter::File held;
    held.path = a;
    held.bytes = [release](QByteArray& bytes) {
        release.wait();
        bytes = "first";
        return true;
    };
    writer.Submit({held});
    std::atomic<int> secondMade{0};
    writer.Submit({Bytes(a, "second", &secondMade), Bytes(b, "winners 2")});
    writer.Submit({Bytes(a, "third")}); // replaces the waiting one, but keeps its winners file
    go.set_value();
    EXPECT_TRUE(writer.Flush());
    EXPECT_EQ(secondMade.load(), 0);
    EXPECT_EQ(Read(a), QByteArray("third"));
    EXPECT_EQ(Read(b), QByteArray("winners 2"));
}

TEST(BackgroundWriter, AStatusFileCutShortKeepsItsSchemeButNotTheWinnersFile) {
    QTemporaryDir dir;
    const QString status = dir.filePath("TumoStatus.dat");
    const QString scheme = dir.filePath("default.TumoScheme");
    const QString winners = dir.filePath("WinningNumbers.txt");
    for (const QString& path : {status, scheme})
        SafeFileWriter::WriteWhole(path, "old");
    BackgroundWriter writer;
    Reports reports;
    writer.SetReport(
        [&](const BackgroundWriter::Outcome& outcome, const QString& path, const QString&) {
            std::lock_guard<std::mutex> lock(reports.lock);
            reports.ok << outcome.ok;
            reports.paths << path;
        });
    BackgroundWriter::File first = Bytes(status, "new");
    first.skipNextOnFailure = true;
    BackgroundWriter::File list = Bytes(winners, "list");
    list.onlyAfterEarlierFiles = true;
    {
        FileSizeLimit full(0);
        writer.Submit({first, Bytes(scheme, "new"), list});
        EXPECT_FALSE(writer.Flush());
    }
    // The pair on disk is still the last one written together, and the winners file does not
    // run ahead of it.
    EXPECT_EQ(Read(status), QByteArray("old"));
    EXPECT_EQ(Read(scheme), QByteArray("old"));
    EXPECT_EQ(Read(winners), QByteArray("<missing>"));
    writer.Submit({first, Bytes(scheme, "new")});
    EXPECT_TRUE(writer.Flush());
    EXPECT_EQ(Read(scheme), QByteArray("new"));
    std::lock_guard<std::mutex> lock(reports.lock);
    EXPECT_EQ(reports.ok, (QList<bool>{false, true}));
    EXPECT_EQ(reports.paths.first(), status);
}

TEST(BackgroundWriter, AFileThatCannotBeCreatedIsPassedOverQuietlyOnlyWhenAllowed) {
    QTemporaryDir dir;
    BackgroundWriter writer;
    BackgroundWriter::File quiet = Bytes(dir.filePath("no/folder/a"), "x");
    writer.Submit({quiet});
    EXPECT_TRUE(writer.Flush());
    BackgroundWriter::File loud = quiet;
    loud.quietWhenNotCreated = false;
    writer.Submit({loud});
    EXPECT_FALSE(writer.Flush());
}

TEST(BackgroundWriter, TheEndWritesWhatIsStillWaiting) {
    QTemporaryDir dir;
    const QString path = dir.filePath("last");
    {
        BackgroundWriter writer;
        for (int i = 0; i < 50; ++i)
            writer.Submit({Bytes(path, QByteArray::number(i))});
    }
    EXPECT_EQ(Read(path), QByteArray("49"));
}

namespace {

// Fails the files whose names it is given, the way the test says; writes nothing.
class ScriptedDisk : public WholeFileWriter {
public:
    QMap<QString, Result> results; // by file name; Written for the others
    QStringList written;

    Result Write(const QString& path, const QByteArray&, QString& reason) override {
        const Result result = results.value(path, Result::Written);
        if (result == Result::Written)
            written << path;
        else
            reason = QStringLiteral("No space left on device");
        return result;
    }
};

} // namespace

TEST(BackgroundWriter, TheWinnersFileIsWrittenOnlyAfterBothSettingsFiles) {
    using R = WholeFileWriter::Result;
    struct Case {
        const char* name;
        QMap<QString, R> results;
        QStringList written;
        bool ok;
    };
    const QList<Case> cases = {
        {"all written", {}, {"status", "scheme", "winners"}, true},
        {"status cut short", {{"status", R::Failed}}, {}, false},
        {"scheme cut short", {{"scheme", R::Failed}}, {"status"}, false},
        {"scheme not created", {{"scheme", R::NotCreated}}, {"status"}, true},
        {"winners cut short", {{"winners", R::Failed}}, {"status", "scheme"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDisk disk;
        disk.results = c.results;
        BackgroundWriter writer(&disk);
        BackgroundWriter::File status = Bytes("status", "s");
        status.skipNextOnFailure = true;
        BackgroundWriter::File winners = Bytes("winners", "w");
        winners.onlyAfterEarlierFiles = true;
        writer.Submit({status, Bytes("scheme", "c"), winners});
        EXPECT_EQ(writer.Flush(), c.ok);
        EXPECT_EQ(disk.written, c.written);
    }
}
