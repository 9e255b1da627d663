#include "model/OtherOption.h"

#include "model/Archive.h"

#include <initializer_list>

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

bool OtherOption::IsPlainFileName(const QString& storedPath) {
    if (storedPath.isEmpty() || storedPath == QLatin1String(".") ||
        storedPath == QLatin1String(".."))
        return false;
    for (const QChar c : storedPath) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('/') || c == QLatin1Char(':'))
            return false;
    }
    return true;
}

int OtherOption::ResetForeignOutputPaths(QByteArray& schemeBytes) {
    // Walks the head of the record in the order Serialize reads it, noting where each output
    // path lies, so that only those bytes change.
    struct Span {
        qsizetype from;
        qsizetype to;
        QString path;
    };
    Archive ar(schemeBytes);
    auto readPath = [&ar, &schemeBytes] {
        Span span{schemeBytes.size() - ar.remaining(), 0, QString()};
        ar >> span.path;
        span.to = schemeBytes.size() - ar.remaining();
        return span;
    };
    qint32 field = 0;
    quint8 symbol = 0;
    ar >> field >> field >> field >> symbol; // buttons, spares, start symbol
    const Span output = readPath();
    ar >> field >> field; // automatic output, stop at start-up
    const Span autoOutput = readPath();

    int replaced = 0;
    // The later span first, so that the earlier one's offsets still hold.
    for (const Span& span : {autoOutput, output}) {
        if (IsPlainFileName(span.path))
            continue;
        Archive name;
        name << DefaultOutputFile();
        schemeBytes.replace(span.from, span.to - span.from, name.data());
        ++replaced;
    }
    return replaced;
}
