#include "show/InfoPanels.h"

#include "model/LotteryAPanel.h"
#include "show/LayoutRebase.h"
#include "show/PanelTemplate.h"

InfoPanels::InfoPanels(QWidget* owner, XAPanel::MouseRouter router)
    : m_owner(owner), m_router(std::move(router)) {}

InfoPanels::~InfoPanels() {
    Destroy();
}

void InfoPanels::Create(const LotteryAPanel& items, int quantity, int drawn) {
    for (const APanel& item : items.m_listPanels)
        Append(item, quantity, drawn);
}

XAPanel* InfoPanels::Append(const APanel& placed, int quantity, int drawn) {
    // The level keeps its stored values; the panel shows them on this screen.
    APanel item = placed;
    LayoutRebase::MapPanel(item, m_mapping);
    auto* panel = new XAPanel(m_owner, m_router);
    panel->ShowText(item.m_cf, ExpandInfoTemplate(item.m_strText, quantity, drawn));
    // A count that grew past the stored size would be cut: the panel grows from its stored
    // top-left corner until the text fits (the stored place itself stays as it is).
    const QRect stored = item.m_rect.toQRect();
    const QSize size =
        item.m_rect.IsRectEmpty() ? panel->size() : stored.size().expandedTo(panel->size());
    panel->setGeometry(QRect(QPoint(item.m_rect.left, item.m_rect.top), size));
    panel->show();
    panel->raise();
    panel->setObjectName(PanelName(int(m_panels.size())));
    m_panels.append(panel);
    return panel;
}

QString InfoPanels::PanelName(int index) {
    return QStringLiteral("panel%1").arg(index);
}

void InfoPanels::RemoveAt(int index) {
    if (index < 0 || index >= m_panels.size())
        return;
    delete m_panels.takeAt(index);
    // The names follow the list: a panel's name is its item's place in the level.
    for (int i = index; i < m_panels.size(); ++i)
        m_panels[i]->setObjectName(PanelName(i));
}

void InfoPanels::Destroy() {
    qDeleteAll(m_panels);
    m_panels.clear();
}
