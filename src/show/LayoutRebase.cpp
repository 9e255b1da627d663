#include "show/LayoutRebase.h"

#include "model/GradeInfo.h"
#include "model/TumoStatus.h"
#include "show/SymbolLayout.h"

namespace {

// An empty stored rectangle means "not placed yet": it stays so, to be placed on first showing.
WinRect MapPlaced(const WinRect& r, const ScreenMapping& mapping) {
    return r.IsRectNull() ? r : mapping.MapRect(r);
}

void MapFont(LogFont& font, const ScreenMapping& mapping) {
    font.lfHeight = mapping.ScaleLength(font.lfHeight);
    font.lfWidth = mapping.ScaleLength(font.lfWidth);
}

} // namespace

void LayoutRebase::MapNotify(LotteryNotify& n, const ScreenMapping& mapping) {
    if (mapping.IsIdentity())
        return;
    n.m_rcBoard = MapPlaced(n.m_rcBoard, mapping);
    n.m_rcNumbers = mapping.ScaleRect(n.m_rcNumbers);
    n.m_shape.m_rect = MapPlaced(n.m_shape.m_rect, mapping);
    for (SerialPt& pt : n.m_shape.m_points)
        pt.m_pt = mapping.ScalePoint(pt.m_pt);
    MapFont(n.m_fontNumbers, mapping);
    MapFont(n.m_fontTitle, mapping);
    n.m_nLineSpace = mapping.ScaleLength(n.m_nLineSpace);
}

void LayoutRebase::MapPanel(APanel& panel, const ScreenMapping& mapping) {
    if (mapping.IsIdentity())
        return;
    panel.m_rect = MapPlaced(panel.m_rect, mapping);
    panel.m_cf.yHeight = mapping.ScaleLength(panel.m_cf.yHeight);
}

void LayoutRebase::MapBanner(LotteryBanner& banner, const ScreenMapping& mapping) {
    banner.m_rect = mapping.MapRect(banner.m_rect);
}

void LayoutRebase::MapSymbols(LotterySym& sym, int rows, int positions,
                              const ScreenMapping& mapping) {
    if (mapping.IsIdentity() || !sym.m_bLayoutValid ||
        SymbolLayout::IsAutomatic(sym, rows, positions))
        return;
    for (SymBitDataArray& row : sym.m_listLayout) {
        for (SerialPtArray& cell : row.m_items)
            cell.m_rect = mapping.MapRect(cell.m_rect);
    }
}

void LayoutRebase::MapStatus(TumoStatus& status, const ScreenMapping& mapping) {
    for (GradeInfo& level : status.Levels()) {
        MapSymbols(level.m_sym, level.m_base.m_nPerScreen, status.m_nuBase.m_nDigits, mapping);
        MapNotify(level.m_notify, mapping);
        MapBanner(level.m_banner, mapping);
        for (APanel& panel : level.m_aPanel.m_listPanels)
            MapPanel(panel, mapping);
    }
}

QRect LayoutRebase::PlacedBounds(const TumoStatus& status) {
    QRect bounds;
    const auto add = [&bounds](const WinRect& r) {
        if (!r.IsRectEmpty())
            bounds = bounds.united(r.toQRect());
    };
    for (const GradeInfo& level : status.Levels()) {
        const LotterySym& sym = level.m_sym;
        if (sym.m_bLayoutValid &&
            !SymbolLayout::IsAutomatic(sym, level.m_base.m_nPerScreen, status.m_nuBase.m_nDigits)) {
            for (const SymBitDataArray& row : sym.m_listLayout) {
                for (const SerialPtArray& cell : row.m_items)
                    add(cell.m_rect);
            }
        }
        add(level.m_notify.m_rcBoard);
        if (level.m_banner.m_bShow)
            add(level.m_banner.m_rect);
        for (const APanel& panel : level.m_aPanel.m_listPanels)
            add(panel.m_rect);
    }
    return bounds;
}
