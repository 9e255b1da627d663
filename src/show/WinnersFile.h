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

// The whole file's bytes. A CR LF inside an information text is written as backslash-n, as in
// every other text export, so that each number keeps to one line.
QByteArray EncodeWinnersText(const QList<WinnerLine>& lines);

// Replaces the file at path with bytes as a whole (never half a file). False when it could not
// be written; the draw goes on either way.
bool SaveWinnersText(const QString& path, const QByteArray& bytes);
