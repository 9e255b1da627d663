#pragma once

#include "base/AppPaths.h"
#include "model/Archive.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace recordtest {

inline QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}

inline QByteArray utf16(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

// The string field of a short text.
inline QByteArray str(const QString& s) {
    return hex("fffeff") + char(s.size()) + utf16(s);
}

template <class T> QByteArray store(T record) {
    Archive ar;
    record.Serialize(ar);
    return ar.data();
}

template <class T> T load(const QByteArray& bytes) {
    Archive ar(bytes);
    T record;
    record.Serialize(ar);
    EXPECT_TRUE(ar.atEnd()) << ar.remaining() << " bytes left";
    return record;
}

// load(save(x)) equals x, and saving what was loaded gives the same bytes.
template <class T> void expectRoundTrip(const T& record) {
    const QByteArray bytes = store(record);
    const T back = load<T>(bytes);
    EXPECT_EQ(back, record);
    EXPECT_EQ(store(back), bytes);
}

// Every cut of a record's bytes is an archive error, never a crash or a partial success.
template <class T> void expectEveryCutFails(const T& record) {
    const QByteArray bytes = store(record);
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        Archive ar(bytes.left(cut));
        T back;
        EXPECT_THROW(back.Serialize(ar), ArchiveException) << "cut at " << cut;
    }
}

// Records make their paths absolute against the program folder, which each test fixes.
class RecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedFolder = g_strAppFolder;
        SetAppFolder(QStringLiteral("/opt/tumo"));
    }
    void TearDown() override { g_strAppFolder = m_savedFolder; }

private:
    QString m_savedFolder;
};

} // namespace recordtest
