#pragma once

#include <QtGlobal>

class LotteryNuBase;
class QIODevice;

// A pool's summary read straight from the bytes of its two files, wherever they lie: the pool's
// own "data.dat" and "index.dat", or their records in a scheme pack. It counts the index entries
// and reads each number as the pool reads it (trimmed), for the longest one and the characters in
// order of first occurrence.
class PoolSummary {
public:
    // A span of a device: the file's bytes start at `at` and run for `bytes`.
    struct Span {
        QIODevice* device;
        qint64 at;
        qint64 bytes;
    };

    // Fills count, digits and characters; the spare fields stay. False when a record cannot be
    // read as a pool record (the summary is then left as it was).
    static bool Read(const Span& data, const Span& index, LotteryNuBase& summary);
};
