#pragma once

#include "model/ScreenMapping.h"
#include "show/XAPanel.h"

#include <QList>

class APanel;
class LotteryAPanel;

// The text panels of the level on the screen, one per text item, built with the counts of the
// moment: after every draw step, level change and removal they are destroyed and built again.
class InfoPanels {
public:
    InfoPanels(QWidget* owner, XAPanel::MouseRouter router);
    ~InfoPanels();
    InfoPanels(const InfoPanels&) = delete;
    InfoPanels& operator=(const InfoPanels&) = delete;

    // How the stored places and font heights show on the screen in use; panels built from now on
    // follow it.
    void SetScreenMapping(const ScreenMapping& mapping) { m_mapping = mapping; }

    // One panel per item, in list order, at the item's stored rectangle; an item never placed
    // (empty rectangle) keeps the size of its text at the stored corner.
    void Create(const LotteryAPanel& items, int quantity, int drawn);
    void Destroy();
    // One more panel at the end, for an item just added in design mode.
    XAPanel* Append(const APanel& placed, int quantity, int drawn);
    // The panel of an item deleted in design mode goes; an index outside the list is ignored.
    void RemoveAt(int index);

    const QList<XAPanel*>& Panels() const { return m_panels; }
    // The object name of the panel at a place in the list ("panel0", ...).
    static QString PanelName(int index);

private:
    QWidget* m_owner;
    XAPanel::MouseRouter m_router;
    QList<XAPanel*> m_panels;
    ScreenMapping m_mapping;
};
