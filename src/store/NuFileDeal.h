#pragma once

#include "model/LotteryNuBase.h"
#include "store/LoNuInfo.h"
#include "store/PoolRecord.h"
#include "store/sel.h"

#include <QFile>
#include <QList>
#include <QString>

#include <functional>

class FairRandom;
class ImportLineReader;
class Prompter;
class SafeFileWriter;
class ProgressSink;
class TumoStatus;

// The pool of raffle numbers: "data.dat" holds the records, "index.dat" one entry per record so
// that record i is found with one seek (see PoolRecord for the bytes). The pool is addressed by
// index, 0 to GetCount() - 1; the levels' drawn lists hold these indexes.
//
// Readers are kept away from a pool that an operation is rewriting (m_bReady 0): ReadNumber then
// answers "no record". Long operations report through the progress sink and stop when the
// program is asked to quit; they never leave records without index entries. A damaged record
// is not fatal here: the index is dropped so that the next start rebuilds it, the operator is
// told, and IsDamaged() turns true so that the owner can save its winners and end the program.
//
// A bulk filling either appends to the pool or replaces it. A replacement is built aside in
// "data.dat.new" and "index.dat.new" and put in place only once whole, so that a kill, a full
// disk or an unreadable file leaves the old pool as it was; OpenStore finishes or drops what a
// killed replacement left.
class NuFileDeal {
public:
    // The longest number text the Numbers page takes; an import stores none longer either.
    static constexpr qsizetype kMaxNumberUnits = 80;

    enum class Fill { Append, Replace };

    NuFileDeal();
    ~NuFileDeal();
    NuFileDeal(const NuFileDeal&) = delete;
    NuFileDeal& operator=(const NuFileDeal&) = delete;

    void SetPrompter(Prompter* prompter) { m_pPrompter = prompter; }
    void SetProgressSink(ProgressSink* sink) { m_pProgress = sink; }
    // The random source of the picks; by default the operating system's.
    void SetPickSource(FairRandom* source);

    // 1 when both files are open (an empty pool is filled with 1 to 100 and a stale index is
    // rebuilt, updating the summary), -1 when a file cannot be opened.
    qint8 OpenStore();
    LoNuInfo ReadNumber(quint32 index);
    // The records of many indexes, answered in the order asked, as ReadNumber would answer each
    // one; both files are read in one forward pass in file order, not with a seek per record.
    QList<LoNuInfo> ReadNumbers(const QList<quint32>& indexes);
    // 0 when appended; -1 when the number text is empty or a text cannot be stored.
    qint32 AddNumber(const QString& number, const QString& info);
    // 1 done, -1 when the index is not a record's or nothing could be changed.
    qint8 ModifyNumber(const LoNuInfo& info);
    // The ranges are ascending, do not overlap and lie inside the pool; false when they do not,
    // or when nothing could be deleted.
    bool DeleteNumbers(const QList<sel>& ranges);
    // Rebuilds "index.dat" from "data.dat". False only when the program was asked to quit.
    bool GenerateIndex();
    // Scans every record: count receives the number of records, chars gets the characters of the
    // number texts appended in order of first occurrence. Returns the longest number's length.
    qint32 AnalyseBitsAndChars(qint32& count, QString& chars);
    // The same scan, stored as the pool summary: longest number, count and characters.
    void AnalyseInto(LotteryNuBase& base);
    void Clear();
    void Close();
    // Appends first to last ("%u", information "Info." + the number), or replaces the pool with
    // them. 1 done, 0 when stopped (a replacement then leaves the old pool).
    qint32 CreateContinuousNumbers(quint32 first, quint32 last, Fill fill = Fill::Append);
    // Appends the lines of a number file, or replaces the pool with them. 1 when the whole file
    // was read, 0 when it does not exist, cannot be opened or read, or the operation was stopped
    // (a replacement then leaves the old pool). Lines that hold only white space are skipped.
    // A replacement that would store no number at all leaves the old pool too, and says how many
    // lines could not be stored.
    qint32 ImportFromFile(const QString& path, const QString& separator, qint32 makeUpper,
                          Fill fill = Fill::Append);
    enum class PickResult { Picked, NoneFree, Damaged };
    // A number that no level has drawn yet, each such number equally likely. NoneFree when every
    // number was drawn; Damaged when the pool cannot be read (the operator has been told).
    PickResult Pick(LoNuInfo& picked);
    // The same, with index -1 for either failure (see IsDamaged).
    LoNuInfo DrawRandomNumber();
    // The numbers a pick chooses from (the pool, up to the stored count, that no level drew),
    // and the k-th of them in pool order; k below FreeCount().
    quint64 FreeCount() const;
    quint32 FreeIndexAt(quint64 k) const;

    // The number of records: the entries of "index.dat".
    quint32 GetCount() const { return static_cast<quint32>(m_nEntries); }
    bool IsReady() const { return m_bReady != 0; }
    bool IsDamaged() const { return m_bDamaged; }

    quint8 m_bReady = 1;
    TumoStatus* m_pStatus = nullptr;
    QString m_strFolder;

private:
    class Appender;

    QString filePath(const char* name) const;
    bool openFile(QFile& file, const QString& prefix);
    bool openFiles();
    void closeFiles();
    bool readEntry(quint32 index, PoolRecord::Entry& entry);
    bool readAt(QFile& file, quint64 offset, char* data, qint64 size);
    // The record of an entry from its bytes (the entry's span as ReadNumber reads it); false when
    // its markers are wrong.
    static bool decodeRecord(const char* span, const PoolRecord::Entry& e, quint32 index,
                             LoNuInfo& out);
    static qint64 readSpan(const PoolRecord::Entry& e);
    void damaged();
    quint32 pickLimit() const;
    bool tailIsUnindexed();
    void keepDamagedTail(quint64 from);
    void updateSummary();
    bool refuseTexts(const QString& number, const QString& info);
    bool copyRange(SafeFileWriter& to, quint64 from, quint64 end);
    bool replaceData(SafeFileWriter& rewrite);
    qint32 analyse(qint32& count, QString& chars);
    void tell(const QString& text);
    qint32 appendRange(quint32 first, quint32 last);
    qint32 appendLines(QFile& file, const QString& separator, bool makeUpper);
    static bool isBlankLine(ImportLineReader& reader, QByteArrayView bytes);
    qint32 replaceWith(const std::function<qint32()>& fill);
    bool openAside();
    bool placeAside();
    void dropAside();
    bool finishPlacing();
    void finishReplacement();

    QFile m_fileData;
    QFile m_fileIndex;
    quint64 m_nDataBytes = 0; // length of "data.dat"
    quint64 m_nEntries = 0;   // entries of "index.dat"
    bool m_bDamaged = false;
    // Lines of the last import that hold a number yet could not be stored, and all the lines it
    // read without storing them (those, blank lines and lines without a number).
    qint64 m_nRefusedLines = 0;
    qint64 m_nLinesNotStored = 0;
    Prompter* m_pPrompter = nullptr;
    ProgressSink* m_pProgress = nullptr;
    FairRandom* m_pRandom = nullptr;
};
