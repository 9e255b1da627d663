#include "store/PlainImportLine.h"

#include <QtAlgorithms>

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
#if defined(__SSE2__)
    if (units >= 8) {
        const __m128i zero = _mm_setzero_si128();
        const auto eight = [&zero, in, out](qsizetype at) {
            const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + at));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), _mm_unpacklo_epi8(b, zero));
        };
        qsizetype i = 0;
        for (; i + 16 <= units; i += 16) {
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(b, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(b, zero));
        }
        if (i + 8 <= units) {
            eight(i);
            i += 8;
        }
        // The rest as the last eight units, some of them written twice.
        if (i < units)
            eight(units - 8);
        return;
    }
    if (units >= 4) {
        // Numbers are mostly this short: two four-unit pieces that may overlap.
        const __m128i zero = _mm_setzero_si128();
        const auto four = [&zero, in, out](qsizetype at) {
            qint32 bytes;
            std::memcpy(&bytes, in + at, 4);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out + at),
                             _mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), zero));
        };
        four(0);
        four(units - 4);
        return;
    }
#endif
    for (qsizetype i = 0; i < units; ++i)
        out[i] = in[i];
}

inline void widen(const char16_t* in, qsizetype units, char16_t* out) {
    std::memcpy(out, in, size_t(units) * 2);
}

// Lines are short: a plain loop beats a library call here.
template <typename Unit>
qsizetype findUnit(const Unit* line, qsizetype from, qsizetype to, char16_t unit) {
    for (qsizetype i = from; i < to; ++i) {
        if (line[i] == unit)
            return i;
    }
    return -1;
}

#if defined(__SSE2__)
// What a line of 16 to 64 bytes holds, one bit per byte, found 16 bytes at a time.
struct LineMasks {
    quint64 other = 0;     // not plain
    quint64 separator = 0; // the separator's first unit
    quint64 space = 0;
    quint64 backslash = 0;
};

constexpr qsizetype kMaskedMin = 16;
constexpr qsizetype kMaskedMax = 64;

inline LineMasks lineMasks(const quint8* line, qsizetype units, char separator) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i sep = _mm_set1_epi8(separator);
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i below = _mm_set1_epi8(0x09 - 1);
    const __m128i above = _mm_set1_epi8(0x0D + 1);
    LineMasks m;
    const auto add = [&](qsizetype at) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + at));
        const auto bits = [at](__m128i v) { return quint64(unsigned(_mm_movemask_epi8(v))) << at; };
        m.other |= bits(_mm_or_si128(b, _mm_cmpeq_epi8(b, zero)));
        m.separator |= bits(_mm_cmpeq_epi8(b, sep));
        // Signed compares: right for the plain bytes, and a line with others is not used.
        m.space |=
            bits(_mm_or_si128(_mm_cmpeq_epi8(b, blank),
                              _mm_and_si128(_mm_cmpgt_epi8(b, below), _mm_cmpgt_epi8(above, b))));
        m.backslash |= bits(_mm_cmpeq_epi8(b, backslash));
    };
    qsizetype i = 0;
    for (; i + 16 <= units; i += 16)
        add(i);
    // The rest as the last 16 bytes, some of them seen twice.
    if (i < units)
        add(units - 16);
    return m;
}

// The bits of positions from to to - 1.
inline quint64 bitsBetween(qsizetype from, qsizetype to) {
    if (from >= to)
        return 0;
    const quint64 upTo = to >= 64 ? ~quint64(0) : (quint64(1) << to) - 1;
    return upTo & ~((quint64(1) << from) - 1);
}
#endif

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
    qsizetype at = -1;
    qsizetype numberFrom = 0, numberTo = units, infoFrom = 0, infoTo = 0;
    const auto place = [&] {
        if (at == 0) {
            // The number is "0"; the information is the whole line, separator included.
            numberTo = 0;
            infoTo = units;
        } else if (at > 0) {
            numberTo = at;
            infoFrom = at + m_separator.size();
            infoTo = units;
        }
    };
    bool masked = false;
    quint64 backslashes = 0;
#if defined(__SSE2__)
    if constexpr (sizeof(Unit) == 1) {
        if (units >= kMaskedMin && units <= kMaskedMax) {
            masked = true;
            const LineMasks m =
                lineMasks(line, units, char(m_separator.isEmpty() ? 0 : m_separator[0].unicode()));
            if (m.other != 0)
                return Outcome::NotPlain;
            for (quint64 c = m_bNeverFound ? 0 : m.separator; c != 0; c &= c - 1) {
                const qsizetype candidate = qCountTrailingZeroBits(c);
                if (candidate + m_separator.size() > units)
                    break;
                qsizetype k = 1;
                while (k < m_separator.size() && line[candidate + k] == m_separator[k].unicode())
                    ++k;
                if (k == m_separator.size()) {
                    at = candidate;
                    break;
                }
            }
            place();
            const auto trim = [&m](qsizetype& from, qsizetype& to) {
                const quint64 kept = ~m.space & bitsBetween(from, to);
                if (kept == 0) {
                    to = from;
                    return;
                }
                from = qCountTrailingZeroBits(kept);
                to = 64 - qCountLeadingZeroBits(kept);
            };
            trim(numberFrom, numberTo);
            trim(infoFrom, infoTo);
            backslashes = m.backslash & bitsBetween(infoFrom, infoTo);
        }
    }
#endif
    if (!masked) {
        if (!isPlain(line, units))
            return Outcome::NotPlain;
        at = find(line, units);
        place();
        const auto trim = [line](qsizetype& from, qsizetype& to) {
            while (from < to && isSpace(line[from]))
                ++from;
            while (to > from && isSpace(line[to - 1]))
                --to;
        };
        trim(numberFrom, numberTo);
        trim(infoFrom, infoTo);
    }

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
        for (qsizetype i = 0; i < numberUnits; ++i) {
            if (unsigned(out[i] - u'a') <= unsigned(u'z' - u'a'))
                out[i] = char16_t(out[i] - u'a' + u'A');
        }
    }
    char16_t* o = out + numberUnits;
    *o++ = 0x00FD;
    *o++ = 0x00BA;
    const qsizetype infoUnits = infoTo - infoFrom;
    widen(line + infoFrom, infoUnits, o);
    // Backslash-n stands for a line break, stored as CR LF: the same length, so the pairs are
    // mended in place, taken from the left (an n is never a backslash, so no pair overlaps).
    const auto mend = [&](qsizetype i) {
        if (i + 1 < infoTo && line[i + 1] == u'n') {
            o[i - infoFrom] = u'\r';
            o[i + 1 - infoFrom] = u'\n';
        }
    };
    if (masked) {
        for (; backslashes != 0; backslashes &= backslashes - 1)
            mend(qCountTrailingZeroBits(backslashes));
    } else {
        for (qsizetype i = findUnit(line, infoFrom, infoTo, u'\\'); i >= 0;
             i = findUnit(line, i + 1, infoTo, u'\\'))
            mend(i);
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
