#include "media/StripRows.h"

void StripRows::Publish(int rows) {
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        if (rows <= m_rows)
            return;
        m_rows = rows;
    }
    m_grown.notify_all();
}

void StripRows::WaitFor(int rows) const {
    std::unique_lock<std::mutex> lock(m_lock);
    m_grown.wait(lock, [this, rows] { return m_rows >= rows; });
}
