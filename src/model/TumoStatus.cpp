#include "model/TumoStatus.h"
#include "model/SafeFileWriter.h"

#include "base/AppPaths.h"
#include "model/Archive.h"
#include "model/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace {

// A whole file's bytes; false when it cannot be opened or read (not the same as damaged). The
// file is read, not mapped: a read error under a mapping would end the program, where a failed
// read only keeps the defaults.
bool ReadWholeFile(QFile& file, QByteArray& bytes) {
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

void RemoveIfExists(const QString& path) {
    if (QFileInfo::exists(path))
        QFile::remove(path);
}

enum class MoveResult { Moved, NameTaken, Failed };

// Renames a file to a name that nothing holds yet, a dangling link included. QFile::rename would
// fall back to copying through such a link, so the system is asked directly.
MoveResult MoveToFreeName(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return MoveResult::Moved;
    if (errno == EEXIST)
        return MoveResult::NameTaken;
    if (errno != EINVAL && errno != ENOSYS)
        return MoveResult::Failed;
    // A file system without that flag: a second hard link never replaces anything either.
    if (::link(source.constData(), target.constData()) == 0)
        return ::unlink(source.constData()) == 0 ? MoveResult::Moved : MoveResult::Failed;
    return errno == EEXIST ? MoveResult::NameTaken : MoveResult::Failed;
}

} // namespace

TumoStatus::TumoStatus(Prompter* prompter) : m_pPrompter(prompter) {}

TumoStatus& TumoStatus::operator=(const TumoStatus& other) {
    if (this == &other)
        return *this;
    m_bNoSave = other.m_bNoSave;
    m_nLastGrade = other.m_nLastGrade;
    m_nTakenAtGradeStart = other.m_nTakenAtGradeStart;
    m_nCurGrade = other.m_nCurGrade;
    m_nFirstSlot = other.m_nFirstSlot;
    m_strDataFolder = other.m_strDataFolder;
    m_strProgramFolder = other.m_strProgramFolder;
    m_strSchemeFile = other.m_strSchemeFile;
    m_nuBase = other.m_nuBase;
    // The copy is meant for a freshly built object; emptying first keeps the level count true
    // for any other target too.
    m_listGrades.clear();
    const qsizetype n = other.LevelCount();
    for (qsizetype i = 0; i < n; ++i)
        m_listGrades.append(other.m_listGrades[i]);
    m_drawnIndex.Invalidate();
    return *this;
}

QString TumoStatus::ProgramFolder() const {
    return m_strProgramFolder.isEmpty() ? g_strAppFolder : m_strProgramFolder;
}

QString TumoStatus::StatusFilePath() const {
    const QString folder = m_strDataFolder.isEmpty() ? ProgramFolder() : m_strDataFolder;
    return folder + QLatin1Char('/') + StatusFileName();
}

QString TumoStatus::SchemeFilePath() const {
    return MakeAbsolutePath(m_strSchemeFile, ProgramFolder());
}

void TumoStatus::Tell(const QString& text) {
    if (m_pPrompter)
        m_pPrompter->Message(text, Prompter::Icon::Warning);
}

qsizetype TumoStatus::LevelCount() const {
    return std::clamp<qsizetype>(qsizetype(m_nLastGrade) + 1, 0, m_listGrades.size());
}

const GradeInfo* TumoStatus::CurrentLevel() const {
    if (m_nCurGrade < 0 || m_nCurGrade >= m_listGrades.size())
        return nullptr;
    return &m_listGrades[m_nCurGrade];
}

GradeInfo* TumoStatus::CurrentLevel() {
    if (m_nCurGrade < 0 || m_nCurGrade >= m_listGrades.size())
        return nullptr;
    return &m_listGrades[m_nCurGrade];
}

void TumoStatus::SetCurrentLevel(qint32 index) {
    if (index >= 0 && index < m_listGrades.size())
        m_nCurGrade = index;
}

qsizetype TumoStatus::IndexOf(const GradeInfo* level) const {
    // Compared as addresses: a level that is not ours (a dialog's copy) may lie anywhere.
    const auto at = reinterpret_cast<std::uintptr_t>(level);
    const auto begin = reinterpret_cast<std::uintptr_t>(m_listGrades.constData());
    const auto end =
        reinterpret_cast<std::uintptr_t>(m_listGrades.constData() + m_listGrades.size());
    if (!level || at < begin || at >= end || (at - begin) % sizeof(GradeInfo) != 0)
        return -1;
    return qsizetype((at - begin) / sizeof(GradeInfo));
}

qint32 TumoStatus::AddLevel(const GradeInfo& level) {
    // Right after the last level that counts, even in a list that holds more.
    const qint32 index = qBound(0, m_nLastGrade + 1, qint32(m_listGrades.size()));
    m_listGrades.insert(index, level);
    m_nLastGrade = index;
    LevelsChanged();
    return index;
}

bool TumoStatus::RemoveLevel(qint32 index) {
    if (index < 1 || index > m_nLastGrade || index >= m_listGrades.size())
        return false;
    m_listGrades.removeAt(index);
    --m_nLastGrade;
    if (m_nCurGrade == index)
        m_nCurGrade = 0;
    else if (m_nCurGrade > index)
        --m_nCurGrade;
    LevelsChanged();
    return true;
}

bool TumoStatus::MoveLevel(qint32 from, qint32 to) {
    const qsizetype n = LevelCount();
    if (from < 1 || to < 1 || from >= n || to >= n)
        return false;
    if (from == to)
        return true;
    m_listGrades.move(from, to);
    if (m_nCurGrade == from)
        m_nCurGrade = to;
    else if (from < to && m_nCurGrade > from && m_nCurGrade <= to)
        --m_nCurGrade;
    else if (to < from && m_nCurGrade >= to && m_nCurGrade < from)
        ++m_nCurGrade;
    LevelsChanged();
    return true;
}

void TumoStatus::SetLevels(QList<GradeInfo> levels) {
    m_listGrades = std::move(levels);
    m_nLastGrade = qint32(m_listGrades.size() - 1);
    KeepCurrentGradeInList();
    LevelsChanged();
}

// Whatever moved the levels: the default level takes the rest of the pool again, and the index
// of drawn numbers no longer describes the list.
void TumoStatus::LevelsChanged() {
    RecomputeDefaultGradeTotal();
    m_drawnIndex.Invalidate();
}

void TumoStatus::ClearGrades() {
    m_listGrades.clear();
    m_nLastGrade = -1;
    m_nCurGrade = 0;
    m_drawnIndex.Invalidate();
}

// ---- Files -------------------------------------------------------------------------------------

void TumoStatus::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << m_nLastGrade << m_nCurGrade << m_bShowGuide;
    } else {
        ar >> m_nLastGrade >> m_nCurGrade >> m_bShowGuide;
    }
    m_nuBase.Serialize(ar);
}

bool TumoStatus::LoadAll(const QString& schemePath) {
    const QString scheme = schemePath.isEmpty() ? SchemeFilePath() : schemePath;
    LoadStatusFile(scheme);
    LoadScheme(scheme);
    KeepCurrentGradeInList();
    RecomputeDefaultGradeTotal();
    return true;
}

void TumoStatus::LoadStatusFile(const QString& schemePath) {
    const QString path = ResolveFileCase(StatusFilePath());
    if (!QFileInfo::exists(path)) {
        // A scheme without its status file is never used: its winners belong to another pool.
        RemoveIfExists(ResolveFileCase(schemePath));
        return;
    }
    QFile file(path);
    QByteArray bytes;
    // Present but unreadable (permissions, a read error): keep the defaults, and keep the
    // scheme file with its winners; the file is not damaged, so it is not deleted either.
    if (!ReadWholeFile(file, bytes))
        return;
    Archive ar(bytes);
    ar.SetFolder(ProgramFolder());
    try {
        Serialize(ar); // fields read before an error keep their values
    } catch (const ArchiveException&) {
        Tell(IncompatibleFileText());
        QFile::remove(path);
    }
}

int TumoStatus::LoadScheme(const QString& path) {
    m_listGrades.clear();
    m_drawnIndex.Invalidate();
    const QString resolved = ResolveFileCase(path);
    // Read as it is decoded, a piece at a time (see Archive); unbuffered, as the archive keeps
    // its own piece.
    QFile file(resolved);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        ResetToOneDefaultGrade(GradeBase().m_nQuantity);
        return 0;
    }
    Archive ar(file);
    ar.SetFolder(ProgramFolder());
    QList<GradeInfo> levels;
    OtherOption options = m_options;
    try {
        options.Serialize(ar);
        ar.SerializeObjectList(levels);
    } catch (const ArchiveException& e) {
        // Unreadable (a read error): the file is not damaged, so it stays, and nothing read from
        // it is used.
        if (e.kind() == ArchiveException::ReadError) {
            ResetToOneDefaultGrade(GradeBase().m_nQuantity);
            return 0;
        }
        m_options = options; // option fields read before the damage keep their values
        Tell(IncompatibleFileText());
        KeepDamagedScheme(resolved);
        ResetToOneDefaultGrade(GradeBase().m_nQuantity);
        return 0;
    }
    m_options = options;
    if (levels.isEmpty()) {
        ResetToOneDefaultGrade(m_nuBase.m_nCount);
        return 0;
    }
    m_listGrades = std::move(levels);
    m_nLastGrade = qint32(m_listGrades.size() - 1);
    return 1;
}

QString TumoStatus::DamagedFilePath(const QString& path, int n) {
    const QString kept = path + QStringLiteral(".bad");
    return n <= 1 ? kept : kept + QLatin1Char('.') + QString::number(n);
}

// A damaged scheme still holds the levels and winners read before the damage: it goes aside
// rather than away. An older damaged copy may hold the winners of another show, so each copy gets
// a name of its own; the move never replaces a file or link already there.
void TumoStatus::KeepDamagedScheme(const QString& path) {
    for (int n = 1;; ++n) {
        const QString aside = DamagedFilePath(path, n);
        const MoveResult moved = MoveToFreeName(path, aside);
        if (moved == MoveResult::NameTaken)
            continue;
        if (moved == MoveResult::Moved) {
            qWarning("%s: damaged, kept as %s", qPrintable(path), qPrintable(aside));
        } else {
            QFile::remove(path);
            qWarning("%s: damaged, deleted (it could not be kept as %s)", qPrintable(path),
                     qPrintable(aside));
        }
        return;
    }
}

void TumoStatus::ResetToOneDefaultGrade(qint32 quantity) {
    m_listGrades.clear();
    m_listGrades.append(GradeInfo());
    m_listGrades.first().m_base.m_nQuantity = quantity;
    m_nLastGrade = 0;
}

void TumoStatus::KeepCurrentGradeInList() {
    if (m_nCurGrade < 0 || m_nCurGrade >= LevelCount())
        m_nCurGrade = 0;
}

bool TumoStatus::SaveAll() {
    if (m_bNoSave)
        return false;
    // A status file that cannot be created does not stop the scheme; one that failed halfway
    // does, so that the pair on disk stays the last one written together.
    if (SaveStatusFile() == SaveResult::WriteFailed)
        return false;
    return SaveSchemeFile(SchemeFilePath()) != SaveResult::WriteFailed;
}

int TumoStatus::SaveScheme(const QString& path) {
    if (m_bNoSave)
        return 0;
    return SaveSchemeFile(MakeAbsolutePath(path, ProgramFolder())) == SaveResult::Written ? 1 : 0;
}

TumoStatus::SaveResult TumoStatus::SaveStatusFile() {
    return WriteFile(ResolveFileCase(StatusFilePath()), &TumoStatus::Serialize);
}

TumoStatus::SaveResult TumoStatus::SaveSchemeFile(const QString& path) {
    return WriteFile(ResolveFileCase(path), &TumoStatus::StoreScheme);
}

void TumoStatus::StoreScheme(Archive& ar) {
    m_options.Serialize(ar);
    ar.SerializeObjectList(m_listGrades);
}

// Written whole to a temporary file that replaces the old one only when everything went to disk:
// a full disk or a crash never leaves half a settings file.
TumoStatus::SaveResult TumoStatus::WriteFile(const QString& path,
                                             void (TumoStatus::*store)(Archive&)) {
    SafeFileWriter file(path);
    if (!file.open())
        return SaveResult::NotOpened;
    bool ok = false;
    try {
        Archive ar([&file](const char* data, qsizetype size) { return file.write(data, size); });
        ar.SetFolder(ProgramFolder());
        (this->*store)(ar);
        ar.Finish();
        ok = file.commit();
    } catch (const ArchiveException&) {
        ok = false;
    }
    if (!ok) {
        file.cancel();
        Tell(WriteErrorText());
        return SaveResult::WriteFailed;
    }
    return SaveResult::Written;
}

std::shared_ptr<TumoStatus> TumoStatus::CopyForSave() const {
    auto copy = std::make_shared<TumoStatus>();
    *copy = *this;
    copy->m_options = m_options;
    copy->m_bShowGuide = m_bShowGuide;
    return copy;
}

bool TumoStatus::EncodeStatusFile(QByteArray& bytes) {
    return Encode(bytes, &TumoStatus::Serialize);
}

bool TumoStatus::EncodeSchemeFile(QByteArray& bytes) {
    return Encode(bytes, &TumoStatus::StoreScheme);
}

bool TumoStatus::DecodeFiles(const QByteArray& statusBytes, const QByteArray& schemeBytes) {
    QList<GradeInfo> levels;
    try {
        Archive status(statusBytes);
        status.SetFolder(ProgramFolder());
        Serialize(status);
        Archive scheme(schemeBytes);
        scheme.SetFolder(ProgramFolder());
        m_options.Serialize(scheme);
        scheme.SerializeObjectList(levels);
        // Both files end after their records: bytes beyond them mean another kind of file.
        if (!status.atEnd() || !scheme.atEnd())
            return false;
    } catch (const ArchiveException&) {
        return false;
    }
    if (levels.isEmpty())
        return false;
    SetLevels(std::move(levels));
    return true;
}

bool TumoStatus::Encode(QByteArray& bytes, void (TumoStatus::*store)(Archive&)) {
    try {
        Archive ar;
        (this->*store)(ar);
        bytes = ar.data();
        return true;
    } catch (const ArchiveException&) {
        return false;
    }
}

void TumoStatus::DeleteFiles() {
    m_bNoSave = true;
    // A restored pack names the status file in lower case: no spelling of it may survive a reset.
    const QFileInfo status(StatusFilePath());
    const QStringList names = status.dir().entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (name.compare(status.fileName(), Qt::CaseInsensitive) == 0)
            QFile::remove(status.dir().filePath(name));
    }
    RemoveIfExists(ResolveFileCase(SchemeFilePath()));
}

// ---- Levels ------------------------------------------------------------------------------------

GradeInfo* TumoStatus::FindCurrentGrade(qint32& index) {
    const qsizetype n = LevelCount();
    qint32 found = 0;
    for (qsizetype i = 1; i < n; ++i) {
        const GradeInfo& level = m_listGrades[i];
        if (level.m_taken.Count() < level.m_base.m_nQuantity) {
            found = qint32(i);
            break;
        }
    }
    m_nCurGrade = found;
    index = found;
    return CurrentLevel();
}

qint32 TumoStatus::GetTakenCount() const {
    qint32 total = 0;
    const qsizetype n = LevelCount();
    for (qsizetype i = 0; i < n; ++i)
        total += m_listGrades[i].m_taken.Count();
    return total;
}

void TumoStatus::ClearAllTaken() {
    const qsizetype n = LevelCount();
    for (qsizetype i = 0; i < n; ++i)
        m_listGrades[i].m_taken.RemoveAll();
    m_nTakenAtGradeStart = 0;
}

void TumoStatus::RecomputeDefaultGradeTotal() {
    if (m_listGrades.isEmpty())
        return;
    // Summed wide: quantities come from files and need not be sane.
    qint64 rest = m_nuBase.m_nCount;
    const qsizetype n = LevelCount();
    for (qsizetype i = 1; i < n; ++i)
        rest -= m_listGrades[i].m_base.m_nQuantity;
    rest = std::clamp<qint64>(rest, std::numeric_limits<qint32>::min(),
                              std::numeric_limits<qint32>::max());
    m_listGrades.first().m_base.m_nQuantity = qint32(rest);
}

bool TumoStatus::IsNumberTaken(quint32 poolIndex) const {
    return m_drawnIndex.Contains(m_listGrades, LevelCount(), poolIndex);
}

quint64 TumoStatus::FreeNumberCount(quint32 poolCount) const {
    return m_drawnIndex.CountFree(m_listGrades, LevelCount(), poolCount);
}

quint32 TumoStatus::FreeNumberAt(quint32 poolCount, quint64 k) const {
    return m_drawnIndex.FreeAt(m_listGrades, LevelCount(), poolCount, k);
}

// Screen slots: a level fills its P slots per screen from the first slot on, starting over with
// every full screen. t counts the level's drawn numbers, s those drawn before it became current.
qint32 TumoStatus::GetNextSlotIndex() const {
    const GradeInfo* level = CurrentLevel();
    const qint32 t = level ? level->m_taken.Count() : 0;
    const qint32 p = level ? qMax(level->m_base.m_nPerScreen, 1) : 1;
    const qint32 y = t - m_nTakenAtGradeStart + 1;
    qint32 k = y / p;
    if (k * p == y && k > 0)
        --k;
    return m_nFirstSlot + y - 1 - k * p;
}

qint32 TumoStatus::GetLastSlotIndex() const {
    const GradeInfo* level = CurrentLevel();
    const qint32 t = level ? level->m_taken.Count() : 0;
    const qint32 p = level ? qMax(level->m_base.m_nPerScreen, 1) : 1;
    const qint32 x = t - m_nTakenAtGradeStart;
    qint32 k = x / p;
    if (k * p == x && k > 0)
        --k;
    return m_nFirstSlot + x - 1 - k * p;
}
