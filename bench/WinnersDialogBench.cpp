// Times the opening of the winning-numbers dialog with many winners drawn from a large pool, from
// its construction until its first frame is painted (goal: under 1 s), next to the same dialog
// opened with no winners (the floor), best of three, in the same run.
//
//   WinnersDialogBench [winners, default 100000] [pool numbers, default 1000000]
//
// The offscreen platform is chosen unless another one is set.

#include "BenchPool.h"
#include "base/AppPaths.h"
#include "model/TumoStatus.h"
#include "settings/NuTakedOutDD.h"
#include "store/NuFileDeal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kLevels = 10;
constexpr int kRuns = 3;

// Notes the first paint of the list's viewport: the dialog is on screen with its rows.
class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

double openSeconds(TumoStatus& status, NuFileDeal& pool, qsizetype& rows) {
    QElapsedTimer t;
    t.start();
    NuTakedOutDD dlg(nullptr);
    dlg.m_pNumberStore = &pool;
    dlg.m_pStatus = &status;
    dlg.OnInitDialog();
    FirstPaint paint;
    dlg.List()->viewport()->installEventFilter(&paint);
    dlg.show();
    while (!paint.painted)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const double s = double(t.nsecsElapsed()) / 1e9;
    rows = dlg.List()->model()->rowCount();
    return s;
}

double bestOpen(TumoStatus& status, NuFileDeal& pool, qsizetype& rows) {
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i)
        best = std::min(best, openSeconds(status, pool, rows));
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const quint32 winners = argc > 1 ? QByteArray(argv[1]).toUInt() : 100000u;
    const quint32 numbers = std::max(argc > 2 ? QByteArray(argv[2]).toUInt() : 1000000u, winners);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    TumoStatus status;
    NuFileDeal pool;
    if (!FillBenchPool(dir.path(), status, pool, 1, numbers))
        return 1;

    qsizetype rows = 0;
    const double floor = bestOpen(status, pool, rows);

    // Winners spread over the pool in the random order of a draw, in ten levels and the default.
    QList<GradeInfo> levels(kLevels + 1, status.Level(0));
    for (int l = 1; l <= kLevels; ++l)
        levels[l].m_base.m_strName = QStringLiteral("Level %1").arg(l);
    for (quint32 i = 0; i < winners; ++i)
        levels[int(i % (kLevels + 1))].m_taken.Add(quint32((quint64(i) * 7919u) % numbers));
    status.SetLevels(std::move(levels));

    const double open = bestOpen(status, pool, rows);
    std::printf("winning-numbers dialog, pool of %u numbers, best of %d:\n", numbers, kRuns);
    std::printf("  with no winners (floor)     %8.3f s\n", floor);
    std::printf("  with %u winners (%lld rows) %8.3f s  %5.1f times the floor  (goal: under 1 s)\n",
                winners, qlonglong(rows), open, open / floor);
    return 0;
}
