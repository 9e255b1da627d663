#include "model/Archive.h"
#include "model/AnsiCodec.h"
#include "model/SUINT.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}

QByteArray storeString(const QString& s) {
    Archive ar;
    ar << s;
    return ar.data();
}

QString loadString(const QByteArray& bytes) {
    Archive ar(bytes);
    QString s;
    ar >> s;
    EXPECT_TRUE(ar.atEnd());
    return s;
}

// A minimal record with a string, for the object-field tests.
struct Item {
    static const char* ClassName() { return "SerialPt"; }
    qint32 value = 0;
    void Serialize(Archive& ar) {
        if (ar.IsStoring())
            ar << value;
        else
            ar >> value;
    }
    friend bool operator==(const Item&, const Item&) = default;
};

} // namespace

TEST(Archive, StringExamples) {
    EXPECT_EQ(storeString(QString()), hex("fffeff00"));
    EXPECT_EQ(storeString("X"), hex("fffeff015800"));
    EXPECT_EQ(storeString("DefBg.swf"), hex("fffeff09440065006600420067002e00730077006600"));
    EXPECT_TRUE(storeString(QString(300, 'a')).startsWith(hex("fffeffff2c01")));
}

TEST(Archive, StringLengthThresholds) {
    EXPECT_TRUE(storeString(QString(254, 'a')).startsWith(hex("fffefffe")));
    EXPECT_TRUE(storeString(QString(255, 'a')).startsWith(hex("fffeffffff00")));
    EXPECT_TRUE(storeString(QString(65533, 'a')).startsWith(hex("fffeffff fdff")));
    EXPECT_TRUE(storeString(QString(65534, 'a')).startsWith(hex("fffeffffffff feff0000")));
    for (int n : {0, 1, 254, 255, 65533, 65534, 70000}) {
        const QString s(n, QChar(0x4E2D));
        EXPECT_EQ(loadString(storeString(s)), s) << n;
    }
}

TEST(Archive, SingleByteStringsAreWidenedFromTheAnsiCodePage) {
    ASSERT_TRUE(AnsiCodec::isAvailable()) << "Qt lacks the Windows-1252 converter (ICU)";
    EXPECT_EQ(loadString(hex("03 41 80 e9")), QString::fromUtf8("A€é"));
    // Long single-byte form: FF, then a word length other than FFFE.
    EXPECT_EQ(loadString(hex("ff 0200 4142")), "AB");
}

TEST(Archive, AnsiEncodingMarksMissingCharactersWithAQuestionMark) {
    EXPECT_EQ(AnsiCodec::fromUnicode(QString::fromUtf8("a€中b")), QByteArray("a\x80?b"));
}

TEST(Archive, CountForms) {
    Archive ar;
    ar.WriteCount(2);
    ar.WriteCount(65534);
    ar.WriteCount(65535);
    ar.WriteCount(70000);
    EXPECT_EQ(ar.data(), hex("0200 feff ffff ffff0000 ffff 70110100"));
}

TEST(Archive, CutFilesRaiseEndOfFile) {
    const QByteArray full = storeString("DefBg.swf");
    for (int cut = 0; cut < full.size(); ++cut) {
        Archive ar(full.left(cut));
        QString s;
        try {
            ar >> s;
            FAIL() << "cut at " << cut;
        } catch (const ArchiveException& e) {
            EXPECT_EQ(e.kind(), ArchiveException::EndOfFile);
        }
    }
    Archive rect(hex("01000000020000000300000004000000").left(15));
    WinRect r;
    EXPECT_THROW(rect >> r, ArchiveException);
    EXPECT_EQ(rect.remaining(), 15); // nothing of a cut rectangle is taken
}

TEST(Archive, HugeLengthsAreRefusedBeforeAllocating) {
    Archive s(hex("fffeffffffffffffff7f"));
    QString str;
    EXPECT_THROW(s >> str, ArchiveException);
    Archive c(hex("ffff ffffff7f"));
    EXPECT_THROW(c.ReadCount(2), ArchiveException);
}

TEST(Archive, FirstObjectAndClassReference) {
    Archive ar;
    QList<Item> items{{7}, {8}};
    ar.SerializeObjectList(items);
    EXPECT_EQ(ar.data(),
              hex("0200 ffff0100 0800") + QByteArray("SerialPt") + hex("07000000 0180 08000000"));
    Archive in(ar.data());
    QList<Item> back;
    in.SerializeObjectList(back);
    EXPECT_EQ(back, items);
}

TEST(Archive, LongClassTagsFromIndex7FFF) {
    // Every object takes an index, so a class first seen after many objects gets a high one.
    Archive ar;
    QList<Item> many(0x4000);
    ar.SerializeObjectList(many);
    struct Late {
        static const char* ClassName() { return "SUINT"; }
        void Serialize(Archive&) {}
    };
    QList<Late> late(3);
    ar.SerializeObjectList(late);
    QList<Item> more(0x4000);
    ar.SerializeObjectList(more);
    QList<Late> late2(2);
    const qsizetype before = ar.data().size();
    ar.SerializeObjectList(late2);
    // SUINT was entered at index 0x4002 (below 0x7FFF): short reference 0x8000 | 0x4002.
    EXPECT_EQ(ar.data().mid(before, 4), hex("0200 02c0"));

    Archive ar2;
    QList<Item> big(0x8000);
    ar2.SerializeObjectList(big);
    ar2.SerializeObjectList(late); // SUINT enters at 0x8002
    const qsizetype at = ar2.data().size();
    ar2.SerializeObjectList(late2);
    EXPECT_EQ(ar2.data().mid(at, 8), hex("0200 ff7f 02800080"));

    Archive in(ar2.data());
    QList<Item> b1;
    QList<Late> l1, l2;
    in.SerializeObjectList(b1);
    in.SerializeObjectList(l1);
    in.SerializeObjectList(l2);
    EXPECT_EQ(l2.size(), 2);
    EXPECT_TRUE(in.atEnd());
}

TEST(Archive, BadTagsAreErrors) {
    auto kindOf = [](const QByteArray& bytes) {
        Archive in(bytes);
        QList<Item> items;
        try {
            in.SerializeObjectList(items);
        } catch (const ArchiveException& e) {
            return e.kind();
        }
        return ArchiveException::WriteError; // "no error"
    };
    EXPECT_EQ(kindOf(hex("0100 0000")), ArchiveException::BadIndex); // null element
    EXPECT_EQ(kindOf(hex("0100 0500")), ArchiveException::BadIndex); // unknown back-reference
    EXPECT_EQ(kindOf(hex("0100 0580")), ArchiveException::BadIndex); // class never entered
    EXPECT_EQ(kindOf(hex("0100 ffff 0200 0800") + "SerialPt" + hex("00000000")),
              ArchiveException::BadSchema);
    EXPECT_EQ(kindOf(hex("0100 ffff 0100 0500") + "Bogus" + hex("00000000")),
              ArchiveException::BadClass);
    EXPECT_EQ(kindOf(hex("0100 ffff 0100 0500") + "SUINT" + hex("00000000")),
              ArchiveException::BadClass); // registered, but not what the list holds
    EXPECT_EQ(kindOf(hex("0100 ffff 0100 4000") + QByteArray(64, 'A')), ArchiveException::BadClass);
    // Back-reference to the first element in the long form.
    EXPECT_EQ(kindOf(hex("0200 ffff0100 0800") + "SerialPt" + hex("07000000 ff7f 02000000")),
              ArchiveException::BadIndex);
}

// ---- loading from a file as it is read -------------------------------------------------------

namespace {

// Long strings and long lists of records, so that fields straddle the pieces the archive reads.
struct Sample {
    QString head;
    QList<SUINT> entries;
    QString tail;
    void Serialize(Archive& ar) {
        if (ar.IsStoring())
            ar << head;
        else
            ar >> head;
        ar.SerializeObjectList(entries);
        if (ar.IsStoring())
            ar << tail;
        else
            ar >> tail;
    }
};

QByteArray sampleBytes(Sample& sample) {
    sample.head = QString(300000, QChar(0x263A));
    for (quint32 i = 0; i < 100000; ++i)
        sample.entries.append(SUINT(i * 7, 1));
    sample.tail = QStringLiteral("DefBg.swf");
    Archive ar;
    sample.Serialize(ar);
    return ar.data();
}

// The error (WriteError standing for none) and what was read, from bytes or from a file.
ArchiveException::Kind load(QIODevice* file, const QByteArray& bytes, Sample& out) {
    try {
        if (file) {
            Archive ar(*file);
            out.Serialize(ar);
        } else {
            Archive ar(bytes);
            out.Serialize(ar);
        }
    } catch (const ArchiveException& e) {
        return e.kind();
    }
    return ArchiveException::WriteError;
}

// A file whose reads fail from a given offset on.
class FailingFile : public QIODevice {
public:
    FailingFile(QByteArray bytes, qint64 failAt) : m_bytes(std::move(bytes)), m_failAt(failAt) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 size() const override { return m_bytes.size(); }

protected:
    qint64 readData(char* data, qint64 max) override {
        if (pos() >= m_failAt)
            return -1;
        const qint64 n = std::min({max, m_failAt - pos(), qint64(m_bytes.size()) - pos()});
        memcpy(data, m_bytes.constData() + pos(), size_t(n));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_failAt;
};

} // namespace

TEST(ArchiveFromFile, ReadsAndRefusesWhatTheBytesDo) {
    Sample stored;
    const QByteArray full = sampleBytes(stored);
    const qsizetype headEnd = 10 + 2 * 300000; // the long string and its length
    // Whole, then cut inside the long string, inside a tag, inside a record, at a piece border
    // and before the last string; and with a stray byte after the records.
    for (const qsizetype size :
         {full.size(), qsizetype(0), qsizetype(7), headEnd - 1, headEnd + 2 + 6 + 5 + 4 + 1,
          qsizetype(256 * 1024), qsizetype(700001), full.size() - 1, full.size() + 1}) {
        const QByteArray bytes = size <= full.size() ? full.left(size) : full + "x";
        Sample fromBytes;
        const auto bytesKind = load(nullptr, bytes, fromBytes);
        QByteArray copy = bytes;
        QBuffer file(&copy);
        file.open(QIODevice::ReadOnly);
        Sample fromFile;
        EXPECT_EQ(load(&file, bytes, fromFile), bytesKind) << size;
        EXPECT_EQ(fromFile.head, fromBytes.head) << size;
        EXPECT_EQ(fromFile.entries, fromBytes.entries) << size;
        EXPECT_EQ(fromFile.tail, fromBytes.tail) << size;
        if (size == full.size()) {
            EXPECT_EQ(fromFile.tail, stored.tail); // read to its last field
            EXPECT_EQ(fromFile.entries, stored.entries);
            EXPECT_EQ(fromFile.head, stored.head);
        }
    }
}

TEST(ArchiveFromFile, AFailedReadIsAReadError) {
    Sample stored;
    const QByteArray full = sampleBytes(stored);
    for (const qint64 failAt : {qint64(0), qint64(256 * 1024), qint64(full.size() - 3)}) {
        FailingFile file(full, failAt);
        Sample out;
        EXPECT_EQ(load(&file, full, out), ArchiveException::ReadError) << failAt;
    }
}

TEST(Archive, ABadTagAfterARunOfGoodOnesIsAnError) {
    // Three elements whose third tag is not the class reference the second one used.
    const QByteArray start = hex("0300 ffff0100 0800") + "SerialPt" + hex("07000000 0180 08000000");
    const struct {
        const char* tag;
        ArchiveException::Kind kind;
    } cases[] = {
        {"0000", ArchiveException::BadIndex}, // null element
        {"0200", ArchiveException::BadIndex}, // the first element again
        {"0580", ArchiveException::BadIndex}, // class never entered
        {"0100", ArchiveException::BadIndex}, // the class as an object
        {"ff7f", ArchiveException::BadIndex}, // long form of a plain index
    };
    for (const auto& c : cases) {
        Archive in(start + hex(c.tag) + hex("09000000"));
        QList<Item> items;
        try {
            in.SerializeObjectList(items);
            ADD_FAILURE() << c.tag;
        } catch (const ArchiveException& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.tag;
        }
        // The elements read whole stay; the bad one is not added.
        EXPECT_EQ(items, QList<Item>({{7}, {8}})) << c.tag;
    }
    // An element cut off inside its value is not added either, after elements already there.
    Archive cut(start + hex("0180 0900"));
    QList<Item> items{{1}};
    EXPECT_THROW(cut.SerializeObjectList(items), ArchiveException);
    EXPECT_EQ(items, QList<Item>({{1}, {7}, {8}}));
}
