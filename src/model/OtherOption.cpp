#include "model/OtherOption.h"

#include "model/Archive.h"

namespace {

constexpr quint16 VK_SPACE = 0x20;
constexpr quint16 VK_DELETE = 0x2E;
constexpr quint8 kCtrl = AccelEntry::FVIRTKEY | AccelEntry::FCONTROL;

} // namespace

OtherOption::AccelTable OtherOption::DefaultAccel() {
    return {{
        {AccelEntry::FVIRTKEY, VK_DELETE, kCmdDeleteWinning},
        {AccelEntry::FVIRTKEY, VK_SPACE, kCmdDraw},
        {AccelEntry::FVIRTKEY, VK_SPACE, kCmdRestart},
        {kCtrl, 'S', kCmdSettings},
        {kCtrl, 'V', kCmdShowWinning},
        {kCtrl, 'Q', kCmdQuit},
    }};
}

void OtherOption::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strOutputFile = ar.RelativePath(m_strOutputFile);
        m_strAutoOutputFile = ar.RelativePath(m_strAutoOutputFile);
        ar << m_bShowButtons << m_nSpare1 << m_nSpare2 << m_chStartSymbol << m_strOutputFile
           << m_bAutoOutput << m_bStopAtStartup << m_strAutoOutputFile << m_nMouseMode
           << m_bMouseControl << m_bAllowDelete << m_nMonitor;
        for (int i = 1; i < kHotKeyCount; ++i)
            m_accel[i].Serialize(ar);
        return;
    }
    ar >> m_bShowButtons >> m_nSpare1 >> m_nSpare2 >> m_chStartSymbol >> m_strOutputFile >>
        m_bAutoOutput >> m_bStopAtStartup >> m_strAutoOutputFile >> m_nMouseMode >>
        m_bMouseControl >> m_bAllowDelete >> m_nMonitor;
    m_strOutputFile = ar.AbsolutePath(m_strOutputFile);
    m_strAutoOutputFile = ar.AbsolutePath(m_strAutoOutputFile);
    // The monitor picks an entry of the monitor list; 0 or less would index before it. Fixed at
    // once so that it holds even when the hot keys below are cut short.
    m_nMonitor = qMax(m_nMonitor, 1);
    m_accel[0] = DefaultAccel()[0];
    for (int i = 1; i < kHotKeyCount; ++i)
        m_accel[i].Serialize(ar);
}
