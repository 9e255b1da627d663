#include "show/CTRManage.h"

#include <QCursor>
#include <QGuiApplication>

CTRManage::CTRManage() = default;

CTRManage::~CTRManage() {
    SetDragCursor(false);
}

void CTRManage::Begin(QWidget* owner, int kind) {
    SetDragCursor(false);
    m_collect.RemoveAll();
    m_collect.m_pOwner = owner;
    m_collect.m_pParent = owner;
    m_collect.m_nKind = kind;
    m_bPendingSingle = false;
    m_nHit = -1;
}

int CTRManage::Track(QWidget* window) {
    m_collect.Add(window);
    return 1;
}

bool CTRManage::RouteMouse(MouseRouting::Kind kind, QPoint globalPos,
                           Qt::KeyboardModifiers modifiers) {
    using Kind = MouseRouting::Kind;
    switch (kind) {
    case Kind::LeftDown:
        OnLeftDown(globalPos, modifiers.testFlag(Qt::ControlModifier));
        return false;
    case Kind::LeftUp:
        OnLeftUp(globalPos);
        return false;
    case Kind::Move:
        if (globalPos != m_ptDown)
            m_bPendingSingle = false;
        m_collect.DragTo(globalPos);
        return true;
    case Kind::RightUp: {
        const int hit = m_collect.HitTest(globalPos);
        if (hit >= 0 && m_elementMenu)
            m_elementMenu(hit, globalPos);
        return true;
    }
    default:
        return true;
    }
}

void CTRManage::OnLeftDown(QPoint globalPos, bool control) {
    m_ptDown = globalPos;
    const int hit = m_collect.HitTest(globalPos);
    if (hit < 0)
        return;
    m_nHit = hit;
    if (control) {
        m_collect.AddToSelection(hit);
    } else if (m_collect.SelectedCount() > 1) {
        // Releasing without a move reduces the selection to this element; a drag moves them all.
        m_bPendingSingle = true;
    } else {
        if (m_collect.IsSelected(hit))
            m_collect.m_nCurrent = 0;
        m_collect.SelectOnly(hit);
    }
    if (m_collect.IsSelected(hit)) {
        m_collect.BeginDrag(globalPos);
        SetDragCursor(true);
    }
}

void CTRManage::OnLeftUp(QPoint globalPos) {
    m_collect.EndDrag();
    SetDragCursor(false);
    if (m_bPendingSingle) {
        const int hit = m_collect.HitTest(globalPos);
        if (hit >= 0)
            m_collect.SelectOnly(hit);
        m_bPendingSingle = false;
    }
}

void CTRManage::SetDragCursor(bool on) {
    if (on == m_bDragCursor)
        return;
    m_bDragCursor = on;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::SizeAllCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}
