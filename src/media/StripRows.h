#pragma once

#include <condition_variable>
#include <mutex>

// How far the pixels of a picture decoded on another thread have come, top to bottom. A movie
// whose cells are still being decoded is shown as soon as its first cell is in; whoever needs a
// later cell waits for its rows.
class StripRows {
public:
    // The rows above `rows` are decoded and will not change again.
    void Publish(int rows);
    // Returns once the rows above `rows` are decoded.
    void WaitFor(int rows) const;

private:
    mutable std::mutex m_lock;
    mutable std::condition_variable m_grown;
    int m_rows = 0;
};
