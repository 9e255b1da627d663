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

constexpr qint64 kIndexBlockBytes = 2 << 20; // the rebuild reads blocks of 2 MiB
constexpr qint64 kScanWindowBytes = 4 << 20; // the scan reads records in windows of 4 MiB

} // namespace

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
