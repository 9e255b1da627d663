#pragma once

#include <QString>

// The program folder and the functions every stored file name passes through.
//
// Stored names keep the Windows form so that settings move between the two builds: a file inside
// the program folder is stored relative to it with '\' separators. In memory, paths are native.
// A path is absolute when it starts with '/' or holds a drive (":\" or ":/"); anything else is
// relative to the program folder, never to the working directory.

// The executable's folder, without a trailing separator. Set once at start-up (tests set it too).
// The settings records do not read it: their archive carries the folder their paths are relative
// to (Archive::Folder), so that settings of different folders can be handled side by side.
extern QString g_strAppFolder;

void SetAppFolder(const QString& folder);

bool IsAbsolutePath(const QString& path);

// A path inside the program folder becomes relative with '\' separators; any other is unchanged.
// Only a path that starts with the folder plus a separator counts as inside: a sibling folder
// such as "/show2" next to "/show" stays absolute. The folder itself gives an empty string.
QString MakeRelativePath(const QString& path);
QString MakeRelativePath(const QString& path, const QString& folder);

// An absolute path is unchanged; any other (relative, empty) is joined to the program folder with
// its separators made native.
QString MakeAbsolutePath(const QString& path);
QString MakeAbsolutePath(const QString& path, const QString& folder);

// Like MakeAbsolutePath, but any colon after the first character marks the path as absolute.
QString MakeAbsolutePathNoColon(const QString& path);

// The part after the last separator ('\' or '/'); the whole path when it holds none.
QString GetFileNameOfPath(const QString& path);

// Whether a stored name holds a separator, i.e. names a path rather than a bare file name.
bool HasPathSeparator(const QString& name);

// Windows file names are case-blind: when the exact file is missing, the first entry that matches
// each component without regard to case is taken. Returns the path unchanged when none matches.
QString ResolveFileCase(const QString& path);
