#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A small settings file of sections and "key=value" lines, as the Windows build reads and writes
// it beside the executable. Writing changes one line and leaves the rest of the file as it was
// (other sections, comments, spacing, line ends). Section and key names match whatever their
// case; a value loses the blanks around it and one pair of enclosing quotes. Single-byte text is
// Windows-1252.
class IniFile {
public:
    // The value, or defaultValue when the file, section or key is missing; at most maxChars
    // characters.
    static QString ReadString(const QString& path, const QString& section, const QString& key,
                              const QString& defaultValue, int maxChars = 799);
    // Sets the key, adding the section and the key where they are missing and creating the file.
    // False when the file cannot be written; it is then left as it was.
    static bool WriteString(const QString& path, const QString& section, const QString& key,
                            const QString& value);

    // The same on a file's bytes.
    static std::optional<QByteArray> FindValue(const QByteArray& content, const QByteArray& section,
                                               const QByteArray& key);
    static QByteArray WithValue(const QByteArray& content, const QByteArray& section,
                                const QByteArray& key, const QByteArray& value);
};
