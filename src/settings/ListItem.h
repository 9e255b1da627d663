#pragma once

#include <QRect>
#include <QWidget>

class XButton;

// One row of the prize levels list: the level's name in large bold letters and two flat buttons,
// "Base settings" and "Design mode". A selected row is taller and blue with a white caption. The
// row only shows; the list (ListFrm) decides what its mouse input and buttons do.
class ListItem : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 40;
    static constexpr int kSelectedGrowth = 30;

    ListItem(const QString& caption, QWidget* parent);

    void SetCaption(const QString& caption);
    QString Caption() const { return m_strCaption; }
    void SetSelected(bool selected);
    bool IsSelected() const { return m_bSelected; }
    // The row under the mouse is framed.
    void SetHot(bool hot);
    bool IsHot() const { return m_bHot; }

    // Verdana (or the nearest sans face here), extra bold, in a 20-pixel character cell.
    static QFont MakeCaptionFont();

    XButton* m_btnBase = nullptr;
    XButton* m_btnDesign = nullptr;
    // Its own size at the top left, and where the list puts it (empty: scrolled out of view).
    QRect m_rcNatural;
    QRect m_rcPosition;

Q_SIGNALS:
    void mouseMoved(ListItem* row);
    void mousePressed(ListItem* row, Qt::MouseButton button, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    XButton* MakeButton(const QString& text);

    QString m_strCaption;
    bool m_bSelected = false;
    bool m_bHot = false;
};
