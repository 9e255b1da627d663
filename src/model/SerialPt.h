#pragma once

#include <QPoint>

class Archive;

// One point of a traced outline.
class SerialPt {
public:
    static const char* ClassName() { return "SerialPt"; }

    SerialPt() = default;
    explicit SerialPt(const QPoint& pt) : m_pt(pt) {}

    void Serialize(Archive& ar);

    friend bool operator==(const SerialPt&, const SerialPt&) = default;

    QPoint m_pt;
};
