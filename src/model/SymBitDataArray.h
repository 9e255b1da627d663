#pragma once

#include "model/SerialPtArray.h"

#include <QList>

class Archive;

// One row of the symbol layout (one number on the screen): a cell per character position.
class SymBitDataArray {
public:
    static const char* ClassName() { return "SymBitDataArray"; }

    SymBitDataArray() = default;
    SymBitDataArray(const SymBitDataArray& other);
    SymBitDataArray& operator=(const SymBitDataArray& other);
    SymBitDataArray(SymBitDataArray&&) = default;
    SymBitDataArray& operator=(SymBitDataArray&&) = default;

    void Serialize(Archive& ar);

    friend bool operator==(const SymBitDataArray&, const SymBitDataArray&) = default;

    qint32 m_nCount = 0; // number of cells; equals m_items.size()
    QList<SerialPtArray> m_items;
};
