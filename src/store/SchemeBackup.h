#pragma once

#include <QString>
#include <QStringList>

class FilePack;
class Prompter;
class RandomGenerator;
class TumoStatus;

// Saves the whole configuration into one scheme pack: every level's media files under
// "TumoScheme\" with unique names, the number pool, and a scheme file and status file written
// from a copy of the status root whose levels refer to the packed media. The live status root
// and the live settings files stay as they are: the copy's files are written in a folder of
// their own inside the program folder (".backup-XXXXXX", removed at the next start should the
// program be killed meanwhile), and the pack replaces an old one at its path only once it is
// complete.
class SchemeBackup {
public:
    static QString PackFolderPrefix() { return QStringLiteral("TumoScheme\\"); }
    static QString PackedStatusName() { return QStringLiteral("tumostatus.dat"); }
    // Removes the folders that backups killed midway left in the program folder.
    static void RemoveStaging(const QString& folder);

    // The generator is the user-interface thread's unless one is given.
    explicit SchemeBackup(TumoStatus* status, Prompter* prompter = nullptr,
                          RandomGenerator* generator = nullptr);

    // False when the pack could not be written (reported). Media files that cannot be read are
    // left out and named in one message; the packed levels still refer to them.
    bool Backup(const QString& packPath);

    // The stored name for a media path: prefix + a packable file name not yet in the list (in
    // any letter case). Empty when the
    // path was packed before (its chosen name follows it in the list). The list receives the path
    // and the chosen name.
    // Characters that Windows refuses in file names and characters the pack's code page lacks
    // become '_', so that the name in the pack is the name the level refers to.
    static QString PackableFileName(const QString& name);
    static QString MakePackName(QStringList& list, const QString& path, const QString& prefix);

private:
    bool packField(FilePack& pack, QStringList& names, QString& field);
    bool addFile(FilePack& pack, const QString& path, const QString& storedName);
    void takeTrueSummary(TumoStatus& copy);

    TumoStatus* m_pStatus;
    Prompter* m_pPrompter;
    RandomGenerator* m_pRandom;
    QStringList m_unreadable;
    bool m_bWriteFailed = false;
};
