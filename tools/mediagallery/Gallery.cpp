#include "Gallery.h"

#include "media/MovieLoader.h"
#include "media/MovieRenderer.h"
#include "media/MovieTimeline.h"
#include "media/TraceBitmapRegion.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

constexpr int kPageWidth = 1960;
constexpr int kMargin = 20;
const QColor kPage(36, 36, 40);
const QColor kCaption(225, 225, 230);

using MoviePtr = std::shared_ptr<const StripMovie>;

PlayerState Still(const MoviePtr& movie, int frame) {
    PlayerState s;
    s.movie = movie;
    s.mode = PlayerState::Mode::Frame;
    s.frame = frame;
    s.scaleMode = 2;
    return s;
}

PlayerState Loop(const MoviePtr& movie, qint64 runMs) {
    PlayerState s;
    s.movie = movie;
    s.mode = PlayerState::Mode::Looping;
    s.startMs = 0;
    s.pausedMs = runMs;
    s.scaleMode = 2;
    return s;
}

void Caption(QPainter& p, int x, int y, const QString& text, int size = 15) {
    QFont f = p.font();
    f.setPixelSize(size);
    f.setBold(size > 15);
    p.setFont(f);
    p.setPen(kCaption);
    p.drawText(x, y, text);
}

// The draw screen's auto layout: three quarters of each grid step, keeping the symbol's shape.
QRect SymbolCell(QSize screen, QSize movie, int rows, int positions, int row, int position) {
    const float stepX = float(screen.width()) / float(positions + 1);
    const float stepY = float(screen.height()) / float(rows + 1);
    int cellW = int(stepX * 3.0f * 0.25f);
    int cellH = int(stepY * 3.0f * 0.25f);
    const float aspect = float(movie.width()) / float(movie.height());
    if (aspect >= float(cellW) / float(cellH))
        cellH = int(float(cellW) / aspect);
    else
        cellW = int(float(cellH) * aspect);
    const int top = (row + 1) * int(stepY) - cellH / 2;
    const int left = int(stepX) - cellW / 2 + (positions - 1 - position) * int(stepX);
    return QRect(left, top, cellW, cellH);
}

// The board's default size on a screen: three fifths of the width or three quarters of the
// height, keeping the skin's shape, centred.
QRect BoardRect(QSize screen, QSize skin) {
    const float r = float(skin.width()) / float(skin.height());
    int w, h;
    if (r >= float(screen.width()) / float(screen.height())) {
        w = 3 * screen.width() / 5;
        h = int(float(w) / r);
    } else {
        h = 3 * screen.height() / 4;
        w = int(float(h) * r);
    }
    return QRect(screen.width() / 2 - w / 2, screen.height() / 2 - h / 2, w, h);
}

QImage Board(const QImage& skin, const QImage& face, QSize size, QPolygon* outline) {
    QImage stretched(size, QImage::Format_RGB32);
    stretched.fill(Qt::black);
    {
        QPainter p(&stretched);
        p.drawImage(QRect(QPoint(), size), skin);
    }
    QRegion region;
    TraceBitmapRegion(stretched, region, *outline);
    QImage board(size, QImage::Format_ARGB32_Premultiplied);
    board.fill(Qt::transparent);
    QPainter p(&board);
    p.setClipRegion(region);
    p.drawImage(QRect(QPoint(), size), face);
    // What the board shows with its default options: red bold numbers, centred in the middle half.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(size.height() / 12);
    p.setFont(f);
    p.setPen(QColor(255, 0, 0));
    const QRect numbers(size.width() / 4, size.height() / 4, size.width() / 2, size.height() / 2);
    p.drawText(numbers, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("047291\n183920\n550617"));
    return board;
}

} // namespace

Gallery::Gallery(const QString& programFolder) : m_folder(programFolder) {}

QImage Gallery::Render() {
    const QDir dir(m_folder);
    auto load = [&](const QString& name) -> MoviePtr {
        const MovieLoadResult r = MovieLoader::Load(dir.filePath(name));
        if (!r.Ok())
            m_error = r.error;
        return r.movie;
    };
    const MoviePtr sym = load(QStringLiteral("defsym.swf"));
    const MoviePtr bg = load(QStringLiteral("DefBg.swf"));
    const MoviePtr ban = load(QStringLiteral("DefBan.swf"));
    const QImage skin(dir.filePath(QStringLiteral("DefBBSkin.bmp")));
    const QImage face(dir.filePath(QStringLiteral("DefBBBg.jpg")));
    if (!sym || !bg || !ban || skin.isNull() || face.isNull()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("bulletin-board pictures missing");
        return QImage();
    }

    const QSize screen(1920, 1080);
    const QSize shown(940, 529); // each draw screen at about half size
    const int screensTop = 50;
    const int sheetTop = screensTop + shown.height() + 60;
    const int reelTop = sheetTop + 2 * 132 + 50;
    const int loopsTop = reelTop + 250;
    const int boardTop = loopsTop + 320;
    QImage page(kPageWidth, boardTop + 420, QImage::Format_ARGB32_Premultiplied);
    page.fill(kPage);
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // Two draw screens at 1920 x 1080, shown at half size.
    const QString bits = sym->SymbolsBits();
    auto drawScreen = [&](int left, int rows, int positions, const QString& numbers, bool withBoard,
                          bool rolling) {
        QImage s(screen, QImage::Format_ARGB32_Premultiplied);
        QPainter sp(&s);
        MovieRenderer::Paint(sp, s.rect(), Loop(bg, 700), 700);
        for (int row = 0; row < rows; ++row) {
            for (int pos = 0; pos < positions; ++pos) {
                const QRect cell =
                    SymbolCell(screen, sym->NaturalSize(), rows, positions, row, pos);
                const QChar c = numbers[row * positions + (positions - 1 - pos)];
                if (rolling && row == rows - 1) {
                    MovieRenderer::Reel reel{3.0 * pos + 0.37 * (pos + 1), 1.0, 0, -1};
                    sp.save();
                    sp.setClipRect(cell);
                    MovieRenderer::PaintReel(sp, cell, Still(sym, 0), reel);
                    sp.restore();
                } else {
                    MovieRenderer::Paint(sp, cell, Still(sym, 2 + int(bits.indexOf(c))), 0);
                }
            }
        }
        MovieRenderer::Paint(sp, QRect(20, 20, 180, 80), Loop(ban, 0), 0);
        if (withBoard) {
            QPolygon outline;
            const QRect board = BoardRect(screen, skin.size());
            sp.drawImage(board.topLeft(), Board(skin, face, board.size(), &outline));
        }
        sp.end();
        p.drawImage(QRect(QPoint(left, screensTop), shown), s);
    };
    Caption(p, kMargin, 32,
            QStringLiteral("Draw screen 1920 x 1080: two rows of six, the lower one rolling"), 18);
    drawScreen(kMargin, 2, 6, QStringLiteral("047291A83K2Z"), false, true);
    Caption(p, kMargin + shown.width() + 40, 32,
            QStringLiteral("After the draw: the bulletin board (traced from its skin)"), 18);
    drawScreen(kMargin + shown.width() + 40, 1, 6, QStringLiteral("550617"), true, false);

    // Every cell of the symbol movie.
    Caption(p, kMargin, sheetTop - 14,
            QStringLiteral("defsym.swf: rolling picture, mask, then %1").arg(bits), 18);
    for (int i = 0; i < sym->CellCount(); ++i) {
        const QRect r(kMargin + (i % 19) * 101, sheetTop + (i / 19) * 132, 96, 128);
        MovieRenderer::Paint(p, r, Still(sym, i), 0);
    }

    // The reel as the view paints it: rolling, then landing on '7'.
    Caption(p, kMargin, reelTop - 14,
            QStringLiteral("The reel: full speed with motion blur, then landing exactly on 7"), 18);
    PlayerState landing = Still(sym, 2 + int(bits.indexOf(u'7')));
    landing.settle = MovieTimeline::MakeSettle(20.3, 1.0, 0, sym->RollMs());
    const int d = landing.settle->durationMs;
    const qint64 times[] = {0, d / 5, 2 * d / 5, 3 * d / 5, 4 * d / 5, d};
    for (int i = 0; i < 4; ++i) {
        const QRect r(kMargin + i * 160, reelTop, 150, 200);
        MovieRenderer::PaintReel(p, r, Still(sym, 0), {5.0 + i * 0.3, 1.0, 0, -1});
    }
    for (int i = 0; i < 6; ++i) {
        const QRect r(kMargin + 680 + i * 160, reelTop, 150, 200);
        MovieRenderer::Paint(p, r, landing, times[i]);
    }

    // Background and banner cycles.
    Caption(p, kMargin, loopsTop - 14,
            QStringLiteral("DefBg.swf cycle (cells fade into each other)"), 18);
    for (int i = 0; i < bg->CellCount(); ++i)
        MovieRenderer::Paint(p, QRect(kMargin + i * 206, loopsTop, 200, 113), Still(bg, i), 0);
    Caption(p, kMargin, loopsTop + 150, QStringLiteral("DefBan.swf glint"), 18);
    for (int i = 0; i < 10; i += 2)
        MovieRenderer::Paint(p, QRect(kMargin + (i / 2) * 236, loopsTop + 162, 225, 100),
                             Still(ban, i), 0);

    // The board's pictures and traced outline.
    Caption(p, kMargin, boardTop - 14,
            QStringLiteral("DefBBSkin.bmp, its traced outline, DefBBBg.jpg"), 18);
    const QSize small(560, 350);
    p.drawImage(QRect(QPoint(kMargin, boardTop), small), skin);
    QPolygon outline;
    const QImage cut = Board(skin, face, small, &outline);
    QImage traced(small, QImage::Format_ARGB32_Premultiplied);
    traced.fill(Qt::black);
    {
        QPainter tp(&traced);
        tp.setPen(QPen(QColor(0, 255, 120), 2));
        tp.drawPolygon(outline);
    }
    p.drawImage(kMargin + 600, boardTop, traced);
    Caption(p, kMargin + 600, boardTop + small.height() + 22,
            QStringLiteral("%1 outline points").arg(outline.size()));
    p.drawImage(QRect(QPoint(kMargin + 1200, boardTop), small), face);
    return page;
}
