#include "store/FilePack.h"

#include "base/AppPaths.h"
#include "model/AnsiCodec.h"
#include "model/Prompter.h"
#include "model/SafeFileWriter.h"
#include "store/FolderReplacement.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

constexpr char kMagic[] = "FilePack";
constexpr qint64 kMagicBytes = 8;
constexpr qint64 kHeadBytes = kMagicBytes + 4 + 4; // marker, tag, name length

QString toNative(QString name) {
    return name.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

void appendU32(QByteArray& out, quint32 v) {
    char bytes[4];
    qToLittleEndian<quint32>(v, bytes);
    out.append(bytes, 4);
}

// Copies exactly `bytes` bytes of the source on in pieces, so that a pool of millions of numbers
// never sits in memory whole; a source that ends early or fails to read is an error.
bool copyContent(QFile& source, qint64 bytes,
                 const std::function<bool(const QByteArray& chunk)>& write) {
    constexpr qint64 kChunkBytes = 1 << 20;
    for (qint64 left = bytes; left > 0;) {
        const QByteArray chunk = source.read(std::min(left, kChunkBytes));
        if (chunk.isEmpty() || !write(chunk))
            return false;
        left -= chunk.size();
    }
    return source.error() == QFileDevice::NoError;
}

bool readU32(QFile& file, quint32& v) {
    char bytes[4];
    if (file.read(bytes, 4) != 4)
        return false;
    v = qFromLittleEndian<quint32>(bytes);
    return true;
}

} // namespace

FilePack::FilePack(const QString& path) : m_strPath(path) {}

FilePack::~FilePack() = default;

bool FilePack::BeginWrite() {
    m_pWriter = std::make_unique<SafeFileWriter>(m_strPath);
    if (!m_pWriter->open()) {
        m_pWriter.reset();
        return false;
    }
    return true;
}

bool FilePack::EndWrite() {
    if (!m_pWriter)
        return false;
    const bool ok = m_pWriter->commit();
    m_pWriter.reset();
    return ok;
}

qint32 FilePack::Open(const QString& path, quint32 tag, int mode) {
    if (mode == kModeCreate && QFileInfo::exists(path) && !QFile::remove(path))
        return -3;
    m_strPath = path;
    m_dwTag = tag;
    return 1;
}

bool FilePack::AddFile(const QString& sourcePath, const QString& storedName) {
    if (m_strPath.isEmpty())
        return false;
    const QString name = storedName.isEmpty() ? GetFileNameOfPath(sourcePath) : storedName;
    const QByteArray nameBytes = AnsiCodec::fromUnicode(name);
    if (nameBytes.isEmpty() || nameBytes.size() > kMaxNameBytes)
        return false;
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // The length field is 32 bits wide: a larger file would be stored cut and spoil the records
    // after it.
    const qint64 contentBytes = source.size();
    if (contentBytes > qint64(0xFFFFFFFFu))
        return false;

    QByteArray head(kMagic, kMagicBytes);
    appendU32(head, m_dwTag);
    appendU32(head, quint32(nameBytes.size()));
    head.append(nameBytes);
    appendU32(head, quint32(contentBytes));

    if (m_pWriter) {
        if (!m_pWriter->write(head))
            return false;
        if (copyContent(source, contentBytes,
                        [this](const QByteArray& chunk) { return m_pWriter->write(chunk); }))
            return true;
        // Half a record is in the new pack: it must never replace the old one.
        m_pWriter->cancel();
        return false;
    }
    QFile pack(m_strPath);
    if (!pack.open(QIODevice::ReadWrite))
        return false;
    const qint64 before = pack.size();
    const bool ok = pack.seek(before) && pack.write(head) == head.size() &&
                    copyContent(source, contentBytes,
                                [&pack](const QByteArray& chunk) {
                                    return pack.write(chunk) == chunk.size();
                                }) &&
                    pack.flush();
    if (!ok)
        pack.resize(before);
    return ok;
}

bool FilePack::IsSafeName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char(':')) || name.startsWith(QLatin1Char('\\')) ||
        name.startsWith(QLatin1Char('/')))
        return false;
    const QStringList parts = toNative(name).split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part == QLatin1String(".."))
            return false;
    }
    return !parts.last().isEmpty() && parts.last() != QLatin1String(".");
}

bool FilePack::readRecords(QList<Record>& records, bool& bad, const NameMap& mapName) const {
    bad = false;
    QFile pack(m_strPath);
    if (!pack.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = pack.size();
    qint64 pos = 0;
    while (pos < size) {
        bad = true;
        if (size - pos < kHeadBytes)
            return true;
        const QByteArray magic = pack.read(kMagicBytes);
        quint32 tag = 0, nameBytes = 0, contentBytes = 0;
        if (magic != QByteArrayView(kMagic, kMagicBytes) || !readU32(pack, tag) ||
            !readU32(pack, nameBytes) || nameBytes == 0 || nameBytes > kMaxNameBytes ||
            size - pos - kHeadBytes < qint64(nameBytes) + 4)
            return true;
        Record r;
        r.name = AnsiCodec::toUnicode(pack.read(nameBytes));
        if (!IsSafeName(r.name))
            return true;
        if (mapName) {
            r.name = mapName(r.name);
            if (r.name.isEmpty() || !IsSafeName(r.name))
                return true;
        }
        if (!readU32(pack, contentBytes))
            return true;
        r.contentOffset = pos + kHeadBytes + nameBytes + 4;
        r.contentBytes = contentBytes;
        if (size - r.contentOffset < r.contentBytes)
            return true;
        records.append(r);
        pos = r.contentOffset + r.contentBytes;
        if (!pack.seek(pos))
            return true;
        bad = false;
    }
    return true;
}

bool FilePack::ReadFiles(const std::function<bool(const QString&)>& wanted, Contents& contents,
                         bool& bad, const NameMap& mapName) const {
    QList<Record> records;
    if (!readRecords(records, bad, mapName) || bad)
        return false;
    QFile pack(m_strPath);
    if (!pack.open(QIODevice::ReadOnly))
        return false;
    for (const Record& r : records) {
        if (!wanted(r.name))
            continue;
        if (!pack.seek(r.contentOffset))
            return false;
        QByteArray content = pack.read(r.contentBytes);
        if (content.size() != r.contentBytes)
            return false;
        contents.insert(r.name, content);
    }
    return true;
}

bool FilePack::FindContent(const QString& name, qint64& offset, qint64& bytes,
                           const NameMap& mapName) const {
    QList<Record> records;
    bool bad = false;
    if (!readRecords(records, bad, mapName) || bad)
        return false;
    for (auto it = records.crbegin(); it != records.crend(); ++it) {
        if (it->name == name) {
            offset = it->contentOffset;
            bytes = it->contentBytes;
            return true;
        }
    }
    return false;
}

bool FilePack::Extract(const QString& folder, Prompter* prompter, const NameMap& mapName,
                       const Contents& replaced) {
    QList<Record> records;
    bool bad = false;
    if (!readRecords(records, bad, mapName))
        return false;
    if (bad) {
        if (prompter)
            prompter->Message(StoreTexts::BadPack(), Prompter::Icon::Warning);
        return false;
    }
    QFile pack(m_strPath);
    if (!pack.open(QIODevice::ReadOnly))
        return false;
    QStringList failed;
    auto report = [&] {
        if (prompter)
            prompter->Message(StoreTexts::FilesNotRestored() + QLatin1Char('\n') +
                                  failed.join(QLatin1Char('\n')),
                              Prompter::Icon::Warning);
        return false;
    };

    // Every file is first written whole beside its place; only then are the old files replaced,
    // all of them as one step (see FolderReplacement).
    FolderReplacement swap(folder);
    if (!swap.Begin()) {
        failed << swap.ErrorString();
        return report();
    }
    for (const Record& r : records) {
        QFile out(swap.Stage(toNative(r.name)));
        bool ok = out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        const auto given = replaced.constFind(r.name);
        if (given != replaced.cend()) {
            ok = ok && out.write(*given) == given->size();
        } else {
            ok = ok && pack.seek(r.contentOffset);
            for (qint64 left = r.contentBytes; ok && left > 0;) {
                const QByteArray chunk = pack.read(std::min<qint64>(left, 1 << 20));
                ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
                left -= chunk.size();
            }
        }
        ok = ok && out.flush();
        out.close();
        if (!ok || out.error() != QFileDevice::NoError)
            failed << r.name;
    }
    if (!failed.isEmpty()) {
        swap.Drop();
        return report();
    }
    if (!swap.Commit(failed))
        return report();
    return true;
}

bool FilePack::CreateFolderRecursive(const QString& folder) {
    QString path = toNative(folder);
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path.isEmpty() || QFileInfo::exists(path))
        return false;
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut > 0)
        CreateFolderRecursive(path.left(cut));
    return QDir().mkdir(path);
}
