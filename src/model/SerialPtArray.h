#pragma once

#include "model/SerialPt.h"
#include "model/WinRect.h"

#include <QList>

class Archive;

// A rectangle with an optional polygon: the outline of the bulletin board traced from its shape
// picture (with the picture's rectangle), or one cell of the symbol layout (a symbol window's
// rectangle on the screen, no points).
class SerialPtArray {
public:
    static const char* ClassName() { return "SerialPtArray"; }

    SerialPtArray() = default;
    SerialPtArray(const SerialPtArray& other);
    SerialPtArray& operator=(const SerialPtArray& other);
    SerialPtArray(SerialPtArray&&) = default;
    SerialPtArray& operator=(SerialPtArray&&) = default;

    // Drops the points before an outline is traced again; the rectangle stays.
    void RemoveAllPoints();

    void Serialize(Archive& ar);

    friend bool operator==(const SerialPtArray&, const SerialPtArray&) = default;

    qint32 m_nCount = 0; // number of points; equals m_points.size()
    WinRect m_rect;
    QList<SerialPt> m_points;
};
