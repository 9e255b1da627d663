#pragma once

#include <QString>

class Prompter;

// Extracts a scheme pack into the program folder; the status file lands under the name the
// program reads. False when the pack cannot be opened (nothing said), is bad ("Bad pack file!",
// nothing changed) or a file could not be written (reported with its name; the old files stay).
// A scheme pack holds files under "TumoScheme\", the pool's data.dat and index.dat, the status
// file and the scheme file (named as the live one, in any letter case); a pack with any other
// name is a bad one, and so is one whose status or scheme file is missing or does not read as
// one, or that holds more files than its scheme refers to (CheckSchemePack).
// A pack is someone else's file: its output files for the winning numbers are kept only as plain
// names in the program folder. Others go back to the default name, and the operator is told.
bool RestoreScheme(const QString& packPath, const QString& folder, Prompter* prompter = nullptr);

// Whether RestoreScheme would take the pack, checked before anything is written or closed.
// A bad pack is reported as "Bad pack file!"; a missing one says nothing.
bool CheckSchemePack(const QString& packPath, const QString& folder, Prompter* prompter = nullptr);

// The name a stored name of a scheme pack is extracted under; empty when a scheme pack holds no
// such file. The scheme file is taken only under the live scheme's name (schemeName), in any
// letter case, so that it replaces the live one.
QString SchemePackName(const QString& storedName, const QString& schemeName);

// At the start, before the settings files are read: finishes or undoes a Load Scheme that a
// kill or a power cut interrupted (the folder then holds every old file or every new one), and
// removes what an interrupted Backup Scheme staged in the folder.
void RecoverSchemeFiles(const QString& folder);
