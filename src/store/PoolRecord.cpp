#include "store/PoolRecord.h"

#include <QtEndian>

// The pool files are UTF-16LE and are read and written as the in-memory units.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the pool code assumes a little-endian host");

PoolRecord::TextCheck PoolRecord::Check(QStringView text) {
    if (text.size() > kMaxTextUnits)
        return TextCheck::TooLong;
    char16_t previous = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0)
            return TextCheck::BadCharacter;
        if ((previous == kNumberEnd1 && u == kNumberEnd2) ||
            (previous == kRecordEnd1 && u == kRecordEnd2))
            return TextCheck::BadCharacter;
        previous = u;
    }
    return TextCheck::Ok;
}

void PoolRecord::Append(QByteArray& out, QStringView number, QStringView info) {
    static const char16_t numberEnd[2] = {kNumberEnd1, kNumberEnd2};
    static const char16_t recordEnd[2] = {kRecordEnd1, kRecordEnd2};
    out.append(reinterpret_cast<const char*>(number.utf16()), number.size() * 2);
    out.append(reinterpret_cast<const char*>(numberEnd), kMarkerBytes);
    out.append(reinterpret_cast<const char*>(info.utf16()), info.size() * 2);
    out.append(reinterpret_cast<const char*>(recordEnd), kMarkerBytes);
}

void PoolRecord::AppendEntry(QByteArray& out, const Entry& entry) {
    char bytes[kEntryBytes];
    qToLittleEndian<quint32>(entry.offset, bytes);
    qToLittleEndian<quint16>(entry.numberBytes, bytes + 4);
    qToLittleEndian<quint16>(entry.infoBytes, bytes + 6);
    out.append(bytes, kEntryBytes);
}

PoolRecord::Entry PoolRecord::ReadEntry(const char* bytes) {
    Entry e;
    e.offset = qFromLittleEndian<quint32>(bytes);
    e.numberBytes = qFromLittleEndian<quint16>(bytes + 4);
    e.infoBytes = qFromLittleEndian<quint16>(bytes + 6);
    return e;
}

bool PoolRecord::DecodeText(const char* span, qsizetype textBytes, char16_t marker1,
                            char16_t marker2, QStringView& text) {
    // Writers only store whole units, and the pool's buffers hold them aligned.
    if (textBytes % 2 != 0 || reinterpret_cast<quintptr>(span) % alignof(char16_t) != 0)
        return false;
    const auto* units = reinterpret_cast<const char16_t*>(span);
    const qsizetype count = textBytes / 2;
    if (units[count] != marker1 && units[count + 1] != marker2)
        return false;
    qsizetype length = 0;
    while (length < count && units[length] != 0)
        ++length;
    text = QStringView(units, length);
    return true;
}
