#pragma once

#include <QImage>
#include <QString>

// One picture of every default medium, as an operator first meets them: a draw screen put
// together from the default background, symbols, banner and bulletin board, then each medium on
// its own (every symbol cell, the reel in motion, the background and banner cycles, the board's
// skin, its traced outline and its face).
class Gallery {
public:
    explicit Gallery(const QString& programFolder);

    // Null with a reason in Error() when a medium is missing or does not load.
    QImage Render();
    QString Error() const { return m_error; }

private:
    QString m_folder;
    QString m_error;
};
