#pragma once

#include <QList>
#include <QString>

#include <functional>

class Prompter;

// A pack holds several files, each under a stored name that may include folders. Records follow
// one another with no header: "FilePack", the pack's tag (uint32), the name's length L and the
// name in the Windows code page with '\' between folders, the content's length D and the content.
//
// Extraction checks the whole pack first (every record's marker, lengths that stay inside the
// file, names that stay inside the destination) and extracts nothing from a pack that fails.
class FilePack {
public:
    static constexpr int kModeCreate = 1;
    static constexpr qsizetype kMaxNameBytes = 4095;

    // Maps a stored name (with '\' separators) to the name it is extracted under.
    using NameMap = std::function<QString(const QString&)>;

    explicit FilePack(const QString& path = QString());

    // Mode 1 (create) deletes an existing pack first. 1 ready; -3 when that file cannot be
    // deleted (the pack then keeps its previous path and every AddFile fails).
    qint32 Open(const QString& path, quint32 tag, int mode);
    // Appends one record. The stored name is the source's file name when empty. False when the
    // source cannot be read, the name or the content does not fit a record, or the pack cannot
    // be written; the pack then holds exactly the records it held before.
    bool AddFile(const QString& sourcePath, const QString& storedName);
    // Extracts every record below the folder, each file written whole or not at all. False when
    // the pack is missing or bad (nothing extracted; a bad pack is reported as "Bad pack file!")
    // or when a file could not be written (reported with the names).
    bool Extract(const QString& folder, Prompter* prompter = nullptr,
                 const NameMap& mapName = NameMap());

    // Creates the folders that a file path needs.
    static void CreateFolderPath(const QString& filePath);
    // True when the folder was created, false when it existed already (or cannot be made).
    static bool CreateFolderRecursive(const QString& folder);

    // Whether a stored name stays inside the destination folder: no "..", no drive, no leading
    // separator, a file name at its end.
    static bool IsSafeName(const QString& name);

    QString m_strPath;
    quint32 m_dwTag = 0;

private:
    struct Record {
        QString name;
        qint64 contentOffset = 0;
        qint64 contentBytes = 0;
    };
    bool readRecords(QList<Record>& records, bool& bad) const;
};
