#pragma once

// The pool's appender, shared by the single additions and the bulk fillings.

#include "model/SafeFileWriter.h"
#include "store/NuFileDeal.h"
#include "store/PoolIndexBuilder.h"

#include <QtEndian>

#include <algorithm>
#include <future>
#include <vector>

// Collects records and their index entries and writes them in large pieces, records first, so
// that an entry never points past the data. A failed write takes both files back to where they
// were, so a full disk leaves whole records only.
class NuFileDeal::Appender {
public:
    static constexpr qsizetype kAppendFlushBytes = 4 << 20;

    enum class Result { Added, TooMany, WriteFailed };

    explicit Appender(NuFileDeal& pool) : m_pool(pool), m_dataEnd(pool.m_nDataBytes) {}

    Result Add(QStringView number, QStringView info) {
        char16_t* out = Room(qsizetype(PoolRecord::RecordBytes(number, info)));
        std::copy(number.utf16(), number.utf16() + number.size(), out);
        out += number.size();
        *out++ = PoolRecord::kNumberEnd1;
        *out++ = PoolRecord::kNumberEnd2;
        std::copy(info.utf16(), info.utf16() + info.size(), out);
        out += info.size();
        *out++ = PoolRecord::kRecordEnd1;
        *out++ = PoolRecord::kRecordEnd2;
        return Commit(number.size(), info.size());
    }

    // Room after the pending records for one of up to that many bytes; Commit takes the record
    // written there, anything else is overwritten by the next one.
    Q_ALWAYS_INLINE char16_t* Room(qsizetype bytes) {
        if (m_data.size() < m_dataUsed + bytes)
            m_data.resize(std::max(m_dataUsed + bytes, kAppendFlushBytes + (64 << 10)));
        // Records are whole units, so the room starts on a unit.
        return reinterpret_cast<char16_t*>(m_data.data() + m_dataUsed);
    }

    Q_ALWAYS_INLINE Result Commit(qsizetype numberUnits, qsizetype infoUnits) {
        const qsizetype bytes = 2 * (numberUnits + infoUnits) + 2 * PoolRecord::kMarkerBytes;
        if (m_dataEnd + quint64(bytes) > PoolRecord::kMaxDataBytes)
            return Result::TooMany;
        m_dataUsed += bytes;
        if (m_entries.size() < m_entriesUsed + PoolRecord::kEntryBytes)
            m_entries.resize(std::max<qsizetype>(2 * m_entries.size(), 4096));
        char* entry = m_entries.data() + m_entriesUsed;
        qToLittleEndian<quint32>(quint32(m_dataEnd), entry);
        qToLittleEndian<quint16>(quint16(2 * numberUnits), entry + 4);
        qToLittleEndian<quint16>(quint16(2 * infoUnits), entry + 6);
        m_entriesUsed += PoolRecord::kEntryBytes;
        m_dataEnd += quint64(bytes);
        if (m_dataUsed >= kAppendFlushBytes && !handOff())
            return Result::WriteFailed;
        return Result::Added;
    }

    // Writes what is pending and waits for it. False when a write failed: both files are then
    // back where they were before it, and nothing after it was written.
    bool Flush() {
        if (!settle()) {
            drop();
            return false;
        }
        if (m_dataUsed == 0)
            return true;
        const bool ok = land(write(m_pool.m_nDataBytes, m_pool.m_nEntries, m_data.constData(),
                                   m_dataUsed, m_entries.constData(), m_entriesUsed),
                             m_dataUsed, m_entriesUsed);
        drop();
        return ok;
    }

    ~Appender() { settle(); }

private:
    // A full buffer is written on a second thread while the next one fills, after the one before
    // it has landed, so that writing the files and making the records overlap.
    bool handOff() {
        if (!settle()) {
            drop();
            return false;
        }
        std::swap(m_data, m_dataWriting);
        std::swap(m_entries, m_entriesWriting);
        m_writingData = m_dataUsed;
        m_writingEntries = m_entriesUsed;
        m_dataUsed = 0;
        m_entriesUsed = 0;
        m_write = std::async(
            std::launch::async, [this, dataAt = m_pool.m_nDataBytes, entryAt = m_pool.m_nEntries] {
                return write(dataAt, entryAt, m_dataWriting.constData(), m_writingData,
                             m_entriesWriting.constData(), m_writingEntries);
            });
        return true;
    }

    // Waits for the write in flight, if any, and lands it.
    bool settle() {
        if (!m_write.valid())
            return true;
        return land(m_write.get(), m_writingData, m_writingEntries);
    }

    bool write(quint64 dataAt, quint64 entryAt, const char* data, qsizetype dataBytes,
               const char* entries, qsizetype entryBytes) {
        return writeAt(m_pool.m_fileData, dataAt, data, dataBytes) &&
               writeAt(m_pool.m_fileIndex, entryAt * PoolRecord::kEntryBytes, entries, entryBytes);
    }

    // A written piece becomes part of the pool; a failed one is cut off both files.
    bool land(bool ok, qsizetype dataBytes, qsizetype entryBytes) {
        if (ok) {
            m_pool.m_nDataBytes += quint64(dataBytes);
            m_pool.m_nEntries += quint64(entryBytes / PoolRecord::kEntryBytes);
        } else {
            m_pool.m_fileData.resize(qint64(m_pool.m_nDataBytes));
            m_pool.m_fileIndex.resize(qint64(m_pool.m_nEntries * PoolRecord::kEntryBytes));
        }
        return ok;
    }

    // Forgets the pending records: the next one goes where the pool ends.
    void drop() {
        m_dataUsed = 0;
        m_entriesUsed = 0;
        m_dataEnd = m_pool.m_nDataBytes;
    }

    static bool writeAt(QFile& file, quint64 offset, const char* bytes, qsizetype size) {
        return file.seek(qint64(offset)) && file.write(bytes, size) == size;
    }

    NuFileDeal& m_pool;
    quint64 m_dataEnd;
    QByteArray m_data;
    QByteArray m_entries;
    // The buffers are sized once; the records and entries pending are at their starts.
    qsizetype m_dataUsed = 0;
    qsizetype m_entriesUsed = 0;
    // The piece being written on the second thread; only that thread touches the files and
    // these buffers until it is settled.
    QByteArray m_dataWriting;
    QByteArray m_entriesWriting;
    qsizetype m_writingData = 0;
    qsizetype m_writingEntries = 0;
    std::future<bool> m_write;
};
