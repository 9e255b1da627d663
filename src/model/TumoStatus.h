#pragma once

#include "model/DrawnNumberIndex.h"
#include "model/GradeInfo.h"
#include "model/LotteryNuBase.h"
#include "model/OtherOption.h"

#include <QList>
#include <QString>

#include <memory>
#include <span>

class Archive;
class Prompter;

// The root of everything the program keeps between runs: the prize levels, the pool summary and
// the options, with the two settings files in the program folder. The status file holds the
// current level, the guide flag and the pool summary; the scheme file holds the options and the
// levels with their winners.
//
// The status owns its level list: levels are addressed by their index, entry 0 is the default
// level and entries 1 to LastGrade() the prize levels in draw order. The list changes only through
// AddLevel, RemoveLevel, MoveLevel and SetLevels, which keep the last index, the default level's
// quantity and the current level in step; the current level is held as an index, so it follows
// its level when others move. Drawn numbers are added and removed only through the levels'
// TakedNu operations (Add, RemoveAt, RemoveAll), which keeps the index behind IsNumberTaken in
// step.
class TumoStatus {
public:
    static const char* ClassName() { return "TumoStatus"; }

    static QString StatusFileName() { return QStringLiteral("TumoStatus.dat"); }
    static QString DefaultSchemeFileName() { return QStringLiteral("default.TumoScheme"); }
    static QString IncompatibleFileText() {
        return QStringLiteral("The system detect a incompatible data file!");
    }
    static QString WriteErrorText() { return QStringLiteral("Write Error!"); }

    // The prompter shows what went wrong with a file; without one, nothing is shown.
    explicit TumoStatus(Prompter* prompter = nullptr);
    TumoStatus(const TumoStatus&) = delete;
    // Builds the copy that a scheme backup saves: the levels (deeply), the pool summary, the file
    // names and the run-time counters; the options and the guide flag stay this object's own.
    TumoStatus& operator=(const TumoStatus& other);

    void SetPrompter(Prompter* prompter) { m_pPrompter = prompter; }

    // Loads both files (an empty path means the scheme file m_strSchemeFile), applies the
    // failure rules and leaves at least one level. Always true.
    bool LoadAll(const QString& schemePath = QString());
    // Writes the status file, then the scheme file. False when saving is off or a file could not
    // be written ("Write Error!"); a file that cannot be created is skipped silently.
    bool SaveAll();
    // 1 when the file held at least one level, else 0; either way the list then holds at least
    // one level.
    int LoadScheme(const QString& path);
    // 1 when written, else 0.
    int SaveScheme(const QString& path);
    // A copy of everything SaveAll writes, for another thread to encode while this object goes on
    // changing. The levels' drawn lists are shared until either side changes them, so the copy
    // is cheap however many winners there are.
    std::shared_ptr<TumoStatus> CopyForSave() const;
    // The bytes SaveAll would write to the status file and to the scheme file; false when the
    // archive could not be made. Storing turns media paths relative in this object, as a save
    // does: call them on a copy when the live paths must stay as they are.
    bool EncodeStatusFile(QByteArray& bytes);
    bool EncodeSchemeFile(QByteArray& bytes);
    // Reads the bytes of a status file and of a scheme file as LoadAll reads the files, into
    // this object, touching no file and saying nothing. False when either is damaged or short,
    // holds more than its records, or the scheme holds no level.
    bool DecodeFiles(const QByteArray& statusBytes, const QByteArray& schemeBytes);
    // The n-th name (from 1) a damaged scheme file may be kept under: its own name with ".bad",
    // then ".bad.2", ".bad.3" and so on appended.
    static QString DamagedFilePath(const QString& path, int n = 1);

    // Deletes both files and turns saving off for the rest of the run.
    void DeleteFiles();
    void ClearGrades();

    // ---- The level list ----
    qint32 LastGrade() const { return m_nLastGrade; }
    // Levels the list holds (0 to LastGrade()).
    qsizetype LevelCount() const;
    GradeInfo& Level(qsizetype index) { return m_listGrades[index]; }
    const GradeInfo& Level(qsizetype index) const { return m_listGrades.at(index); }
    // The levels may be edited in place; the list itself changes only through the calls below.
    std::span<GradeInfo> Levels() { return {m_listGrades.data(), size_t(m_listGrades.size())}; }
    std::span<const GradeInfo> Levels() const {
        return {m_listGrades.constData(), size_t(m_listGrades.size())};
    }
    // Index of a level of this list, -1 for anything else (a copy, null).
    qsizetype IndexOf(const GradeInfo* level) const;
    // Appends a level after the last prize level; returns its index.
    qint32 AddLevel(const GradeInfo& level);
    // Takes prize level `index` (1 to LastGrade()) out; the default level stays. False when there
    // is no such prize level.
    bool RemoveLevel(qint32 index);
    // Moves prize level `from` to place `to` (both 1 to LastGrade()), the levels between shifting
    // by one; for neighbours this exchanges them. False when either is no prize level.
    bool MoveLevel(qint32 from, qint32 to);
    // Replaces the whole list (entry 0 the default level); the current level stays when it is
    // still in the list, else the default level becomes current.
    void SetLevels(QList<GradeInfo> levels);

    // The current level: the level on show, chosen by FindCurrentGrade or SetCurrentLevel.
    qint32 CurGradeIndex() const { return m_nCurGrade; }
    GradeInfo* CurrentLevel();
    const GradeInfo* CurrentLevel() const;
    // Makes a level of the list current; an index outside the list changes nothing.
    void SetCurrentLevel(qint32 index);
    // The first prize level not yet complete, else the default level; it becomes current.
    GradeInfo* FindCurrentGrade(qint32& index);
    qint32 GetTakenCount() const;
    void ClearAllTaken();
    // The default level takes what the prize levels leave of the pool; not clamped at 0.
    void RecomputeDefaultGradeTotal();
    bool IsNumberTaken(quint32 poolIndex) const;
    // Pool indexes from 0 to poolCount - 1 that no level has drawn, and the k-th of them (from
    // 0, in pool order; k below the count). Both take O(log n) at any share drawn.
    quint64 FreeNumberCount(quint32 poolCount) const;
    quint32 FreeNumberAt(quint32 poolCount, quint64 k) const;
    // Screen slot of the current level's next drawn number, and of its last one.
    qint32 GetNextSlotIndex() const;
    qint32 GetLastSlotIndex() const;

    // The status file's record: last and current level, guide flag, pool summary.
    void Serialize(Archive& ar);

    QString StatusFilePath() const;
    QString SchemeFilePath() const;
    // The folder that the stored media paths and a relative scheme name are relative to.
    QString ProgramFolder() const;

    QString m_strSchemeFile = DefaultSchemeFileName(); // relative to the program folder
    bool m_bNoSave = false;
    qint32 m_nFirstSlot = 0;         // first screen slot of the current screen
    qint32 m_nTakenAtGradeStart = 0; // drawn count of the current level when it became current
    QString m_strDataFolder;         // folder of the status file; empty = the program folder
    QString m_strProgramFolder;      // empty = the process's program folder (g_strAppFolder)
    LotteryNuBase m_nuBase;
    OtherOption m_options;
    qint32 m_bShowGuide = 1;

private:
    enum class SaveResult { Written, NotOpened, WriteFailed };

    void LoadStatusFile(const QString& schemePath);
    SaveResult SaveStatusFile();
    SaveResult SaveSchemeFile(const QString& path);
    SaveResult WriteFile(const QString& path, void (TumoStatus::*store)(Archive&));
    void StoreScheme(Archive& ar);
    bool Encode(QByteArray& bytes, void (TumoStatus::*store)(Archive&));
    void KeepDamagedScheme(const QString& path);
    void ResetToOneDefaultGrade(qint32 quantity);
    void KeepCurrentGradeInList();
    void LevelsChanged();
    void Tell(const QString& text);

    QList<GradeInfo> m_listGrades;
    qint32 m_nLastGrade = -1;
    qint32 m_nCurGrade = 0;
    Prompter* m_pPrompter = nullptr;
    mutable DrawnNumberIndex m_drawnIndex;
};
