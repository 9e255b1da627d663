#pragma once

class NuFileDeal;
class TumoStatus;

// After the settings window changed the numbers: the pool is scanned again and its summary
// (count, characters, positions) replaced by what the scan found. An empty pool is filled with 1
// to 100 first, as a new pool is. When the number of positions changed, every level's stored
// symbol layout is made anew for it, so the symbols are laid out again.
class PoolReanalysis {
public:
    // savedDigits: the positions when the settings window opened. Returns whether the positions
    // changed. A pool that is not open or was found damaged is left alone (false).
    static bool Run(NuFileDeal& numbers, TumoStatus& status, int savedDigits);
};
