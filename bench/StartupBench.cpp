// Times the start of the real program to its first frame on the screen, next to the floor: the
// plain full-screen Qt window of TrivialWindow, in the same run, on a private Xvfb display of
// 1920 x 1080. A frame counts as shown once the middle row or column of the screen is no longer
// the black of the empty display. Also prints the peak memory of each process at that moment and
// two seconds later.
// Goals: within 3 times the floor, also with a pool of 5,000,000 numbers; under 120 MB.
//
//   StartupBench [runs, default 5] [pool numbers, default 5000000]
//   StartupBench prepare <folder> <pool numbers>   only makes such a program folder (to profile)
//
// Both programs are taken from the build folder this benchmark lies in (bench/..). Timings are
// medians of the runs, the two programs taking turns, so that a busy machine weighs on both.

#include "BenchPool.h"
#include "base/AppPaths.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kTimeoutMs = 60000;

struct Run {
    double seconds = 0;
    double peakMb = 0;
    double settledPeakMb = 0; // two seconds on, once the sounds are decoded too
};

// A private display, ended with the benchmark.
class Display {
public:
    bool Start() {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            const std::string screen =
                std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24";
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-br",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char buf[32] = {};
        const ssize_t n = read(fds[0], buf, sizeof buf - 1);
        close(fds[0]);
        if (n <= 0)
            return false;
        m_name = ":" + std::string(buf, size_t(n));
        while (!m_name.empty() && (m_name.back() == '\n' || m_name.back() == ' '))
            m_name.pop_back();
        m_conn = xcb_connect(m_name.c_str(), nullptr);
        if (xcb_connection_has_error(m_conn))
            return false;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
        return true;
    }
    ~Display() {
        if (m_conn)
            xcb_disconnect(m_conn);
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    const std::string& Name() const { return m_name; }

    // Whether any pixel of the rectangle is not black.
    bool Painted(int x, int y, int w, int h) {
        xcb_get_image_cookie_t cookie =
            xcb_get_image(m_conn, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, int16_t(x), int16_t(y),
                          uint16_t(w), uint16_t(h), ~0u);
        xcb_get_image_reply_t* reply = xcb_get_image_reply(m_conn, cookie, nullptr);
        if (!reply)
            return false;
        const uint8_t* data = xcb_get_image_data(reply);
        const int length = xcb_get_image_data_length(reply);
        bool painted = false;
        for (int i = 0; i < length && !painted; ++i)
            painted = data[i] != 0;
        free(reply);
        return painted;
    }
    bool FramePainted() {
        return Painted(0, kHeight / 2, kWidth, 1) || Painted(kWidth / 2, 0, 1, kHeight);
    }

private:
    pid_t m_pid = -1;
    std::string m_name;
    xcb_connection_t* m_conn = nullptr;
    xcb_window_t m_root = 0;
};

double PeakMb(pid_t pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Starts the program in its folder and waits for its first frame; the program is ended then.
std::optional<Run> TimeStart(Display& display, const QString& program, const QString& folder) {
    const QByteArray exe = program.toLocal8Bit();
    const QByteArray dir = folder.toLocal8Bit();
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.constData()) != 0)
            _exit(127);
        setenv("DISPLAY", display.Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("QT_MEDIA_BACKEND", "gstreamer", 1);
        execl(exe.constData(), exe.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::optional<Run> run;
    for (;;) {
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (display.FramePainted()) {
            run = Run{s, PeakMb(pid), 0};
            std::this_thread::sleep_for(std::chrono::seconds(2));
            run->settledPeakMb = PeakMb(pid);
            break;
        }
        if (s * 1000 > kTimeoutMs || waitpid(pid, nullptr, WNOHANG) == pid)
            break;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // The next start finds the screen black again.
    while (display.FramePainted())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return run;
}

// A program folder: the program and its media, and, when numbers is above 0, a pool of that
// many numbers with its summary stored, as a show that imported them has it.
bool PrepareFolder(const QString& build, const QString& folder, quint32 numbers) {
    const QStringList names = QDir(build).entryList(
        {"tumo", "*.swf", "*.bmp", "*.jpg", "*.wav", "*.xml", "sam.txt", "*.png"}, QDir::Files);
    for (const QString& name : names) {
        if (!QFile::copy(build + '/' + name, folder + '/' + name))
            return false;
    }
    if (numbers == 0)
        return true;
    TumoStatus status;
    NuFileDeal pool;
    if (!FillBenchPool(folder, status, pool, 1, numbers))
        return false;
    pool.Close();
    status.RecomputeDefaultGradeTotal();
    return status.SaveAll();
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* what, const std::vector<Run>& runs, double floor) {
    std::vector<double> s;
    std::vector<double> mb;
    std::vector<double> settled;
    s.reserve(runs.size());
    mb.reserve(runs.size());
    settled.reserve(runs.size());
    for (const Run& r : runs) {
        s.push_back(r.seconds);
        mb.push_back(r.peakMb);
        settled.push_back(r.settledPeakMb);
    }
    std::printf("%-40s %7.3f s %5.1f times the floor  peak %6.1f MB, %6.1f MB 2 s on\n", what,
                Median(s), Median(s) / floor, Median(mb), Median(settled));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString build = QDir(QCoreApplication::applicationDirPath() + "/..").absolutePath();
    if (argc == 4 && qstrcmp(argv[1], "prepare") == 0)
        return PrepareFolder(build, QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toUInt())
                   ? 0
                   : 1;
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const quint32 numbers = argc > 2 ? QByteArray(argv[2]).toUInt() : 5000000u;
    const QString trivial = QCoreApplication::applicationDirPath() + "/TrivialWindow";
    QTemporaryDir plain;
    QTemporaryDir large;
    QTemporaryDir trivialFolder;
    if (!plain.isValid() || !large.isValid() || !trivialFolder.isValid() ||
        !PrepareFolder(build, plain.path(), 0)) {
        std::fprintf(stderr, "no program folder could be made from %s\n", qPrintable(build));
        return 1;
    }
    const bool withPool = numbers > 0 && PrepareFolder(build, large.path(), numbers);
    Display display;
    if (!display.Start()) {
        std::fprintf(stderr, "no Xvfb display\n");
        return 1;
    }
    std::vector<Run> floor, tumo, pooled;
    for (int i = 0; i < runs; ++i) {
        const auto a = TimeStart(display, trivial, trivialFolder.path());
        const auto b = TimeStart(display, plain.path() + "/tumo", plain.path());
        const auto c =
            withPool ? TimeStart(display, large.path() + "/tumo", large.path()) : std::nullopt;
        if (!a || !b || (withPool && !c)) {
            std::fprintf(stderr, "a start showed no frame: %s\n",
                         !a   ? "the plain window"
                         : !b ? "tumo"
                              : "tumo with the pool");
            return 1;
        }
        floor.push_back(*a);
        tumo.push_back(*b);
        if (c)
            pooled.push_back(*c);
    }
    std::vector<double> fs;
    fs.reserve(floor.size());
    for (const Run& r : floor)
        fs.push_back(r.seconds);
    const double f = Median(fs);
    std::printf("start to the first frame, %dx%d Xvfb, median of %d runs:\n", kWidth, kHeight,
                runs);
    Report("plain full-screen Qt window (the floor)", floor, f);
    Report("tumo, default media", tumo, f);
    if (withPool)
        Report(qPrintable(QStringLiteral("tumo, a pool of %1 numbers").arg(numbers)), pooled, f);
    std::printf("goals: within 3 times the floor; peak under 120 MB\n");
    return 0;
}
