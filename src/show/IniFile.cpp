#include "show/IniFile.h"

#include "model/AnsiCodec.h"
#include "model/SafeFileWriter.h"

#include <QFile>
#include <QList>

namespace {

// One line of the file with its own line end, so that the file goes back together unchanged.
struct Line {
    QByteArray text;
    QByteArray end;
};

QList<Line> SplitLines(const QByteArray& content) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype newline = content.indexOf('\n', start);
        if (newline < 0) {
            lines.append({content.mid(start), QByteArray()});
            break;
        }
        qsizetype textEnd = newline;
        if (textEnd > start && content[textEnd - 1] == '\r')
            --textEnd;
        lines.append(
            {content.mid(start, textEnd - start), content.mid(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    return lines;
}

bool SameName(const QByteArray& a, const QByteArray& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The section a header line opens, or nothing for any other line.
std::optional<QByteArray> SectionName(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    return close < 0 ? text.mid(1) : text.mid(1, close - 1);
}

bool IsKeyLine(const QByteArray& line, const QByteArray& key) {
    const qsizetype equals = line.indexOf('=');
    return equals >= 0 && SameName(line.left(equals), key);
}

QByteArray ValueOf(const QByteArray& line) {
    QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

// Index of the first line of the first section of that name (its header), or -1.
qsizetype FindSection(const QList<Line>& lines, const QByteArray& section) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype SectionEnd(const QList<Line>& lines, qsizetype header) {
    qsizetype i = header + 1;
    while (i < lines.size() && !SectionName(lines[i].text))
        ++i;
    return i;
}

// The file's own line end; the Windows one for a file that has none yet.
QByteArray LineEndOf(const QByteArray& content) {
    if (content.contains('\n') && !content.contains("\r\n"))
        return QByteArrayLiteral("\n");
    return QByteArrayLiteral("\r\n");
}

QByteArray Join(const QList<Line>& lines) {
    QByteArray out;
    for (const Line& line : lines)
        out += line.text + line.end;
    return out;
}

} // namespace

std::optional<QByteArray> IniFile::FindValue(const QByteArray& content, const QByteArray& section,
                                             const QByteArray& key) {
    const QList<Line> lines = SplitLines(content);
    const qsizetype header = FindSection(lines, section);
    if (header < 0)
        return std::nullopt;
    const qsizetype end = SectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (IsKeyLine(lines[i].text, key))
            return ValueOf(lines[i].text);
    }
    return std::nullopt;
}

QByteArray IniFile::WithValue(const QByteArray& content, const QByteArray& section,
                              const QByteArray& key, const QByteArray& value) {
    const QByteArray eol = LineEndOf(content);
    QList<Line> lines = SplitLines(content);
    const QByteArray entry = key + '=' + value;
    const qsizetype header = FindSection(lines, section);
    if (header < 0) {
        if (!lines.isEmpty() && lines.back().end.isEmpty())
            lines.back().end = eol;
        lines.append({'[' + section + ']', eol});
        lines.append({entry, eol});
        return Join(lines);
    }
    const qsizetype end = SectionEnd(lines, header);
    qsizetype lastEntry = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        if (IsKeyLine(lines[i].text, key)) {
            lines[i].text = entry;
            return Join(lines);
        }
        if (!lines[i].text.trimmed().isEmpty())
            lastEntry = i;
    }
    // A new key goes after the section's last line that holds anything, before blank lines that
    // separate it from the next section.
    if (lines[lastEntry].end.isEmpty())
        lines[lastEntry].end = eol;
    lines.insert(lastEntry + 1, {entry, eol});
    return Join(lines);
}

QString IniFile::ReadString(const QString& path, const QString& section, const QString& key,
                            const QString& defaultValue, int maxChars) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue.left(maxChars);
    const auto value =
        FindValue(file.readAll(), AnsiCodec::fromUnicode(section), AnsiCodec::fromUnicode(key));
    return (value ? AnsiCodec::toUnicode(*value) : defaultValue).left(maxChars);
}

bool IniFile::WriteString(const QString& path, const QString& section, const QString& key,
                          const QString& value) {
    QByteArray content;
    QFile current(path);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly))
            return false;
        content = current.readAll();
        current.close();
    }
    return SafeFileWriter::WriteWhole(path, WithValue(content, AnsiCodec::fromUnicode(section),
                                                      AnsiCodec::fromUnicode(key),
                                                      AnsiCodec::fromUnicode(value)));
}
