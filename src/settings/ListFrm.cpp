#include "settings/ListFrm.h"

#include "controls/XButton.h"
#include "model/TumoStatus.h"
#include "settings/ListItem.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

ListFrm::ListFrm(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_pViewport = new QWidget(this);
    m_pViewport->setAutoFillBackground(true);
    QPalette palette = m_pViewport->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_pViewport->setPalette(palette);
    m_pViewport->installEventFilter(this);
    m_pScroll = new QScrollBar(Qt::Vertical, this);
    m_pScroll->setSingleStep(1);
    m_pScroll->setPageStep(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->setSpacing(0);
    layout->addWidget(m_pViewport, 1);
    layout->addWidget(m_pScroll);
    UpdateScrollRange();
    connect(m_pScroll, &QScrollBar::valueChanged, this, [this](int value) {
        m_nScrollPos = value;
        ScrollTo(m_nScrollPos);
    });
}

ListFrm::~ListFrm() {
    qDeleteAll(m_listItems);
}

ListItem* ListFrm::Item(int index) const {
    return index >= 0 && index < Count() ? m_listItems.at(index) : nullptr;
}

QString ListFrm::CaptionOf(int row) const {
    if (!m_pStatus)
        return {};
    const int level = PrizeLevels::LevelOfRow(row, Count());
    return level < std::ssize(m_pStatus->Levels()) ? m_pStatus->Level(level).m_base.m_strName
                                                   : QString();
}

ListItem* ListFrm::CreateRow(int index) {
    int y = 0;
    for (int i = 0; i < index; ++i)
        y += m_listItems.at(i)->m_rcNatural.height();
    auto* row = new ListItem(QString(), m_pViewport);
    row->setGeometry(0, y, m_pViewport->width(), ListItem::kHeight);
    row->m_rcNatural = QRect(0, 0, m_pViewport->width(), ListItem::kHeight);
    row->m_rcPosition = row->geometry();
    connect(row, &ListItem::mouseMoved, this, &ListFrm::OnRowMoved);
    connect(row, &ListItem::mousePressed, this, &ListFrm::OnRowPressed);
    connect(row->m_btnBase, &XButton::clicked, this,
            [this, row] { Q_EMIT baseSettingsClicked(int(m_listItems.indexOf(row))); });
    connect(row->m_btnDesign, &XButton::clicked, this,
            [this, row] { Q_EMIT designModeClicked(int(m_listItems.indexOf(row))); });
    m_listItems.insert(index, row);
    row->show();
    return row;
}

void ListFrm::Fill() {
    qDeleteAll(m_listItems);
    m_listItems.clear();
    if (!m_pStatus)
        return;
    const int rows = int(m_pStatus->LevelCount());
    for (int i = 0; i < rows; ++i)
        CreateRow(i);
    RefreshCaptions();
    UpdateScrollRange();
}

void ListFrm::RefreshCaptions() {
    for (int i = 0; i < Count(); ++i)
        m_listItems.at(i)->SetCaption(CaptionOf(i));
}

void ListFrm::UpdateScrollRange() {
    // A single row still gets a range of two steps, so the bar never looks dead.
    const QSignalBlocker quiet(m_pScroll);
    m_pScroll->setRange(0, qMax(Count() - 1, 1));
    m_pScroll->setValue(m_nScrollPos);
}

void ListFrm::SetScrollPos(int pos) {
    m_nScrollPos = pos;
    const QSignalBlocker quiet(m_pScroll);
    m_pScroll->setValue(pos);
}

int ListFrm::SelectItem(int index) {
    if (Count() == 0)
        return -1;
    if (index < 0 || index >= Count())
        index = Count() - 1;
    for (int i = 0; i < Count(); ++i) {
        ListItem* row = m_listItems.at(i);
        if (i == index || row->IsSelected())
            row->SetSelected(i == index);
    }
    RefreshCaptions();
    m_nSelected = index;
    ScrollTo(m_nScrollPos);
    Q_EMIT selectionChanged(index);
    return index;
}

void ListFrm::ScrollTo(int index) {
    if (Count() == 0)
        return;
    const int first = qBound(0, index, Count() - 1);
    int y = 0;
    for (int i = 0; i < Count(); ++i) {
        ListItem* row = m_listItems.at(i);
        if (i < first) {
            row->m_rcPosition = QRect();
        } else {
            row->m_rcPosition = row->m_rcNatural.translated(0, y);
            y += row->m_rcNatural.height();
        }
    }
    for (ListItem* row : m_listItems) {
        row->setGeometry(row->m_rcPosition);
        row->setVisible(!row->m_rcPosition.isEmpty());
        row->update();
    }
}

void ListFrm::AddItem() {
    CreateRow(qMax(Count() - 1, 0));
    UpdateScrollRange();
    SetScrollPos(Count() < 4 ? 0 : Count() - 3);
    SelectItem(Count() - 2);
}

void ListFrm::RemoveItem(int index) {
    if (index < 0 || index >= Count())
        return;
    delete m_listItems.takeAt(index);
    SelectItem(index - 1);
    if (Count() >= 2)
        UpdateScrollRange();
}

void ListFrm::MoveItem(int direction) {
    const PrizeLevels::MoveMenu menu = MenuState();
    if (!m_pStatus || !(direction == kUp ? menu.up : menu.down))
        return;
    const int neighbour = m_nSelected + (direction == kUp ? -1 : 1);
    PrizeLevels::SwapLevels(*m_pStatus, PrizeLevels::LevelOfRow(m_nSelected, Count()),
                            PrizeLevels::LevelOfRow(neighbour, Count()));
    SelectItem(neighbour);
}

PrizeLevels::MoveMenu ListFrm::MenuState() const {
    return m_pStatus ? PrizeLevels::MoveMenuState(m_nSelected, m_pStatus->LastGrade(), Count())
                     : PrizeLevels::MoveMenu{};
}

void ListFrm::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // The layout sizes the viewport only now; the rows take its width.
    layout()->activate();
    for (ListItem* row : m_listItems)
        row->m_rcNatural.setWidth(m_pViewport->width());
    ScrollTo(m_nScrollPos);
}

void ListFrm::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        m_pScroll->setValue(m_pScroll->value() - steps);
    event->accept();
}

bool ListFrm::eventFilter(QObject* watched, QEvent* event) {
    // A click beside every row selects the current row again.
    if (watched == m_pViewport && event->type() == QEvent::MouseButtonPress) {
        SelectItem(m_nSelected);
        ScrollTo(m_nScrollPos);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void ListFrm::OnRowMoved(ListItem* hot) {
    for (ListItem* row : m_listItems)
        row->SetHot(row == hot);
}

void ListFrm::OnRowPressed(ListItem* row, Qt::MouseButton button, QPoint globalPos) {
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    SelectItem(int(m_listItems.indexOf(row)));
    ScrollTo(m_nScrollPos);
    if (button == Qt::RightButton)
        ShowMenu(globalPos + QPoint(5, 5));
}

void ListFrm::ShowMenu(QPoint globalPos) {
    const PrizeLevels::MoveMenu state = MenuState();
    QMenu menu(this);
    QAction* up = menu.addAction(QStringLiteral("Move Up"));
    QAction* down = menu.addAction(QStringLiteral("Move Down"));
    up->setEnabled(state.up);
    down->setEnabled(state.down);
    QAction* chosen = menu.exec(globalPos);
    if (chosen == up)
        MoveItem(kUp);
    else if (chosen == down)
        MoveItem(kDown);
}
