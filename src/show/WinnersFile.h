#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The winners text file that outside programs read while the show runs: UTF-16LE with a byte
// order mark, a header line, then one line per drawn number with a serial number running from 1.
// Every line ends with CR LF, the last one too. Commas inside the texts are written as they are.

struct WinnerLine {
    QString level;
    QString number;
    QString info;
};

// One drawn number's texts as the pool gives them.
struct WinnerText {
    QString number;
    QString info;
};

// One level's winners in the order of drawing, in blocks of a bounded size, so that a copy
// handed to another thread costs little and adding to the list after that copies one block.
struct WinnersLevel {
    static constexpr qsizetype kBlock = 1024;

    QString name;
    QList<QList<WinnerText>> blocks;

    qsizetype Count() const;
    void Append(const WinnerText& text);
    void Truncate(qsizetype count);
};

// The whole file's bytes. A CR LF inside an information text is written as backslash-n, as in
// every other text export, so that each number keeps to one line.
QByteArray EncodeWinnersText(const QList<WinnerLine>& lines);
// The same from the levels in the file's order.
QByteArray EncodeWinnersText(const QList<WinnersLevel>& levels);

// Replaces the file at path with bytes as a whole (never half a file). False when it could not
// be written; the old file then stays as it was.
bool SaveWinnersText(const QString& path, const QByteArray& bytes);
