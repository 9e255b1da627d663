#include "store/PlainImportLine.h"
#include "StoreTestUtil.h"
#include "common/RecordingPrompter.h"
#include "store/ImportLineReader.h"
#include "store/NuFileDeal.h"
#include "store/PoolRecord.h"
#include "store/SplitAtSeparator.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

// What the general path makes of a line: split, backslash-n to CR LF, upper case; empty when the
// line gives no number.
void generalSplit(const QString& line, const QString& separator, bool upper, QString& number,
                  QString& info) {
    SplitAtSeparator(line, separator, number, info);
    info.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
    if (upper) {
        for (QChar& c : number) {
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 'a' + 'A');
        }
    }
}

QByteArray generalRecord(const QString& line, const QString& separator, bool upper) {
    QString number, info;
    generalSplit(line, separator, upper, number, info);
    QByteArray record;
    if (!number.isEmpty())
        PoolRecord::Append(record, number, info);
    return record;
}

QByteArray plainRecord(const PlainImportLine& plain, const QString& line, bool wide) {
    std::vector<char16_t> out(size_t(PlainImportLine::MaxRecordBytes(line.size()) / 2) + 1);
    PlainImportLine::Record made;
    PlainImportLine::Outcome o;
    if (wide) {
        o = plain.Make(reinterpret_cast<const char16_t*>(line.utf16()), line.size(), out.data(),
                       made);
    } else {
        const QByteArray bytes = line.toLatin1();
        o = plain.Make(reinterpret_cast<const quint8*>(bytes.constData()), bytes.size(), out.data(),
                       made);
    }
    EXPECT_NE(o, PlainImportLine::Outcome::NotPlain) << line.toStdString();
    if (o != PlainImportLine::Outcome::Record)
        return {};
    const qsizetype bytes = 2 * (made.numberUnits + made.infoUnits) + 8;
    return QByteArray(reinterpret_cast<const char*>(out.data()), bytes);
}

// Lines of plain pieces that meet every rule: blanks at the ends and around the separator,
// separators of one and more units, backslashes, letters to upper-case.
QString randomPlainLine(QRandomGenerator& random, int pieces) {
    static const char* kPieces[] = {"A",  "b12", "x",  "Row 3", " ",    "  ", "\t",  "\v",
                                    "\f", "\r",  ",",  ";",     "--",   "-",  "\\n", "\\",
                                    "n",  "0",   "zq", "~",     "\x1f", "ab"};
    QString line;
    for (int i = 0; i < pieces; ++i)
        line += QLatin1String(kPieces[random.bounded(int(std::size(kPieces)))]);
    return line;
}

// The pool an import should leave, worked out line by line through the reader and the general
// path, with the reader's blocks cut elsewhere than the import's.
QPair<QByteArray, QByteArray> generalPool(const QByteArray& file, const QString& separator,
                                          bool upper) {
    QBuffer buf;
    buf.setData(file);
    buf.open(QIODevice::ReadOnly);
    ImportLineReader reader(buf, 4093);
    QByteArray data, index;
    QString line;
    for (;;) {
        const ImportLineReader::Result r = reader.Next(line);
        if (r == ImportLineReader::Result::End)
            break;
        if (r == ImportLineReader::Result::TooLong)
            continue;
        QString number, info;
        generalSplit(line, separator, upper, number, info);
        if (number.isEmpty() || !PoolRecord::IsStorable(number, info))
            continue;
        PoolRecord::Entry e;
        e.offset = quint32(data.size());
        e.numberBytes = quint16(2 * number.size());
        e.infoBytes = quint16(2 * info.size());
        PoolRecord::AppendEntry(index, e);
        PoolRecord::Append(data, number, info);
    }
    return {data, index};
}

} // namespace

// Every length the plain path treats its own way (short numbers, 8 and 16 unit pieces, the
// 16-to-64 byte scan, longer lines), in both file encodings, against the general path.
TEST(PlainImportLine, MakesTheBytesOfTheGeneralPath) {
    QRandomGenerator random(7);
    const QStringList separators = {",", ";", "--", "", " ", "\\n", "n", "ab", "\u00e9"};
    for (const QString& separator : separators) {
        for (const bool upper : {false, true}) {
            const PlainImportLine plain(separator, upper);
            for (int i = 0; i < 1500; ++i) {
                const QString line = randomPlainLine(random, random.bounded(0, 40));
                const QByteArray expected = generalRecord(line, separator, upper);
                ASSERT_EQ(plainRecord(plain, line, false), expected)
                    << "separator " << separator.toStdString() << " line " << line.toStdString();
                ASSERT_EQ(plainRecord(plain, line, true), expected)
                    << "separator " << separator.toStdString() << " line " << line.toStdString();
            }
        }
    }
}

TEST(PlainImportLine, LeavesAnyOtherLineToTheGeneralPath) {
    const PlainImportLine plain(QStringLiteral(","), false);
    char16_t out[200];
    PlainImportLine::Record made;
    // A unit that is not plain anywhere in lines of every length the scan handles.
    for (const qsizetype length : {1, 5, 9, 17, 31, 64, 65, 90}) {
        for (qsizetype at = 0; at < length; ++at) {
            for (const quint8 odd : {quint8(0x00), quint8(0x80), quint8(0xE9), quint8(0xFF)}) {
                QByteArray bytes(length, 'a');
                bytes[at] = char(odd);
                EXPECT_EQ(plain.Make(reinterpret_cast<const quint8*>(bytes.constData()), length,
                                     out, made),
                          PlainImportLine::Outcome::NotPlain)
                    << length << " " << at;
            }
            for (const char16_t odd : {u'\0', u'\u0080', u'\u00fd', u'\u4e2d', u'\u0161'}) {
                std::vector<char16_t> units(size_t(length), u'a');
                units[size_t(at)] = odd;
                EXPECT_EQ(plain.Make(units.data(), length, out, made),
                          PlainImportLine::Outcome::NotPlain);
            }
        }
    }
}

// A file of plain and other lines, larger than the import's read block, so that lines of both
// kinds cross block boundaries: the pool holds exactly what the general path gives.
TEST(PlainImportLine, AnImportOfMixedLinesAcrossBlocks) {
    QTemporaryDir dir;
    RecordingPrompter prompter;
    QRandomGenerator random(11);
    const QStringList others = {"caf\u00e9", "\u4e2d", "x\u00fd\u00bay", "\u20ac"};
    QString text;
    while (text.size() < 1200000) {
        QString line = randomPlainLine(random, random.bounded(0, 30));
        if (random.bounded(8) == 0)
            line.insert(random.bounded(int(line.size()) + 1), others[random.bounded(4)]);
        text += line + (random.bounded(2) ? QStringLiteral("\r\n") : QStringLiteral("\n"));
    }
    // Windows-1252 (not valid UTF-8) and UTF-16 with its mark.
    const QByteArray ansi = text.toLatin1().replace('?', 'Q'); // the CJK characters become ?s
    const QByteArray wide = QByteArray("\xFF\xFE", 2) + Utf16(text);
    for (const QByteArray& file : {ansi, wide}) {
        for (const QString& separator : {QStringLiteral(","), QStringLiteral("--")}) {
            NuFileDeal pool;
            pool.m_strFolder = dir.path();
            pool.SetPrompter(&prompter);
            ASSERT_EQ(pool.OpenStore(), 1);
            pool.Clear();
            const QString path = dir.filePath(QStringLiteral("numbers.txt"));
            ASSERT_TRUE(WriteBytes(path, file));
            ASSERT_EQ(pool.ImportFromFile(path, separator, 1), 1);
            const auto [data, index] = generalPool(file, separator, true);
            pool.Close();
            ASSERT_GT(index.size(), 8 * 10000);
            EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("data.dat"))) == data);
            EXPECT_TRUE(ReadBytes(dir.filePath(QStringLiteral("index.dat"))) == index);
        }
    }
}
