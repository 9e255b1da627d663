#include "show/BulletinScroll.h"

bool BulletinScroll::Measured(const QList<int>& lineHeights, int areaHeight, int totalHeight) {
    if (!m_bMeasure)
        return false;
    m_lineHeights = lineHeights;
    if (m_lineHeights.isEmpty() || areaHeight >= totalHeight)
        return false;
    m_bMeasure = false;
    return true;
}

void BulletinScroll::Step() {
    if (m_bMeasure || m_lineHeights.isEmpty())
        return;
    const int s = ++m_nScrollLine;
    m_nScrollOffset -= m_lineHeights[s - 1];
    if (s >= m_lineHeights.size()) {
        m_nScrollLine = 0;
        m_nScrollOffset = 0;
    }
}

void BulletinScroll::Reset() {
    m_nScrollLine = 0;
    m_nScrollOffset = 0;
    m_bMeasure = true;
}
