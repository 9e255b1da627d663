#pragma once

#include <QByteArray>
#include <QtGlobal>

// Finds the records of "data.dat" in one pass over its units, however the file is cut into
// blocks: the scan state (including a marker unit at the very end of a block) carries over to the
// next block, so no unit is read twice and the pass always ends. An entry is produced only for a
// complete record that an entry can describe; a record whose text is too long for the 16-bit
// lengths, or that starts beyond the 32-bit offsets, is counted as skipped.
class PoolIndexBuilder {
public:
    // The next units of the file, in order.
    void Feed(const char16_t* units, qsizetype count);
    // The entries completed since the last call, in file order.
    QByteArray TakeEntries();

    // Bytes from the file's start to the end of the last complete record: what follows is an
    // unfinished record.
    quint64 CompleteBytes() const { return m_completeBytes; }
    qint64 Records() const { return m_records; }
    qint64 Skipped() const { return m_skipped; }

private:
    enum class State { NewRecord, Number, Info };

    void endRecord(quint64 endMarkerPos);

    State m_state = State::NewRecord;
    bool m_afterMarker1 = false; // the unit before is the first unit of the marker sought
    quint64 m_pos = 0;           // unit position of the next unit fed
    quint64 m_recordStart = 0;
    quint64 m_numberUnits = 0;
    quint64 m_infoStart = 0;
    quint64 m_completeBytes = 0;
    qint64 m_records = 0;
    qint64 m_skipped = 0;
    QByteArray m_entries;
};
