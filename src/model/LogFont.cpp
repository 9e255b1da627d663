#include "model/LogFont.h"

#include "model/Archive.h"

LogFont LogFont::Default() {
    LogFont f;
    f.lfHeight = 44;
    f.lfWeight = 700;
    f.lfFaceName = QStringLiteral("Arial");
    return f;
}

void LogFont::SetFaceName(const QString& name) {
    lfFaceName = name.left(kMaxFaceName);
}

void LogFont::Serialize(Archive& ar) {
    if (ar.IsStoring()) {
        ar << lfCharSet << lfClipPrecision << lfEscapement << lfHeight << lfItalic << lfOrientation
           << lfOutPrecision << lfPitchAndFamily << lfQuality << lfStrikeOut << lfUnderline
           << lfWeight << lfWidth << lfFaceName;
        return;
    }
    QString face;
    ar >> lfCharSet >> lfClipPrecision >> lfEscapement >> lfHeight >> lfItalic >> lfOrientation >>
        lfOutPrecision >> lfPitchAndFamily >> lfQuality >> lfStrikeOut >> lfUnderline >> lfWeight >>
        lfWidth >> face;
    SetFaceName(face);
}
