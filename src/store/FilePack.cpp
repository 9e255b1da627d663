#include "store/FilePack.h"

#include "app/AppPaths.h"
#include "model/AnsiCodec.h"
#include "model/Prompter.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

bool readU32(QFile& file, quint32& v) {
    char bytes[4];
    if (file.read(bytes, 4) != 4)
        return false;
    v = qFromLittleEndian<quint32>(bytes);
    return true;
}

} // namespace

FilePack::FilePack(const QString& path) : m_strPath(path) {}

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
    if (source.size() > qint64(0xFFFFFFFFu))
        return false;
    const QByteArray content = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return false;

    QByteArray head(kMagic, kMagicBytes);
    appendU32(head, m_dwTag);
    appendU32(head, quint32(nameBytes.size()));
    head.append(nameBytes);
    appendU32(head, quint32(content.size()));

    QFile pack(m_strPath);
    if (!pack.open(QIODevice::ReadWrite))
        return false;
    const qint64 before = pack.size();
    const bool ok = pack.seek(before) && pack.write(head) == head.size() &&
                    pack.write(content) == content.size() && pack.flush();
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

bool FilePack::readRecords(QList<Record>& records, bool& bad) const {
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
        if (!IsSafeName(r.name) || !readU32(pack, contentBytes))
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

bool FilePack::Extract(const QString& folder, Prompter* prompter, const NameMap& mapName) {
    QList<Record> records;
    bool bad = false;
    if (!readRecords(records, bad))
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
    for (const Record& r : records) {
        const QString name = mapName ? mapName(r.name) : r.name;
        const QString target = folder + QLatin1Char('/') + toNative(name);
        CreateFolderPath(target);
        QSaveFile out(target);
        bool ok = IsSafeName(name) && pack.seek(r.contentOffset) && out.open(QIODevice::WriteOnly);
        for (qint64 left = r.contentBytes; ok && left > 0;) {
            const QByteArray chunk = pack.read(std::min<qint64>(left, 1 << 20));
            ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
            left -= chunk.size();
        }
        if (!ok || !out.commit())
            failed << name;
    }
    if (!failed.isEmpty() && prompter)
        prompter->Message(StoreTexts::FilesNotRestored() + QLatin1Char('\n') +
                              failed.join(QLatin1Char('\n')),
                          Prompter::Icon::Warning);
    return failed.isEmpty();
}

void FilePack::CreateFolderPath(const QString& filePath) {
    const QString path = toNative(filePath);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut > 0)
        CreateFolderRecursive(path.left(cut));
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
