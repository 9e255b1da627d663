#pragma once

#include "show/CTRDD.h"
#include "show/CToolWnd.h"

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

// One element of a placement: its window and, while it is selected, its two frames.
struct TrackedElement {
    QPointer<QWidget> element;
    bool selected = false;
    QPointer<CTRDD> active; // follows the mouse
    QPointer<CTRDD> ghost;  // marks where the element was while it is dragged
};

// The elements of one design-mode placement and which of them are selected. Selected elements
// get a frame with sizing handles; when a drag ends they follow their frames and are told their
// new rectangle (UM_TRACK_RECT, here the trackRect hook). The adjust tool window of the placement
// is created here and kept informed of the number of selected elements.
class CXTracerCollect {
public:
    // Element kinds of a placement.
    enum Kind { kSymbols = 0, kBoard = 1, kNumberArea = 2, kBanner = 3, kTextPanels = 4 };

    // What the owner does for the placement. Every hook may be empty.
    struct Hooks {
        // An element was moved to `rect` (owner coordinates): UM_TRACK_RECT.
        std::function<int(QWidget* element, const QRect& rect)> trackRect;
        // The adjust tool's Quit: the new rectangles go into the level.
        std::function<void(int kind)> storeBack;
        // Adjust tool commands that are the owner's (32785, 32827, 32832).
        std::function<void(int id)> command;
    };

    CXTracerCollect();
    virtual ~CXTracerCollect();
    CXTracerCollect(const CXTracerCollect&) = delete;
    CXTracerCollect& operator=(const CXTracerCollect&) = delete;

    void SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    const Hooks& GetHooks() const { return m_hooks; }

    // Shows the adjust tool, creating it for this kind when there is none.
    void ShowToolWindow();
    CToolWnd* ToolWindow() const { return m_pToolWnd; }
    // Moves the adjust tool off the elements being placed, when it covers one.
    void PlaceToolWindow();

    // Appends an element, not selected; the first one becomes the only selected element.
    void Add(QWidget* element);
    int Count() const { return m_nCount; }
    QWidget* ElementAt(int index) const;
    int IndexOf(const QWidget* element) const;
    // The first element whose rectangle holds a screen point, -1 for none.
    int HitTest(QPoint globalPos) const;

    bool IsSelected(int index) const;
    int SelectedCount() const;
    QList<int> SelectedIndexes() const;
    CTRDD* ActiveFrame(int index) const;
    CTRDD* GhostFrame(int index) const;

    // The only selected element; the others lose their frames.
    void SelectOnly(int index);
    // Adds an element to the selection and makes it the current one.
    void AddToSelection(int index);
    // 1-based; 0 or -1 for none. The current element's frames get red handles.
    void SetCurrent(int current);
    int Current() const { return m_nCurrent; }
    // The current element when it is selected, else -1 (0-based).
    int CurrentSelected() const;

    // An element drag from a click on an element: every selected frame moves with the mouse and
    // the elements follow when it ends.
    void BeginDrag(QPoint globalPos);
    void DragTo(QPoint globalPos);
    void EndDrag();
    bool IsDragging() const { return m_bDragging; }

    // A handle drag on one frame resizes every selected frame alike, without telling the
    // elements; a frame that would become too small keeps its rectangle.
    void ResizeSelected(int mode, QPoint delta);
    // The selected elements go to their frames and are told.
    void NotifySelected();
    void Notify(QWidget* element, const QRect& rect);

    // Moves an element's frame to a frame rectangle (owner coordinates) unless that is too small.
    void SetFrameRect(int index, const QRect& frame);
    // Takes one element out of the placement, its frames destroyed.
    void Remove(int index);
    // Every frame destroyed, the list emptied.
    void RemoveAll();
    // The adjust tool's Quit: the store-back of the kind, then every element goes, then the tool.
    void EndPlacement();
    // Puts the frames back on top of the owner's other children.
    void RaiseFrames();

    QWidget* m_pParent = nullptr; // parent of the frames: the owner
    int m_nKind = kSymbols;
    QPointer<CToolWnd> m_pToolWnd;
    int m_nCurrent = -1;
    bool m_bDragging = false;
    QPoint m_ptLast;
    QWidget* m_pOwner = nullptr;
    int m_nCount = 0;
    QList<TrackedElement> m_list;

private:
    void CreateFrames(int index, bool current);
    void DestroyFrames(int index);
    void Recolor();
    void SelectionChanged();

    Hooks m_hooks;
};
