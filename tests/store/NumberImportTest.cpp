#include "StoreTestUtil.h"
#include "common/RecordingPrompter.h"
#include "store/ImportLineReader.h"
#include "store/NuFileDeal.h"
#include "store/PoolRecord.h"
#include "store/SplitAtSeparator.h"
#include "store/StoreTexts.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

QStringList readLines(const QByteArray& bytes, qsizetype block, int* tooLong = nullptr) {
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    ImportLineReader reader(buf, block);
    QStringList lines;
    QString line;
    for (;;) {
        const auto r = reader.Next(line);
        if (r == ImportLineReader::Result::End)
            break;
        if (r == ImportLineReader::Result::TooLong) {
            if (tooLong)
                ++*tooLong;
            continue;
        }
        lines << line;
    }
    EXPECT_EQ(reader.BytesConsumed(), bytes.size());
    return lines;
}

QByteArray utf16File(const QString& text) {
    return QByteArray("\xFF\xFE", 2) + Utf16(text);
}

QPair<QString, QString> split(const QString& line, const QString& sep) {
    QString number, info;
    SplitAtSeparator(line, sep, number, info);
    return {number, info};
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        pool.m_strFolder = dir.path();
        pool.SetPrompter(&prompter);
        pool.SetProgressSink(&sink);
        ASSERT_EQ(pool.OpenStore(), 1);
        pool.Clear();
        sink = RecordingSink();
    }
    QString file(const QByteArray& bytes) {
        QString path = dir.filePath(QStringLiteral("numbers.txt"));
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
    // After a fill of `total` numbers counting from `first` was asked to quit: a part was kept, and
    // every record written has its entry, so a rebuild finds exactly those.
    void expectPartIndexed(quint32 total, quint32 first) {
        const quint32 count = pool.GetCount();
        EXPECT_GT(count, 0u);
        EXPECT_LT(count, total);
        const QByteArray before = ReadBytes(dir.filePath("index.dat"));
        sink.quitAfterPumps = -1;
        ASSERT_TRUE(pool.GenerateIndex());
        EXPECT_EQ(ReadBytes(dir.filePath("index.dat")), before);
        EXPECT_EQ(pool.ReadNumber(count - 1).m_strNumber, QString::number(count - 1 + first));
    }
    QList<QPair<QString, QString>> records() {
        QList<QPair<QString, QString>> out;
        for (quint32 i = 0; i < pool.GetCount(); ++i) {
            const LoNuInfo r = pool.ReadNumber(i);
            out.append({r.m_strNumber, r.m_strInfo});
        }
        return out;
    }

    QTemporaryDir dir;
    RecordingPrompter prompter;
    RecordingSink sink;
    NuFileDeal pool;
};

} // namespace

TEST(SplitAtSeparator, TheRulesOfALine) {
    using P = QPair<QString, QString>;
    EXPECT_EQ(split("A001,Row 3 seat 12", ","), P("A001", "Row 3 seat 12"));
    EXPECT_EQ(split(",abc", ","), P("0", ",abc"));
    EXPECT_EQ(split(" 7 ", ","), P("7", ""));
    EXPECT_EQ(split("a--b--c", "--"), P("a", "b--c"));
    EXPECT_EQ(split("a,b", ""), P("a,b", ""));
    EXPECT_EQ(split("aXb", "x"), P("aXb", ""));
    EXPECT_EQ(split("  ,abc", ","), P("", "abc"));
}

TEST(ImportLineReader, LinesOfBothEncodingsAcrossBlocks) {
    // LF ends a line as CR LF does; a lone CR belongs to the line.
    const QByteArray ansi("one\r\ntwo\rstill two\nand\r\n\r\nlast");
    for (qsizetype block : {1, 2, 3, 5, 40960}) {
        EXPECT_EQ(readLines(ansi, block), QStringList({"one", "two\rstill two", "and", "", "last"}))
            << "block " << block;
    }
    const QByteArray wide =
        utf16File(QStringLiteral("\u00e9t\u00e9\r\n\u4e2d\u6587\nmid\r\r\nend"));
    for (qsizetype block : {2, 3, 4, 7, 40960}) {
        EXPECT_EQ(readLines(wide, block),
                  QStringList({"\u00e9t\u00e9", "\u4e2d\u6587", "mid\r", "end"}))
            << "block " << block;
    }
    // The bytes 0D 00 0A 00 starting at an odd offset (inside the units U+0D31 U+0A00 U+0100) are
    // no line end, wherever the blocks are cut.
    const QByteArray odd = utf16File(QStringLiteral("x\u0D31\u0A00\u0100"));
    ASSERT_TRUE(odd.contains(QByteArray("\x0D\x00\x0A\x00", 4)));
    for (qsizetype block : {2, 3, 4, 5, 40960})
        EXPECT_EQ(readLines(odd, block), QStringList({"x\u0D31\u0A00\u0100"})) << "block " << block;
    // Single-byte text is read in the Windows code page, unless the whole file is valid UTF-8,
    // however late its first byte above 0x7F comes.
    EXPECT_EQ(readLines(QByteArray("caf\xE9 \x80\r\n"), 4), QStringList({"caf\u00e9 \u20ac"}));
    EXPECT_EQ(readLines(QByteArray("a\nb\ncaf\xC3\xA9\n\xE2\x82\xAC"), 3),
              QStringList({"a", "b", "caf\u00e9", "\u20ac"}));
    EXPECT_EQ(readLines(QByteArray("a\ncaf\xC3\xA9\nx\xE9"), 3),
              QStringList({"a", "caf\u00c3\u00a9", "x\u00e9"}));
    EXPECT_EQ(readLines(QByteArray("\xC3\n"), 3), QStringList({"\u00c3"})); // cut sequence
    // Ending with CR LF adds no empty line.
    EXPECT_EQ(readLines(QByteArray("a\r\n"), 2), QStringList({"a"}));
}

TEST(ImportLineReader, AnOverlongLineIsSkippedOnce) {
    int tooLong = 0;
    const QByteArray ansi = "a\r\n" + QByteArray(9000, 'x') + "\r\nb\r\n" + QByteArray(8191, 'y');
    const QStringList lines = readLines(ansi, 1000, &tooLong);
    EXPECT_EQ(tooLong, 1);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[2].size(), 8191);
    tooLong = 0;
    // No line end at all: still read to its end.
    EXPECT_TRUE(readLines(QByteArray(100000, 'z'), 40960, &tooLong).isEmpty());
    EXPECT_EQ(tooLong, 1);
}

TEST_F(ImportTest, AnsiFileWithTheSplitRules) {
    const QString path = file("A001,Row 3 seat 12\r\n,abc\r\n 7 \r\n\r\n   \r\n"
                              "x1,first\\nsecond\r\nab12,Keep Case");
    ASSERT_EQ(pool.ImportFromFile(path, QStringLiteral(","), 1), 1);
    using P = QPair<QString, QString>;
    EXPECT_EQ(records(), QList<P>({{"A001", "Row 3 seat 12"},
                                   {"0", ",abc"},
                                   {"7", ""},
                                   {"X1", "first\r\nsecond"},
                                   {"AB12", "Keep Case"}}));
    EXPECT_EQ(sink.tasks.first(), StoreTexts::TaskImport());
    EXPECT_TRUE(pool.IsReady());
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ImportTest, Utf16FileWhoseLastLineHasNoLineEnd) {
    const QString path = file(utf16File(QStringLiteral("\u4e2d1;\u5956\r\nab;x;y")));
    ASSERT_EQ(pool.ImportFromFile(path, QStringLiteral(";"), 0), 1);
    using P = QPair<QString, QString>;
    EXPECT_EQ(records(), QList<P>({{"\u4e2d1", "\u5956"}, {"ab", "x;y"}}));
}

TEST_F(ImportTest, ALargeFileWithLineFeedsOnly) {
    QByteArray text;
    for (int i = 1; i <= 100000; ++i)
        text += QByteArray::number(i) + '\n';
    ASSERT_EQ(pool.ImportFromFile(file(text), ",", 0), 1);
    EXPECT_EQ(pool.GetCount(), 100000u);
    EXPECT_EQ(pool.ReadNumber(99999).m_strNumber, QStringLiteral("100000"));
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ImportTest, MissingUnreadableAndOverlongInput) {
    EXPECT_EQ(pool.ImportFromFile(dir.filePath("none.txt"), ",", 0), 0);
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_TRUE(sink.tasks.isEmpty());

    const QString path =
        file("1\r\n" + QByteArray(9000, 'x') + "\r\n2\r\n" + QByteArray(9000, 'y') + "\r\n3");
    ASSERT_EQ(pool.ImportFromFile(path, ",", 0), 1);
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::LineTooLong()}));
    EXPECT_EQ(pool.GetCount(), 3u);

    prompter.messages.clear();
    const QString bad = file(QByteArray("1\r\n2\0x\r\n3\xFD\xBA\r\n4", 14));
    ASSERT_EQ(pool.ImportFromFile(bad, ",", 0), 1);
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::LinesRefused(2)}));
    EXPECT_EQ(pool.GetCount(), 5u);
    EXPECT_EQ(pool.ReadNumber(4).m_strNumber, QStringLiteral("4"));
}

// No number longer than the Numbers page takes is stored, whatever path its line takes; the
// refused lines are counted with the others that cannot be stored.
TEST_F(ImportTest, ANumberLongerThanTheNumbersPageTakesIsRefusedAndCounted) {
    const QByteArray plain80(80, '7'), plain81(81, '8');
    const QByteArray wide80 = QString(80, QChar(0x00e9)).toUtf8();
    const QByteArray wide81 = QString(81, QChar(0x00e9)).toUtf8();
    const QString path = file(plain80 + ",a\r\n" + plain81 + ",b\r\n " + plain81 + "\r\n" + wide80 +
                              "\r\n" + wide81 + ",c\r\nlast\r\n");
    ASSERT_EQ(pool.ImportFromFile(path, QStringLiteral(","), 0), 1);
    using P = QPair<QString, QString>;
    EXPECT_EQ(records(), QList<P>({{QString::fromLatin1(plain80), "a"},
                                   {QString(80, QChar(0x00e9)), ""},
                                   {"last", ""}}));
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::LinesRefused(3)}));
}

// A file that cannot be read to its end is not taken for a whole one.
TEST(ImportLineReader, AReadErrorIsToldFromTheEnd) {
    class FailingDevice : public QBuffer {
    protected:
        qint64 readData(char* data, qint64 size) override {
            return pos() >= 6 ? -1 : QBuffer::readData(data, std::min<qint64>(size, 6 - pos()));
        }
    };
    FailingDevice device;
    device.setData("1\r\n2\r\n3\r\n");
    device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    ImportLineReader reader(device, 4);
    QString line;
    QStringList lines;
    while (reader.Next(line) == ImportLineReader::Result::Line)
        lines << line;
    EXPECT_EQ(lines, QStringList({"1", "2"}));
    EXPECT_TRUE(reader.Failed());

    QBuffer whole;
    whole.setData("1\r\n2");
    whole.open(QIODevice::ReadOnly);
    ImportLineReader complete(whole, 4);
    while (complete.Next(line) == ImportLineReader::Result::Line) {
    }
    EXPECT_FALSE(complete.Failed());
}

TEST_F(ImportTest, QuittingMidwayLeavesEveryRecordIndexed) {
    QByteArray text;
    for (int i = 0; i < 1000; ++i)
        text += QByteArray::number(i) + ",info\r\n";
    sink.quitAfterPumps = 20;
    EXPECT_EQ(pool.ImportFromFile(file(text), ",", 0), 0);
    EXPECT_EQ(sink.ends, sink.tasks.size());
    expectPartIndexed(1000, 0);
}

TEST_F(ImportTest, RangeGeneration) {
    ASSERT_EQ(pool.CreateContinuousNumbers(8, 12), 1);
    using P = QPair<QString, QString>;
    EXPECT_EQ(records(), QList<P>({{"8", "Info.8"},
                                   {"9", "Info.9"},
                                   {"10", "Info.10"},
                                   {"11", "Info.11"},
                                   {"12", "Info.12"}}));
    // Each record is indexed as it is appended: no rebuild over the whole pool.
    EXPECT_EQ(sink.tasks, QStringList({StoreTexts::TaskRange()}));
    EXPECT_EQ(ReadBytes(dir.filePath("index.dat")).size(), 5 * 8);

    sink = RecordingSink();
    ASSERT_EQ(pool.CreateContinuousNumbers(12, 8), 1);
    EXPECT_EQ(pool.GetCount(), 5u);

    // A range of one number is all done; a range ending at the largest value ends.
    sink = RecordingSink();
    ASSERT_EQ(pool.CreateContinuousNumbers(4294967293u, 4294967295u), 1);
    EXPECT_EQ(pool.GetCount(), 8u);
    EXPECT_EQ(pool.ReadNumber(7).m_strNumber, QStringLiteral("4294967295"));
    sink = RecordingSink();
    ASSERT_EQ(pool.CreateContinuousNumbers(7, 7), 1);
    EXPECT_EQ(sink.texts.first(), QStringLiteral("-----100%-----"));
}

TEST_F(ImportTest, PercentagesOnlyGrow) {
    ASSERT_EQ(pool.CreateContinuousNumbers(1, 1000), 1);
    ASSERT_FALSE(sink.texts.isEmpty());
    EXPECT_EQ(sink.texts.first(), QStringLiteral("-----1%-----"));
    EXPECT_EQ(sink.texts.last(), QStringLiteral("-----100%-----"));
    int last = 0;
    // The range's own texts, up to its 100 %; the index rebuild's follow.
    const QStringList texts = sink.texts.mid(0, sink.texts.indexOf("-----100%-----") + 1);
    for (const QString& t : texts) {
        const int p = t.mid(5, t.size() - 11).toInt();
        EXPECT_GT(p, last) << t.toStdString();
        last = p;
    }
}

TEST_F(ImportTest, QuittingARangeLeavesEveryRecordIndexed) {
    sink.quitAfterPumps = 10;
    EXPECT_EQ(pool.CreateContinuousNumbers(1, 100000), 0);
    expectPartIndexed(100000, 1);
}

// The unfinished record is cut off so that an append cannot merge with it, but its bytes are
// kept in data.dat.damaged and the operator is told.
TEST_F(ImportTest, TheRebuildKeepsAnUnfinishedLastRecordAside) {
    ASSERT_EQ(pool.CreateContinuousNumbers(1, 3), 1);
    pool.Close();
    const QString dataPath = dir.filePath("data.dat");
    const QString keptPath = dir.filePath("data.dat.damaged");
    const QByteArray whole = ReadBytes(dataPath);
    const QByteArray tail = Utf16("4") + QByteArray("\xFD\0\xBA\0I\0", 6);
    ASSERT_TRUE(WriteBytes(dataPath, whole + tail));
    ASSERT_EQ(pool.OpenStore(), 1); // the index no longer reaches the end: rebuilt
    EXPECT_EQ(pool.GetCount(), 3u);
    EXPECT_EQ(ReadBytes(dataPath), whole);
    EXPECT_EQ(ReadBytes(keptPath), tail);
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::Damaged()}));
    EXPECT_FALSE(pool.IsDamaged()); // mended: the program goes on
    ASSERT_EQ(pool.AddNumber("5", "x"), 0);
    EXPECT_EQ(pool.ReadNumber(3).m_strNumber, QStringLiteral("5"));

    // A second cut is added to what was kept.
    pool.Close();
    ASSERT_TRUE(WriteBytes(dataPath, ReadBytes(dataPath) + "\x37"));
    ASSERT_EQ(pool.OpenStore(), 1);
    EXPECT_EQ(ReadBytes(keptPath), tail + "\x37");
    EXPECT_EQ(pool.GetCount(), 4u);

    // Bytes that cannot be kept are not cut: the disk has room for the rebuilt index, not for
    // them.
    pool.Close();
    const QByteArray more(100, '\x38');
    constexpr rlim_t room = 64;
    ASSERT_LE(ReadBytes(dir.filePath("index.dat")).size(), qsizetype(room));
    ASSERT_TRUE(WriteBytes(dataPath, ReadBytes(dataPath) + more));
    prompter.messages.clear();
    {
        FileSizeLimit full(room);
        ASSERT_EQ(pool.OpenStore(), 1);
    }
    EXPECT_EQ(ReadBytes(keptPath), tail + "\x37");
    EXPECT_TRUE(ReadBytes(dataPath).endsWith(more));
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::WriteError()}));
}

// A write that fails midway (the disk fills up) takes both files back to whole records: nothing
// half-written is left for a later rebuild to merge with the next record.
TEST_F(ImportTest, AFailedAppendIsRolledBack) {
    ASSERT_EQ(pool.CreateContinuousNumbers(1, 3), 1);
    const QByteArray data = ReadBytes(dir.filePath("data.dat"));
    const QByteArray index = ReadBytes(dir.filePath("index.dat"));
    QByteArray text;
    for (int i = 0; i < 200000; ++i)
        text += "A" + QByteArray::number(i) + ",some information\r\n";
    const QString path = file(text);
    {
        FileSizeLimit limit(data.size() + 100000); // the disk fills up after about 100 kB
        EXPECT_EQ(pool.ImportFromFile(path, ",", 0), 0);
    }
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::WriteError()}));
    EXPECT_EQ(ReadBytes(dir.filePath("data.dat")), data);
    EXPECT_EQ(ReadBytes(dir.filePath("index.dat")), index);
    EXPECT_EQ(pool.GetCount(), 3u);
    EXPECT_TRUE(pool.IsReady());
    ASSERT_EQ(pool.AddNumber("4", "x"), 0);
    ASSERT_TRUE(pool.GenerateIndex());
    EXPECT_EQ(pool.ReadNumber(3).m_strNumber, QStringLiteral("4"));
}

// Records are written in large pieces while the next ones are made; when a later piece fails,
// the pieces before it stay, whole and indexed, and nothing of the failed one is left.
TEST_F(ImportTest, AFailedLaterPieceKeepsTheEarlierOnes) {
    ASSERT_EQ(pool.CreateContinuousNumbers(1, 3), 1);
    const QByteArray data = ReadBytes(dir.filePath("data.dat"));
    QByteArray text;
    for (int i = 0; i < 300000; ++i)
        text += "A" + QByteArray::number(i) + ",some information\r\n";
    const QString path = file(text);
    {
        FileSizeLimit limit(data.size() + (6 << 20)); // room for one piece, not for two
        EXPECT_EQ(pool.ImportFromFile(path, ",", 0), 0);
    }
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::WriteError()}));
    const quint32 count = pool.GetCount();
    EXPECT_GT(count, 3u + 10000u);
    EXPECT_LT(count, 3u + 300000u);
    const QByteArray written = ReadBytes(dir.filePath("data.dat"));
    EXPECT_TRUE(written.startsWith(data));
    EXPECT_LE(written.size(), data.size() + (6 << 20));
    // The last record kept is whole and its entry ends the file.
    EXPECT_EQ(pool.ReadNumber(count - 1).m_strNumber, QStringLiteral("A%1").arg(count - 4));
    const QByteArray index = ReadBytes(dir.filePath("index.dat"));
    ASSERT_EQ(index.size(), qsizetype(count) * 8);
    const PoolRecord::Entry last = PoolRecord::ReadEntry(index.constData() + index.size() - 8);
    EXPECT_EQ(quint64(written.size()), last.End());
    ASSERT_TRUE(pool.GenerateIndex());
    EXPECT_EQ(ReadBytes(dir.filePath("index.dat")), index);
    EXPECT_EQ(pool.GetCount(), count);
    ASSERT_EQ(pool.AddNumber("next", "x"), 0);
    EXPECT_EQ(pool.ReadNumber(count).m_strNumber, QStringLiteral("next"));
}
