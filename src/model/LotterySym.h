#pragma once

#include "model/SymBitDataArray.h"

#include <QList>
#include <QString>
#include <QStringList>

class Archive;

// A prize level's rolling symbols: the movie per character position and the stored layout of
// the symbol windows, one row per number on the screen.
class LotterySym {
public:
    LotterySym();

    // Empty layout of rows x columns cells and one empty movie name per column. The valid flag is
    // left to the caller.
    void ResetLayout(int rows, int columns);
    // Drops the layout together with the per-position movies.
    void ClearLayout();
    int GetColumnCount() const;
    // The movie of a character position: its own when one is set and the file exists, else the
    // default movie; always absolute.
    QString GetSymbolFile(int column) const;

    void Serialize(Archive& ar);

    friend bool operator==(const LotterySym&, const LotterySym&) = default;

    QStringList m_listFiles; // empty or missing entry = the default movie
    qint32 m_bLayoutValid = 0;
    QList<SymBitDataArray> m_listLayout;
    QString m_strDefaultFile;
};
