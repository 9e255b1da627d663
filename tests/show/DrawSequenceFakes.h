#pragma once

#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "show/BulletinControl.h"
#include "show/CheckListHost.h"
#include "show/DrawScreen.h"
#include "show/DrawSequence.h"
#include "show/DrawSounds.h"
#include "show/DrawTimers.h"
#include "show/InfoPanelHost.h"
#include "show/NumberSource.h"
#include "show/SymbolCommands.h"
#include "show/WinnersOutput.h"

#include <QMap>
#include <QStringList>
#include <functional>
#include <memory>

// Records every side effect of the draw sequence, in order, as one line of text each, so that a
// test can compare whole sequences: "stop p0 s1 f2", "roll 0 1", "start 2 500", "kill 3",
// "sound 1", "board 2", "panels 1", "winners", "msg ...".
class DrawRecorder : public SymbolCommands,
                     public DrawTimers,
                     public DrawSounds,
                     public BulletinControl,
                     public InfoPanelHost,
                     public WinnersOutput,
                     public CheckListHost,
                     public DrawScreen {
public:
    QStringList log;
    QStringList checkList; // lines of the last pop-up
    QString symbolSet = QStringLiteral("0123456789");
    QMap<int, int> timers; // running timers: id -> period
    int saves = 0;         // SaveDrawState calls

    void StopPosition(int position, int slot, int frame) override {
        log << QStringLiteral("stop p%1 s%2 f%3").arg(position).arg(slot).arg(frame);
    }
    void Roll(int target, int mode) override {
        log << QStringLiteral("roll %1 %2").arg(target).arg(mode);
    }
    void HideSlot(int slot) override { log << QStringLiteral("hide %1").arg(slot); }
    void ShowFrameOnAll(int frame) override { log << QStringLiteral("setall %1").arg(frame); }
    void SetCount(int count) override { log << QStringLiteral("setcount %1").arg(count); }
    void Layout() override { log << QStringLiteral("layout"); }
    void SetGrade(const GradeInfo& grade) override {
        log << QStringLiteral("setgrade ") + grade.m_base.m_strName;
    }
    QList<int> landings; // tokens of the landing reports asked for, not yet answered
    void ReportLanding(int token) override { landings << token; }

    void StartTimer(int id, int ms) override {
        timers[id] = ms;
        log << QStringLiteral("start %1 %2").arg(id).arg(ms);
    }
    void KillTimer(int id) override {
        timers.remove(id);
        log << QStringLiteral("kill %1").arg(id);
    }

    void ControlSounds(int kind) override { log << QStringLiteral("sound %1").arg(kind); }
    void LoadGradeSounds(int mode) override { log << QStringLiteral("sounds %1").arg(mode); }

    void ShowBulletin(int count) override { log << QStringLiteral("board %1").arg(count); }
    void RestartScroll() override { log << QStringLiteral("scroll"); }
    void HideBulletin() override { log << QStringLiteral("board hide"); }
    void MarkBulletinReshape() override { log << QStringLiteral("board reshape"); }

    void RefreshInfoPanels(bool create) override {
        log << QStringLiteral("panels %1").arg(create ? 1 : 0);
    }
    // The settings files are saved after every change; only the winners file shows in the log.
    void SaveDrawState(bool winnersText) override {
        ++saves;
        if (winnersText)
            log << QStringLiteral("winners");
    }
    bool EnsureDrawStateSaved() override { return true; }
    void ShowCheckList(const QStringList& lines) override {
        checkList = lines;
        log << QStringLiteral("checklist ") + lines.join(QLatin1Char('|'));
    }

    void LoadBackground(const GradeInfo& grade) override {
        log << QStringLiteral("background ") + grade.m_bg.m_strFile;
    }
    void ShowBanner(const GradeInfo&) override { log << QStringLiteral("banner show"); }
    void HideBanner() override { log << QStringLiteral("banner hide"); }
    QString LoadSymbolSet(const GradeInfo&) override {
        log << QStringLiteral("symbolset");
        return symbolSet;
    }
    void RepaintAll() override { log << QStringLiteral("repaint"); }
    void EnableWindow(bool enable) override {
        log << QStringLiteral("enable %1").arg(enable ? 1 : 0);
    }

    QStringList Take() {
        QStringList taken = log;
        log.clear();
        return taken;
    }
    QStringList Only(const QString& prefix) const {
        QStringList out;
        for (const QString& line : log)
            if (line.startsWith(prefix))
                out << line;
        return out;
    }
};

// A pool of numbers whose picks the test scripts: each pick takes the next scripted index, or,
// when the script is empty, the lowest index no level has drawn. Index -1 when none is free.
class ScriptedNumbers : public NumberSource {
public:
    explicit ScriptedNumbers(const TumoStatus& status) : m_status(status) {}

    QStringList numbers;    // pool texts by index
    QStringList infos;      // information texts by index (may be shorter)
    QList<int> script;      // indexes the next picks return
    bool failPicks = false; // the pool answers "none" whatever the summary says
    bool damaged = false;   // ... because a record is damaged

    void Fill(int first, int last) {
        for (int n = first; n <= last; ++n)
            numbers << QString::number(n);
    }

    LoNuInfo DrawRandomNumber() override {
        if (failPicks)
            return LoNuInfo();
        if (!script.isEmpty())
            return ReadNumber(quint32(script.takeFirst()));
        for (int i = 0; i < numbers.size(); ++i)
            if (!m_status.IsNumberTaken(quint32(i)))
                return ReadNumber(quint32(i));
        return LoNuInfo();
    }
    bool IsDamaged() const override { return damaged; }
    LoNuInfo ReadNumber(quint32 index) override {
        if (index >= quint32(numbers.size()))
            return LoNuInfo();
        const QString info = index < quint32(infos.size()) ? infos.at(int(index)) : QString();
        return LoNuInfo(qint32(index), numbers.at(int(index)), info);
    }

private:
    const TumoStatus& m_status;
};

// A prompter whose message box runs a callback while it is "open", as a real one spins the
// event loop: timers and presses can arrive meanwhile.
class ModalPrompter : public RecordingPrompter {
public:
    std::function<void()> whileOpen;
    void Message(const QString& text, Icon icon) override {
        RecordingPrompter::Message(text, icon);
        if (whileOpen)
            whileOpen();
    }
};

// A status with a pool of `poolCount` numbers of up to `digits` characters, prize levels with
// the given quantities (level 0 takes the rest), and a draw sequence ready to draw.
class DrawFixture {
public:
    TumoStatus status;
    DrawRecorder rec;
    ModalPrompter prompter;
    std::unique_ptr<ScriptedNumbers> numbers;
    std::unique_ptr<DrawSequence> seq;
    WinnersOutput* winners = nullptr; // where the draw saves; the recorder when null

    DrawFixture(int poolCount, int digits, const QList<int>& quantities) {
        numbers = std::make_unique<ScriptedNumbers>(status);
        numbers->Fill(1, poolCount);
        status.m_nuBase.m_nCount = poolCount;
        status.m_nuBase.m_nDigits = digits;
        status.AddLevel(GradeInfo());
        for (int i = 0; i < quantities.size(); ++i) {
            GradeInfo level;
            level.m_base.m_strName = QStringLiteral("Level %1").arg(i + 1);
            level.m_base.m_nQuantity = quantities.at(i);
            status.AddLevel(level);
        }
        status.RecomputeDefaultGradeTotal();
    }

    GradeInfo& Level(int i) { return status.Level(i); }

    // Call after adjusting the levels: chooses the current level and makes the screen ready.
    void Begin() {
        DrawPorts ports;
        ports.symbols = &rec;
        ports.timers = &rec;
        ports.sounds = &rec;
        ports.bulletin = &rec;
        ports.panels = &rec;
        ports.winners = winners ? winners : &rec;
        ports.checkList = &rec;
        ports.screen = &rec;
        ports.numbers = numbers.get();
        ports.prompter = &prompter;
        seq = std::make_unique<DrawSequence>(status, ports);
        qint32 index = 0;
        status.FindCurrentGrade(index);
        seq->Start(rec.symbolSet);
        seq->OnSymbolsReady();
        rec.log.clear();
    }

    // Separate keys for Draw and Restart (Restart on Enter).
    void SeparateKeys() {
        for (AccelEntry& e : status.m_options.m_accel)
            if (e.cmd == OtherOption::kCmdRestart)
                e.key = 0x0D;
    }

    // The symbol views answer every landing report asked for so far, in order.
    void Land() {
        const QList<int> tokens = rec.landings;
        rec.landings.clear();
        for (int token : tokens)
            seq->OnSymbolsLanded(token);
    }

    int Drawn() const { return seq->CurGrade()->m_taken.Count(); }
    QList<SUINT> DrawnList() const { return seq->CurGrade()->m_taken.List(); }
};
