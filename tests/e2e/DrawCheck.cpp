// The end-to-end runs' helper, built from the program's own model and media code, so that the
// shell scripts never guess at bytes:
//   prepare <folder>          a program folder with the pool 1..100 and two prize levels
//   perscreen <folder> <level> <count>
//                             the level asks for <count> numbers on the screen (and as many
//                             winners), as a settings file from elsewhere may
//   autodraw <folder> <level> <quantity>
//                             the level becomes current and draws by itself, one number per
//                             screen and a turn in a fraction of a second, up to <quantity>;
//                             the scheme grows to some pages, as one with real texts does
//   monitor <folder> <number> the draw window opens on monitor <number> (from 1), its symbols
//                             standing on the start character "0"
//   scheme <folder>           "current <level>", then "<level>|<number>" per drawn number
//   winners <file>            "<level>|<number>" per line of a winners text file
//   symbols <folder> <level> <rows> <png>
//                             the characters a screenshot shows on each symbol row of the level
//                             ('?' where no symbol shows), each symbol looked for where the
//                             program shows it on the screenshot's screen
//   place <folder> <level>    the level's symbols as if placed by hand: the automatic layout
//                             moved right until the last symbol touches the layout screen's
//                             edge; prints how far (0 for a layout placed so before)
//   board <folder> <level> <png>
//                             the board's place on the screenshot's screen, "l t r b"; fails
//                             unless all of it is on the screen and its light face shows there
//   watch <seconds> <png>     on the live display: grabs the screen until the bulletin board
//                             appears and keeps the last picture from before it in <png>
// Exit code 0, or 1 with the reason on stderr.

#include "HelperFolder.h"
#include "media/StripMovieFile.h"
#include "model/LayoutScreenFile.h"
#include "model/ScreenMapping.h"
#include "show/LayoutRebase.h"
#include "show/SymbolLayout.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <limits>

namespace {

QTextStream& Out() {
    static QTextStream out(stdout);
    return out;
}

int Fail(const QString& why) {
    std::fprintf(stderr, "drawcheck: %s\n", qPrintable(why));
    return 1;
}

// Two prize levels besides the default one. The first stops one number per press, three on a
// screen, so its four winners take a full screen and a short one; the second stops a whole
// screen of two at once, so its three winners take screens of 2 and 1. No bulletin board covers
// the symbols; the winners file is written after every draw step.
int Prepare(const QString& folder) {
    TumoStatus status;
    if (!UseFolderWithPool(status, folder))
        return Fail(QStringLiteral("the pool cannot be created in ") + folder);

    GradeInfo first = status.Level(0);
    first.m_base.m_strName = QStringLiteral("First prize");
    first.m_base.m_nQuantity = 4;
    first.m_base.m_nPerScreen = 3;
    first.m_takeStyle.m_nStopMode = LotteryTakeStyle::StopNumber;
    GradeInfo second = first;
    second.m_base.m_strName = QStringLiteral("Second prize");
    second.m_base.m_nQuantity = 3;
    second.m_base.m_nPerScreen = 2;
    second.m_takeStyle.m_nStopMode = LotteryTakeStyle::StopScreen;
    status.AddLevel(first);
    status.AddLevel(second);
    for (GradeInfo& level : status.Levels())
        level.m_notify.m_bEnable = 0;
    status.SetCurrentLevel(1);
    status.RecomputeDefaultGradeTotal();
    status.m_options.m_bAutoOutput = 1;
    if (!status.SaveAll())
        return Fail(QStringLiteral("the settings files cannot be written in ") + folder);
    return 0;
}

int PerScreen(const QString& folder, int level, qint32 count) {
    TumoStatus status;
    UseFolder(status, folder);
    if (level < 0 || level > status.LastGrade())
        return Fail(QStringLiteral("no level %1 in ").arg(level) + folder);
    status.Level(level).m_base.m_nPerScreen = count;
    status.Level(level).m_base.m_nQuantity = count;
    if (!status.SaveAll())
        return Fail(QStringLiteral("the settings files cannot be written in ") + folder);
    return 0;
}

int AutoDraw(const QString& folder, int level, qint32 quantity) {
    TumoStatus status;
    UseFolder(status, folder);
    if (level < 0 || level > status.LastGrade())
        return Fail(QStringLiteral("no level %1 in ").arg(level) + folder);
    GradeBase& base = status.Level(level).m_base;
    base.m_bAutoDraw = 1;
    base.m_nPerScreen = 1;
    base.m_nQuantity = quantity;
    base.m_nStopTime = 100;
    base.m_nScrollTime = 100;
    base.m_nSwitchTime = 0;
    status.Level(level).m_takeStyle.m_nStopMode = LotteryTakeStyle::StopNumber;
    // The board is off, so its title shows nowhere.
    status.Level(0).m_notify.m_strTitle = QString(16000, u'x');
    status.SetCurrentLevel(level);
    status.RecomputeDefaultGradeTotal();
    if (!status.SaveAll())
        return Fail(QStringLiteral("the settings files cannot be written in ") + folder);
    return 0;
}

int Monitor(const QString& folder, qint32 number) {
    TumoStatus status;
    UseFolder(status, folder);
    status.m_options.m_nMonitor = number;
    status.m_options.m_bStopAtStartup = 1;
    status.m_options.m_chStartSymbol = '0';
    if (!status.SaveAll())
        return Fail(QStringLiteral("the settings files cannot be written in ") + folder);
    return 0;
}

// Prize levels 1 to n, then the default level: the order of the winners file.
QList<int> WinnersOrder(const TumoStatus& status) {
    QList<int> order;
    for (int i = 1; i < status.LevelCount(); ++i)
        order << i;
    order << 0;
    return order;
}

int Scheme(const QString& folder) {
    TumoStatus status;
    UseFolder(status, folder);
    NuFileDeal pool;
    if (!OpenPool(pool, status, folder))
        return Fail(QStringLiteral("no pool in ") + folder);
    Out() << "current " << status.CurGradeIndex() << '\n';
    for (int i : WinnersOrder(status)) {
        const GradeInfo& level = status.Level(i);
        const QString name = i == 0 ? GradeBase::DefaultName() : level.m_base.m_strName;
        for (const SUINT& entry : level.m_taken.List()) {
            const LoNuInfo number = pool.ReadNumber(entry.m_nValue);
            if (!number.IsValid())
                return Fail(
                    QStringLiteral("drawn index %1 is not in the pool").arg(entry.m_nValue));
            Out() << name << '|' << number.m_strNumber << '\n';
        }
    }
    return 0;
}

// Checks the whole file as an outside reader would take it: byte-order mark, UTF-16LE, a header,
// serial numbers from 1, CR LF after every line including the last.
int Winners(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("no winners file ") + path);
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("\xFF\xFE") || bytes.size() % 2 != 0)
        return Fail(QStringLiteral("not UTF-16LE with a byte-order mark"));
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    if (!text.endsWith(QStringLiteral("\r\n")))
        return Fail(QStringLiteral("the last line does not end with CR LF"));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    if (lines.isEmpty() ||
        lines.first() != QStringLiteral("SN.,Prize level,Winning numbers,Additional information"))
        return Fail(QStringLiteral("wrong header line"));
    for (int k = 1; k < lines.size(); ++k) {
        const QStringList fields = lines.at(k).split(u',');
        if (fields.size() < 4 || fields.at(0) != QString::number(k))
            return Fail(QStringLiteral("line %1 is malformed: ").arg(k) + lines.at(k));
        Out() << fields.at(1) << '|' << fields.at(2) << '\n';
    }
    return 0;
}

// Mean difference per channel (0 to 255) of two pictures of one size.
double Distance(const QImage& a, const QImage& b) {
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            sum += qAbs(qRed(pa[x]) - qRed(pb[x])) + qAbs(qGreen(pa[x]) - qGreen(pb[x])) +
                   qAbs(qBlue(pa[x]) - qBlue(pb[x]));
        }
    }
    return double(sum) / (3.0 * a.width() * a.height());
}

QImage Small(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32)
        .scaled(24, 36, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The character whose cell looks most like the picture, '*' for the mask, '?' when nothing is
// close: a hidden slot shows the background.
QChar Recognise(const QImage& picture, const StripMovie& movie) {
    constexpr double kMatch = 24.0;
    const QImage seen = Small(picture);
    const QString bits = movie.SymbolsBits();
    double best = std::numeric_limits<double>::max();
    QChar found = u'?';
    for (int cell = 1; cell < movie.CellCount(); ++cell) {
        const double d = Distance(seen, Small(movie.Cell(cell)));
        if (d < best) {
            best = d;
            found = cell == 1 ? QChar(u'*') : bits.at(cell - 2);
        }
    }
    if (qEnvironmentVariableIsSet("DRAWCHECK_DEBUG"))
        std::fprintf(stderr, "  %c %.1f\n", char(found.unicode()), best);
    return best <= kMatch ? found : QChar(u'?');
}

// How the folder's stored layout shows on a screen of the screenshot's size.
ScreenMapping MappingFor(const QString& folder, QSize shown) {
    return ScreenMapping(LayoutScreenFile::Read(folder).value_or(shown), shown);
}

int Place(const QString& folder, int levelIndex) {
    TumoStatus status;
    UseFolder(status, folder);
    if (levelIndex < 0 || levelIndex >= status.LevelCount())
        return Fail(QStringLiteral("no level %1").arg(levelIndex));
    const std::optional<QSize> screen = LayoutScreenFile::Read(folder);
    LotterySym& sym = status.Level(levelIndex).m_sym;
    if (!screen || !sym.m_bLayoutValid)
        return Fail(QStringLiteral("no layout made for a known screen in ") + folder);
    int right = 0;
    for (const SymBitDataArray& row : sym.m_listLayout) {
        for (const SerialPtArray& cell : row.m_items)
            right = std::max(right, cell.m_rect.right);
    }
    const int shift = screen->width() - right;
    Out() << shift << '\n';
    for (SymBitDataArray& row : sym.m_listLayout) {
        for (SerialPtArray& cell : row.m_items)
            cell.m_rect = WinRect(cell.m_rect.left + shift, cell.m_rect.top,
                                  cell.m_rect.right + shift, cell.m_rect.bottom);
    }
    if (!status.SaveAll())
        return Fail(QStringLiteral("the settings files cannot be written in ") + folder);
    return 0;
}

int Board(const QString& folder, int levelIndex, const QString& png) {
    TumoStatus status;
    UseFolder(status, folder);
    if (levelIndex < 0 || levelIndex >= status.LevelCount())
        return Fail(QStringLiteral("no level %1").arg(levelIndex));
    const QImage shot(png);
    if (shot.isNull())
        return Fail(QStringLiteral("cannot read ") + png);
    LotteryNotify board = status.Level(levelIndex).m_notify;
    LayoutRebase::MapNotify(board, MappingFor(folder, shot.size()));
    const QRect rect = board.m_rcBoard.toQRect();
    Out() << rect.left() << ' ' << rect.top() << ' ' << rect.right() + 1 << ' ' << rect.bottom() + 1
          << '\n';
    if (rect.isEmpty() || !shot.rect().contains(rect))
        return Fail(QStringLiteral("the board is not all on the screen"));
    // Its light face fills the middle of its place, and nothing of it runs past its place: the
    // screen's dark show surrounds it.
    int light = 0;
    int seen = 0;
    const QRect middle =
        rect.adjusted(rect.width() / 5, rect.height() / 5, -rect.width() / 5, -rect.height() / 5);
    for (int y = middle.top(); y <= middle.bottom(); y += 4) {
        for (int x = middle.left(); x <= middle.right(); x += 4) {
            ++seen;
            light += qGray(shot.pixel(x, y)) > 190 ? 1 : 0;
        }
    }
    if (seen == 0 || light * 10 < seen * 8)
        return Fail(QStringLiteral("the board's face does not show at its place"));
    return 0;
}

int Symbols(const QString& folder, int levelIndex, int rows, const QString& png) {
    TumoStatus status;
    UseFolder(status, folder);
    if (levelIndex < 0 || levelIndex >= status.LevelCount())
        return Fail(QStringLiteral("no level %1").arg(levelIndex));
    const LotterySym& sym = status.Level(levelIndex).m_sym;
    const int positions = status.m_nuBase.m_nDigits;
    if (!sym.m_bLayoutValid || positions <= 0)
        return Fail(QStringLiteral("level %1 has no symbol layout").arg(levelIndex));
    QImage shot(png);
    if (shot.isNull())
        return Fail(QStringLiteral("cannot read ") + png);
    // A placed layout is scaled from the screen it was made for; an automatic one was laid out
    // for this screen.
    const ScreenMapping mapping =
        SymbolLayout::IsAutomatic(sym, status.Level(levelIndex).m_base.m_nPerScreen, positions)
            ? ScreenMapping()
            : MappingFor(folder, shot.size());
    for (int row = 0; row < rows; ++row) {
        QString seen;
        for (int p = positions - 1; p >= 0; --p) {
            const MovieLoadResult movie = StripMovieFile::Read(sym.GetSymbolFile(p));
            if (!movie.Ok() || !movie.movie->IsSymbols())
                return Fail(QStringLiteral("no symbol movie ") + sym.GetSymbolFile(p));
            bool missing = false;
            const QRect rect =
                mapping.MapRect(SymbolLayout::CellRect(sym, row, p, &missing)).toQRect();
            if (missing || rect.isEmpty() || !shot.rect().contains(rect))
                return Fail(QStringLiteral("no place for row %1 position %2").arg(row).arg(p));
            seen += Recognise(shot.copy(rect), *movie.movie);
        }
        Out() << seen << '\n';
    }
    return 0;
}

// The default board face is light over most of the screen, where the show's background is dark:
// bands above and below the symbols turn light as soon as the board has come in part of the way.
bool BoardShown(const QImage& frame) {
    int light = 0;
    int seen = 0;
    for (double fy : {0.17, 0.22, 0.27, 0.78, 0.83}) {
        const int y = int(frame.height() * fy);
        for (int x = frame.width() / 5; x < frame.width() * 4 / 5; x += 16) {
            ++seen;
            if (qGray(frame.pixel(x, y)) > 190)
                ++light;
        }
    }
    return seen > 0 && light * 4 > seen;
}

int Watch(int seconds, const QString& png) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return Fail(QStringLiteral("no screen"));
    QImage before = screen->grabWindow(0).toImage();
    if (BoardShown(before))
        return Fail(QStringLiteral("the board shows already"));
    Out() << "ready\n";
    Out().flush();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < qint64(seconds) * 1000) {
        QImage frame = screen->grabWindow(0).toImage();
        if (BoardShown(frame)) {
            if (!before.save(png))
                return Fail(QStringLiteral("cannot write ") + png);
            Out() << "board\n";
            return 0;
        }
        before = std::move(frame);
    }
    return Fail(QStringLiteral("no bulletin board within %1 s").arg(seconds));
}

int Run(const QStringList& args) {
    const QString command = args.value(0);
    if (command == QLatin1String("prepare") && args.size() == 2)
        return Prepare(args.at(1));
    if (command == QLatin1String("perscreen") && args.size() == 4)
        return PerScreen(args.at(1), args.at(2).toInt(), args.at(3).toInt());
    if (command == QLatin1String("autodraw") && args.size() == 4)
        return AutoDraw(args.at(1), args.at(2).toInt(), args.at(3).toInt());
    if (command == QLatin1String("monitor") && args.size() == 3)
        return Monitor(args.at(1), args.at(2).toInt());
    if (command == QLatin1String("scheme") && args.size() == 2)
        return Scheme(args.at(1));
    if (command == QLatin1String("winners") && args.size() == 2)
        return Winners(args.at(1));
    if (command == QLatin1String("watch") && args.size() == 3)
        return Watch(args.at(1).toInt(), args.at(2));
    if (command == QLatin1String("place") && args.size() == 3)
        return Place(args.at(1), args.at(2).toInt());
    if (command == QLatin1String("board") && args.size() == 4)
        return Board(args.at(1), args.at(2).toInt(), args.at(3));
    if (command == QLatin1String("symbols") && args.size() == 5)
        return Symbols(args.at(1), args.at(2).toInt(), args.at(3).toInt(), args.at(4));
    return Fail(QStringLiteral(
        "usage: prepare|scheme <folder>, perscreen|autodraw <folder> <level> <count>, "
        "monitor <folder> <number>, winners <file>, "
        "symbols <folder> <level> <rows> <png>, place <folder> <level>, "
        "board <folder> <level> <png>, watch <seconds> <png>"));
}

} // namespace

int main(int argc, char** argv) {
    // Only the watch looks at the live display; the rest works on files.
    if (argc < 2 || qstrcmp(argv[1], "watch") != 0)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int code = Run(QGuiApplication::arguments().mid(1));
    Out().flush();
    return code;
}
