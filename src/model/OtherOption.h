#pragma once

#include "model/AccelEntry.h"

#include <QString>
#include <QtGlobal>

#include <array>

class Archive;

// The program-wide options, stored at the head of the scheme file.
class OtherOption {
public:
    static const char* ClassName() { return "OtherOption"; }

    static constexpr int kHotKeyCount = 6;
    using AccelTable = std::array<AccelEntry, kHotKeyCount>;

    // Commands the default hot keys issue.
    static constexpr quint16 kCmdDeleteWinning = 13;
    static constexpr quint16 kCmdDraw = 107;
    static constexpr quint16 kCmdRestart = 110;
    static constexpr quint16 kCmdSettings = 1003;
    static constexpr quint16 kCmdShowWinning = 102;
    static constexpr quint16 kCmdQuit = 7;

    // Entry 0 (Delete) is fixed: never stored, never edited; entries 1 to 5 are editable.
    static AccelTable DefaultAccel();

    // Storing turns both output paths program-folder-relative in memory too; loading makes them
    // absolute again.
    void Serialize(Archive& ar);

    static QString DefaultOutputFile() { return QStringLiteral("WinningNumbers.txt"); }
    // Whether an output path, as a scheme file stores it, names a file right in the program
    // folder: a bare file name, without folder, drive or leading separator.
    static bool IsPlainFileName(const QString& storedPath);
    // In the bytes of a scheme file, which begin with this record, puts the default name in
    // place of each output path that is not a plain file name; every other byte stays as it
    // was. Returns how many paths were replaced; throws ArchiveException when the record is cut.
    static int ResetForeignOutputPaths(QByteArray& schemeBytes);

    friend bool operator==(const OtherOption&, const OtherOption&) = default;

    qint32 m_bStopAtStartup = 0;
    AccelTable m_accel = DefaultAccel();
    qint32 m_bAutoOutput = 0;
    QString m_strOutputFile = DefaultOutputFile();
    QString m_strAutoOutputFile = DefaultOutputFile();
    qint32 m_bMouseControl = 1;
    qint32 m_nMouseMode = 2; // 0 draw only, 1 restart only, 2 both
    qint32 m_bShowButtons = 1;
    qint32 m_nSpare1 = 1;
    qint32 m_nSpare2 = 0;
    quint8 m_chStartSymbol = '0'; // one character of the ANSI code page
    qint32 m_bAllowDelete = 1;
    qint32 m_nMonitor = 1; // counted from 1
};
