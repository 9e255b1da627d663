#pragma once

#include <QString>
#include <QStringList>

// Replaces several files of a folder as one step: after a kill or a power cut at any moment the
// folder holds every old file or every new one, never some of each.
//
// The new files are written into a staging folder inside the folder (".restore-XXXXXX"), then put
// on the disk with one sync for all of them. A plan naming where each one goes is written last;
// its arrival on the disk is the decision. Without a plan the staging folder is simply dropped.
// With one, each old file is set aside in the staging folder and the new one renamed into its
// place; should a rename fail, the plan becomes an undo and every old file goes back. Every step
// can be taken again, so Recover, run at the program's start, finishes or undoes whatever a
// killed replacement left, and removes its staging folder.
class FolderReplacement {
public:
    explicit FolderReplacement(const QString& folder);
    // Drops a staging folder that was never committed.
    ~FolderReplacement();
    FolderReplacement(const FolderReplacement&) = delete;
    FolderReplacement& operator=(const FolderReplacement&) = delete;

    // Makes the staging folder; false when it cannot be made (ErrorString says why).
    bool Begin();
    // Where the new file for `name` (relative to the folder, '/' between folders) is written.
    // The caller writes it whole and closes it; no sync is needed. A name staged twice goes in
    // once, with its later content.
    QString Stage(const QString& name);
    // Puts every staged file in place. False when they could not all be: the old files are then
    // all back, and `failed` names the file that stopped it (or the reason).
    bool Commit(QStringList& failed);
    // Forgets the staged files; nothing in the folder changes.
    void Drop();
    QString ErrorString() const { return m_error; }

    // Finishes or undoes each replacement a kill left in the folder.
    static void Recover(const QString& folder);
    // The staging folders' names begin with this.
    static QString StagingPrefix() { return QStringLiteral(".restore-"); }

private:
    QString m_folder;
    QString m_staging;
    QStringList m_names; // entry i is staged as file i of the staging folder
    QString m_error;
};
