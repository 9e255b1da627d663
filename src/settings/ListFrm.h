#pragma once

#include "settings/PrizeLevels.h"

#include <QFrame>
#include <QList>

class ListItem;
class QScrollBar;
class TumoStatus;

// The list of the prize levels page: a column of rows (ListItem), one per prize level in draw
// order and the default level last, scrolled row by row. It keeps the status's level list in
// step with its rows when levels move; adding and deleting levels is the page's, which then adds
// or removes the row here.
class ListFrm : public QFrame {
    Q_OBJECT

public:
    enum Direction { kDown = 0, kUp = 1 };

    explicit ListFrm(QWidget* parent = nullptr);
    ~ListFrm() override;

    void SetStatus(TumoStatus* status) { m_pStatus = status; }

    // Drops every row and makes one per level, the default level's last.
    void Fill();
    int Count() const { return int(m_listItems.size()); }
    ListItem* Item(int index) const;
    QScrollBar* ScrollBar() const { return m_pScroll; }

    // Selects a row (an index out of range selects the last) and returns its index.
    int SelectItem(int index);
    // Makes row `index` the first one shown.
    void ScrollTo(int index);
    // A row for the level the page has just appended after the last prize level.
    void AddItem();
    void RemoveItem(int index);
    // Moves the selected level one place up or down in the draw order; the selection follows it.
    void MoveItem(int direction);
    // The two entries of the row menu for the selected row.
    PrizeLevels::MoveMenu MenuState() const;

    QList<ListItem*> m_listItems;
    TumoStatus* m_pStatus = nullptr;
    int m_nSelected = 0;
    int m_nScrollPos = 0;

Q_SIGNALS:
    void selectionChanged(int index);
    void baseSettingsClicked(int row);
    void designModeClicked(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ListItem* CreateRow(int index);
    QString CaptionOf(int row) const;
    void RefreshCaptions();
    void UpdateScrollRange();
    void SetScrollPos(int pos);
    void OnRowMoved(ListItem* hot);
    void OnRowPressed(ListItem* row, Qt::MouseButton button, QPoint globalPos);
    void ShowMenu(QPoint globalPos);

    QWidget* m_pViewport = nullptr;
    QScrollBar* m_pScroll = nullptr;
};
