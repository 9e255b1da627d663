#pragma once

#include <QString>
#include <QtGlobal>

// Turns one line of a number file straight into the bytes of a pool record when the line holds
// plain ASCII only (the units 0x01 to 0x7F), which is what nearly every number file is. It follows
// the rules of SplitAtSeparator, the backslash-n line breaks and the upper-case flag, and writes
// UTF-16 units into the caller's buffer with no string built per line: an import of a million
// lines would otherwise spend most of its time allocating. Any other line is left to the general
// path, which decodes it and checks it for the characters the pool reserves; a plain line holds
// none of them.
class PlainImportLine {
public:
    PlainImportLine(const QString& separator, bool makeUpper);

    enum class Outcome { NotPlain, NoNumber, Record };
    struct Record {
        qsizetype numberUnits = 0;
        qsizetype infoUnits = 0;
    };

    // The most bytes a record made from a line of that many units takes.
    static constexpr qsizetype MaxRecordBytes(qsizetype units) { return 2 * units + 8; }

    // line: the line's units, its line end excluded; out has room for MaxRecordBytes(units)
    // bytes. Record: out holds the whole record (number, 0x00FD 0x00BA, information, 0x00FE
    // 0x00DB). NoNumber: a plain line whose number text is empty, which is skipped.
    Outcome Make(const quint8* line, qsizetype units, char16_t* out, Record& record) const;
    Outcome Make(const char16_t* line, qsizetype units, char16_t* out, Record& record) const;

private:
    template <typename Unit>
    Outcome make(const Unit* line, qsizetype units, char16_t* out, Record& record) const;
    template <typename Unit> qsizetype find(const Unit* line, qsizetype units) const;

    QString m_separator;
    // Empty, or holding a unit no plain line has: never found.
    bool m_bNeverFound = false;
    bool m_bUpper;
};
