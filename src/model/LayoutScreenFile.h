#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

// The program's own record of the screen size the stored layout was made for, a small text file
// beside the settings files (which keep their byte layout and know nothing of it). A scheme pack
// carries the same bytes as a record of this name.
class LayoutScreenFile {
public:
    static QString FileName() { return QStringLiteral("LayoutScreen.ini"); }
    static QString PathIn(const QString& folder);

    // The size recorded in the folder; nothing when there is no record or it does not read as one.
    static std::optional<QSize> Read(const QString& folder);
    // Written whole or not at all.
    static bool Write(const QString& folder, QSize size);
    static bool Remove(const QString& folder);

    static QByteArray Encode(QSize size);
    // Someone else's bytes: anything but a sane size is no record.
    static std::optional<QSize> Decode(const QByteArray& bytes);

    // Larger records are not read.
    static constexpr qint64 kMaxBytes = 4096;
    // No screen is larger than this either way.
    static constexpr int kMaxSide = 65535;
};
