#include "store/FolderReplacement.h"

#include "model/SafeFileWriter.h"
#include "store/FilePack.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The plan's name while the replacement goes forward, and once it is being undone.
const char* const kPlan = "plan";
const char* const kUndo = "undo";

QString inside(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}

QString stagedPath(const QString& staging, qsizetype i) {
    return inside(staging, QString::number(i));
}

QString asidePath(const QString& staging, qsizetype i) {
    return inside(staging, QStringLiteral("old-%1").arg(i));
}

// Whether anything stands at the path: a dangling link counts.
bool present(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool isRealFolder(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Replaces whatever is at the target (a link itself, never what it points at) in one step.
bool renamed(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Makes the folders of a target below the destination real folders: a symbolic link in their
// place would carry the file somewhere else, so it is replaced by a folder.
bool makeRealFolders(const QString& folder, const QString& name) {
    const QStringList parts = name.split(QLatin1Char('/'));
    QString path = folder;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        path += QLatin1Char('/') + parts[i];
        if (QFileInfo(path).isSymLink() && !QFile::remove(path))
            return false;
        if (!isRealFolder(path) && !QDir().mkdir(path))
            return false;
    }
    return true;
}

// Each step below looks at what stands where before it moves anything, so that a step cut short
// by a kill is simply taken again.

// Sets the old file (or link) aside and renames the new one into its place. A folder standing
// where the file goes is never moved: it may hold anything.
bool placeOne(const QString& folder, const QString& staging, qsizetype i, const QString& name) {
    const QString staged = stagedPath(staging, i);
    if (!present(staged))
        return true; // in place already
    const QString target = inside(folder, name);
    const QString aside = asidePath(staging, i);
    if (!makeRealFolders(folder, name) || isRealFolder(target))
        return false;
    if (present(target) && !present(aside) && !renamed(target, aside))
        return false;
    return renamed(staged, target);
}

// The reverse: the new file back into the staging folder, the old one back into its place.
bool takeBack(const QString& folder, const QString& staging, qsizetype i, const QString& name) {
    const QString staged = stagedPath(staging, i);
    const QString target = inside(folder, name);
    const QString aside = asidePath(staging, i);
    if (!present(staged) && present(target) && !isRealFolder(target) && !renamed(target, staged))
        return false;
    return !present(aside) || renamed(aside, target);
}

// The folder and every folder below it that received a file.
void syncFolders(const QString& folder, const QStringList& names) {
    QSet<QString> folders{folder};
    for (const QString& name : names) {
        const qsizetype cut = name.lastIndexOf(QLatin1Char('/'));
        if (cut > 0)
            folders.insert(inside(folder, name.left(cut)));
    }
    for (const QString& f : folders)
        SafeFileWriter::SyncFolder(f);
}

void removeStaging(const QString& folder, const QString& staging) {
    QDir(staging).removeRecursively();
    SafeFileWriter::SyncFolder(folder);
}

bool writePlan(const QString& path, const QStringList& names, QString& error) {
    return SafeFileWriter::WriteWhole(
        path, QJsonDocument(QJsonArray::fromStringList(names)).toJson(QJsonDocument::Compact),
        &error);
}

// False when the plan cannot be read or names a place outside the folder.
bool readPlan(const QString& path, QStringList& names) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (!doc.isArray())
        return false;
    names.clear();
    const QJsonArray list = doc.array();
    for (const QJsonValue v : list) {
        if (!v.isString() || !FilePack::IsSafeName(v.toString()))
            return false;
        names << v.toString();
    }
    return true;
}

// Every old file back, newest first. False when one could not be moved: the undo stays recorded
// and the next start takes it up again.
bool undo(const QString& folder, const QString& staging, const QStringList& names) {
    const QString plan = inside(staging, QLatin1String(kPlan));
    const QString undone = inside(staging, QLatin1String(kUndo));
    if (present(plan) && (!renamed(plan, undone) || !SafeFileWriter::SyncFolder(staging)))
        return false;
    bool ok = true;
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        ok = takeBack(folder, staging, i, names[i]) && ok;
    syncFolders(folder, names);
    if (ok)
        removeStaging(folder, staging);
    return ok;
}

// Every new file in place; when one cannot be, every old one goes back.
bool finish(const QString& folder, const QString& staging, const QStringList& names,
            QStringList& failed) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!placeOne(folder, staging, i, names[i])) {
            failed << names[i];
            undo(folder, staging, names);
            return false;
        }
    }
    // The new files are on the disk in their places before the old ones go for good.
    syncFolders(folder, names);
    removeStaging(folder, staging);
    return true;
}

} // namespace

FolderReplacement::FolderReplacement(const QString& folder) : m_folder(folder) {}

FolderReplacement::~FolderReplacement() {
    Drop();
}

bool FolderReplacement::Begin() {
    Drop();
    // A replacement left half done must be finished or undone first: undone after this one, it
    // would put its old files back over this one's new ones.
    Recover(m_folder);
    if (!QDir(m_folder)
             .entryList({StagingPrefix() + QLatin1Char('*')},
                        QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)
             .isEmpty()) {
        m_error = QStringLiteral("an earlier replacement of these files could not be finished");
        return false;
    }
    FilePack::CreateFolderRecursive(m_folder);
    QTemporaryDir staging(inside(m_folder, StagingPrefix() + QStringLiteral("XXXXXX")));
    if (!staging.isValid()) {
        m_error = staging.errorString();
        return false;
    }
    staging.setAutoRemove(false);
    m_staging = staging.path();
    return true;
}

QString FolderReplacement::Stage(const QString& name) {
    qsizetype i = m_names.indexOf(name);
    if (i < 0) {
        i = m_names.size();
        m_names << name;
    }
    return stagedPath(m_staging, i);
}

void FolderReplacement::Drop() {
    if (!m_staging.isEmpty())
        QDir(m_staging).removeRecursively();
    m_staging.clear();
    m_names.clear();
}

bool FolderReplacement::Commit(QStringList& failed) {
    if (m_staging.isEmpty()) {
        failed << m_error;
        return false;
    }
    // One sync puts every staged file on the disk, however many there are.
    const int fd =
        ::open(QFile::encodeName(m_staging).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::syncfs(fd) == 0;
    const int syncError = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced) {
        failed << QString::fromLocal8Bit(std::strerror(syncError));
        Drop();
        return false;
    }
    for (const QString& name : m_names) {
        if (!makeRealFolders(m_folder, name)) {
            failed << name;
            Drop();
            return false;
        }
    }
    QString error;
    if (!writePlan(inside(m_staging, QLatin1String(kPlan)), m_names, error)) {
        failed << error;
        Drop();
        return false;
    }
    // Decided: from here on the replacement is finished, or undone, also by the next start.
    const QString staging = m_staging;
    const QStringList names = m_names;
    m_staging.clear();
    m_names.clear();
    return finish(m_folder, staging, names, failed);
}

void FolderReplacement::Recover(const QString& folder) {
    const QStringList left =
        QDir(folder).entryList({StagingPrefix() + QLatin1Char('*')},
                               QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& entry : left) {
        const QString staging = inside(folder, entry);
        if (!isRealFolder(staging))
            continue;
        const QString plan = inside(staging, QLatin1String(kPlan));
        const QString undone = inside(staging, QLatin1String(kUndo));
        QStringList names;
        if (present(plan) || present(undone)) {
            // A plan this program did not write is left alone, whatever it says.
            if (!readPlan(present(plan) ? plan : undone, names)) {
                qWarning("%s: an unreadable replacement plan, left as it is", qPrintable(staging));
                continue;
            }
            QStringList failed;
            if (present(plan))
                finish(folder, staging, names, failed);
            else
                undo(folder, staging, names);
        } else {
            // Never decided: nothing in the folder was touched.
            removeStaging(folder, staging);
        }
    }
}
