#include "show/CToolWnd.h"

#include "show/AdjustToolIcons.h"
#include "show/CXTracerCollect.h"

#include <QAction>
#include <QCloseEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

bool IsLayoutCommand(int command) {
    switch (command) {
    case CToolWnd::kAlignLeft:
    case CToolWnd::kAlignRight:
    case CToolWnd::kAlignTop:
    case CToolWnd::kAlignBottom:
    case CToolWnd::kSpaceHorizontal:
    case CToolWnd::kSpaceVertical:
    case CToolWnd::kSizeAll:
        return true;
    default:
        return false;
    }
}

} // namespace

QString CToolWnd::TipText(int command) {
    switch (command) {
    case kAlignLeft:
        return QStringLiteral("Align left");
    case kAlignRight:
        return QStringLiteral("Align right");
    case kAlignTop:
        return QStringLiteral("Align top");
    case kAlignBottom:
        return QStringLiteral("Align bottom");
    case kSpaceHorizontal:
        return QStringLiteral("Space evenly on horizon");
    case kSpaceVertical:
        return QStringLiteral("Space evenly on vertical");
    case kSizeAll:
        return QStringLiteral("Size all");
    case kChooseSymbolFile:
        return QStringLiteral("Choose a rolling symbol file.");
    case kAddString:
        return QStringLiteral("Add a new string");
    case kDeleteString:
        return QStringLiteral("delete a string");
    case kQuit:
        return QStringLiteral("Quit");
    default:
        return {};
    }
}

QList<int> CToolWnd::ButtonOrder() {
    return {kAlignLeft,
            kAlignRight,
            kAlignTop,
            kAlignBottom,
            0,
            kSpaceHorizontal,
            kSpaceVertical,
            0,
            kSizeAll,
            0,
            kChooseSymbolFile,
            kAddString,
            kDeleteString,
            0,
            kQuit};
}

bool CToolWnd::IsHiddenFor(int kind, int command) {
    switch (command) {
    case kChooseSymbolFile:
        return kind != CXTracerCollect::kSymbols;
    case kAddString:
    case kDeleteString:
        return kind != CXTracerCollect::kTextPanels;
    default:
        return false;
    }
}

bool CToolWnd::IsEnabledFor(int selected, int command) {
    if (!IsLayoutCommand(command))
        return true;
    if (command == kSpaceHorizontal || command == kSpaceVertical)
        return selected >= 3;
    return selected >= 2;
}

CToolWnd::CToolWnd(CXTracerCollect* collect, int kind, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_pCollect(collect),
      m_toolBar(new QToolBar(this)) {
    setObjectName(QStringLiteral("adjustTool"));
    setWindowTitle(Caption());
    m_toolBar->setIconSize(QSize(AdjustToolIcons::kSide, AdjustToolIcons::kSide));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int command : ButtonOrder()) {
        if (command == 0) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = m_toolBar->addAction(AdjustToolIcons::Icon(command), TipText(command));
        action->setToolTip(TipText(command));
        action->setData(command);
        action->setVisible(!IsHiddenFor(kind, command));
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
        m_buttons.insert(command, action);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolBar);
    UpdateButtons(1);
    setFixedSize(sizeHint());
    if (parent)
        move(parent->mapToGlobal(QPoint(10, 20)));
}

void CToolWnd::UpdateButtons(int selected) {
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        if (IsLayoutCommand(it.key()))
            it.value()->setEnabled(IsEnabledFor(selected, it.key()));
    }
}

void CToolWnd::OnCommand(int command) {
    switch (command) {
    case kAlignLeft:
        OnAlign(TrackerGeometry::Edge::Left);
        break;
    case kAlignRight:
        OnAlign(TrackerGeometry::Edge::Right);
        break;
    case kAlignTop:
        OnAlign(TrackerGeometry::Edge::Top);
        break;
    case kAlignBottom:
        OnAlign(TrackerGeometry::Edge::Bottom);
        break;
    case kSpaceHorizontal:
        OnSpace(Qt::Horizontal);
        break;
    case kSpaceVertical:
        OnSpace(Qt::Vertical);
        break;
    case kSizeAll:
        OnSizeAll();
        break;
    case kQuit:
        OnQuit();
        break;
    default:
        if (m_pCollect && m_pCollect->GetHooks().command)
            m_pCollect->GetHooks().command(command);
        break;
    }
}

QList<QRect> CToolWnd::SelectedFrames(int* reference) const {
    QList<QRect> frames;
    if (reference)
        *reference = -1;
    if (!m_pCollect)
        return frames;
    const int current = m_pCollect->CurrentSelected();
    for (int index : m_pCollect->SelectedIndexes()) {
        if (index == current && reference)
            *reference = int(frames.size());
        const CTRDD* frame = m_pCollect->ActiveFrame(index);
        frames << (frame ? frame->geometry() : QRect());
    }
    return frames;
}

void CToolWnd::MoveSelectedTo(const QList<QRect>& frames) {
    const QList<int> selected = m_pCollect->SelectedIndexes();
    for (int k = 0; k < selected.size() && k < frames.size(); ++k) {
        CTRDD* frame = m_pCollect->ActiveFrame(selected[k]);
        if (!frame)
            continue;
        if (frame->size() != frames[k].size()) {
            frame->setGeometry(frames[k]);
            frame->SetElementRect(frames[k]);
        } else {
            const QPoint move = frames[k].topLeft() - frame->pos();
            frame->Offset(move.x(), move.y(), true);
        }
    }
}

void CToolWnd::OnAlign(TrackerGeometry::Edge edge) {
    int reference = -1;
    const QList<QRect> frames = SelectedFrames(&reference);
    // Without a current element to follow nothing moves.
    if (reference < 0 || frames.size() < 2)
        return;
    MoveSelectedTo(TrackerGeometry::Align(frames, reference, edge));
}

void CToolWnd::OnSizeAll() {
    int reference = -1;
    const QList<QRect> frames = SelectedFrames(&reference);
    if (reference < 0 || frames.size() < 2)
        return;
    MoveSelectedTo(TrackerGeometry::SizeAll(frames, reference));
}

void CToolWnd::OnSpace(Qt::Orientation orientation) {
    const QList<QRect> frames = SelectedFrames(nullptr);
    if (frames.size() < 3)
        return;
    const QList<QRect> spaced = TrackerGeometry::SpaceEvenly(frames, orientation);
    const QList<int> selected = m_pCollect->SelectedIndexes();
    // The first and the last stay where they are and are not told anything.
    for (int k = 0; k < selected.size(); ++k) {
        CTRDD* frame = m_pCollect->ActiveFrame(selected[k]);
        if (!frame || spaced[k] == frames[k])
            continue;
        const QPoint move = spaced[k].topLeft() - frames[k].topLeft();
        frame->Offset(move.x(), move.y(), true);
    }
}

void CToolWnd::OnQuit() {
    if (m_pCollect)
        m_pCollect->EndPlacement();
    else
        deleteLater();
}

void CToolWnd::closeEvent(QCloseEvent* event) {
    // Closing the window is the Quit button: the placement ends and the window goes with it.
    event->ignore();
    OnQuit();
}
