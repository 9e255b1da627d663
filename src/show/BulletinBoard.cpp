#include "show/BulletinBoard.h"

#include "base/AppPaths.h"
#include "media/TraceBitmapRegion.h"
#include "model/GradeInfo.h"
#include "model/LogFont.h"
#include "model/TumoStatus.h"
#include "show/BulletinGeometry.h"
#include "show/LayoutRebase.h"
#include "show/MovieView.h"
#include "store/NuFileDeal.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <QScreen>
#include <QTimerEvent>

#include <algorithm>

namespace {

// Windows colours are 0x00BBGGRR.
QColor ColourOf(quint32 c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

Qt::Alignment HorizontalOf(int align) {
    switch (align) {
    case 1:
        return Qt::AlignHCenter;
    case 2:
        return Qt::AlignRight;
    default:
        return Qt::AlignLeft;
    }
}

// The skin is drawn on this colour; it shows only where a picture leaves the board uncovered.
constexpr quint32 kSkinFill = 0xFFCC66;
constexpr int kSlideMs = 100;

} // namespace

BulletinBoard::BulletinBoard(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    hide();
    m_slide.setDuration(kSlideMs);
    m_slide.setStartValue(0.0);
    m_slide.setEndValue(1.0);
    connect(&m_slide, &QVariantAnimation::valueChanged, this, [this] { update(); });
    // A board half slid in leaves the rest of its place to what lies beneath.
    connect(&m_slide, &QVariantAnimation::finished, this, [this] { SetOpaque(m_alpha >= 255); });
}

BulletinBoard::~BulletinBoard() {
    StopTimer();
}

void BulletinBoard::Create(TumoStatus* status, NuFileDeal* numbers, GradeSource currentGrade) {
    Sources s;
    s.grade = std::move(currentGrade);
    s.digits = [status] { return status ? status->m_nuBase.m_nDigits : 0; };
    s.read = [numbers](quint32 index) {
        if (!numbers)
            return BulletinEntry{};
        const LoNuInfo r = numbers->ReadNumber(index);
        return BulletinEntry{r.m_strNumber, r.m_strInfo};
    };
    Create(std::move(s));
}

void BulletinBoard::Create(Sources sources) {
    m_src = std::move(sources);
    m_faceValid = false;
    StopTimer();
    GradeInfo* grade = Grade();
    if (!grade)
        return;
    LotteryNotify& n = grade->m_notify;
    m_rcText = n.m_rcNumbers.toQRect();

    if (n.m_shape.m_nCount > 0) {
        ApplyStoredOutline(n);
    } else {
        CPicture skin;
        if (skin.Load(ResolvePicturePath(n.m_strSkin))) {
            n.m_rcBoard = BulletinGeometry::DefaultBoardRect(skin.GetSize(), ScreenSize());
            n.m_rcNumbers = BulletinGeometry::DefaultNumberArea(n.m_rcBoard);
            TraceSkin(n, skin);
        } else {
            clearMask();
        }
    }

    // The stored name takes its lasting form now, though the picture is read when first shown.
    ResolvePicturePath(n.m_strBackPic);
    if (n.m_rcBoard.Width() == 0 || n.m_rcBoard.Height() == 0)
        FallBackToBackgroundSize(n);
    n.m_rcBoard = BulletinGeometry::Normalized(n.m_rcBoard);
    DropBackground();
    MoveToBoardRect(n);
    // The level's transparency holds from the first showing, not only after a re-layout.
    ApplyOpacity(n);
}

int BulletinBoard::ApplyShape() {
    GradeInfo* grade = Grade();
    if (!grade)
        return 1;
    LotteryNotify& n = grade->m_notify;

    CPicture skin;
    const bool skinLoaded = skin.Load(ResolvePicturePath(n.m_strSkin)) != 0;
    if (skinLoaded && n.m_rcBoard.Width() == 0) {
        n.m_rcBoard = BulletinGeometry::DefaultBoardRect(skin.GetSize(), ScreenSize());
        n.m_rcNumbers = BulletinGeometry::DefaultNumberArea(n.m_rcBoard);
        MoveToBoardRect(n);
    }
    ResolvePicturePath(n.m_strBackPic);
    // Without a skin to size it, a board of no size would never be seen again: it takes the
    // background picture's size, as when it is first created.
    if (n.m_rcBoard.Width() == 0 || n.m_rcBoard.Height() == 0)
        FallBackToBackgroundSize(n);

    n.m_shape.RemoveAllPoints();
    if (skinLoaded) {
        TraceSkin(n, skin);
        n.m_shape.m_rect = n.m_rcBoard;
    } else {
        clearMask();
    }

    DropBackground();
    MoveToBoardRect(n);
    ApplyOpacity(n);
    m_faceValid = false;
    update();
    return 1;
}

void BulletinBoard::RestartScroll() {
    StopTimer();
    m_scroll.Reset();
    m_faceValid = false; // measures the content again
    // A board sliding in is painted by its slide; painting it at once would only repaint the
    // screen under it (a draw step waits for that) while nothing of the board shows yet.
    if (m_slide.state() == QAbstractAnimation::Running)
        update();
    else
        repaint();
}

int BulletinBoard::TrackRect(const QRect& rect) {
    GradeInfo* grade = Grade();
    if (!grade)
        return 0;
    LotteryNotify& n = grade->m_notify;
    // A pure move keeps the outline; the place is taken from the window when placement ends.
    if (rect.width() == n.m_rcBoard.Width() && rect.height() == n.m_rcBoard.Height())
        return 0;
    n.m_rcBoard = WinRect::fromQRect(rect);
    n.m_shape.m_rect = n.m_rcBoard;
    ApplyShape();
    return 1;
}

// A positive stored height is the whole character cell, a negative one the em size; Qt sizes
// fonts by the em, so a cell height is scaled by the face's own cell-to-em ratio.
QFont BulletinBoard::BoardFont(const LogFont& lf) {
    QFont f(lf.lfFaceName.isEmpty() ? QStringLiteral("Arial") : lf.lfFaceName);
    f.setWeight(lf.lfWeight <= 0 ? QFont::Normal : QFont::Weight(std::clamp(lf.lfWeight, 1, 1000)));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    f.setStyleStrategy(QFont::PreferAntialias);
    if (lf.lfHeight < 0) {
        f.setPixelSize(-lf.lfHeight);
    } else if (lf.lfHeight > 0) {
        f.setPixelSize(lf.lfHeight);
        const QFontMetricsF fm(f);
        const qreal cell = fm.ascent() + fm.descent();
        if (cell > 0)
            f.setPixelSize(std::max(1, qRound(lf.lfHeight * lf.lfHeight / cell)));
    }
    return f;
}

int BulletinBoard::MeasureText(const QString& text, const QFont& font) {
    if (text.isEmpty())
        return 0;
    return QFontMetrics(font).boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, text).height();
}

void BulletinBoard::SetScreenMapping(const ScreenMapping& mapping) {
    m_mapping = mapping;
    m_faceValid = false;
}

LotteryNotify BulletinBoard::Shown(const LotteryNotify& notify) const {
    LotteryNotify shown = notify;
    LayoutRebase::MapNotify(shown, m_mapping);
    return shown;
}

GradeInfo* BulletinBoard::Grade() const {
    return m_src.grade ? m_src.grade() : nullptr;
}

QSize BulletinBoard::ScreenSize() const {
    // A board without a place is centred on the screen its level's layout was made for, in
    // whose pixels the place is stored.
    if (!m_mapping.LayoutScreen().isEmpty())
        return m_mapping.LayoutScreen();
    // The board centres on the draw window, which covers the show's monitor.
    if (parentWidget() && !parentWidget()->size().isEmpty())
        return parentWidget()->size();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->size();
    return QSize(1024, 768);
}

void BulletinBoard::StopTimer() {
    if (m_nTimer != 0) {
        killTimer(m_nTimer);
        m_nTimer = 0;
    }
}

QString BulletinBoard::ResolvePicturePath(QString& stored) {
    // A bare file name is a file of the program folder.
    if (!stored.isEmpty() && !HasPathSeparator(stored))
        stored = MakeAbsolutePath(stored);
    if (stored.isEmpty())
        return stored;
    return ResolveFileCase(MakeAbsolutePath(stored));
}

void BulletinBoard::TraceSkin(LotteryNotify& n, const CPicture& skin) {
    const WinRect board = BulletinGeometry::Normalized(n.m_rcBoard);
    QPolygon points;
    QRegion region;
    if (!board.IsRectEmpty()) {
        QImage bitmap(board.Width(), board.Height(), QImage::Format_RGB32);
        bitmap.fill(ColourOf(kSkinFill));
        QPainter p(&bitmap);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        skin.Render(p, bitmap.width(), bitmap.height(), 2, kSkinFill);
        p.end();
        TraceBitmapRegion(bitmap, region, points);
    }
    n.m_shape.RemoveAllPoints();
    for (const QPoint& pt : std::as_const(points))
        n.m_shape.m_points.append(SerialPt(pt));
    n.m_shape.m_nCount = qint32(n.m_shape.m_points.size());
    // Traced at the stored size; shown at the size on this screen.
    if (!m_mapping.IsIdentity())
        ApplyStoredOutline(n);
    else if (region.isEmpty())
        clearMask();
    else
        setMask(region);
}

void BulletinBoard::ApplyStoredOutline(const LotteryNotify& n) {
    QPolygon points;
    const qsizetype count = std::min<qsizetype>(n.m_shape.m_nCount, n.m_shape.m_points.size());
    for (qsizetype i = 0; i < count; ++i)
        points.append(m_mapping.ScalePoint(n.m_shape.m_points[i].m_pt));
    const QRegion region = RegionFromOutline(points);
    if (region.isEmpty())
        clearMask();
    else
        setMask(region);
}

void BulletinBoard::FallBackToBackgroundSize(LotteryNotify& n) {
    // GetSize gives 100 x 100 when the background did not load.
    m_picture.Load(ResolvePicturePath(n.m_strBackPic));
    n.m_rcBoard = BulletinGeometry::CenteredRect(m_picture.GetSize(), ScreenSize());
    n.m_rcNumbers = BulletinGeometry::DefaultNumberArea(n.m_rcBoard);
}

void BulletinBoard::DropBackground() {
    m_back = QPixmap();
    m_picture = CPicture();
    m_bBackDue = true;
}

void BulletinBoard::EnsureBackground() {
    GradeInfo* grade = Grade();
    if (!m_bBackDue || !grade)
        return;
    // Built when the board is first shown: a show may never show it, and a start-up that builds
    // it keeps the audience waiting, and a screen-sized picture besides, for nothing.
    m_bBackDue = false;
    LotteryNotify& n = grade->m_notify;
    m_picture.Load(ResolvePicturePath(n.m_strBackPic));
    BuildBackground(n);
    // Only the board-sized copy is kept; the next layout reads the file again.
    m_picture = CPicture();
}

void BulletinBoard::BuildBackground(LotteryNotify& n) {
    const WinRect board = BulletinGeometry::Normalized(m_mapping.MapRect(n.m_rcBoard));
    m_back = QPixmap(std::max(board.Width(), 1), std::max(board.Height(), 1));
    m_back.fill(ColourOf(n.m_clrBack));
    QPainter p(&m_back);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    m_picture.Render(p, board.Width(), board.Height(), n.m_nPicDisplay, n.m_clrBack);
}

void BulletinBoard::ApplyOpacity(const LotteryNotify& n) {
    m_alpha = BulletinGeometry::Alpha(n.m_nTransparency);
    SetOpaque(m_alpha >= 255 && m_slide.state() != QAbstractAnimation::Running);
    update();
}

void BulletinBoard::SetOpaque(bool opaque) {
    // An opaque board spares the background the repaint of what lies beneath it; one see-through,
    // or still sliding in, lets it show. The board does not tell the window it is opaque: the
    // window would then cut its curved outline out of every repaint of the screen.
    setProperty(MovieView::kCoversBeneath, opaque);
}

void BulletinBoard::MoveToBoardRect(const LotteryNotify& n) {
    setGeometry(BulletinGeometry::Normalized(m_mapping.MapRect(n.m_rcBoard)).toQRect());
}

BulletinBoard::FaceKey BulletinBoard::CurrentFaceKey() const {
    FaceKey key;
    const GradeInfo* grade = Grade();
    key.grade = grade;
    if (grade) {
        key.notify = grade->m_notify;
        // Only the entries the board can list: a share of a long list would be copied whole
        // the next time a number is drawn.
        const QList<SUINT>& drawn = grade->m_taken.List();
        const bool all = grade->m_notify.m_nShowWhen == 2 && grade->m_notify.m_bShowAllWinners;
        const qsizetype shown =
            std::clamp<qsizetype>(all ? drawn.size() : m_nCount, 0, drawn.size());
        key.drawn = drawn.mid(drawn.size() - shown);
        key.drawnCount = int(grade->m_taken.Count());
        key.mask = grade->m_mask;
    }
    key.count = m_nCount;
    key.digits = m_src.digits ? m_src.digits() : 0;
    key.scrollOffset = m_scroll.Offset();
    key.size = size();
    key.back = m_back.cacheKey();
    return key;
}

bool BulletinBoard::RefreshFace() {
    EnsureBackground();
    FaceKey key = CurrentFaceKey();
    if (m_faceValid && key == m_faceKey && m_face.size() == size())
        return false;
    m_faceKey = std::move(key);
    m_faceValid = true;
    m_face = QPixmap(size().expandedTo(QSize(1, 1)));
    m_face.fill(Qt::black);
    QPainter p(&m_face);
    if (!m_back.isNull())
        p.drawPixmap(0, 0, m_back);
    GradeInfo* grade = Grade();
    if (!grade)
        return true;
    const LotteryNotify shown = Shown(grade->m_notify);
    m_rcText = shown.m_rcNumbers.toQRect();
    p.setRenderHint(QPainter::TextAntialiasing);
    PaintFixedTitle(p, shown);
    PaintContent(p, *grade);
    return true;
}

void BulletinBoard::paintEvent(QPaintEvent* event) {
    // A face drawn anew goes on the screen whole. Whatever lies beneath the board repaints pieces
    // of it many times a second; a new list copied into such a piece only would join the winners
    // that stay to the old ones' texts. The piece keeps the old face, and the whole board follows.
    const QPixmap previous = m_face;
    const bool redrawn = RefreshFace();
    const bool whole = QRegion(rect()).subtracted(event->region()).isEmpty();
    const bool keepOld = redrawn && !whole && previous.size() == m_face.size();
    if (redrawn && !whole)
        update();
    const QPixmap& face = keepOld ? previous : m_face;
    QPainter p(this);
    if (m_slide.state() == QAbstractAnimation::Running)
        p.setClipRect(0, 0, width(), qRound(height() * m_slide.currentValue().toDouble()));
    if (m_alpha < 255)
        p.setOpacity(m_alpha / 255.0);
    for (const QRect& r : event->region())
        p.drawPixmap(r.topLeft(), face, r);
}

void BulletinBoard::PaintFixedTitle(QPainter& p, const LotteryNotify& n) {
    if (!n.m_bShowTitle || n.m_bScroll)
        return;
    const QFont font = BoardFont(n.m_fontTitle);
    const QString title = BulletinText::PlainLines(n.m_strTitle);
    p.setFont(font);
    p.setPen(ColourOf(n.m_clrTitle));
    PaintCell(p, m_rcText, title, 1);
    m_rcText.setTop(m_rcText.top() + MeasureText(title, font) + n.m_nLineSpace);
}

void BulletinBoard::PaintContent(QPainter& p, const GradeInfo& grade) {
    if (!m_src.read)
        return;
    const LotteryNotify n = Shown(grade.m_notify);
    const QFont titleFont = BoardFont(n.m_fontTitle);
    const QFont numbersFont = BoardFont(n.m_fontNumbers);

    BulletinText::Input in;
    in.drawn = &grade.m_taken.List();
    in.drawnCount = grade.m_taken.Count();
    in.count = m_nCount;
    in.digits = m_src.digits ? m_src.digits() : 0;
    in.mask = &grade.m_mask;
    in.width = m_rcText.width();
    in.areaHeight = m_rcText.height();
    in.read = m_src.read;
    in.measure = [&](const QString& text, bool title) {
        return MeasureText(text, title ? titleFont : numbersFont);
    };
    const BulletinContent content = BulletinText::Layout(n, in);
    if (m_scroll.Measured(content.lineHeights, m_rcText.height(), content.totalHeight) &&
        m_nTimer == 0)
        m_nTimer = startTimer(BulletinScroll::kStepMs);
    if (m_rcText.width() <= 0 || m_rcText.height() <= 0)
        return;

    p.save();
    p.setClipRect(m_rcText, Qt::IntersectClip);
    p.translate(m_rcText.left(), m_rcText.top() + m_scroll.Offset());
    if (content.titleScrolls) {
        p.setFont(titleFont);
        p.setPen(ColourOf(n.m_clrTitle));
        PaintCell(p, content.titleRect, BulletinText::PlainLines(n.m_strTitle), 1);
    }
    p.setFont(numbersFont);
    p.setPen(ColourOf(n.m_clrNumbers));
    for (const BulletinRow& row : content.rows) {
        for (const BulletinCell& cell : row.cells)
            PaintCell(p, cell.rect, cell.text, cell.align);
    }
    p.restore();
}

void BulletinBoard::PaintCell(QPainter& p, const QRect& rect, const QString& text,
                              int align) const {
    if (text.isEmpty() || rect.isEmpty())
        return;
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.drawText(rect, Qt::AlignTop | HorizontalOf(align), text);
    p.restore();
}

void BulletinBoard::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_nTimer || m_nTimer == 0) {
        QWidget::timerEvent(event);
        return;
    }
    m_scroll.Step();
    m_faceValid = false;
    repaint();
}

void BulletinBoard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_slide.stop();
    SetOpaque(false);
    m_slide.start();
}
