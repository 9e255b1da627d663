#include "show/DrawStateSaver.h"

#include "base/AppPaths.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "show/WinnersFile.h"
#include "show/WinnersFileWriter.h"

DrawStateSaver::DrawStateSaver(TumoStatus& status, WinnersFileWriter& winners, Prompter& prompter,
                               std::function<bool()> quitting, WholeFileWriter* files)
    : m_status(status), m_winners(winners), m_prompter(prompter), m_quitting(std::move(quitting)),
      m_writer(files) {
    m_writer.SetReport([this](const BackgroundWriter::Outcome& outcome, const QString& path,
                              const QString& reason) {
        if (!outcome.ok)
            qWarning("%s: not saved: %s", qPrintable(path), qPrintable(reason));
        // Dropped when the window is gone before it arrives.
        QMetaObject::invokeMethod(
            this, [this, outcome] { OnBackgroundSave(outcome); }, Qt::QueuedConnection);
    });
}

void DrawStateSaver::Save(bool winnersText) {
    m_bPendingWinners = m_bPendingWinners || winnersText;
    if (m_bPending)
        return;
    m_bPending = true;
    QMetaObject::invokeMethod(this, &DrawStateSaver::SubmitPending, Qt::QueuedConnection);
}

void DrawStateSaver::SubmitPending() {
    if (!m_bPending)
        return;
    const bool winnersText = m_bPendingWinners;
    m_bPending = false;
    m_bPendingWinners = false;
    Submit(winnersText);
}

void DrawStateSaver::Submit(bool winnersText) {
    // The files were deleted meanwhile (a reset): the state in memory must not bring them back.
    if (m_status.m_bNoSave)
        return;
    // A copy costs little whatever the number of winners: the drawn lists are shared with it
    // until the next draw adds to them. Encoding and writing happen on the writer's thread.
    std::shared_ptr<TumoStatus> copy = m_status.CopyForSave();
    BackgroundWriter::Batch batch;
    BackgroundWriter::File status;
    status.path = ResolveFileCase(m_status.StatusFilePath());
    status.bytes = [copy](QByteArray& bytes) { return copy->EncodeStatusFile(bytes); };
    status.skipNextOnFailure = true; // the pair on disk stays the last one written together
    batch.append(status);
    BackgroundWriter::File scheme;
    scheme.path = ResolveFileCase(m_status.SchemeFilePath());
    scheme.bytes = [copy](QByteArray& bytes) { return copy->EncodeSchemeFile(bytes); };
    batch.append(scheme);
    // After the scheme, and only once it is written: the winners file never lists a winner that
    // the scheme lacks, so neither a crash nor a full disk can make the next run's first draw
    // drop the ones it listed.
    const QString winnersPath = m_winners.Path();
    if (winnersText && !winnersPath.isEmpty()) {
        auto levels = std::make_shared<const QList<WinnersLevel>>(m_winners.Snapshot());
        BackgroundWriter::File winners;
        winners.path = winnersPath;
        winners.onlyAfterEarlierFiles = true;
        winners.bytes = [levels](QByteArray& bytes) {
            bytes = EncodeWinnersText(*levels);
            return true;
        };
        batch.append(winners);
    }
    m_writer.Submit(std::move(batch));
}

void DrawStateSaver::Flush() {
    SubmitPending();
    m_writer.Flush();
}

void DrawStateSaver::StopReports() {
    m_writer.SetReport({});
}

bool DrawStateSaver::EnsureSaved() {
    if (m_status.m_bNoSave)
        return true;
    SubmitPending();
    if (!WaitForWriter())
        return false;
    if (TakeOutcome(m_writer.LastOutcome()))
        return true;
    // The operator may have freed space meanwhile: the state now, winners file included.
    Submit(m_status.m_options.m_bAutoOutput != 0);
    if (!WaitForWriter())
        return false;
    if (TakeOutcome(m_writer.LastOutcome()))
        return true;
    SaveFailed();
    if (!m_quitting())
        m_prompter.Message(TumoStatus::WriteErrorText());
    return false;
}

// A disk that takes longer than this holds up no more than this one press.
bool DrawStateSaver::WaitForWriter() {
    if (m_writer.WaitIdle(kSaveWaitMs))
        return true;
    qWarning("the settings files are still being written; nothing more is drawn until they are");
    return false;
}

bool DrawStateSaver::TakeOutcome(const BackgroundWriter::Outcome& outcome) {
    if (outcome.batch > m_nSeenBatch) {
        m_nSeenBatch = outcome.batch;
        m_bWriteFailing = !outcome.ok;
    }
    return outcome.ok;
}

void DrawStateSaver::SaveFailed() {
    m_bWriteFailing = true;
    if (m_failureHook)
        m_failureHook();
}

void DrawStateSaver::OnBackgroundSave(const BackgroundWriter::Outcome& outcome) {
    // Taken in already, and said if need be, by a draw that waited for it.
    if (outcome.batch <= m_nSeenBatch)
        return;
    // Said once, not after every draw step of a full disk; a save that works again ends it.
    const bool firstFailure = !outcome.ok && !m_bWriteFailing;
    TakeOutcome(outcome);
    if (outcome.ok)
        return;
    SaveFailed();
    if (firstFailure && !m_quitting())
        m_prompter.Message(TumoStatus::WriteErrorText());
}

QString DrawStateSaver::SaveAgainQuestion() {
    return QStringLiteral("The settings and the winners drawn could not be saved.\n"
                          "Free some space on the disk, then choose Yes to try again.\n"
                          "No ends the program without saving them.");
}

void DrawStateSaver::SaveAtEnd() {
    // SaveAll has said "Write Error!" already; the session's winners are lost only when the
    // operator says so.
    while (!m_status.SaveAll()) {
        if (m_status.m_bNoSave || !m_prompter.AskYesNo(SaveAgainQuestion()))
            return;
    }
}
