#pragma once

#include <QString>

class Prompter;

// Extracts a scheme pack into the program folder; the status file lands under the name the
// program reads. False when the pack cannot be opened (nothing said), is bad ("Bad pack file!",
// nothing changed) or a file could not be written (reported with its name).
bool RestoreScheme(const QString& packPath, const QString& folder, Prompter* prompter = nullptr);
