#pragma once

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QPainter;
class QPushButton;

// A small pop-up that lists a few lines of text, each with a check box at its right, above two
// buttons, "Delete" and "Cancel". The draw window offers the numbers just drawn in it so that the
// operator can take some of them back.
//
// The owner creates it once, as a child (it is a window of its own), optionally gives it a font
// (setFont) and an icon (SetTipIcon), and calls ShowTip for every showing. The pop-up appears
// above and to the left of the anchor point and reports how it was left exactly once per showing,
// through InfoTipResult, after it has hidden itself:
//   - "Delete" or Enter: checkedLines holds the 0-based numbers of the ticked lines in ascending
//     order, in decimal, separated by "\n" (nothing before the first or after the last), empty
//     (not null) when none is ticked, and lineCount is the number of lines in the pop-up (ticked
//     or not), always at least 1;
//   - anything else is a cancel: checkedLines is a null string and lineCount is 0. That covers
//     "Cancel", Esc, a click outside the pop-up, the pop-up losing the focus, and it being closed
//     or hidden by anyone but itself.
// The signal is emitted synchronously (a direct connection) and may show the pop-up again.
//
// While shown the pop-up holds the application's keyboard and mouse (it is a Qt pop-up), so the
// owner needs no lock of its own; an owner must not disable itself for it, as Qt disables child
// windows together with their parent.
class CXInfoTip : public QWidget {
    Q_OBJECT

public:
    explicit CXInfoTip(QWidget* parent = nullptr);
    ~CXInfoTip() override;

    // A null pixmap removes the icon. Sizes above 255 pixels are taken as 255.
    void SetTipIcon(const QPixmap& icon);

    // Shows the pop-up for text (lines separated by "\n") with its tip on point, in global
    // coordinates; without a point, on the mouse cursor. A showing in progress is replaced: its
    // ticks are gone and it reports no result of its own. The pop-up appears from the event loop.
    void ShowTip(const QString& text, std::optional<QPoint> point = std::nullopt);

    int LineCount() const { return int(m_checks.size()); }

Q_SIGNALS:
    void InfoTipResult(const QString& checkedLines, int lineCount);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnShowTimer();
    void OnDeleteChecked();
    void OnCancelTip();
    bool HandleKey(int key);
    void Report(const QString& checkedLines, int lineCount);
    void ClearCheckBoxes();
    QSize TipSize() const;
    void PaintFrame(QPainter& painter, const QSize& size) const;
    void PaintLines(QPainter& painter, const QSize& size) const;
    int LinePitch(int height) const;
    int TextLeft() const;

    const int m_nDelay = 0;
    QPoint m_anchor;
    QString m_strText;
    QTimer m_showTimer;
    QPixmap m_icon;
    int m_nIconWidth = 0;
    int m_nIconHeight = 0;
    std::vector<QCheckBox*> m_checks;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pCancel = nullptr;
    // Set while a showing waits for its result, so that each showing reports exactly once.
    bool m_bAwaitingResult = false;
};
