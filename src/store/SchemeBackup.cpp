#include "store/SchemeBackup.h"

#include "base/AppPaths.h"
#include "model/AnsiCodec.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "store/FilePack.h"
#include "store/LayoutScreenRecord.h"
#include "store/PoolSummary.h"
#include "store/RandomGenerator.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The copy's settings files are written in a folder of this name inside the program folder.
const QLatin1String kStagingPrefix(".backup-");

} // namespace

SchemeBackup::SchemeBackup(TumoStatus* status, Prompter* prompter, RandomGenerator* generator)
    : m_pStatus(status), m_pPrompter(prompter), m_pRandom(generator) {}

QString SchemeBackup::PackableFileName(const QString& name) {
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i; // one character outside the code page, one '_'
            out += QLatin1Char('_');
        } else if (c.unicode() < 0x20 || forbidden.contains(c) ||
                   AnsiCodec::toUnicode(AnsiCodec::fromUnicode(QString(c))) != QString(c)) {
            out += QLatin1Char('_');
        } else {
            out += c;
        }
    }
    return out;
}

QString SchemeBackup::MakePackName(QStringList& list, const QString& path, const QString& prefix) {
    for (qsizetype i = 0; i + 1 < list.size(); i += 2) {
        if (list[i] == path)
            return QString();
    }
    // The name is chosen as the pack will hold it, and two names that differ only in case are
    // one file on the systems a pack travels to.
    QString candidate = PackableFileName(GetFileNameOfPath(path));
    for (int underscores = 1; list.contains(candidate, Qt::CaseInsensitive); ++underscores)
        candidate.prepend(QString(underscores, QLatin1Char('_')));
    list << path << candidate;
    return prefix + candidate;
}

bool SchemeBackup::addFile(FilePack& pack, const QString& path, const QString& storedName) {
    const QString source = ResolveFileCase(path);
    const QFileInfo info(source);
    if (!info.isFile() || !info.isReadable() || !QFile(source).open(QIODevice::ReadOnly)) {
        m_unreadable << path;
        return false;
    }
    if (!pack.AddFile(source, storedName)) {
        m_bWriteFailed = true;
        return false;
    }
    return true;
}

bool SchemeBackup::packField(FilePack& pack, QStringList& names, QString& field) {
    // A level without this file keeps saying so: an empty path stays empty.
    if (field.isEmpty())
        return true;
    QString stored = MakePackName(names, field, PackFolderPrefix());
    if (stored.isEmpty()) {
        for (qsizetype i = 0; i + 1 < names.size(); i += 2) {
            if (names[i] == field)
                stored = PackFolderPrefix() + names[i + 1];
        }
    } else {
        addFile(pack, MakeAbsolutePathNoColon(field), stored);
    }
    field = stored;
    return !m_bWriteFailed;
}

bool SchemeBackup::Backup(const QString& packPath) {
    RandomGenerator& generator = m_pRandom ? *m_pRandom : RandomGenerator::ForThisThread();
    QElapsedTimer ticks; // the system's millisecond tick count
    ticks.start();
    generator.Seed(static_cast<quint32>(ticks.msecsSinceReference()));
    const quint32 tag = static_cast<quint32>(generator.Next());
    m_unreadable.clear();
    m_bWriteFailed = false;

    // The pack is written whole beside its final place and replaces an older one only when
    // complete.
    QTemporaryDir work(m_pStatus->ProgramFolder() + QLatin1Char('/') + kStagingPrefix +
                       QStringLiteral("XXXXXX"));
    FilePack pack(packPath);
    pack.m_dwTag = tag;
    bool ok = work.isValid() && pack.BeginWrite();

    TumoStatus copy(m_pPrompter);
    copy = *m_pStatus;
    // The pack carries the options in force, not a fresh object's defaults.
    copy.m_options = m_pStatus->m_options;
    copy.m_bNoSave = false;
    QStringList names;
    for (GradeInfo& level : copy.Levels()) {
        if (!ok)
            break;
        QString* fields[] = {&level.m_banner.m_strFile,     &level.m_bg.m_strFile,
                             &level.m_notify.m_strBackPic,  &level.m_notify.m_strSkin,
                             &level.m_sound.m_strBBSound,   &level.m_sound.m_strStopSound,
                             &level.m_sound.m_strBackSound, &level.m_sym.m_strDefaultFile};
        for (QString* field : fields)
            ok = ok && packField(pack, names, *field);
        for (QString& file : level.m_sym.m_listFiles)
            ok = ok && packField(pack, names, file);
    }
    for (const QString& name : {QStringLiteral("data.dat"), QStringLiteral("index.dat")})
        ok = ok && (addFile(pack, MakeAbsolutePathNoColon(name), name) || !m_bWriteFailed);
    // The screen the layout was made for goes with it.
    ok = ok && LayoutScreenRecord::Add(pack, g_strAppFolder);
    if (ok)
        takeTrueSummary(copy);

    // The copy's settings files go to the work folder, never over the live ones.
    const QString schemeName = GetFileNameOfPath(m_pStatus->m_strSchemeFile);
    copy.m_strDataFolder = work.path();
    copy.m_strSchemeFile = work.filePath(schemeName);
    ok = ok && copy.SaveAll() && addFile(pack, copy.SchemeFilePath(), schemeName) &&
         addFile(pack, copy.StatusFilePath(), PackedStatusName());

    ok = ok && pack.EndWrite();
    if (!ok) {
        if (m_pPrompter)
            m_pPrompter->Message(StoreTexts::WriteError(), Prompter::Icon::Warning);
        return false;
    }
    if (!m_unreadable.isEmpty() && m_pPrompter)
        m_pPrompter->Message(StoreTexts::FilesNotPacked() + QLatin1Char('\n') +
                                 m_unreadable.join(QLatin1Char('\n')),
                             Prompter::Icon::Warning);
    return true;
}

// The pool may have changed since it was last scanned (an import before the settings window
// closed): the pack describes the pool it carries, and its levels are laid out for its numbers.
void SchemeBackup::takeTrueSummary(TumoStatus& copy) {
    QFile data(ResolveFileCase(MakeAbsolutePathNoColon(QStringLiteral("data.dat"))));
    QFile index(ResolveFileCase(MakeAbsolutePathNoColon(QStringLiteral("index.dat"))));
    if (!data.open(QIODevice::ReadOnly) || !index.open(QIODevice::ReadOnly))
        return;
    LotteryNuBase summary = copy.m_nuBase;
    if (!PoolSummary::Read({&data, 0, data.size()}, {&index, 0, index.size()}, summary))
        return; // a damaged pool is found when the restored program opens it
    const bool newLength = summary.m_nDigits != copy.m_nuBase.m_nDigits;
    copy.m_nuBase = summary;
    copy.RecomputeDefaultGradeTotal();
    if (!newLength)
        return;
    // As when the pool is opened with a new length: every level lays its symbols out again.
    for (GradeInfo& level : copy.Levels())
        level.m_sym.m_bLayoutValid = 0;
}

void SchemeBackup::RemoveStaging(const QString& folder) {
    const QStringList left =
        QDir(folder).entryList({kStagingPrefix + QLatin1Char('*')},
                               QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& entry : left)
        QDir(folder + QLatin1Char('/') + entry).removeRecursively();
}
