#include "store/NuFileDeal.h"

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

constexpr qint64 kCopyBlockBytes = 1 << 20;  // rewrites copy in blocks of 1 MiB
constexpr qint64 kIndexBlockBytes = 2 << 20; // the rebuild reads blocks of 2 MiB
constexpr qint64 kScanWindowBytes = 4 << 20; // the scan reads records in windows of 4 MiB
constexpr qsizetype kAppendFlushBytes = 4 << 20;
// An import reads its file in large blocks; a line may still span any number of them.
constexpr qsizetype kImportReadBytes = 1 << 20;

QString upperAscii(QString text) {
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return text;
}

// An import's progress by the bytes read. The shown percentage grows only at byte counts worked
// out once per percentage with the meter's own arithmetic, so a line costs one comparison and
// the texts are the ones a step after every line would show; the meter still gets a step every
// few lines, to let input through.
class ImportProgress {
public:
    ImportProgress(ProgressMeter& meter, qint64 length)
        : m_meter(meter), m_length(float(std::max<qint64>(1, length))),
          m_search(2 * std::max<qint64>(1, length)), m_next(firstReaching(1)) {}

    bool Step(qint64 bytes) {
        if (bytes < m_next && --m_countdown > 0)
            return true;
        m_countdown = kLinesPerStep;
        if (bytes >= m_next)
            m_next = firstReaching(int(percent(bytes)) + 1);
        return m_meter.Step(percent(bytes));
    }

private:
    static constexpr int kLinesPerStep = 16;

    float percent(qint64 bytes) const { return float(bytes) * 100.0f / m_length; }

    // The least byte count whose whole percentage reaches p; the percentage never falls as the
    // count grows.
    qint64 firstReaching(int p) const {
        if (p > 100 || int(percent(m_search)) < p)
            return std::numeric_limits<qint64>::max();
        qint64 low = 0, high = m_search;
        while (low < high) {
            const qint64 mid = low + (high - low) / 2;
            if (int(percent(mid)) >= p)
                high = mid;
            else
                low = mid + 1;
        }
        return low;
    }

    ProgressMeter& m_meter;
    float m_length;
    qint64 m_search;
    qint64 m_next;
    int m_countdown = kLinesPerStep;
};

} // namespace

// Collects records and their index entries and writes them in large pieces, records first, so
// that an entry never points past the data. A failed write takes both files back to where they
// were, so a full disk leaves whole records only.
class NuFileDeal::Appender {
public:
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

LoNuInfo NuFileDeal::ReadNumber(quint32 index) {
    if (!m_bReady || index >= m_nEntries)
        return LoNuInfo();
    PoolRecord::Entry e;
    if (!readEntry(index, e)) {
        damaged();
        return LoNuInfo();
    }
    const qint64 numberSpan = e.numberBytes + PoolRecord::kMarkerBytes;
    const qint64 span = e.infoBytes > 0 ? qint64(e.RecordBytes()) : numberSpan;
    QByteArray buf(span, Qt::Uninitialized);
    QStringView number, info;
    const bool sound =
        e.offset + quint64(span) <= m_nDataBytes &&
        readAt(m_fileData, e.offset, buf.data(), span) &&
        PoolRecord::DecodeText(buf.constData(), e.numberBytes, PoolRecord::kNumberEnd1,
                               PoolRecord::kNumberEnd2, number) &&
        (e.infoBytes == 0 ||
         PoolRecord::DecodeText(buf.constData() + numberSpan, e.infoBytes, PoolRecord::kRecordEnd1,
                                PoolRecord::kRecordEnd2, info));
    if (!sound) {
        damaged();
        return LoNuInfo();
    }
    return LoNuInfo(qint32(index), number.trimmed().toString(), info.trimmed().toString());
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

// ---- Index rebuild and scan -----------------------------------------------------------------

bool NuFileDeal::GenerateIndex() {
    ProgressMeter meter(m_pProgress, StoreTexts::TaskIndex());
    const quint8 wasReady = m_bReady;
    m_bReady = 0;
    // The new index is written beside the old one and replaces it whole: a quit or a failure
    // midway leaves the old index as it was.
    SafeFileWriter out(filePath("index.dat"));
    if (!out.open()) {
        tell(StoreTexts::IndexFile() + out.errorString());
        m_bReady = wasReady;
        return true;
    }
    PoolIndexBuilder builder;
    const quint64 length = m_nDataBytes;
    QByteArray block;
    bool ok = true;
    for (quint64 pos = 0; pos < length && ok;) {
        const qint64 n = qint64(std::min<quint64>(length - pos, kIndexBlockBytes));
        block.resize(n);
        ok = readAt(m_fileData, pos, block.data(), n);
        if (!ok)
            break;
        builder.Feed(reinterpret_cast<const char16_t*>(block.constData()), n / 2);
        ok = out.write(builder.TakeEntries());
        pos += quint64(n);
        if (!meter.Step(float(pos) * 100.0f / float(length))) {
            out.cancel();
            return false;
        }
    }
    // A failed write keeps the old index whole; an empty or cut one would lose numbers.
    if (!ok || !out.commit()) {
        tell(StoreTexts::WriteError());
        m_bReady = wasReady;
        return true;
    }
    // What follows the last complete record is an interrupted append: a record appended after
    // it would merge with it. Its bytes are kept aside for the operator.
    if (builder.CompleteBytes() < length)
        keepDamagedTail(builder.CompleteBytes());
    m_fileIndex.close();
    m_fileIndex.setFileName(filePath("index.dat"));
    openFile(m_fileIndex, StoreTexts::IndexFile());
    m_nEntries = quint64(builder.Records());
    m_bReady = 1;
    return true;
}

bool NuFileDeal::tailIsUnindexed() {
    if (m_nEntries == 0)
        return m_nDataBytes > 0;
    PoolRecord::Entry last;
    return !readEntry(quint32(m_nEntries - 1), last) || last.End() != m_nDataBytes;
}

void NuFileDeal::keepDamagedTail(quint64 from) {
    const QString keptPath = filePath("data.dat.damaged");
    QByteArray kept;
    if (QFile old(keptPath); old.exists()) {
        if (!old.open(QIODevice::ReadOnly)) {
            tell(StoreTexts::WriteError());
            return;
        }
        kept = old.readAll();
    }
    const qint64 cut = qint64(m_nDataBytes - from);
    const qsizetype oldSize = kept.size();
    kept.resize(oldSize + cut);
    QString error;
    if (!readAt(m_fileData, from, kept.data() + oldSize, cut) ||
        !SafeFileWriter::WriteWhole(keptPath, kept, &error)) {
        // Nothing is cut that could not be kept.
        tell(StoreTexts::WriteError());
        return;
    }
    m_fileData.resize(qint64(from));
    m_nDataBytes = from;
    tell(StoreTexts::Damaged());
}

void NuFileDeal::AnalyseInto(LotteryNuBase& base) {
    qint32 count = 0;
    QString chars; // a fresh string: the scan appends, and the summary holds each character once
    base.m_nDigits = AnalyseBitsAndChars(count, chars);
    base.m_nCount = count;
    base.m_strChars = chars;
}

qint32 NuFileDeal::AnalyseBitsAndChars(qint32& count, QString& chars) {
    ProgressMeter meter(m_pProgress, StoreTexts::TaskAnalyse());
    count = qint32(m_nEntries);
    std::vector<bool> seen(0x10000, false);
    QString found;
    qsizetype longest = 0;

    // Records are read in index order through large windows of "data.dat" rather than one by
    // one; each is checked as ReadNumber checks it.
    constexpr qint64 kEntriesPerChunk = 65536;
    QByteArray entries, window;
    quint64 windowStart = 0;
    for (quint64 i = 0; i < m_nEntries; ++i) {
        const qint64 slot = qint64(i % kEntriesPerChunk);
        if (slot == 0) {
            const qint64 n = qint64(std::min<quint64>(m_nEntries - i, kEntriesPerChunk));
            entries.resize(n * PoolRecord::kEntryBytes);
            if (!readAt(m_fileIndex, i * PoolRecord::kEntryBytes, entries.data(), entries.size())) {
                damaged();
                count = 0;
                return 0;
            }
        }
        const PoolRecord::Entry e =
            PoolRecord::ReadEntry(entries.constData() + slot * PoolRecord::kEntryBytes);
        const quint64 span = quint64(e.numberBytes) + PoolRecord::kMarkerBytes;
        if (e.offset < windowStart || e.offset + span > windowStart + quint64(window.size())) {
            bool ok = e.offset + span <= m_nDataBytes;
            if (ok) {
                windowStart = e.offset;
                window.resize(qint64(std::min<quint64>(m_nDataBytes - e.offset,
                                                       std::max<quint64>(span, kScanWindowBytes))));
                ok = readAt(m_fileData, windowStart, window.data(), window.size());
            }
            if (!ok) {
                damaged();
                count = 0;
                return 0;
            }
        }
        QStringView number;
        if (!PoolRecord::DecodeText(window.constData() + (e.offset - windowStart), e.numberBytes,
                                    PoolRecord::kNumberEnd1, PoolRecord::kNumberEnd2, number)) {
            damaged();
            count = 0;
            return 0;
        }
        number = number.trimmed();
        longest = std::max(longest, number.size());
        for (const QChar c : number) {
            if (!seen[c.unicode()]) {
                seen[c.unicode()] = true;
                found.append(c);
            }
        }
        if (!meter.Step(float(i) * 100.0f / float(m_nEntries)))
            return 0;
    }
    chars.append(found);
    return qint32(longest);
}

void NuFileDeal::updateSummary() {
    if (!m_pStatus)
        return;
    QString chars;
    qint32 count = 0;
    const qint32 digits = AnalyseBitsAndChars(count, chars);
    // A damaged pool is rebuilt at the next start; its partial scan says nothing.
    if (m_bDamaged)
        return;
    LotteryNuBase& base = m_pStatus->m_nuBase;
    if (digits == base.m_nDigits && count == base.m_nCount)
        return;
    base.m_nDigits = digits;
    base.m_nCount = count;
    base.m_strChars = chars;
    // Every level lays its symbols out again for the new number of positions.
    for (GradeInfo& level : m_pStatus->Levels())
        level.m_sym.m_bLayoutValid = 0;
}

// ---- Bulk filling ---------------------------------------------------------------------------

qint32 NuFileDeal::CreateContinuousNumbers(quint32 first, quint32 last) {
    if (tailIsUnindexed() && !GenerateIndex())
        return 0;
    bool stopped = false;
    {
        ProgressMeter meter(m_pProgress, StoreTexts::TaskRange());
        m_bReady = 0;
        Appender appender(*this);
        // 64-bit, so that a range ending at the largest value ends.
        const quint64 total = first <= last ? quint64(last) - first : 0;
        for (quint64 v = first, k = 0; v <= last; ++v, ++k) {
            const QString number = QString::number(v);
            const QString info = QStringLiteral("Info.") + number;
            const Appender::Result r = appender.Add(number, info);
            if (r != Appender::Result::Added) {
                tell(r == Appender::Result::TooMany ? StoreTexts::TooMany()
                                                    : StoreTexts::WriteError());
                stopped = true;
                break;
            }
            // A range of one number is done after its first record.
            const float percent = total == 0 ? 100.0f : float(k) * 100.0f / float(total);
            if (!meter.Step(percent)) {
                appender.Flush();
                return 0;
            }
        }
        if (!appender.Flush()) {
            tell(StoreTexts::WriteError());
            stopped = true;
        }
    }
    // The records were indexed as they were appended: nothing else needs a pass.
    m_bReady = 1;
    return stopped ? 0 : 1;
}

qint32 NuFileDeal::ImportFromFile(const QString& path, const QString& separator, qint32 makeUpper) {
    if (!QFileInfo(path).isFile())
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(StoreTexts::OpenFileError());
        return 0;
    }
    if (tailIsUnindexed() && !GenerateIndex())
        return 0;
    bool stopped = false;
    qint64 refused = 0;
    {
        ProgressMeter meter(m_pProgress, StoreTexts::TaskImport());
        m_bReady = 0;
        Appender appender(*this);
        ImportLineReader reader(file, kImportReadBytes);
        const PlainImportLine plain(separator, makeUpper != 0);
        ImportProgress progress(meter, file.size());
        bool toldTooLong = false;
        QByteArrayView bytes;
        QString number, info;
        for (;;) {
            const ImportLineReader::Result r = reader.NextRaw(bytes);
            if (r == ImportLineReader::Result::End)
                break;
            Appender::Result a = Appender::Result::Added;
            if (r == ImportLineReader::Result::TooLong) {
                if (!toldTooLong)
                    tell(StoreTexts::LineTooLong());
                toldTooLong = true;
            } else {
                const qsizetype units = reader.IsUtf16() ? bytes.size() / 2 : bytes.size();
                char16_t* room = appender.Room(PlainImportLine::MaxRecordBytes(units));
                PlainImportLine::Record made;
                const PlainImportLine::Outcome o =
                    reader.IsUtf16() ? plain.Make(reinterpret_cast<const char16_t*>(bytes.data()),
                                                  units, room, made)
                                     : plain.Make(reinterpret_cast<const quint8*>(bytes.data()),
                                                  units, room, made);
                if (o == PlainImportLine::Outcome::Record) {
                    a = appender.Commit(made.numberUnits, made.infoUnits);
                } else if (o == PlainImportLine::Outcome::NotPlain) {
                    SplitAtSeparator(reader.Decode(bytes), separator, number, info);
                    info.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
                    if (makeUpper)
                        number = upperAscii(number);
                    if (!number.isEmpty() && !PoolRecord::IsStorable(number, info))
                        ++refused;
                    else if (!number.isEmpty())
                        a = appender.Add(number, info);
                }
            }
            if (a != Appender::Result::Added) {
                tell(a == Appender::Result::TooMany ? StoreTexts::TooMany()
                                                    : StoreTexts::WriteError());
                stopped = true;
                break;
            }
            if (!progress.Step(reader.BytesConsumed())) {
                appender.Flush();
                return 0;
            }
        }
        if (!appender.Flush()) {
            tell(StoreTexts::WriteError());
            stopped = true;
        }
    }
    file.close();
    if (refused > 0)
        tell(StoreTexts::LinesRefused(refused));
    // The records were indexed as they were appended: nothing else needs a pass.
    m_bReady = 1;
    return stopped ? 0 : 1;
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
