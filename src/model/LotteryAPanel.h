#pragma once

#include "model/APanel.h"

#include <QList>

class Archive;

// The text panels of a prize level, in display order.
class LotteryAPanel {
public:
    // Appends a panel that its window places later (rectangle all 0).
    void AddPanel(const QString& text, const CharFormat& cf);
    // Replaces text and format of a panel; it stays where it was placed. An index outside the
    // list changes nothing.
    void SetPanel(int index, const QString& text, const CharFormat& cf);
    void RemoveAll();

    void Serialize(Archive& ar);

    friend bool operator==(const LotteryAPanel&, const LotteryAPanel&) = default;

    QList<APanel> m_listPanels;
};
