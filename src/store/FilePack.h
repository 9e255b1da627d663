#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class Prompter;
class SafeFileWriter;

// A pack holds several files, each under a stored name that may include folders. Records follow
// one another with no header: "FilePack", the pack's tag (uint32), the name's length L and the
// name in the Windows code page with '\' between folders, the content's length D and the content.
//
// Extraction checks the whole pack first (every record's marker, lengths that stay inside the
// file, names that stay inside the destination) and extracts nothing from a pack that fails.
// It then writes every file beside the destination and replaces the old files only when all of
// them reached the disk, all of them as one step that a kill cannot split (FolderReplacement):
// a full disk, a failed rename or a kill leaves every old file or every new one. Files land in
// place by a rename, which replaces a symbolic link found there instead of writing through it.
class FilePack {
public:
    static constexpr int kModeCreate = 1;
    static constexpr qsizetype kMaxNameBytes = 4095;

    // Maps a stored name (with '\' separators) to the name it is extracted under; an empty
    // answer refuses the whole pack as a bad one.
    using NameMap = std::function<QString(const QString&)>;

    explicit FilePack(const QString& path = QString());
    ~FilePack();
    FilePack(const FilePack&) = delete;
    FilePack& operator=(const FilePack&) = delete;

    // Mode 1 (create) deletes an existing pack first. 1 ready; -3 when that file cannot be
    // deleted (the pack then keeps its previous path and every AddFile fails).
    qint32 Open(const QString& path, quint32 tag, int mode);
    // Appends one record. The stored name is the source's file name when empty. False when the
    // source cannot be read, the name or the content does not fit a record, or the pack cannot
    // be written; the pack then holds exactly the records it held before. The content is copied
    // in pieces; a source that fails partway while the pack is written whole spoils that pack
    // (EndWrite is then false and the old one stays).
    bool AddFile(const QString& sourcePath, const QString& storedName);

    // A pack written whole or not at all: between these two calls AddFile writes into a new
    // file that replaces the one at m_strPath only when EndWrite finds every byte on the disk.
    // EndWrite is false when any record failed; the old pack then stays.
    bool BeginWrite();
    bool EndWrite();
    // Extracted names mapped to file contents.
    using Contents = QHash<QString, QByteArray>;

    // Extracts every record below the folder, each file written whole or not at all. False when
    // the pack is missing or bad (nothing extracted; a bad pack is reported as "Bad pack file!")
    // or when a file could not be written (reported with the names). A file named in `replaced`
    // is written with the content given there instead of the pack's.
    bool Extract(const QString& folder, Prompter* prompter = nullptr,
                 const NameMap& mapName = NameMap(), const Contents& replaced = Contents());
    // Reads, from a pack checked as Extract checks it, the content of each file that `wanted`
    // accepts by its extracted name; of two records under one name the later counts, as it does
    // in extraction. False when the pack is missing, or bad (then `bad` is set); nothing is said.
    bool ReadFiles(const std::function<bool(const QString&)>& wanted, Contents& contents, bool& bad,
                   const NameMap& mapName = NameMap()) const;

    // Where the content of the file extracted under `name` lies in the pack (of two records under
    // one name, the later). False when the pack is missing or bad, or holds no such file.
    bool FindContent(const QString& name, qint64& offset, qint64& bytes,
                     const NameMap& mapName = NameMap()) const;

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
    bool readRecords(QList<Record>& records, bool& bad, const NameMap& mapName) const;

    std::unique_ptr<SafeFileWriter> m_pWriter;
};
