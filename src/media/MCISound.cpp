#include "media/MCISound.h"

MCISound::MCISound(std::unique_ptr<SoundDevice> device) : m_pDevice(std::move(device)) {}

MCISound::~MCISound() {
    Close();
}

int MCISound::Open(const QString& file) {
    m_strFile = file;
    Stop();
    // A device holds one file: whatever was open before is closed, never left behind.
    Close();
    m_bOpenFailed = false;
    if (file.isEmpty())
        return -1;
    if (!m_pDevice || !m_pDevice->Open(file)) {
        m_bOpenFailed = true;
        return 0;
    }
    m_bOpen = true;
    m_nLength = GetLength();
    return 1;
}

int MCISound::Play() {
    if (m_bPlaying || !m_bOpen)
        return 0;
    m_pDevice->Play();
    m_bPlaying = true;
    return 1;
}

qint64 MCISound::GetLength() {
    qint64 ms = 0;
    if (!m_bOpen || !m_pDevice->Length(ms))
        return 0;
    return ms;
}

qint64 MCISound::GetPosition() {
    qint64 ms = 0;
    if (!m_bOpen || !m_pDevice->Position(ms))
        return 0;
    return ms;
}

void MCISound::Stop() {
    if (m_bPlaying && m_bOpen) {
        m_bPlaying = false;
        m_pDevice->Stop();
    }
}

void MCISound::Close() {
    if (!m_bOpen)
        return;
    if (m_pDevice->Failed())
        m_bOpenFailed = true;
    m_bPlaying = false;
    m_bOpen = false;
    m_nLength = 0;
    m_pDevice->Close();
}

bool MCISound::HasFailed() const {
    return m_bOpenFailed || (m_bOpen && m_pDevice->Failed());
}
