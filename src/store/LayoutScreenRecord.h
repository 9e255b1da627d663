#pragma once

#include <QString>

class FilePack;

// The record of a scheme pack that carries the screen size its layout was made for (the bytes
// of LayoutScreenFile), so that a pack restored elsewhere keeps its composition. Packs without
// it (older ones, the Windows build's) restore without a record: the next start judges the
// size from what is stored.
class LayoutScreenRecord {
public:
    // Its name in a pack and in the program folder.
    static QString Name();
    // The stored name a pack record is extracted under when it is this record; empty otherwise.
    static QString ExtractedName(const QString& storedName);

    // Adds the folder's record, when it has one. False only when the pack could not take it.
    static bool Add(FilePack& pack, const QString& folder);
    // Removes the folder's record, on the disk before it returns.
    static void Forget(const QString& folder);
};
