#pragma once

#include "media/SoundDevice.h"

#include <QString>

#include <memory>

// One sound device opened on one file, with the open, playing and length state the looping
// player works from.
class MCISound {
public:
    explicit MCISound(std::unique_ptr<SoundDevice> device);
    virtual ~MCISound();
    MCISound(const MCISound&) = delete;
    MCISound& operator=(const MCISound&) = delete;

    // 1 when opened, 0 when the open failed, -1 when the file name is empty.
    int Open(const QString& file);
    // 1 when playing from the start was started, 0 when already playing or not open. The playing
    // flag stays set after the sound ends by itself; only Stop or Close clears it.
    int Play();
    // Status queries; 0 when the query fails.
    qint64 GetLength();
    qint64 GetPosition();
    // Halts a playing device where it is.
    void Stop();
    void Close();

    // The last open failed, at once or later while the device prepared the file.
    bool HasFailed() const;

    bool m_bOpen = false;
    // Length of the open file in ms; 0 while the device does not know it yet.
    qint64 m_nLength = 0;
    bool m_bPlaying = false;
    // The file of the last open.
    QString m_strFile;

private:
    std::unique_ptr<SoundDevice> m_pDevice;
    bool m_bOpenFailed = false;
};
