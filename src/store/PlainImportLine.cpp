#include "store/PlainImportLine.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// QChar::isSpace for the units below 0x80.
inline bool isSpace(unsigned u) {
    return u == 0x20 || u - 0x09u <= 0x0Du - 0x09u;
}

// Whether every unit is between 0x01 and 0x7F, a word at a time: subtracting 1 from each unit
// borrows into its top bit only from a zero unit, and a unit of 0x80 or more has a high bit of
// its own.
template <typename Unit> bool isPlain(const Unit* line, qsizetype units) {
    constexpr quint64 ones = sizeof(Unit) == 1 ? 0x0101010101010101u : 0x0001000100010001u;
    constexpr quint64 high = sizeof(Unit) == 1 ? 0x8080808080808080u : 0xFF80FF80FF80FF80u;
    constexpr qsizetype perWord = 8 / sizeof(Unit);
    quint64 flags = 0;
    qsizetype i = 0;
    for (; i + perWord <= units; i += perWord) {
        quint64 w;
        std::memcpy(&w, line + i, 8);
        flags |= (w - ones) | w;
    }
    bool other = (flags & high) != 0;
    for (; i < units; ++i)
        other |= Unit(line[i] - 1) >= 0x7F;
    return !other;
}

inline void widen(const quint8* in, qsizetype units, char16_t* out) {
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= units; i += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(b, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(b, zero));
    }
    if (i + 8 <= units) {
        const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(b, zero));
        i += 8;
    }
#endif
    for (; i < units; ++i)
        out[i] = in[i];
}

inline void widen(const char16_t* in, qsizetype units, char16_t* out) {
    std::memcpy(out, in, size_t(units) * 2);
}

template <typename Unit>
qsizetype findUnit(const Unit* line, qsizetype from, qsizetype to, char16_t unit) {
    if constexpr (sizeof(Unit) == 1) {
        const void* hit = std::memchr(line + from, int(unit), size_t(to - from));
        return hit ? static_cast<const Unit*>(hit) - line : -1;
    } else {
        for (qsizetype i = from; i < to; ++i) {
            if (line[i] == unit)
                return i;
        }
        return -1;
    }
}

} // namespace

PlainImportLine::PlainImportLine(const QString& separator, bool makeUpper)
    : m_separator(separator), m_bUpper(makeUpper) {
    m_bNeverFound = separator.isEmpty();
    for (const QChar c : separator)
        m_bNeverFound = m_bNeverFound || c.unicode() == 0 || c.unicode() >= 0x80;
}

// The first occurrence of the separator, as QString::indexOf finds it.
template <typename Unit> qsizetype PlainImportLine::find(const Unit* line, qsizetype units) const {
    if (m_bNeverFound)
        return -1;
    const char16_t* sep = reinterpret_cast<const char16_t*>(m_separator.utf16());
    const qsizetype sepUnits = m_separator.size();
    const qsizetype lastStart = units - sepUnits;
    for (qsizetype at = 0; at <= lastStart; ++at) {
        at = findUnit(line, at, lastStart + 1, sep[0]);
        if (at < 0)
            return -1;
        qsizetype k = 1;
        while (k < sepUnits && line[at + k] == sep[k])
            ++k;
        if (k == sepUnits)
            return at;
    }
    return -1;
}

template <typename Unit>
PlainImportLine::Outcome PlainImportLine::make(const Unit* line, qsizetype units, char16_t* out,
                                               Record& record) const {
    if (units == 0)
        return Outcome::NoNumber;
    if (!isPlain(line, units))
        return Outcome::NotPlain;
    const auto trim = [line](qsizetype& from, qsizetype& to) {
        while (from < to && isSpace(line[from]))
            ++from;
        while (to > from && isSpace(line[to - 1]))
            --to;
    };
    const qsizetype at = find(line, units);
    qsizetype numberFrom = 0, numberTo = units, infoFrom = 0, infoTo = 0;
    if (at == 0) {
        // The number is "0"; the information is the whole line, separator included.
        numberTo = 0;
        infoTo = units;
    } else if (at > 0) {
        numberTo = at;
        infoFrom = at + m_separator.size();
        infoTo = units;
    }
    trim(numberFrom, numberTo);
    trim(infoFrom, infoTo);

    qsizetype numberUnits = numberTo - numberFrom;
    if (at == 0) {
        out[0] = u'0';
        numberUnits = 1;
    } else {
        widen(line + numberFrom, numberUnits, out);
    }
    if (numberUnits == 0)
        return Outcome::NoNumber;
    if (m_bUpper) {
        for (qsizetype i = 0; i < numberUnits; ++i)
            out[i] =
                char16_t(out[i] - (unsigned(out[i] - u'a') <= unsigned(u'z' - u'a') ? 0x20 : 0));
    }
    char16_t* o = out + numberUnits;
    *o++ = 0x00FD;
    *o++ = 0x00BA;
    const qsizetype infoUnits = infoTo - infoFrom;
    widen(line + infoFrom, infoUnits, o);
    // Backslash-n stands for a line break, stored as CR LF: the same length, so the pairs are
    // mended in place, taken from the left.
    for (qsizetype i = findUnit(line, infoFrom, infoTo, u'\\'); i >= 0 && i + 1 < infoTo;
         i = findUnit(line, i + 1, infoTo, u'\\')) {
        if (line[i + 1] == u'n') {
            o[i - infoFrom] = u'\r';
            o[i + 1 - infoFrom] = u'\n';
            ++i;
        }
    }
    o += infoUnits;
    *o++ = 0x00FE;
    *o++ = 0x00DB;
    record.numberUnits = numberUnits;
    record.infoUnits = infoUnits;
    return Outcome::Record;
}

PlainImportLine::Outcome PlainImportLine::Make(const quint8* line, qsizetype units, char16_t* out,
                                               Record& record) const {
    return make(line, units, out, record);
}

PlainImportLine::Outcome PlainImportLine::Make(const char16_t* line, qsizetype units, char16_t* out,
                                               Record& record) const {
    return make(line, units, out, record);
}
