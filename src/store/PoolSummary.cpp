#include "store/PoolSummary.h"

#include "model/LotteryNuBase.h"
#include "store/PoolRecord.h"

#include <QIODevice>
#include <QString>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr qint64 kEntriesPerPiece = 65536;
constexpr qint64 kWindowBytes = 4 << 20;

bool readAt(const PoolSummary::Span& span, qint64 offset, QByteArray& out, qint64 bytes) {
    out.resize(bytes);
    return span.device->seek(span.at + offset) && span.device->read(out.data(), bytes) == bytes;
}

} // namespace

bool PoolSummary::Read(const Span& data, const Span& index, LotteryNuBase& summary) {
    const qint64 entries = index.bytes / PoolRecord::kEntryBytes;
    if (entries > std::numeric_limits<qint32>::max())
        return false;
    std::vector<bool> seen(0x10000, false);
    QString chars;
    qsizetype longest = 0;
    QByteArray piece, window;
    qint64 windowStart = 0;
    for (qint64 i = 0; i < entries; ++i) {
        const qint64 slot = i % kEntriesPerPiece;
        if (slot == 0 && !readAt(index, i * PoolRecord::kEntryBytes, piece,
                                 std::min(entries - i, kEntriesPerPiece) * PoolRecord::kEntryBytes))
            return false;
        const PoolRecord::Entry e =
            PoolRecord::ReadEntry(piece.constData() + slot * PoolRecord::kEntryBytes);
        const qint64 offset = qint64(e.offset);
        const qint64 span = qint64(e.numberBytes) + PoolRecord::kMarkerBytes;
        if (offset + span > data.bytes)
            return false;
        if (offset < windowStart || offset + span > windowStart + window.size()) {
            windowStart = offset;
            if (!readAt(data, offset, window,
                        std::min(data.bytes - offset, std::max(span, kWindowBytes))))
                return false;
        }
        QStringView number;
        if (!PoolRecord::DecodeText(window.constData() + (offset - windowStart), e.numberBytes,
                                    PoolRecord::kNumberEnd1, PoolRecord::kNumberEnd2, number))
            return false;
        number = number.trimmed();
        longest = std::max(longest, number.size());
        for (const QChar c : number) {
            if (!seen[c.unicode()]) {
                seen[c.unicode()] = true;
                chars.append(c);
            }
        }
    }
    summary.m_nCount = qint32(entries);
    summary.m_nDigits = qint32(longest);
    summary.m_strChars = chars;
    return true;
}
