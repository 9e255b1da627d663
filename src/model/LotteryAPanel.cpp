#include "model/LotteryAPanel.h"

#include "model/Archive.h"

void LotteryAPanel::AddPanel(const QString& text, const CharFormat& cf) {
    m_listPanels.append(APanel(text, cf));
}

void LotteryAPanel::SetPanel(int index, const QString& text, const CharFormat& cf) {
    if (index < 0 || index >= m_listPanels.size())
        return;
    APanel& panel = m_listPanels[index];
    panel.m_strText = text;
    panel.m_cf = cf;
}

void LotteryAPanel::RemoveAll() {
    m_listPanels.clear();
}

void LotteryAPanel::Serialize(Archive& ar) {
    ar.SerializeObjectList(m_listPanels);
}
