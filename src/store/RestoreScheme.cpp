#include "store/RestoreScheme.h"

#include "model/ArchiveException.h"
#include "model/OtherOption.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "store/FilePack.h"
#include "store/FolderReplacement.h"
#include "store/LayoutScreenRecord.h"
#include "store/PoolSummary.h"
#include "store/SchemeBackup.h"
#include "store/StoreTexts.h"

#include <QFile>
#include <QtEndian>

QString SchemePackName(const QString& storedName, const QString& schemeName) {
    QString name = storedName;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QString prefix = SchemeBackup::PackFolderPrefix();
    if (name.size() > prefix.size() && name.startsWith(prefix, Qt::CaseInsensitive))
        return prefix + name.mid(prefix.size());
    if (name.contains(QLatin1Char('\\')))
        return QString();
    if (QString screen = LayoutScreenRecord::ExtractedName(name); !screen.isEmpty())
        return screen;
    // Packs name the status file in lower case; this program reads it by its own spelling, and
    // a file system that tells case apart would otherwise keep the old status file beside it.
    // The scheme file likewise: under another spelling the live scheme, with its winners, would
    // stay in force over the pack's pool.
    if (name.compare(SchemeBackup::PackedStatusName(), Qt::CaseInsensitive) == 0)
        return TumoStatus::StatusFileName();
    if (name.compare(schemeName, Qt::CaseInsensitive) == 0)
        return schemeName;
    for (const QLatin1String pool : {QLatin1String("data.dat"), QLatin1String("index.dat")}) {
        if (name.compare(pool, Qt::CaseInsensitive) == 0)
            return pool;
    }
    return QString();
}

namespace {

// The status and scheme files of a pack, read and checked with the program's own readers.
struct SchemeParts {
    QString schemeFile = TumoStatus::DefaultSchemeFileName();
    FilePack::Contents contents;
    qsizetype records = 0;
    qsizetype screenRecords = 0;
    LotteryNuBase summary; // the pool summary the status file holds
};

// The status file's pool summary, where the pool's count and longest number lie in it.
constexpr qsizetype kDigitsAt = 12;
constexpr qsizetype kCountAt = 16;

// A pack whose status describes another pool than the one it carries (a backup made before the
// pool was scanned again, a pack from elsewhere) would lay the show out for numbers of another
// length. Its summary is marked unknown instead: the program scans the pool when it opens it and
// lays every level out afresh.
void MarkSummaryUnknown(const QString& packPath, const QString& schemeFile, QByteArray& status,
                        const LotteryNuBase& stated) {
    if (status.size() < kCountAt + 4)
        return;
    const auto mapName = [&schemeFile](const QString& name) {
        return SchemePackName(name, schemeFile);
    };
    const FilePack pack(packPath);
    PoolSummary::Span data{nullptr, 0, 0}, index{nullptr, 0, 0};
    QFile dataFile(packPath), indexFile(packPath);
    if (!pack.FindContent(QStringLiteral("data.dat"), data.at, data.bytes, mapName) ||
        !pack.FindContent(QStringLiteral("index.dat"), index.at, index.bytes, mapName) ||
        !dataFile.open(QIODevice::ReadOnly) || !indexFile.open(QIODevice::ReadOnly))
        return; // no pool in the pack: the program's own pool stays, and is scanned at the start
    data.device = &dataFile;
    index.device = &indexFile;
    LotteryNuBase actual = stated;
    // A damaged pool is found and dealt with when the program opens it.
    if (!PoolSummary::Read(data, index, actual) ||
        (actual.m_nCount == stated.m_nCount && actual.m_nDigits == stated.m_nDigits))
        return;
    qToLittleEndian<qint32>(0, status.data() + kDigitsAt);
    qToLittleEndian<qint32>(0, status.data() + kCountAt);
}

// The most records a pack of a scheme holds: one file per media field of its levels, the pool's
// two files, the scheme and the status (the record of the layout's screen aside).
qsizetype MostRecords(const TumoStatus& scheme) {
    constexpr qsizetype kFieldsPerLevel = 8; // banner, background, board (2), sounds (3), symbol
    qsizetype most = 4;
    for (const GradeInfo& level : scheme.Levels())
        most += kFieldsPerLevel + level.m_sym.m_listFiles.size();
    return most;
}

enum class PackCheck { Missing, Bad, Sound };

PackCheck ReadSchemeParts(const QString& packPath, const QString& folder, SchemeParts& parts) {
    auto mapName = [&parts](const QString& name) {
        QString mapped = SchemePackName(name, parts.schemeFile);
        // One record of the layout's screen comes on top of the scheme's files; a second counts.
        if (mapped != LayoutScreenRecord::Name() || parts.screenRecords++ > 0)
            ++parts.records;
        return mapped;
    };
    auto wanted = [&parts](const QString& name) {
        return name == TumoStatus::StatusFileName() || name == parts.schemeFile;
    };
    bool bad = false;
    if (!FilePack(packPath).ReadFiles(wanted, parts.contents, bad, mapName))
        return bad ? PackCheck::Bad : PackCheck::Missing;
    const auto status = parts.contents.constFind(TumoStatus::StatusFileName());
    const auto scheme = parts.contents.constFind(parts.schemeFile);
    if (status == parts.contents.cend() || scheme == parts.contents.cend())
        return PackCheck::Bad;
    TumoStatus check;
    check.m_strProgramFolder = folder;
    check.m_strDataFolder = folder;
    if (!check.DecodeFiles(*status, *scheme))
        return PackCheck::Bad;
    parts.summary = check.m_nuBase;
    // More files than its scheme refers to are no scheme's: they would only be written and
    // synced for nothing.
    return parts.records <= MostRecords(check) ? PackCheck::Sound : PackCheck::Bad;
}

PackCheck CheckAndTell(const QString& packPath, const QString& folder, SchemeParts& parts,
                       Prompter* prompter) {
    const PackCheck check = ReadSchemeParts(packPath, folder, parts);
    if (check == PackCheck::Bad && prompter)
        prompter->Message(StoreTexts::BadPack(), Prompter::Icon::Warning);
    return check;
}

} // namespace

bool CheckSchemePack(const QString& packPath, const QString& folder, Prompter* prompter) {
    SchemeParts parts;
    return CheckAndTell(packPath, folder, parts, prompter) == PackCheck::Sound;
}

bool RestoreScheme(const QString& packPath, const QString& folder, Prompter* prompter) {
    // A pack comes from elsewhere: anything but the parts of a scheme (the program itself, say)
    // refuses the whole pack, and so does a scheme the program could not read after the restart.
    SchemeParts parts;
    if (CheckAndTell(packPath, folder, parts, prompter) != PackCheck::Sound)
        return false;
    MarkSummaryUnknown(packPath, parts.schemeFile, parts.contents[TumoStatus::StatusFileName()],
                       parts.summary);
    // Its scheme may send the winners anywhere: the first draw would overwrite what is there.
    // The files written are the ones checked, whatever the pack holds by the time it is read again.
    QByteArray& scheme = parts.contents[parts.schemeFile];
    int reset = 0;
    try {
        reset = OtherOption::ResetForeignOutputPaths(scheme);
    } catch (const ArchiveException&) {
        return false; // not reached: the same bytes were read whole above
    }

    // A pack without the screen its layout was made for (an older one, the Windows build's)
    // leaves no record of the old layout's screen: the next start judges it from the layout. The
    // record goes before the files change, so that no moment pairs the new layout with the old
    // screen; a layout without a record is only ever judged onto the screen, whichever it is.
    if (parts.screenRecords == 0)
        LayoutScreenRecord::Forget(folder);
    auto mapName = [&parts](const QString& name) { return SchemePackName(name, parts.schemeFile); };
    FilePack pack(packPath);
    if (!pack.Extract(folder, prompter, mapName, parts.contents))
        return false;
    if (reset > 0 && prompter)
        prompter->Message(StoreTexts::OutputPathsReset(), Prompter::Icon::Warning);
    return true;
}

void RecoverSchemeFiles(const QString& folder) {
    FolderReplacement::Recover(folder);
    SchemeBackup::RemoveStaging(folder);
}
