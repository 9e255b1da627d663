#include "store/PoolIndexBuilder.h"

#include "store/PoolRecord.h"

void PoolIndexBuilder::Feed(const char16_t* units, qsizetype count) {
    for (qsizetype k = 0; k < count; ++k, ++m_pos) {
        const char16_t u = units[k];
        switch (m_state) {
        case State::NewRecord:
            m_recordStart = m_pos;
            m_state = State::Number;
            m_afterMarker1 = (u == PoolRecord::kNumberEnd1);
            break;
        case State::Number:
            if (m_afterMarker1 && u == PoolRecord::kNumberEnd2) {
                m_numberUnits = m_pos - 1 - m_recordStart;
                m_infoStart = m_pos + 1;
                m_state = State::Info;
                m_afterMarker1 = false;
            } else {
                m_afterMarker1 = (u == PoolRecord::kNumberEnd1);
            }
            break;
        case State::Info:
            if (m_afterMarker1 && u == PoolRecord::kRecordEnd2) {
                endRecord(m_pos);
                m_state = State::NewRecord;
                m_afterMarker1 = false;
            } else {
                m_afterMarker1 = (u == PoolRecord::kRecordEnd1);
            }
            break;
        }
    }
}

void PoolIndexBuilder::endRecord(quint64 endMarkerPos) {
    const quint64 infoUnits = endMarkerPos - 1 - m_infoStart;
    m_completeBytes = 2 * (endMarkerPos + 1);
    const quint64 offset = 2 * m_recordStart;
    if (offset >= PoolRecord::kMaxDataBytes || m_numberUnits > PoolRecord::kMaxTextUnits ||
        infoUnits > PoolRecord::kMaxTextUnits) {
        ++m_skipped;
        return;
    }
    PoolRecord::Entry e;
    e.offset = static_cast<quint32>(offset);
    e.numberBytes = static_cast<quint16>(2 * m_numberUnits);
    e.infoBytes = static_cast<quint16>(2 * infoUnits);
    PoolRecord::AppendEntry(m_entries, e);
    ++m_records;
}

QByteArray PoolIndexBuilder::TakeEntries() {
    QByteArray out;
    out.swap(m_entries);
    return out;
}
