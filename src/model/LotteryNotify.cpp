#include "model/LotteryNotify.h"

#include "model/Archive.h"

void LotteryNotify::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        m_strBackPic = ar.RelativePath(m_strBackPic);
        m_strSkin = ar.RelativePath(m_strSkin);
        ar << m_nSpare << m_nPicDisplay << m_nTransparency << m_nPerLine << m_rcNumbers << m_rcBoard
           << m_clrBack << m_clrNumbers << m_strBackPic << m_strSkin << m_strTitle << m_bEnable
           << m_bShowInfo << m_bShowAllWinners << m_nShowWhen;
        m_fontNumbers.Serialize(ar);
        ar << m_nInfoWidth << m_bFillZero << m_bShowTitle << m_bScroll << m_nLineSpace
           << m_nScrollSpeed << m_nNumbersAlign << m_nInfoAlign;
        m_fontTitle.Serialize(ar);
        ar << m_clrTitle << m_bShowNumbers << m_bInfoFirst;
        ar.WriteBool(m_bAutoBackPic);
        m_shape.Serialize(ar);
        return;
    }
    ar >> m_nSpare >> m_nPicDisplay >> m_nTransparency >> m_nPerLine >> m_rcNumbers >> m_rcBoard >>
        m_clrBack >> m_clrNumbers >> m_strBackPic >> m_strSkin >> m_strTitle >> m_bEnable >>
        m_bShowInfo >> m_bShowAllWinners >> m_nShowWhen;
    m_fontNumbers.Serialize(ar);
    ar >> m_nInfoWidth >> m_bFillZero >> m_bShowTitle >> m_bScroll >> m_nLineSpace >>
        m_nScrollSpeed >> m_nNumbersAlign >> m_nInfoAlign;
    m_fontTitle.Serialize(ar);
    ar >> m_clrTitle >> m_bShowNumbers >> m_bInfoFirst;
    m_bAutoBackPic = ar.ReadBool();
    m_strSkin = ar.AbsolutePath(m_strSkin);
    m_strBackPic = ar.AbsolutePath(m_strBackPic);
    // The board divides its width by the numbers per line.
    if (m_nPerLine < 1)
        m_nPerLine = 1;
    m_shape.Serialize(ar);
}
