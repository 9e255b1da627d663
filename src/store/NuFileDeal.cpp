#include "store/NuFileDeal.h"
#include "store/NuFileDealAppender.h"

#include "model/Prompter.h"
#include "model/SafeFileWriter.h"
#include "model/TumoStatus.h"
#include "store/FairRandom.h"
#include "store/ImportLineReader.h"
#include "store/PlainImportLine.h"
#include "store/PoolIndexBuilder.h"
#include "store/ProgressMeter.h"
#include "store/SplitAtSeparator.h"
#include "store/StoreTexts.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <future>
#include <limits>
#include <vector>

namespace {

constexpr qint64 kCopyBlockBytes = 1 << 20; // rewrites copy in blocks of 1 MiB

} // namespace

NuFileDeal::NuFileDeal() = default;

NuFileDeal::~NuFileDeal() = default;

void NuFileDeal::SetPickSource(FairRandom* source) {
    m_pRandom = source;
}

void NuFileDeal::tell(const QString& text) {
    if (m_pPrompter)
        m_pPrompter->Message(text, Prompter::Icon::Warning);
}

QString NuFileDeal::filePath(const char* name) const {
    return m_strFolder + QLatin1Char('/') + QLatin1String(name);
}

// ---- Opening and closing -------------------------------------------------------------------

bool NuFileDeal::openFile(QFile& file, const QString& prefix) {
    // Unbuffered: a record read is one seek and one read, whatever the pool's size.
    if (file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return true;
    tell(prefix + file.errorString());
    return false;
}

bool NuFileDeal::openFiles() {
    closeFiles();
    m_fileData.setFileName(filePath("data.dat"));
    m_fileIndex.setFileName(filePath("index.dat"));
    if (!openFile(m_fileData, StoreTexts::DataFile()) ||
        !openFile(m_fileIndex, StoreTexts::IndexFile()))
        return false;
    m_nDataBytes = quint64(m_fileData.size());
    const qint64 indexBytes = m_fileIndex.size();
    m_nEntries = quint64(indexBytes / PoolRecord::kEntryBytes);
    // Half an entry at the end can only come from an interrupted write; appending after it would
    // shift every later entry.
    if (indexBytes % PoolRecord::kEntryBytes != 0)
        m_fileIndex.resize(qint64(m_nEntries) * PoolRecord::kEntryBytes);
    return true;
}

void NuFileDeal::closeFiles() {
    m_fileData.close();
    m_fileIndex.close();
}

qint8 NuFileDeal::OpenStore() {
    m_bReady = 0;
    finishReplacement();
    if (!openFiles())
        return -1;
    if (m_nDataBytes == 0) {
        if (!CreateContinuousNumbers(1, 100))
            return -1;
        updateSummary();
    }
    const bool countAgrees = !m_pStatus || m_nEntries == quint64(m_pStatus->m_nuBase.m_nCount);
    if (!countAgrees || m_nEntries <= 1 || tailIsUnindexed()) {
        if (!GenerateIndex())
            return -1;
        updateSummary();
    }
    m_bReady = 1;
    return 1;
}

void NuFileDeal::Clear() {
    m_bReady = 0;
    m_fileData.resize(0);
    m_fileIndex.resize(0);
    m_nDataBytes = 0;
    m_nEntries = 0;
    m_bReady = 1;
}

void NuFileDeal::Close() {
    closeFiles();
    m_nDataBytes = 0;
    m_nEntries = 0;
    m_bReady = 0;
}

// ---- Reading --------------------------------------------------------------------------------

bool NuFileDeal::readAt(QFile& file, quint64 offset, char* data, qint64 size) {
    return file.seek(qint64(offset)) && file.read(data, size) == size;
}

bool NuFileDeal::readEntry(quint32 index, PoolRecord::Entry& entry) {
    char bytes[PoolRecord::kEntryBytes];
    if (!readAt(m_fileIndex, quint64(index) * PoolRecord::kEntryBytes, bytes, sizeof bytes))
        return false;
    entry = PoolRecord::ReadEntry(bytes);
    return true;
}

void NuFileDeal::damaged() {
    // An empty index never matches the stored count, so the next start rebuilds it from the
    // records; the owner saves its winners and ends the program.
    m_fileIndex.resize(0);
    m_nEntries = 0;
    if (!m_bDamaged) {
        m_bDamaged = true;
        tell(StoreTexts::Damaged());
    }
}

qint64 NuFileDeal::readSpan(const PoolRecord::Entry& e) {
    const qint64 numberSpan = e.numberBytes + PoolRecord::kMarkerBytes;
    return e.infoBytes > 0 ? qint64(e.RecordBytes()) : numberSpan;
}

bool NuFileDeal::decodeRecord(const char* span, const PoolRecord::Entry& e, quint32 index,
                              LoNuInfo& out) {
    const qint64 numberSpan = e.numberBytes + PoolRecord::kMarkerBytes;
    QStringView number, info;
    if (!PoolRecord::DecodeText(span, e.numberBytes, PoolRecord::kNumberEnd1,
                                PoolRecord::kNumberEnd2, number) ||
        (e.infoBytes > 0 &&
         !PoolRecord::DecodeText(span + numberSpan, e.infoBytes, PoolRecord::kRecordEnd1,
                                 PoolRecord::kRecordEnd2, info)))
        return false;
    out = LoNuInfo(qint32(index), number.trimmed().toString(), info.trimmed().toString());
    return true;
}

LoNuInfo NuFileDeal::ReadNumber(quint32 index) {
    if (!m_bReady || index >= m_nEntries)
        return LoNuInfo();
    PoolRecord::Entry e;
    if (!readEntry(index, e)) {
        damaged();
        return LoNuInfo();
    }
    const qint64 span = readSpan(e);
    QByteArray buf(span, Qt::Uninitialized);
    LoNuInfo read;
    const bool sound = e.offset + quint64(span) <= m_nDataBytes &&
                       readAt(m_fileData, e.offset, buf.data(), span) &&
                       decodeRecord(buf.constData(), e, index, read);
    if (!sound) {
        damaged();
        return LoNuInfo();
    }
    return read;
}

namespace {

// Serves reads that move forward through a file from one large block at a time, so that many
// small reads in file order cost a few large ones.
class ForwardReader {
public:
    ForwardReader(QFile& file, quint64 fileBytes) : m_file(file), m_fileBytes(fileBytes) {}

    // The bytes at [offset, offset + size), or null when they lie past the end or cannot be read.
    const char* At(quint64 offset, qint64 size) {
        const quint64 end = offset + quint64(size);
        if (end > m_fileBytes)
            return nullptr;
        if (offset < m_start || end > m_start + quint64(m_block.size())) {
            const qint64 n = qint64(
                std::min<quint64>(m_fileBytes - offset, std::max<quint64>(kBlockBytes, size)));
            m_block.resize(n);
            if (!m_file.seek(qint64(offset)) || m_file.read(m_block.data(), n) != n) {
                m_block.clear();
                return nullptr;
            }
            m_start = offset;
        }
        return m_block.constData() + (offset - m_start);
    }

private:
    static constexpr quint64 kBlockBytes = quint64(256) * 1024;

    QFile& m_file;
    quint64 m_fileBytes;
    quint64 m_start = 0;
    QByteArray m_block;
};

} // namespace

QList<LoNuInfo> NuFileDeal::ReadNumbers(const QList<quint32>& indexes) {
    QList<LoNuInfo> out(indexes.size());
    if (!m_bReady)
        return out;
    // Positions of the asked indexes that name records, in index order: the index file's order.
    std::vector<qsizetype> order;
    order.reserve(size_t(indexes.size()));
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        if (indexes[i] < m_nEntries)
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return indexes[a] < indexes[b]; });
    std::vector<PoolRecord::Entry> entries(size_t(indexes.size()));
    ForwardReader indexFile(m_fileIndex, m_nEntries * PoolRecord::kEntryBytes);
    for (qsizetype i : order) {
        const char* bytes =
            indexFile.At(quint64(indexes[i]) * PoolRecord::kEntryBytes, PoolRecord::kEntryBytes);
        if (!bytes) {
            damaged();
            return out;
        }
        entries[size_t(i)] = PoolRecord::ReadEntry(bytes);
    }
    // Then the records in the data file's order.
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return entries[size_t(a)].offset < entries[size_t(b)].offset;
    });
    ForwardReader dataFile(m_fileData, m_nDataBytes);
    for (qsizetype i : order) {
        const PoolRecord::Entry& e = entries[size_t(i)];
        const char* span = dataFile.At(e.offset, readSpan(e));
        if (!span || !decodeRecord(span, e, indexes[i], out[i])) {
            // The pool is damaged: nothing more is read, as after a damaged single read.
            out[i] = LoNuInfo();
            damaged();
            return out;
        }
    }
    return out;
}

// ---- Single-record changes ------------------------------------------------------------------

bool NuFileDeal::refuseTexts(const QString& number, const QString& info) {
    if (PoolRecord::IsStorable(number, info))
        return false;
    tell(StoreTexts::CannotStore());
    return true;
}

qint32 NuFileDeal::AddNumber(const QString& number, const QString& info) {
    if (number.isEmpty() || refuseTexts(number, info))
        return -1;
    m_bReady = 0;
    Appender appender(*this);
    const Appender::Result r = appender.Add(number, info);
    const bool ok = r == Appender::Result::Added && appender.Flush();
    if (r == Appender::Result::TooMany)
        tell(StoreTexts::TooMany());
    else if (!ok)
        tell(StoreTexts::WriteError());
    m_bReady = 1;
    return ok ? 0 : -1;
}

bool NuFileDeal::copyRange(SafeFileWriter& to, quint64 from, quint64 end) {
    QByteArray block;
    while (from < end) {
        const qint64 n = qint64(std::min<quint64>(end - from, kCopyBlockBytes));
        block.resize(n);
        if (!readAt(m_fileData, from, block.data(), n) || !to.write(block))
            return false;
        from += quint64(n);
    }
    return true;
}

// The rewritten records replace "data.dat" in one rename, so a crash or a full disk leaves
// either the old or the new pool, never a mix; the index is then rebuilt from the new records.
bool NuFileDeal::replaceData(SafeFileWriter& rewrite) {
    if (!rewrite.commit()) {
        tell(StoreTexts::WriteError());
        return false;
    }
    closeFiles();
    if (!openFiles())
        return false;
    GenerateIndex();
    return true;
}

qint8 NuFileDeal::ModifyNumber(const LoNuInfo& info) {
    const qint64 i = info.m_nIndex;
    if (i < 0 || quint64(i) >= m_nEntries || refuseTexts(info.m_strNumber, info.m_strInfo))
        return -1;
    PoolRecord::Entry e;
    if (!readEntry(quint32(i), e) || e.End() > m_nDataBytes) {
        damaged();
        return -1;
    }
    const quint64 oldEnd = e.End();
    const quint64 newBytes = PoolRecord::RecordBytes(info.m_strNumber, info.m_strInfo);
    if (m_nDataBytes - (oldEnd - e.offset) + newBytes > PoolRecord::kMaxDataBytes) {
        tell(StoreTexts::TooMany());
        return -1;
    }
    m_bReady = 0;
    SafeFileWriter rewrite(filePath("data.dat"));
    if (!rewrite.open()) {
        tell(StoreTexts::DataTFile() + rewrite.errorString());
        m_bReady = 1;
        return -1;
    }
    QByteArray record;
    PoolRecord::Append(record, info.m_strNumber, info.m_strInfo);
    const bool copied = copyRange(rewrite, 0, e.offset) && rewrite.write(record) &&
                        copyRange(rewrite, oldEnd, m_nDataBytes);
    if (!copied) {
        rewrite.cancel();
        tell(StoreTexts::WriteError());
        m_bReady = 1;
        return -1;
    }
    const bool replaced = replaceData(rewrite);
    m_bReady = 1;
    return replaced ? 1 : -1;
}

bool NuFileDeal::DeleteNumbers(const QList<sel>& ranges) {
    const qint64 c = qint64(m_nEntries);
    qint64 previousLast = -1;
    for (const sel& r : ranges) {
        if (r.m_nFirst <= previousLast || r.m_nFirst > r.m_nLast || r.m_nLast >= c)
            return false;
        previousLast = r.m_nLast;
    }
    if (ranges.isEmpty())
        return true;

    // The records to keep, as ranges of indexes.
    std::vector<std::pair<qint64, qint64>> keep;
    qint64 k = 0;
    for (const sel& r : ranges) {
        if (r.m_nFirst > k)
            keep.emplace_back(k, r.m_nFirst - 1);
        k = r.m_nLast + 1;
    }
    if (k < c)
        keep.emplace_back(k, c - 1);

    if (keep.empty()) {
        Clear();
        return true;
    }
    m_bReady = 0;
    SafeFileWriter rewrite(filePath("data.dat"));
    if (!rewrite.open()) {
        tell(StoreTexts::DataTFile() + rewrite.errorString());
        m_bReady = 1;
        return false;
    }
    bool ok = true;
    for (const auto& [a, b] : keep) {
        PoolRecord::Entry first, next;
        ok = readEntry(quint32(a), first);
        quint64 end = m_nDataBytes;
        if (ok && b < c - 1) {
            ok = readEntry(quint32(b + 1), next);
            end = next.offset;
        }
        ok = ok && first.offset <= end && end <= m_nDataBytes &&
             copyRange(rewrite, first.offset, end);
        if (!ok)
            break;
    }
    if (!ok) {
        rewrite.cancel();
        tell(StoreTexts::WriteError());
        m_bReady = 1;
        return false;
    }
    ok = replaceData(rewrite);
    m_bReady = 1;
    return ok;
}

// ---- Random pick ----------------------------------------------------------------------------

// The stored count bounds the pick; an index past the pool is never a candidate, whatever the
// count says.
quint32 NuFileDeal::pickLimit() const {
    if (!m_pStatus)
        return quint32(m_nEntries);
    return quint32(std::clamp<qint64>(m_pStatus->m_nuBase.m_nCount, 0, qint64(m_nEntries)));
}

quint64 NuFileDeal::FreeCount() const {
    const quint32 limit = pickLimit();
    return m_pStatus ? m_pStatus->FreeNumberCount(limit) : limit;
}

quint32 NuFileDeal::FreeIndexAt(quint64 k) const {
    return m_pStatus ? m_pStatus->FreeNumberAt(pickLimit(), k) : quint32(k);
}

NuFileDeal::PickResult NuFileDeal::Pick(LoNuInfo& picked) {
    picked = LoNuInfo();
    if (m_bDamaged)
        return PickResult::Damaged;
    const quint64 free = FreeCount();
    if (free == 0)
        return PickResult::NoneFree;
    FairRandom system;
    FairRandom& source = m_pRandom ? *m_pRandom : system;
    picked = ReadNumber(FreeIndexAt(source.Below(free)));
    if (picked.IsValid())
        return PickResult::Picked;
    return m_bDamaged ? PickResult::Damaged : PickResult::NoneFree;
}

LoNuInfo NuFileDeal::DrawRandomNumber() {
    LoNuInfo picked;
    Pick(picked);
    return picked;
}
