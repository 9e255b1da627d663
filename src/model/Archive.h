#pragma once

#include "model/ArchiveException.h"
#include "model/WinRect.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <functional>
#include <type_traits>

// The byte encoding of every settings file: little-endian scalars, length-prefixed UTF-16
// strings, counts, and tagged objects with one index table per file. An archive either stores
// (into a buffer the caller then writes out) or loads (from the whole file's bytes, or from a
// file as it is read).
//
// Loading never trusts the file: every length or count is checked against the bytes that remain
// before anything is allocated, and every failure throws ArchiveException.
class Archive {
public:
    // Loading: reads from the given bytes.
    explicit Archive(const QByteArray& data);
    // Loading from an open file, from its current position to its end, a piece at a time: a
    // scheme file of millions of winners is never held whole, nor its pages taken from the
    // system. Lengths and counts are checked against the size the file had when this began. A
    // failed read throws ArchiveException (read error); a file that ends early, end of file.
    explicit Archive(QIODevice& file);
    // Storing: collects the bytes, see data().
    Archive();
    // Storing into a sink: the bytes go out in pieces as they are written, so that a file of
    // millions of fields is never held whole; Finish() sends the rest. A piece the sink refuses
    // throws ArchiveException (write error).
    using Sink = std::function<bool(const char* data, qsizetype size)>;
    explicit Archive(Sink sink);

    bool IsStoring() const { return m_storing; }

    // The program folder that stored paths are relative to: the records turn their paths
    // relative to it when they are stored and absolute when they are loaded. It starts as the
    // process's program folder; the status sets its own.
    void SetFolder(const QString& folder) { m_folder = folder; }
    const QString& Folder() const { return m_folder; }
    QString RelativePath(const QString& path) const;
    QString AbsolutePath(const QString& path) const;

    // Storing: the bytes written so far (those not yet sent, storing into a sink).
    const QByteArray& data() const;
    // Storing into a sink: sends what is left.
    void Finish();
    qsizetype remaining() const { return m_size - m_offset - m_pos; }
    bool atEnd() const { return remaining() == 0; }

    // Scalars. Storing and loading share one name so that a record's Serialize reads like the
    // file layout.
    Archive& operator<<(quint8 v);
    Archive& operator<<(quint16 v);
    Archive& operator<<(qint32 v);
    Archive& operator<<(quint32 v);
    Archive& operator<<(const QString& s);
    Archive& operator<<(const WinRect& r);
    Archive& operator<<(const QPoint& p);
    // The scalar readers and the tag of a repeated class are inline: a scheme file with millions
    // of winners reads them millions of times.
    Archive& operator>>(quint8& v) { return readInto(v); }
    Archive& operator>>(quint16& v) { return readInto(v); }
    Archive& operator>>(qint32& v) { return readInto(v); }
    Archive& operator>>(quint32& v) { return readInto(v); }
    Archive& operator>>(QString& s);
    Archive& operator>>(WinRect& r);
    Archive& operator>>(QPoint& p);

    // A one-byte flag written as 0 or 1.
    void WriteBool(bool v) { *this << quint8(v ? 1 : 0); }
    bool ReadBool();

    void WriteRaw(const char* data, qsizetype len);
    void ReadRaw(char* data, qsizetype len);

    void WriteCount(quint64 n);
    // Reads a count and checks that at least n * minElementBytes bytes remain.
    quint64 ReadCount(qsizetype minElementBytes = 1);

    // Object fields. Writing enters the class (first time) and the object into the index table;
    // the caller then writes the object's own fields.
    void WriteObjectTag(const char* className);
    // Reads a tag for a new object of the expected class. A null element or a reference to an
    // object already read is a bad index (owned lists hold each element once); another class is
    // a bad class.
    void ReadObjectTag(const char* expectedClassName) {
        // The same two bytes as the element before, read for the same class: nothing to check
        // again.
        if (expectedClassName == m_lastTagClassName && m_buf.size() - m_pos >= 2 &&
            qFromLittleEndian<quint16>(m_buf.constData() + m_pos) == m_lastShortTag) {
            m_pos += 2;
            ++m_mapCount; // the object itself
            return;
        }
        readObjectTag(expectedClassName);
    }

    // Whether a name belongs to one of the record classes the files may carry (all schema 1).
    static bool IsRegisteredClass(const QByteArray& name);

    // Containers of records. T has a default constructor, Serialize(Archive&) and a static
    // ClassName(). Loading appends; a partly read element is never added.
    template <class T> void SerializeObjectList(QList<T>& list);
    void SerializeStringList(QStringList& list);

private:
    // Loading: makes sure that n bytes lie in the buffer from m_pos on.
    void need(qsizetype n) {
        if (n < 0 || n > m_buf.size() - m_pos)
            fill(n);
    }
    void fill(qsizetype n);
    // Storing: makes room for n more bytes at the end and returns where they go.
    char* grow(qsizetype n);
    template <class V> void writeLE(V v);
    template <class V> V readLE() {
        need(sizeof(V));
        const V v = qFromLittleEndian<V>(m_buf.constData() + m_pos);
        m_pos += sizeof(V);
        return v;
    }
    template <class V> Archive& readInto(V& v) {
        v = readLE<V>();
        return *this;
    }
    quint32 nextIndex();
    void readObjectTag(const char* expectedClassName);
    void readNewClass(const char* expectedClassName);

    void sendPiece();

    bool m_storing;
    Sink m_sink;
    QString m_folder;
    // Storing: the bytes are m_buf's first m_end; data() cuts off the room beyond them. Loading:
    // m_pos is the position in m_buf.
    mutable QByteArray m_buf;
    qsizetype m_end = 0;
    qsizetype m_pos = 0;
    // Loading from a file: the file, the offset in it of m_buf's first byte, and its size.
    QIODevice* m_file = nullptr;
    qsizetype m_offset = 0;
    qsizetype m_size = 0;
    quint32 m_mapCount = 1;                    // index 0 stands for "no object"
    QHash<QByteArray, quint32> m_classIndex;   // storing: class name -> index
    QHash<quint32, QByteArray> m_classByIndex; // loading: index -> class name
    // The class of the element before, as the list of millions of drawn numbers repeats it:
    // storing, the name (a ClassName() literal) and its index; loading, the tag read and the
    // class name it was found to match.
    const char* m_lastClassName = nullptr;
    quint32 m_lastClassIndex = 0;
    quint32 m_lastTag = 0;
    const char* m_lastTagClassName = nullptr;
    // The two bytes m_lastTag was read from when it took two; else a value no two bytes hold.
    quint32 m_lastShortTag = 0x10000;
};

template <class T> void Archive::SerializeObjectList(QList<T>& list) {
    if (IsStoring()) {
        WriteCount(quint64(list.size()));
        for (T& element : list) {
            WriteObjectTag(T::ClassName());
            element.Serialize(*this);
        }
        return;
    }
    // Every element takes at least its two-byte tag.
    const quint64 n = ReadCount(2);
    if constexpr (std::is_trivially_copyable_v<T>) {
        // Small plain records (the millions of drawn numbers) are read in place, with no append
        // per element; one read only partly is cut off again.
        const qsizetype first = list.size();
        list.resize(first + qsizetype(n));
        T* out = list.data() + first;
        qsizetype done = 0;
        try {
            for (; done < qsizetype(n); ++done) {
                ReadObjectTag(T::ClassName());
                out[done].Serialize(*this);
            }
        } catch (...) {
            list.resize(first + done);
            throw;
        }
    } else {
        list.reserve(list.size() + qsizetype(n));
        for (quint64 i = 0; i < n; ++i) {
            ReadObjectTag(T::ClassName());
            T element;
            element.Serialize(*this);
            list.append(std::move(element));
        }
    }
}
