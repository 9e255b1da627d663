// Times the draw on the real draw window, offscreen at 1920 x 1080, with the default media of the
// build folder, a pool of 10,000 eight-character numbers and ten numbers on the screen:
//   - from the Draw key until the symbols hold the worker's stop commands (every symbol the step
//     stops has its frame), for one number (take style 0), the first character of a number (take
//     style 1) and a whole screen of ten numbers (take style 2); with the default bulletin board,
//     which pops up over a finished screen, and without; with and without the winners file; with
//     0 and 100,000 winners drawn before. The settings files are saved after every step (saving
//     as the draw goes), and each press finds the step before it on disk, as at a show; the
//     "saving:0" cases show the same step with saving off. "handler_ms" is the part spent in the
//     key's own handler;
//   - the frame time of 10 numbers x 8 positions rolling: one beat of the frame ticker and the
//     repaint pass it causes over the symbols; and the same with a step of the full-screen
//     background loop in the frame.
// Targets: under 5 ms from the key to the stops by the median (median_ms), under 4 ms per
// frame of rolling symbols.
//
//   DrawBench [--media=<folder with defsym.swf>] [benchmark options]
//
// The offscreen platform is chosen unless another one is set; plain "offscreen" gets a
// 1920 x 1080 screen. On a busy machine, run it with a raised priority (nice -n -10).

#include "BenchPool.h"
#include "base/AppPaths.h"
#include "media/MovieClock.h"
#include "media/MovieRenderer.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "show/CTumoDlg.h"
#include "show/FrameTicker.h"
#include "show/SymbolCommands.h"
#include "show/SymbolView.h"
#include "store/NuFileDeal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>

// The benchmark runs some draws without the saving as the draw goes, as the tests do.
struct CTumoDlgTestAccess {
    static void SetNoSave(CTumoDlg& dlg, bool noSave) { dlg.m_bNoSave = noSave; }
};

namespace {

constexpr int kPerScreen = 10;
constexpr quint32 kFirstNumber = 10000000; // eight characters
constexpr quint32 kPoolSize = 200000;
constexpr int kSettleMs = 100; // between a step on disk and the next press

// A message during the run spoils its figures: it is printed, never shown.
class PrintingPrompter : public Prompter {
public:
    void Message(const QString& text, Icon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool AskYesNo(const QString& text) override {
        Message(text, Icon::Question);
        return false;
    }
    QString ChooseOpenFile(const QString&, const QString&, const QString&,
                           const QString&) override {
        return QString();
    }
    QString ChooseSaveFile(const QString&, const QString&, const QString&,
                           const QString&) override {
        return QString();
    }
};

CTumoDlg* g_dlg = nullptr;
void RunFor(int milliseconds);

// Handles events until the condition holds; false after 10 s.
bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

bool CopyMedia(const QString& from, const QString& to) {
    const QStringList media = {"defsym.swf",     "DefSym.swf",       "DefBg.swf",
                               "DefBan.swf",     "DefBBSkin.bmp",    "DefBBBg.jpg",
                               "defBKSound.wav", "defStopSound.wav", "defBBSound.wav"};
    for (const QString& name : media) {
        if (QFile::exists(from + '/' + name) && !QFile::copy(from + '/' + name, to + '/' + name))
            return false;
    }
    return QFile::exists(to + QStringLiteral("/defsym.swf"));
}

// A program folder: the media, a pool of eight-character numbers and one prize level of ten
// numbers a screen whose quantity never runs out during the run.
bool PrepareFolder(const QString& media, const QString& folder) {
    if (!CopyMedia(media, folder)) {
        std::fprintf(stderr, "no default media in %s (use --media=)\n", qPrintable(media));
        return false;
    }
    TumoStatus status;
    NuFileDeal pool;
    if (!FillBenchPool(folder, status, pool, kFirstNumber, kFirstNumber + kPoolSize - 1))
        return false;
    pool.Close();

    GradeInfo level = status.Level(0);
    level.m_base.m_strName = QStringLiteral("Bench");
    level.m_base.m_nQuantity = 1000000;
    level.m_base.m_nPerScreen = kPerScreen;
    status.AddLevel(level);
    return status.SaveAll();
}

CTumoDlg& Dlg() {
    return *g_dlg;
}

// The symbol views in the worker's order, found in the window's widget tree by their names.
std::vector<SymbolView*> SymbolViews() {
    std::vector<SymbolView*> views;
    while (auto* view = Dlg().findChild<SymbolView*>(QStringLiteral("symbol%1").arg(views.size()),
                                                     Qt::FindDirectChildrenOnly))
        views.push_back(view);
    return views;
}

GradeInfo& Level() {
    return *Dlg().CurGrade();
}

void PressSpace() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&Dlg(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&Dlg(), &release);
}

bool ViewsInMode(int firstView, int count, PlayerState::Mode mode) {
    const auto& views = SymbolViews();
    if (firstView < 0 || firstView + count > int(views.size()))
        return false;
    for (int i = firstView; i < firstView + count; ++i) {
        if (views[size_t(i)]->State().mode != mode)
            return false;
    }
    return true;
}

int AllViews() {
    return int(SymbolViews().size());
}

// The symbols the next step stops roll and the level lists `listed` winners: the state before a
// Draw. A number half stopped (take style 1) is finished and a finished screen restarts first;
// the winners drawn meanwhile are taken back.
bool ReadyToDraw(int style, int listed) {
    TumoStatus& status = Dlg().Status();
    for (int i = 0; i < 16 && Dlg().Draw().PendingPositions() > 0; ++i)
        PressSpace();
    if (Dlg().Draw().IsScreenDone()) {
        if (Level().m_taken.Count() != listed) {
            Level().m_taken.RemoveAll();
            for (quint32 i = 0; i < quint32(listed); ++i)
                Level().m_taken.Add(kPoolSize - 1 - i);
            status.m_nTakenAtGradeStart = listed;
        }
        PressSpace();
    }
    const int positions = status.m_nuBase.m_nDigits;
    return WaitFor([&] {
        if (Dlg().Draw().IsScreenDone())
            return false;
        if (style == LotteryTakeStyle::StopScreen)
            return ViewsInMode(0, AllViews(), PlayerState::Mode::Rolling);
        return ViewsInMode(status.GetNextSlotIndex() * positions, positions,
                           PlayerState::Mode::Rolling);
    });
}

void BM_DrawKeyToStops(benchmark::State& state) {
    const int style = int(state.range(0));
    const int listed = int(state.range(3));
    Level().m_takeStyle.m_nStopMode = style;
    Level().m_notify.m_bEnable = qint32(state.range(1));
    Dlg().Status().m_options.m_bAutoOutput = qint32(state.range(2));
    CTumoDlgTestAccess::SetNoSave(Dlg(), state.range(4) == 0);
    if (state.range(2) != 0)
        Dlg().FlushSaves();
    const int positions = Dlg().Status().m_nuBase.m_nDigits;
    double handlerMs = 0;
    std::vector<double> times;
    for (auto _ : state) {
        if (!ReadyToDraw(style, listed)) {
            state.SkipWithError("the symbols did not roll");
            break;
        }
        // An operator's presses lie seconds apart, time enough for the last step to reach the
        // disk; pressing again before it has would time the wait for the disk, which a draw
        // must make rather than the draw itself.
        Dlg().FlushSaves();
        // At a show the window has not just waited for the disk either: the frames that wait
        // held up are painted, and the system has written those files to the device.
        RunFor(kSettleMs);
        const int before = Level().m_taken.Count();
        const auto start = std::chrono::steady_clock::now();
        PressSpace();
        handlerMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        const int stopped = style == LotteryTakeStyle::StopScreen ? kPerScreen : 1;
        // Style 1 stops one character: the rightmost position of the first slot.
        const int first = style == LotteryTakeStyle::StopScreen ? 0
                          : style == LotteryTakeStyle::StopCharacter
                              ? Dlg().Status().m_nFirstSlot * positions
                              : Dlg().Draw().LastSlot() * positions;
        const int views = style == LotteryTakeStyle::StopCharacter ? 1 : stopped * positions;
        const bool arrived =
            WaitFor([&] { return ViewsInMode(first, views, PlayerState::Mode::Frame); });
        const auto end = std::chrono::steady_clock::now();
        if (!arrived || Level().m_taken.Count() != before + stopped) {
            state.SkipWithError("the draw did not stop the symbols");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    // The goal is on the median: one press that meets a busy machine does not decide it.
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        state.counters["median_ms"] = times[times.size() / 2];
        state.counters["worst_ms"] = times.back();
    }
    state.counters["handler_ms"] = handlerMs / double(std::max<qint64>(1, state.iterations()));
    state.counters["stops"] = double(style == LotteryTakeStyle::StopScreen ? kPerScreen * positions
                                     : style == LotteryTakeStyle::StopCharacter ? 1
                                                                                : positions);
    // The background writer finishes outside the figures of the next case.
    Dlg().FlushSaves();
    Dlg().Status().m_options.m_bAutoOutput = 0;
    CTumoDlgTestAccess::SetNoSave(Dlg(), false);
    Level().m_notify.m_bEnable = 1;
}

// Every take style with and without the board and the winners file, at 0 and 100,000 winners,
// saving as the draw goes; and the heaviest of them with saving off, for comparison.
void KeyToStopsCases(benchmark::internal::Benchmark* b) {
    for (int listed : {0, 100000})
        for (int style : {0, 1, 2})
            for (int board : {0, 1})
                for (int file : {0, 1})
                    b->Args({style, board, file, listed, 1});
    for (int style : {0, 2})
        b->Args({style, 1, 1, 100000, 0});
}

QRect SymbolArea() {
    QRect area;
    for (const SymbolView* view : SymbolViews())
        area |= view->geometry();
    return area;
}

// The full-screen background movie: the one movie view that shows no symbol or banner.
QWidget* BackgroundView() {
    for (MovieView* view : Dlg().findChildren<MovieView*>()) {
        if (!qobject_cast<SymbolView*>(view))
            return view;
    }
    return nullptr;
}

// One beat of the frame ticker, then the window paints what the rolling symbols marked dirty,
// in one pass, as the beat makes it on screen.
void BM_RollingFrame(benchmark::State& state) {
    if (!ReadyToDraw(LotteryTakeStyle::StopScreen, 0)) {
        state.SkipWithError("the symbols did not roll");
        return;
    }
    const QRect area = SymbolArea();
    const bool withBackground = state.range(0) != 0;
    QWidget* background = BackgroundView();
    for (auto _ : state) {
        Q_EMIT FrameTicker::Instance().Tick();
        if (withBackground && background) {
            background->update();
            Dlg().repaint();
        } else {
            Dlg().repaint(area);
        }
    }
    state.counters["symbols"] = AllViews();
}

// ---- the background while symbols roll, and while nothing does ----

int VisibleViews();

// Puts the bench level on the screen with `perScreen` numbers of 8 symbols, every one rolling.
bool ShowRollingLevel(int perScreen) {
    TumoStatus& status = Dlg().Status();
    GradeInfo* level = &Level();
    if (level->m_base.m_nPerScreen != perScreen) {
        level->m_base.m_nPerScreen = perScreen;
        SymbolCommands& symbols = Dlg().Symbols();
        symbols.SetCount(status.m_nuBase.m_nDigits * perScreen);
        symbols.Layout();
        symbols.Roll(0, 1);
        Dlg().Draw().HideSurplusSlots();
    }
    if (Dlg().Draw().IsScreenDone())
        PressSpace();
    const int wanted = status.m_nuBase.m_nDigits * std::max(1, level->m_base.m_nPerScreen);
    const bool shown = WaitFor([&] {
        const auto& views = SymbolViews();
        return Dlg().Draw().IsDrawEnabled() && !Dlg().Draw().IsScreenDone() &&
               VisibleViews() == wanted &&
               std::all_of(views.begin(), views.end(), [](const SymbolView* view) {
                   return !view->isVisible() || view->State().mode == PlayerState::Mode::Rolling;
               });
    });
    if (!shown)
        std::fprintf(stderr, "%d of %d symbols shown, enabled %d, done %d\n", VisibleViews(),
                     wanted, Dlg().Draw().IsDrawEnabled(), Dlg().Draw().IsScreenDone());
    return shown;
}

int VisibleViews() {
    const auto& views = SymbolViews();
    return int(std::count_if(views.begin(), views.end(),
                             [](const SymbolView* view) { return view->isVisible(); }));
}

// Runs the real event loop for a while.
void RunFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

MovieView* BackgroundMovie() {
    return qobject_cast<MovieView*>(BackgroundView());
}

// Times every paint pass of the draw window (the update request that paints all that is dirty
// and flushes it) and notes when a watched view is painted.
class PassTimer : public QObject {
public:
    explicit PassTimer(QWidget* watched) : m_watched(watched) {
        Dlg().installEventFilter(this);
        watched->installEventFilter(this);
        m_clock.start();
    }
    ~PassTimer() override {
        Dlg().removeEventFilter(this);
        if (m_watched)
            m_watched->removeEventFilter(this);
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (object == m_watched && event->type() == QEvent::Paint) {
            const qint64 now = m_clock.nsecsElapsed();
            if (m_lastFrame >= 0)
                m_gaps.push_back(double(now - m_lastFrame) / 1e6);
            m_lastFrame = now;
        }
        if (object == &Dlg() && event->type() == QEvent::UpdateRequest && !m_inside) {
            m_inside = true;
            const qint64 start = m_clock.nsecsElapsed();
            QApplication::sendEvent(object, event);
            m_passes.push_back(double(m_clock.nsecsElapsed() - start) / 1e6);
            m_inside = false;
            return true;
        }
        return false;
    }
    std::vector<double> m_passes;
    std::vector<double> m_gaps;

private:
    QPointer<QWidget> m_watched;
    QElapsedTimer m_clock;
    qint64 m_lastFrame = -1;
    bool m_inside = false;
};

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (const double x : v)
        sum += x;
    return v.empty() ? 0 : sum / double(v.size());
}

double Worst(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// One beat in which the background takes a fade step (its clock moved on by one step) while the
// symbols roll: the beat, then the one paint pass it causes.
void BM_BackgroundStepFrame(benchmark::State& state) {
    MovieView* background = BackgroundMovie();
    if (!ShowRollingLevel(int(state.range(0))) || !background) {
        state.SkipWithError("no rolling symbols over a background movie");
        return;
    }
    qint64 now = MovieClock::NowMs();
    const int step = std::max(1, MovieRenderer::FadeStepMs(background->State(), now));
    background->SetClock([&now] { return now; });
    QEvent::Type request = QEvent::UpdateRequest;
    double beatMs = 0;
    for (auto _ : state) {
        // The clock runs on far faster than the show's: a cell being made for the next fade,
        // which the show has a whole fade's time for, is let finish outside the measure.
        state.PauseTiming();
        while (background->IsPreparing())
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        state.ResumeTiming();
        now += step;
        QElapsedTimer beat;
        beat.start();
        Q_EMIT FrameTicker::Instance().Tick();
        beatMs += double(beat.nsecsElapsed()) / 1e6;
        QEvent paint(request);
        QApplication::sendEvent(&Dlg(), &paint);
    }
    state.counters["beat_ms"] = beatMs / double(std::max<qint64>(1, state.iterations()));
    background->SetClock({});
    state.counters["symbols"] = VisibleViews();
    state.counters["step_ms"] = step;
}

// How late a thread that does nothing but sleep to a 15 ms beat wakes, at worst: the machine's
// own share of a late frame, measured alongside the show.
class WakeProbe {
public:
    WakeProbe()
        : m_thread([this] {
              timespec next{};
              clock_gettime(CLOCK_MONOTONIC, &next);
              while (!m_stop.load()) {
                  next.tv_nsec += 15000000;
                  if (next.tv_nsec >= 1000000000) {
                      next.tv_nsec -= 1000000000;
                      ++next.tv_sec;
                  }
                  clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
                  timespec now{};
                  clock_gettime(CLOCK_MONOTONIC, &now);
                  const double late = double(now.tv_sec - next.tv_sec) * 1e3 +
                                      double(now.tv_nsec - next.tv_nsec) / 1e6;
                  m_worst = std::max(m_worst, late);
              }
          }) {}
    ~WakeProbe() { Stop(); }
    double Stop() {
        m_stop.store(true);
        if (m_thread.joinable())
            m_thread.join();
        return m_worst;
    }

private:
    std::atomic<bool> m_stop{false};
    double m_worst = 0;
    std::thread m_thread;
};

// Ten seconds of the real event loop with the symbols rolling over the background movie: the
// mean and worst paint pass, the worst gap between two frames of a symbol, and how many gaps
// passed 20 ms; beside them, how late a bare sleeping thread woke at worst meanwhile (a gap
// over 20 ms needs a frame 5 ms late, and a machine that wakes threads that late makes some by
// itself).
void BM_BackgroundRolling10s(benchmark::State& state) {
    if (!ShowRollingLevel(int(state.range(0))) || !BackgroundMovie()) {
        state.SkipWithError("no rolling symbols over a background movie");
        return;
    }
    for (auto _ : state) {
        PassTimer timer(SymbolViews().front());
        WakeProbe probe;
        QElapsedTimer run;
        run.start();
        RunFor(10000);
        state.SetIterationTime(double(run.nsecsElapsed()) / 1e9);
        state.counters["machine_late_ms"] = probe.Stop();
        state.counters["symbols"] = VisibleViews();
        state.counters["frames"] = double(timer.m_gaps.size());
        state.counters["pass_ms"] = Mean(timer.m_passes);
        state.counters["worst_pass_ms"] = Worst(timer.m_passes);
        state.counters["worst_gap_ms"] = Worst(timer.m_gaps);
        state.counters["gaps_over_20ms"] = double(std::count_if(
            timer.m_gaps.begin(), timer.m_gaps.end(), [](double gap) { return gap > 20; }));
    }
}

// The share of a core the whole process takes over `ms` of the real event loop, with the number
// of paint passes and their mean length.
struct CpuShare {
    double percent = 0;
    double passes = 0;
    double passMs = 0;
};

CpuShare MeasureCpu(int ms) {
    PassTimer timer(BackgroundMovie());
    QElapsedTimer run;
    run.start();
    timespec before{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
    RunFor(ms);
    timespec after{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
    const double cpu =
        double(after.tv_sec - before.tv_sec) + double(after.tv_nsec - before.tv_nsec) / 1e9;
    const double wall = double(run.nsecsElapsed()) / 1e9;
    return CpuShare{100 * cpu / wall, double(timer.m_passes.size()), Mean(timer.m_passes)};
}

// The share of a core the whole process takes while a finished screen stands and only the
// background moves, with the default bulletin board over the screen or without it: over the 5 s
// right after the draw ("start_" figures, which include scaling the background's cells the first
// time round) and over 5 s once the background has gone through a whole cycle (the screen that
// stands for as long as the operator lets it).
void BM_IdleCpu(benchmark::State& state) {
    if (!ShowRollingLevel(kPerScreen) || !BackgroundMovie()) {
        state.SkipWithError("no rolling symbols over a background movie");
        return;
    }
    Level().m_takeStyle.m_nStopMode = LotteryTakeStyle::StopScreen;
    Level().m_notify.m_bEnable = qint32(state.range(0));
    PressSpace();
    const bool stopped = WaitFor([] {
        const std::vector<SymbolView*> views = SymbolViews();
        return Dlg().Draw().IsScreenDone() &&
               std::none_of(views.begin(), views.end(),
                            [](const SymbolView* view) { return view->IsAnimating(); });
    });
    if (!stopped) {
        state.SkipWithError("the symbols did not stop");
        return;
    }
    const auto& movie = BackgroundMovie()->State().movie;
    const int cycleMs = movie ? int(movie->CycleMs()) : 0;
    for (auto _ : state) {
        QElapsedTimer run;
        run.start();
        const CpuShare start = MeasureCpu(5000);
        RunFor(std::max(0, cycleMs - 5000));
        const CpuShare steady = MeasureCpu(5000);
        state.SetIterationTime(double(run.nsecsElapsed()) / 1e9);
        state.counters["start_cpu_percent"] = start.percent;
        state.counters["cpu_percent"] = steady.percent;
        state.counters["passes"] = steady.passes;
        state.counters["pass_ms"] = steady.passMs;
    }
    Level().m_notify.m_bEnable = 1;
}

BENCHMARK(BM_DrawKeyToStops)
    ->ArgNames({"style", "board", "winnersfile", "winners", "saving"})
    ->Apply(KeyToStopsCases)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(60);
BENCHMARK(BM_RollingFrame)
    ->ArgName("background")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BM_BackgroundStepFrame)
    ->ArgName("perscreen")
    ->Arg(1)
    ->Arg(kPerScreen)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BM_BackgroundRolling10s)
    ->ArgName("perscreen")
    ->Arg(1)
    ->Arg(kPerScreen)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IdleCpu)
    ->ArgName("board")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

QString MediaFolder(int& argc, char** argv) {
    QString media = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--media=")) {
            media = QString::fromLocal8Bit(arg.mid(8));
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    }
    return QDir(media).absolutePath();
}

void ChooseOffscreenScreen(const QString& folder) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    const QString config = folder + QStringLiteral("/offscreen.json");
    QFile f(config);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920,
                   "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        f.close();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    QTemporaryDir folder;
    ChooseOffscreenScreen(folder.path());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString media = MediaFolder(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!folder.isValid() || !PrepareFolder(media, folder.path()))
        return 1;

    PrintingPrompter prompter;
    auto dlg = std::make_unique<CTumoDlg>(&prompter);
    g_dlg = dlg.get();
    if (!dlg->OnInitDialog() ||
        !WaitFor([&] { return dlg->isVisible() && dlg->Draw().IsDrawEnabled(); })) {
        std::fprintf(stderr, "the draw window did not start\n");
        return 1;
    }
    std::printf("draw window %dx%d, %d symbols, pool of %u numbers of %d characters\n",
                dlg->width(), dlg->height(), AllViews(), kPoolSize,
                dlg->Status().m_nuBase.m_nDigits);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CTumoDlgTestAccess::SetNoSave(*dlg, true);
    dlg->OnQuit();
    dlg.reset();
    return 0;
}
