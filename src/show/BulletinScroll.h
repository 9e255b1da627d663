#pragma once

#include <QList>

// The board's scroll position. While the content fits its area the line heights are measured
// again at every paint; once the content is taller, the heights freeze and each step moves one
// line out at the top, until the last line has reached the top and the content jumps back.
class BulletinScroll {
public:
    // The board steps one line this often, whatever the level's stored speed.
    static constexpr int kStepMs = 700;

    bool IsMeasuring() const { return m_bMeasure; }
    int Offset() const { return m_nScrollOffset; }
    int Line() const { return m_nScrollLine; }
    const QList<int>& LineHeights() const { return m_lineHeights; }

    // The heights of the content just laid out. Returns true when the content has turned out
    // taller than its area: measuring stops and the caller starts stepping.
    bool Measured(const QList<int>& lineHeights, int areaHeight, int totalHeight);

    // One step: the next line leaves the top, or the content returns to its start.
    void Step();

    // Back to the start; the next paint measures again.
    void Reset();

private:
    int m_nScrollOffset = 0; // 0 or negative
    QList<int> m_lineHeights;
    bool m_bMeasure = true;
    int m_nScrollLine = 0;
};
