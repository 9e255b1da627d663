#include "model/Archive.h"

#include "base/AppPaths.h"
#include "model/AnsiCodec.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr quint16 kNewClassTag = 0xFFFF;
constexpr quint16 kBigObjectTag = 0x7FFF;
constexpr quint32 kClassFlag = 0x80000000u;
constexpr quint16 kSchema = 1;
constexpr int kMaxClassNameLength = 64;
// Read and written a piece at a time, small enough to stay in the processor's cache.
constexpr qsizetype kPieceBytes = qsizetype{256} * 1024;

const char* const kRegisteredClasses[] = {
    "TumoStatus",       "GradeInfo",     "GradeBase",   "LotteryBg",     "LotteryBanner",
    "LotteryTakeStyle", "LotterySym",    "LotteryMask", "LotteryNotify", "LotteryAPanel",
    "LottrySound",      "TakedNu",       "OtherOption", "LotteryNuBase", "SUINT",
    "SymBitDataArray",  "SerialPtArray", "SerialPt",    "APanel",
};

} // namespace

Archive::Archive(const QByteArray& data)
    : m_storing(false), m_folder(g_strAppFolder), m_buf(data), m_size(data.size()) {}

Archive::Archive(QIODevice& file)
    : m_storing(false), m_folder(g_strAppFolder), m_file(&file),
      m_size(qsizetype(std::max<qint64>(0, file.size() - file.pos()))) {}

Archive::Archive() : m_storing(true), m_folder(g_strAppFolder) {}

Archive::Archive(Sink sink) : m_storing(true), m_sink(std::move(sink)), m_folder(g_strAppFolder) {}

QString Archive::RelativePath(const QString& path) const {
    return MakeRelativePath(path, m_folder);
}

QString Archive::AbsolutePath(const QString& path) const {
    return MakeAbsolutePath(path, m_folder);
}

bool Archive::IsRegisteredClass(const QByteArray& name) {
    for (const char* c : kRegisteredClasses) {
        if (name == c)
            return true;
    }
    return false;
}

// The bytes already read go, and the next piece of the file comes in behind the ones not yet
// read: pieces small enough to stay in the processor's cache, or n bytes when more are needed.
void Archive::fill(qsizetype n) {
    if (n < 0 || n > remaining() || !m_file)
        throw ArchiveException(ArchiveException::EndOfFile);
    const qsizetype kept = m_buf.size() - m_pos;
    const qsizetype wanted = std::min(std::max(n, kPieceBytes), remaining());
    if (kept > 0)
        memmove(m_buf.data(), m_buf.constData() + m_pos, size_t(kept));
    m_offset += m_pos;
    m_pos = 0;
    m_buf.resize(wanted);
    for (qsizetype have = kept; have < wanted;) {
        const qint64 got = m_file->read(m_buf.data() + have, wanted - have);
        if (got < 0)
            throw ArchiveException(ArchiveException::ReadError);
        if (got == 0) {
            // Shorter than it was: what it holds now is what there is to read.
            m_buf.resize(have);
            m_size = m_offset + have;
            if (n > have)
                throw ArchiveException(ArchiveException::EndOfFile);
            return;
        }
        have += qsizetype(got);
    }
}

// The buffer is kept larger than the bytes written and doubles when full, so that a field costs a
// copy of its bytes and no call into the buffer: a scheme file has millions of fields.
// Into a sink, the pieces are small enough to stay in the processor's cache.
char* Archive::grow(qsizetype n) {
    if (m_sink && m_end > 0 && m_end + n > kPieceBytes)
        sendPiece();
    if (n > m_buf.size() - m_end)
        m_buf.resize(std::max({qsizetype(1024), 2 * m_buf.size(), m_end + n}));
    char* at = m_buf.data() + m_end;
    m_end += n;
    return at;
}

void Archive::sendPiece() {
    if (!m_sink(m_buf.constData(), m_end))
        throw ArchiveException(ArchiveException::WriteError);
    m_end = 0;
}

void Archive::Finish() {
    if (m_sink && m_end > 0)
        sendPiece();
}

const QByteArray& Archive::data() const {
    if (m_storing)
        m_buf.truncate(m_end);
    return m_buf;
}

template <class V> void Archive::writeLE(V v) {
    qToLittleEndian(v, grow(sizeof(V)));
}

Archive& Archive::operator<<(quint8 v) {
    writeLE(v);
    return *this;
}
Archive& Archive::operator<<(quint16 v) {
    writeLE(v);
    return *this;
}
Archive& Archive::operator<<(qint32 v) {
    writeLE(v);
    return *this;
}
Archive& Archive::operator<<(quint32 v) {
    writeLE(v);
    return *this;
}

bool Archive::ReadBool() {
    quint8 b = 0;
    *this >> b;
    return b != 0;
}

Archive& Archive::operator<<(const WinRect& r) {
    return *this << r.left << r.top << r.right << r.bottom;
}
Archive& Archive::operator>>(WinRect& r) {
    need(16); // a rectangle is one raw block: nothing is taken from a cut one
    return *this >> r.left >> r.top >> r.right >> r.bottom;
}
Archive& Archive::operator<<(const QPoint& p) {
    return *this << qint32(p.x()) << qint32(p.y());
}
Archive& Archive::operator>>(QPoint& p) {
    need(8);
    qint32 x = 0, y = 0;
    *this >> x >> y;
    p = QPoint(x, y);
    return *this;
}

void Archive::WriteRaw(const char* data, qsizetype len) {
    if (len > 0)
        memcpy(grow(len), data, size_t(len));
}

void Archive::ReadRaw(char* data, qsizetype len) {
    need(len);
    memcpy(data, m_buf.constData() + m_pos, size_t(len));
    m_pos += len;
}

Archive& Archive::operator<<(const QString& s) {
    const quint64 n = quint64(s.size());
    *this << quint8(0xFF) << quint16(0xFFFE);
    if (n < 0xFF) {
        *this << quint8(n);
    } else if (n < 0xFFFE) {
        *this << quint8(0xFF) << quint16(n);
    } else if (n < 0xFFFFFFFFull) {
        *this << quint8(0xFF) << quint16(0xFFFF) << quint32(n);
    } else {
        *this << quint8(0xFF) << quint16(0xFFFF) << quint32(0xFFFFFFFFu);
        writeLE<quint64>(n);
    }
    char* out = grow(2 * s.size());
    for (QChar c : s) {
        qToLittleEndian<quint16>(c.unicode(), out);
        out += 2;
    }
    return *this;
}

Archive& Archive::operator>>(QString& s) {
    quint64 n = readLE<quint8>();
    bool wide = false;
    if (n == 0xFF) {
        quint16 w = readLE<quint16>();
        if (w == 0xFFFE) {
            wide = true;
            n = readLE<quint8>();
            if (n == 0xFF)
                w = readLE<quint16>();
        }
        if (n == 0xFF) {
            n = w;
            if (w == 0xFFFF) {
                n = readLE<quint32>();
                if (n == 0xFFFFFFFFu)
                    n = readLE<quint64>();
            }
        }
    }
    const quint64 bytes = wide ? n * 2 : n;
    if (n > quint64(remaining()) || bytes > quint64(remaining()))
        throw ArchiveException(ArchiveException::EndOfFile);
    need(qsizetype(bytes));
    const char* p = m_buf.constData() + m_pos;
    if (wide) {
        s.resize(qsizetype(n));
        for (qsizetype i = 0; i < qsizetype(n); ++i)
            s[i] = QChar(qFromLittleEndian<quint16>(p + 2 * i));
    } else {
        s = AnsiCodec::toUnicode(QByteArrayView(p, qsizetype(n)));
    }
    m_pos += qsizetype(bytes);
    return *this;
}

void Archive::WriteCount(quint64 n) {
    if (n < 0xFFFF) {
        *this << quint16(n);
    } else {
        *this << quint16(0xFFFF) << quint32(n);
    }
}

quint64 Archive::ReadCount(qsizetype minElementBytes) {
    quint64 n = readLE<quint16>();
    if (n == 0xFFFF)
        n = readLE<quint32>();
    if (minElementBytes > 0 && n > quint64(remaining() / minElementBytes))
        throw ArchiveException(ArchiveException::EndOfFile);
    return n;
}

quint32 Archive::nextIndex() {
    return m_mapCount++;
}

void Archive::WriteObjectTag(const char* className) {
    if (className != m_lastClassName) {
        const QByteArray name(className);
        const auto it = m_classIndex.constFind(name);
        if (it == m_classIndex.constEnd()) {
            *this << kNewClassTag << kSchema << quint16(name.size());
            WriteRaw(name.constData(), name.size());
            m_classIndex.insert(name, nextIndex());
            nextIndex(); // the object itself
            return;
        }
        m_lastClassName = className;
        m_lastClassIndex = *it;
    }
    if (m_lastClassIndex < kBigObjectTag) {
        *this << quint16(0x8000 | m_lastClassIndex);
    } else {
        *this << kBigObjectTag << quint32(kClassFlag | m_lastClassIndex);
    }
    nextIndex(); // the object itself
}

void Archive::readObjectTag(const char* expectedClassName) {
    const quint16 t = readLE<quint16>();
    if (t == kNewClassTag) {
        readNewClass(expectedClassName);
        nextIndex(); // the object itself
        return;
    }
    const quint32 tag =
        t == kBigObjectTag ? readLE<quint32>() : (quint32(t & 0x8000) << 16) | quint32(t & 0x7FFF);
    if (tag != m_lastTag || expectedClassName != m_lastTagClassName) {
        // A plain object index is either "no object" or an object read before: neither can be
        // an element of a list that owns its elements.
        if (!(tag & kClassFlag))
            throw ArchiveException(ArchiveException::BadIndex);
        const auto it = m_classByIndex.constFind(tag & ~kClassFlag);
        if (it == m_classByIndex.constEnd())
            throw ArchiveException(ArchiveException::BadIndex);
        if (*it != expectedClassName)
            throw ArchiveException(ArchiveException::BadClass);
        // A class index names the same class for the rest of the file.
        m_lastTag = tag;
        m_lastTagClassName = expectedClassName;
    }
    m_lastShortTag = t == kBigObjectTag ? 0x10000 : t;
    nextIndex(); // the object itself
}

void Archive::readNewClass(const char* expectedClassName) {
    const quint16 schema = readLE<quint16>();
    const quint16 len = readLE<quint16>();
    if (len >= kMaxClassNameLength)
        throw ArchiveException(ArchiveException::BadClass);
    QByteArray name(len, Qt::Uninitialized);
    ReadRaw(name.data(), len);
    if (!IsRegisteredClass(name))
        throw ArchiveException(ArchiveException::BadClass);
    if (schema != kSchema)
        throw ArchiveException(ArchiveException::BadSchema);
    m_classByIndex.insert(nextIndex(), name);
    if (name != expectedClassName)
        throw ArchiveException(ArchiveException::BadClass);
}

void Archive::SerializeStringList(QStringList& list) {
    if (IsStoring()) {
        WriteCount(quint64(list.size()));
        for (const QString& s : list)
            *this << s;
        return;
    }
    const quint64 n = ReadCount(1); // a string takes at least its length byte
    for (quint64 i = 0; i < n; ++i) {
        QString s;
        *this >> s;
        list.append(s);
    }
}
