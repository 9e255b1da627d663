#include "media/SoundMgr.h"

#include "media/QtSoundDevice.h"

#include <utility>

SoundMgr::SoundMgr() : SoundMgr(QtSoundDevice::Factory()) {}

SoundMgr::SoundMgr(const SoundDeviceFactory& makeDevice)
    : m_first(makeDevice()), m_second(makeDevice()), m_pCurrent(&m_first), m_pOther(&m_second) {}

SoundMgr::~SoundMgr() {
    Stop();
}

int SoundMgr::Start() {
    m_pCurrent = &m_first;
    m_pOther = &m_second;
    m_first.Open(m_strFile);
    m_second.Open(m_strFile);
    return 1;
}

void SoundMgr::OnLoopTick() {
    if (!m_bLoop || !m_bPlaying)
        return;
    // A file that no device can play has nothing to loop; opening it again every tick would
    // only hammer the disk.
    if (m_pCurrent->HasFailed() && m_pOther->HasFailed())
        return;
    if (!ReachedEnd(*m_pCurrent))
        return;
    std::swap(m_pCurrent, m_pOther);
    m_pCurrent->Play();
    Rearm(*m_pOther);
}

bool SoundMgr::ReachedEnd(MCISound& sound) {
    // A device may learn the length only after it has opened the file.
    if (sound.m_nLength <= 0)
        sound.m_nLength = sound.GetLength();
    // Signed: a sound shorter than the margin is at its end on every tick.
    if (sound.m_nLength > 0 && sound.GetPosition() > sound.m_nLength - kEndMarginMs)
        return true;
    return sound.GetPosition() == 0;
}

// The device that finished is opened again, so that it is ready at its start for the next turn.
// One whose file failed stays closed rather than being retried on every tick.
void SoundMgr::Rearm(MCISound& sound) {
    const bool failed = sound.HasFailed();
    sound.Close();
    if (!failed)
        sound.Open(sound.m_strFile);
}

void SoundMgr::Load(const QString& file) {
    if (!file.isEmpty() && file == m_strLoaded)
        return;
    m_strFile = file;
    Start();
    m_strLoaded = file;
}

void SoundMgr::Halt() {
    m_bPlaying = false;
    m_pCurrent->Stop();
    m_pOther->Stop();
}

void SoundMgr::Stop() {
    m_strLoaded.clear();
    m_bPlaying = false;
    m_pCurrent->Close();
    m_pOther->Close();
}

void SoundMgr::PlayIfIdle() {
    if (m_bPlaying)
        return;
    m_pCurrent->Play();
    m_bPlaying = true;
}

void SoundMgr::StopCurrent() {
    if (!m_bPlaying)
        return;
    m_bPlaying = false;
    m_pCurrent->Stop();
}

void SoundMgr::Restart() {
    // Stopping first clears the device's playing mark, so Play starts over from the beginning.
    m_bPlaying = false;
    m_pCurrent->Stop();
    m_pCurrent->Play();
    m_bPlaying = true;
}
