#include "show/CXTracerCollect.h"

#include "show/CToolWnd.h"
#include "show/ToolWindowPlace.h"
#include "show/TrackerGeometry.h"

namespace {

// A frame goes when its element stops being selected; it may be the one whose mouse event is
// being handled, so it is hidden now and deleted once that is over.
void Discard(QPointer<CTRDD>& frame) {
    if (!frame)
        return;
    frame->m_pCollect = nullptr;
    frame->m_pPartner = nullptr;
    frame->hide();
    frame->deleteLater();
    frame = nullptr;
}

} // namespace

CXTracerCollect::CXTracerCollect() = default;

CXTracerCollect::~CXTracerCollect() {
    RemoveAll();
    if (m_pToolWnd) {
        m_pToolWnd->m_pCollect = nullptr;
        delete m_pToolWnd.data();
    }
}

void CXTracerCollect::ShowToolWindow() {
    if (!m_pToolWnd) {
        m_pToolWnd = new CToolWnd(this, m_nKind, m_pParent);
        m_pToolWnd->UpdateButtons(SelectedCount());
    }
    m_pToolWnd->show();
    PlaceToolWindow();
}

void CXTracerCollect::PlaceToolWindow() {
    if (!m_pToolWnd || !m_pParent)
        return;
    // The elements with their frames' handles, on the screen.
    QList<QRect> placed;
    for (const TrackedElement& entry : std::as_const(m_list)) {
        if (entry.element)
            placed << TrackerGeometry::FrameOf(
                QRect(entry.element->mapToGlobal(QPoint(0, 0)), entry.element->size()));
    }
    const QRect screen(m_pParent->mapToGlobal(QPoint(0, 0)), m_pParent->size());
    m_pToolWnd->move(ToolWindowPlace::Choose(m_pToolWnd->frameGeometry().size(), screen, placed,
                                             m_pToolWnd->pos()));
}

void CXTracerCollect::Add(QWidget* element) {
    TrackedElement entry;
    entry.element = element;
    m_list.append(entry);
    m_nCount = int(m_list.size());
    if (m_nCount == 1)
        SelectOnly(0);
    PlaceToolWindow();
}

QWidget* CXTracerCollect::ElementAt(int index) const {
    return index >= 0 && index < m_list.size() ? m_list[index].element.data() : nullptr;
}

int CXTracerCollect::IndexOf(const QWidget* element) const {
    for (int i = 0; i < m_list.size(); ++i) {
        if (element && m_list[i].element == element)
            return i;
    }
    return -1;
}

int CXTracerCollect::HitTest(QPoint globalPos) const {
    for (int i = 0; i < m_list.size(); ++i) {
        const QWidget* e = m_list[i].element;
        if (e && QRect(e->mapToGlobal(QPoint(0, 0)), e->size()).contains(globalPos))
            return i;
    }
    return -1;
}

bool CXTracerCollect::IsSelected(int index) const {
    return index >= 0 && index < m_list.size() && m_list[index].selected;
}

int CXTracerCollect::SelectedCount() const {
    return int(SelectedIndexes().size());
}

QList<int> CXTracerCollect::SelectedIndexes() const {
    QList<int> selected;
    for (int i = 0; i < m_list.size(); ++i) {
        if (m_list[i].selected)
            selected << i;
    }
    return selected;
}

CTRDD* CXTracerCollect::ActiveFrame(int index) const {
    return index >= 0 && index < m_list.size() ? m_list[index].active.data() : nullptr;
}

CTRDD* CXTracerCollect::GhostFrame(int index) const {
    return index >= 0 && index < m_list.size() ? m_list[index].ghost.data() : nullptr;
}

void CXTracerCollect::CreateFrames(int index, bool current) {
    TrackedElement& entry = m_list[index];
    entry.selected = true;
    if (entry.active)
        return;
    entry.ghost = new CTRDD(this, entry.element, false, m_pParent);
    entry.active = new CTRDD(this, entry.element, true, m_pParent);
    entry.active->m_pPartner = entry.ghost;
    entry.ghost->SetCurrent(current);
    entry.active->SetCurrent(current);
    entry.ghost->hide();
    entry.active->show();
    entry.active->raise();
}

void CXTracerCollect::DestroyFrames(int index) {
    TrackedElement& entry = m_list[index];
    entry.selected = false;
    Discard(entry.active);
    Discard(entry.ghost);
}

void CXTracerCollect::SelectOnly(int index) {
    if (index < 0 || index >= m_list.size())
        return;
    for (int i = 0; i < m_list.size(); ++i) {
        if (i != index && m_list[i].selected)
            DestroyFrames(i);
    }
    CreateFrames(index, true);
    SelectionChanged();
}

void CXTracerCollect::AddToSelection(int index) {
    if (index < 0 || index >= m_list.size())
        return;
    CreateFrames(index, false);
    m_nCurrent = index + 1;
    SelectionChanged();
}

void CXTracerCollect::SetCurrent(int current) {
    m_nCurrent = current;
    Recolor();
}

int CXTracerCollect::CurrentSelected() const {
    const int index = m_nCurrent - 1;
    return IsSelected(index) ? index : -1;
}

void CXTracerCollect::Recolor() {
    if (m_nCurrent < 1 || m_nCurrent > m_list.size())
        return;
    for (int i = 0; i < m_list.size(); ++i) {
        const bool current = i == m_nCurrent - 1;
        if (m_list[i].active)
            m_list[i].active->SetCurrent(current);
        if (m_list[i].ghost)
            m_list[i].ghost->SetCurrent(current);
    }
}

void CXTracerCollect::SelectionChanged() {
    Recolor();
    if (m_pToolWnd)
        m_pToolWnd->UpdateButtons(SelectedCount());
}

void CXTracerCollect::BeginDrag(QPoint globalPos) {
    m_bDragging = true;
    m_ptLast = globalPos;
    for (TrackedElement& entry : m_list) {
        if (!entry.selected || !entry.active)
            continue;
        if (entry.ghost) {
            entry.ghost->setGeometry(entry.active->geometry());
            entry.ghost->show();
        }
        entry.active->raise();
    }
}

void CXTracerCollect::DragTo(QPoint globalPos) {
    if (!m_bDragging)
        return;
    const QPoint delta = globalPos - m_ptLast;
    for (TrackedElement& entry : m_list) {
        if (entry.selected && entry.active)
            entry.active->Offset(delta.x(), delta.y(), false);
    }
    m_ptLast = globalPos;
}

void CXTracerCollect::EndDrag() {
    if (!m_bDragging)
        return;
    for (TrackedElement& entry : m_list) {
        if (!entry.selected || !entry.active)
            continue;
        entry.active->ParkPartner();
        entry.active->SetElementRect(entry.active->geometry());
    }
    m_bDragging = false;
}

void CXTracerCollect::ResizeSelected(int mode, QPoint delta) {
    for (TrackedElement& entry : m_list) {
        if (entry.selected && entry.active)
            entry.active->setGeometry(
                TrackerGeometry::Resize(entry.active->geometry(), mode, delta));
    }
}

void CXTracerCollect::NotifySelected() {
    for (TrackedElement& entry : m_list) {
        if (entry.selected && entry.active)
            entry.active->SetElementRect(entry.active->geometry());
    }
}

void CXTracerCollect::Notify(QWidget* element, const QRect& rect) {
    if (element && m_hooks.trackRect)
        m_hooks.trackRect(element, rect);
}

void CXTracerCollect::SetFrameRect(int index, const QRect& frame) {
    CTRDD* active = ActiveFrame(index);
    if (active && TrackerGeometry::IsAcceptable(frame))
        active->setGeometry(frame);
}

void CXTracerCollect::Remove(int index) {
    if (index < 0 || index >= m_list.size())
        return;
    DestroyFrames(index);
    m_list.removeAt(index);
    m_nCount = int(m_list.size());
    if (m_nCurrent == index + 1)
        m_nCurrent = -1;
    else if (m_nCurrent > index + 1)
        --m_nCurrent;
    SelectionChanged();
}

void CXTracerCollect::RemoveAll() {
    for (int i = 0; i < m_list.size(); ++i)
        DestroyFrames(i);
    m_list.clear();
    m_nCount = 0;
    m_bDragging = false;
}

void CXTracerCollect::EndPlacement() {
    if (m_pToolWnd)
        m_pToolWnd->hide();
    if (m_hooks.storeBack)
        m_hooks.storeBack(m_nKind);
    RemoveAll();
    if (m_pToolWnd) {
        m_pToolWnd->m_pCollect = nullptr;
        m_pToolWnd->deleteLater();
        m_pToolWnd = nullptr;
    }
    m_nCurrent = -1;
}

void CXTracerCollect::RaiseFrames() {
    for (TrackedElement& entry : m_list) {
        if (entry.ghost)
            entry.ghost->raise();
        if (entry.active)
            entry.active->raise();
    }
}
