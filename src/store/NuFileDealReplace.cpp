#include "store/NuFileDeal.h"

#include "model/SafeFileWriter.h"
#include "store/StoreTexts.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace {

// A replacement is built under these names beside the pool.
const char* const kDataAside = "data.dat.new";
const char* const kIndexAside = "index.dat.new";
// The new index, once both new files are whole on the disk, waits under this name until the new
// records are in place. Its presence decides the replacement: from then on it is finished, also
// by the next start after a kill; before, it is dropped.
const char* const kIndexWhole = "index.dat.next";

// Replaces the target in one step (QFile::rename refuses an existing target).
bool renameOver(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

qint32 NuFileDeal::replaceWith(const std::function<qint32()>& fill) {
    m_bReady = 0;
    m_nRefusedLines = 0;
    m_nLinesNotStored = 0;
    const bool opened = openAside();
    const qint32 done = opened ? fill() : 0;
    // The filling leaves the pool unready when the program is asked to quit.
    const quint8 ready = opened ? m_bReady : 1;
    // A pool without a number is no replacement: the next start would fill it with 1 to 100
    // under the winners of the old one.
    const bool empty = done == 1 && m_nEntries == 0;
    if (empty)
        tell(StoreTexts::NothingStored(m_nLinesNotStored));
    else if (m_nRefusedLines > 0)
        tell(StoreTexts::LinesRefused(m_nRefusedLines));
    const bool placed = done == 1 && !empty && placeAside();
    if (!placed)
        dropAside();
    m_nDataBytes = 0;
    m_nEntries = 0;
    if (!openFiles())
        return 0;
    // Only when the new index could not follow its records into place.
    if (placed && tailIsUnindexed())
        GenerateIndex();
    m_bReady = ready;
    return placed ? 1 : 0;
}

bool NuFileDeal::openAside() {
    closeFiles();
    m_fileData.setFileName(filePath(kDataAside));
    m_fileIndex.setFileName(filePath(kIndexAside));
    m_nDataBytes = 0;
    m_nEntries = 0;
    // Unbuffered like the pool's own files: the appender writes large pieces at known offsets.
    if (!openFile(m_fileData, StoreTexts::DataFile()) ||
        !openFile(m_fileIndex, StoreTexts::IndexFile()))
        return false;
    if (m_fileData.resize(0) && m_fileIndex.resize(0))
        return true;
    tell(StoreTexts::WriteError());
    return false;
}

bool NuFileDeal::placeAside() {
    // Both new files reach the disk before either takes the place of an old one.
    const bool synced = ::fsync(m_fileData.handle()) == 0 && ::fsync(m_fileIndex.handle()) == 0;
    closeFiles();
    // The decision reaches the disk before the old records go: after a power cut the next start
    // finds it and finishes the replacement, or finds none and keeps the old pool.
    if (!synced || !renameOver(filePath(kIndexAside), filePath(kIndexWhole)) ||
        !SafeFileWriter::SyncFolder(m_strFolder) || !finishPlacing()) {
        tell(StoreTexts::WriteError());
        return false;
    }
    return true;
}

void NuFileDeal::dropAside() {
    closeFiles();
    QFile::remove(filePath(kDataAside));
    QFile::remove(filePath(kIndexAside));
}

// The new records take the old ones' place, then their index follows. False when the records
// could not: the replacement is then dropped and the old pool stays.
bool NuFileDeal::finishPlacing() {
    const QString whole = filePath(kIndexWhole);
    const QString data = filePath(kDataAside);
    if (QFileInfo::exists(data) && !renameOver(data, filePath("data.dat"))) {
        QFile::remove(whole);
        return false;
    }
    // An old index must not stay with the new records: without one, the pool is indexed again.
    if (!renameOver(whole, filePath("index.dat")))
        QFile::remove(filePath("index.dat"));
    SafeFileWriter::SyncFolder(m_strFolder);
    return true;
}

// What a replacement killed midway left: a whole one is put in place, any other is dropped.
void NuFileDeal::finishReplacement() {
    if (QFileInfo::exists(filePath(kIndexWhole)))
        finishPlacing();
    QFile::remove(filePath(kDataAside));
    QFile::remove(filePath(kIndexAside));
}
