// The sound run's helper, built from the program's own model and store code:
//   prepare <folder>          a program folder with the pool 1..100 and three prize levels, one
//                             per take style, the last in automatic mode
//   levels <raw file> <rate>  the level of a mono 16-bit recording in 100 ms windows, in dBFS,
//                             one window a line (-120 for digital silence)
// Exit code 0, or 1 with the reason on stderr.

#include "HelperFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace {

int Fail(const QString& why) {
    std::fprintf(stderr, "soundcheck: %s\n", qPrintable(why));
    return 1;
}

GradeInfo MakeLevel(const GradeInfo& from, const char* name, qint32 stopMode, qint32 quantity) {
    GradeInfo level = from;
    level.m_base.m_strName = QString::fromLatin1(name);
    level.m_base.m_nQuantity = quantity;
    level.m_base.m_nPerScreen = 1;
    level.m_takeStyle.m_nStopMode = stopMode;
    level.m_notify.m_bEnable = 0;
    return level;
}

// "Numbers" stops a whole number per press, a screen of one, two winners; "Characters" stops one
// character per press and shows the board with its own sound when the number is complete;
// "Automatic" stops a screen at once and goes on by itself, with a pause between a result and
// the next roll long enough for the winning-number sound to end first.
int Prepare(const QString& folder) {
    TumoStatus status;
    if (!UseFolderWithPool(status, folder))
        return Fail(QStringLiteral("the pool cannot be created in ") + folder);

    const GradeInfo base = status.Level(0);
    status.AddLevel(MakeLevel(base, "Numbers", LotteryTakeStyle::StopNumber, 2));
    GradeInfo characters = MakeLevel(base, "Characters", LotteryTakeStyle::StopCharacter, 1);
    characters.m_notify.m_bEnable = 1;
    characters.m_notify.m_nShowWhen = 0;
    status.AddLevel(characters);
    GradeInfo automatic = MakeLevel(base, "Automatic", LotteryTakeStyle::StopScreen, 3);
    automatic.m_base.m_bAutoDraw = 1;
    automatic.m_base.m_nStopTime = 6000;
    automatic.m_base.m_nScrollTime = 3000;
    automatic.m_base.m_nSwitchTime = 0;
    status.AddLevel(automatic);
    status.Level(0).m_notify.m_bEnable = 0;
    status.SetCurrentLevel(1);
    status.RecomputeDefaultGradeTotal();
    status.m_options.m_bAutoOutput = 1;
    if (!status.SaveAll())
        return Fail(QStringLiteral("the settings files cannot be written in ") + folder);
    return 0;
}

int Levels(const QString& path, int rate) {
    QFile file(path);
    if (rate <= 0 || !file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read ") + path);
    const QByteArray bytes = file.readAll();
    const qsizetype window = rate / 10;
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    const qsizetype count = bytes.size() / 2;
    for (qsizetype start = 0; start + window <= count; start += window) {
        double sum = 0;
        for (qsizetype i = start; i < start + window; ++i)
            sum += double(samples[i]) * samples[i];
        const double rms = std::sqrt(sum / double(window)) / 32768.0;
        const double db = rms > 1e-6 ? 20.0 * std::log10(rms) : -120.0;
        std::printf("%.0f\n", db);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("prepare") && args.size() == 2)
        return Prepare(args.at(1));
    if (command == QLatin1String("levels") && args.size() == 3)
        return Levels(args.at(1), args.at(2).toInt());
    return Fail(QStringLiteral("usage: prepare <folder>, levels <raw file> <rate>"));
}
