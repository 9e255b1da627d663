#pragma once

#include <QEvent>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainterPath;

// The program's one balloon tip: a bubble with an information icon, a bold title, a message and
// a close button, whose tail points at a control (the anchor) on behalf of a parent window.
//
// ShowBalloonMsg replaces any balloon that is up; nothing happens when the message is null or the
// anchor or parent is missing, and an empty message only takes the old balloon away. The balloon
// closes at the next key press, mouse-button press or wheel turn anywhere in the program, and
// when its parent is deactivated, loses the focus, moves, is resized, minimised, hidden or
// closed; it never closes by a timer. Tab, Enter, Esc, the arrow keys and F1 to F24 only close
// it (the window with the focus never sees them); Shift, Ctrl and Alt alone leave it up; every
// other key closes it and goes on to its window. The input that showed a balloon does not close
// it: the balloon starts listening once control is back in the event loop.
//
// The tail always points at the anchor's centre (there is no desktop-wide switch for balloons
// on this platform, so the balloon form is the only one). User-interface thread only.
void ShowBalloonMsg(const QString& title, const QString& message, QWidget* anchor, QWidget* parent);
void CloseBalloonMsg();

// The bubble window itself; the functions above own it. Created hidden, shown by ShowBalloonMsg.
class XBalloonMsg : public QWidget {
    Q_OBJECT

public:
    // How much of the texts is kept.
    static constexpr int kMaxMessage = 3998;
    static constexpr int kMaxTitle = 498;
    static constexpr int kTailHeight = 16;

    enum class KeyAction { Pass, PassAndClose, SwallowAndClose };

    XBalloonMsg(const QString& title, const QString& message, QWidget* parent);

    // The balloon that is up, or null.
    static XBalloonMsg* Current();

    QString Title() const { return m_strTitle; }
    QString Message() const { return m_strMessage; }
    // The point the tail touches, in global coordinates.
    QPoint TipPoint() const { return m_tip; }
    // Whether the bubble hangs below its anchor (tail on top) rather than above it.
    bool HangsBelow() const { return m_bBelow; }

    // Points the tail at the centre of anchorRect (global coordinates) and places the bubble on
    // screen.
    void PointAt(const QRect& anchorRect, const QRect& screen);
    // Starts listening to the program's input for the closing triggers.
    void Arm();

    static QPoint AnchorPoint(const QRect& anchorRect);
    // The bubble's rectangle (without its tail) for a body of the given size: below the point
    // when it fits on screen, else above it; shifted sideways to stay on screen.
    static QRect PlaceBubble(QPoint tip, QSize body, const QRect& screen, bool* below);
    static KeyAction ClassifyKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool FilterInput(QEvent* event);
    bool IsParentTrigger(QEvent::Type type) const;
    QSize BodySize() const;
    QRect TitleRect() const;
    QRect MessageRect() const;
    QRect CloseRect() const;
    int MaxTextWidth() const;
    QPainterPath Outline() const;

    QString m_strTitle;
    QString m_strMessage;
    QPointer<QWidget> m_parent;
    QPoint m_tip;
    QPoint m_origin; // the window's top-left, in global coordinates
    QRect m_bubble;  // in the window's own coordinates
    QRect m_screen;
    bool m_bBelow = true;
    bool m_bArmed = false;
};
