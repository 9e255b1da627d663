#pragma once

#include <QByteArray>
#include <QStringView>
#include <QtGlobal>

// The byte form of the number pool. "data.dat" holds records one after another: the number text
// in UTF-16LE, the units FD BA, the information text, the units FE DB; no header, no terminator.
// "index.dat" holds one 8-byte entry per record: the record's offset (uint32), the byte lengths
// of its number and information texts (uint16 each).
class PoolRecord {
public:
    static constexpr char16_t kNumberEnd1 = 0x00FD;
    static constexpr char16_t kNumberEnd2 = 0x00BA;
    static constexpr char16_t kRecordEnd1 = 0x00FE;
    static constexpr char16_t kRecordEnd2 = 0x00DB;
    static constexpr qsizetype kMarkerBytes = 4;
    static constexpr qsizetype kEntryBytes = 8;
    // A text's byte length must fit the entry's 16 bits.
    static constexpr qsizetype kMaxTextUnits = 32767;
    // Offsets are 32 bits wide.
    static constexpr quint64 kMaxDataBytes = quint64(1) << 32;

    struct Entry {
        quint32 offset = 0;
        quint16 numberBytes = 0;
        quint16 infoBytes = 0;

        quint64 RecordBytes() const {
            return quint64(numberBytes) + quint64(infoBytes) + 2 * kMarkerBytes;
        }
        quint64 End() const { return quint64(offset) + RecordBytes(); }
    };

    enum class TextCheck { Ok, TooLong, BadCharacter };
    // A text that the index rebuild could not find again exactly is refused: a NUL ends a text
    // when it is read, a marker pair ends it when the index is rebuilt.
    static TextCheck Check(QStringView text);
    static bool IsStorable(QStringView number, QStringView info) {
        return Check(number) == TextCheck::Ok && Check(info) == TextCheck::Ok;
    }

    static quint64 RecordBytes(QStringView number, QStringView info) {
        return 2 * quint64(number.size() + info.size()) + 2 * kMarkerBytes;
    }
    // Appends the record; the caller has checked the texts.
    static void Append(QByteArray& out, QStringView number, QStringView info);
    static void AppendEntry(QByteArray& out, const Entry& entry);
    static Entry ReadEntry(const char* bytes);

    // A text as the reader takes it: the span of textBytes followed by its two-unit marker is
    // sound when the first marker unit or the second one is where it belongs. The text ends at
    // its first zero unit. Returns false for a damaged span.
    static bool DecodeText(const char* span, qsizetype textBytes, char16_t marker1,
                           char16_t marker2, QStringView& text);
};
