#pragma once

#include "media/CPicture.h"
#include "model/LotteryMask.h"
#include "model/LotteryNotify.h"
#include "model/ScreenMapping.h"
#include "show/BulletinScroll.h"
#include "show/BulletinText.h"

#include <QPixmap>
#include <QRect>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>

class GradeInfo;
class LogFont;
class LotteryNotify;
class NuFileDeal;
class QFont;
class QPainter;
class TumoStatus;

// The bulletin board of the draw screen: lists the winning numbers of the current prize level
// with their information under an optional title, cut to the shape of its skin picture, on its
// background picture, optionally see-through, scrolling one line at a time when the list is
// taller than its area.
//
// A child of the draw window, so its rectangle is in the draw window's client coordinates, the
// same as the level's stored rectangle. It reads the current level at every layout and paint.
// Mouse and key events are not taken: they go on to the draw window, so a click on the board
// acts like a click on the draw screen.
class BulletinBoard : public QWidget {
    Q_OBJECT

public:
    using GradeSource = std::function<GradeInfo*()>;

    // What the board reads, besides the level: the pool's longest number length and the pool.
    struct Sources {
        GradeSource grade;
        std::function<int()> digits;
        BulletinText::Reader read;
    };

    explicit BulletinBoard(QWidget* parent);
    ~BulletinBoard() override;

    // The first layout from the current level. The board stays hidden until shown.
    void Create(TumoStatus* status, NuFileDeal* numbers, GradeSource currentGrade);
    void Create(Sources sources);

    // Numbers to list, set by the draw window before each showing.
    void SetCount(int count) { m_nCount = count; }
    int Count() const { return m_nCount; }

    // Lays the board out again from the current level: outline, place, background, opacity.
    int ApplyShape();

    // Stops a running scroll, puts the content back to its start and repaints at once.
    void RestartScroll();

    // A design-mode tracker has moved or resized the board to `rect` (draw window client
    // coordinates). A pure move stores nothing and returns 0; a resize stores the rectangle,
    // traces the outline again and returns 1.
    int TrackRect(const QRect& rect);

    // How the level's stored place, outline and fonts show on the screen in use. The stored
    // values stay as they are; a board placed anew gets its place in the layout screen's pixels.
    void SetScreenMapping(const ScreenMapping& mapping);

    // How opaque the board is drawn over the screen, 0 to 255.
    int Alpha() const { return m_alpha; }

    // The text area of the last paint, in board coordinates (below a fixed title).
    QRect TextRect() const { return m_rcText; }
    const BulletinScroll& Scroll() const { return m_scroll; }
    bool IsScrolling() const { return m_nTimer != 0; }

    // The screen font of a stored font description.
    static QFont BoardFont(const LogFont& lf);
    // Heights as the board measures them, so that layouts agree with what is drawn.
    static int MeasureText(const QString& text, const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    GradeInfo* Grade() const;
    QSize ScreenSize() const;
    // The level's board as it shows on the screen in use.
    LotteryNotify Shown(const LotteryNotify& notify) const;
    void StopTimer();
    static QString ResolvePicturePath(QString& stored);

    void TraceSkin(LotteryNotify& notify, const CPicture& skin);
    void ApplyStoredOutline(const LotteryNotify& notify);
    void FallBackToBackgroundSize(LotteryNotify& notify);
    void BuildBackground(LotteryNotify& notify);
    // The background is built at board size when the board is next painted.
    void DropBackground();
    void EnsureBackground();
    void ApplyOpacity(const LotteryNotify& notify);
    void MoveToBoardRect(const LotteryNotify& notify);

    // What the face was drawn from: when any of it changes, the face is drawn again.
    struct FaceKey {
        const GradeInfo* grade = nullptr;
        LotteryNotify notify;
        QList<SUINT> drawn;
        int drawnCount = 0;
        LotteryMask mask;
        int count = 0;
        int digits = 0;
        int scrollOffset = 0;
        QSize size;
        qint64 back = 0;
        bool operator==(const FaceKey&) const = default;
    };
    FaceKey CurrentFaceKey() const;
    // Brings the face up to date with the level and the scroll; true when it was drawn anew.
    bool RefreshFace();
    void SetOpaque(bool opaque);

    void PaintFixedTitle(QPainter& p, const LotteryNotify& notify);
    void PaintContent(QPainter& p, const GradeInfo& grade);
    void PaintCell(QPainter& p, const QRect& rect, const QString& text, int align) const;

    QPixmap m_back; // the background at board size, drawn once per layout
    bool m_bBackDue = false;
    // The whole board as it shows: background, title and numbers. Whatever changes beneath a
    // board (the background movie fades under it many times a second) repaints only a copy from
    // it, not the text, and a see-through board is blended from it rather than rendered anew.
    QPixmap m_face;
    FaceKey m_faceKey;
    bool m_faceValid = false;
    int m_alpha = 255;
    ScreenMapping m_mapping;
    int m_nCount = 0;
    Sources m_src;
    CPicture m_picture;
    QRect m_rcText;
    BulletinScroll m_scroll;
    int m_nTimer = 0;
    QVariantAnimation m_slide; // how much of the board the showing slide has uncovered
};
