#include "model/LotterySym.h"

#include "base/AppPaths.h"
#include "model/Archive.h"

#include <QFileInfo>

#include <algorithm>

LotterySym::LotterySym() : m_strDefaultFile(MakeAbsolutePath(QStringLiteral("DefSym.swf"))) {}

void LotterySym::ResetLayout(int rows, int columns) {
    ClearLayout();
    columns = std::max(columns, 0);
    SymBitDataArray row;
    row.m_nCount = columns;
    row.m_items.resize(columns);
    for (int r = 0; r < rows; ++r)
        m_listLayout.append(row);
    for (int c = 0; c < columns; ++c)
        m_listFiles.append(QString());
}

void LotterySym::ClearLayout() {
    m_listLayout.clear();
    m_listFiles.clear();
}

int LotterySym::GetColumnCount() const {
    return m_listLayout.isEmpty() ? 0 : m_listLayout.first().m_nCount;
}

QString LotterySym::GetSymbolFile(int column) const {
    // A per-position name chosen in a file dialog is absolute; a relative one is taken from the
    // program folder, never from the working directory.
    if (column >= 0 && column < m_listFiles.size()) {
        const QString& name = m_listFiles.at(column);
        if (!name.isEmpty() && QFileInfo(ResolveFileCase(MakeAbsolutePath(name))).isFile())
            return MakeAbsolutePath(name);
    }
    return MakeAbsolutePath(m_strDefaultFile);
}

void LotterySym::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strDefaultFile = ar.RelativePath(m_strDefaultFile);
        ar << m_strDefaultFile << m_bLayoutValid;
    } else {
        ar >> m_strDefaultFile >> m_bLayoutValid;
        m_strDefaultFile = ar.AbsolutePath(m_strDefaultFile);
    }
    ar.SerializeStringList(m_listFiles);
    ar.SerializeObjectList(m_listLayout);
}
