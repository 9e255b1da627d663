#include "settings/FontColourDialog.h"

#include "settings/ColourSwatch.h"
#include "show/BulletinBoard.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <cstdlib>
#include <limits>

namespace {

// Windows measures fonts on a 96 dpi screen: a point is 96 / 72 pixels.
constexpr qreal kPixelsPerPoint = 96.0 / 72.0;

// The face's style that draws the font as described: upright or italic as asked, the nearest
// weight, and of those the one the font itself resolves to (Book before Condensed). Without it
// the chooser names no style it knows and falls back on its first, which may be the oblique one.
QString MatchingStyle(const QFont& font) {
    const QString family = font.family();
    const QString resolved = QFontInfo(font).styleName();
    QString best;
    int bestScore = std::numeric_limits<int>::max();
    for (const QString& style : QFontDatabase::styles(family)) {
        // Oblique counts as italic, as QFont::italic() has it.
        if (QFontDatabase::font(family, style, 12).italic() != font.italic())
            continue;
        const int score = 2 * std::abs(QFontDatabase::weight(family, style) - font.weight()) +
                          (style == resolved ? 0 : 1);
        if (score < bestScore) {
            bestScore = score;
            best = style;
        }
    }
    return best;
}

} // namespace

FontColourDialog::FontColourDialog(const LogFont& font, quint32 colour, QWidget* parent)
    : QDialog(parent), m_base(font) {
    setWindowTitle(QStringLiteral("Font"));
    m_pFonts = new QFontDialog(this);
    m_pFonts->setWindowFlags(Qt::Widget);
    m_pFonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    QFont shown = ToQFont(font);
    // A face this system lacks (the Windows build's Arial) is offered as the font it is drawn
    // with, so that the chooser shows its styles; a bold face would otherwise come back regular.
    if (!QFontDatabase::hasFamily(shown.family())) {
        m_strShownFamily = QFontInfo(shown).family();
        shown.setFamily(m_strShownFamily);
    }
    const QString style = MatchingStyle(shown);
    if (!style.isEmpty())
        shown.setStyleName(style);
    m_pFonts->setCurrentFont(shown);
    m_shown = m_pFonts->currentFont();
    connect(m_pFonts, &QFontDialog::currentFontChanged, this, &FontColourDialog::OnFontChanged);

    m_pColour = new ColourSwatch(this);
    m_pColour->SetColour(colour);
    connect(m_pColour, &ColourSwatch::clicked, this, &FontColourDialog::OnColour);

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("Color:"), this));
    colourRow->addWidget(m_pColour);
    colourRow->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pFonts);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

void FontColourDialog::OnFontChanged(const QFont& font) {
    if (m_bAdjusting)
        return;
    // Another family keeps the weight and slant the text had: the chooser would take the new
    // family's first style, which may be bold or oblique.
    if (font.family() != m_shown.family()) {
        QFont kept = font;
        kept.setWeight(m_shown.weight());
        kept.setItalic(m_shown.italic());
        const QString style = MatchingStyle(kept);
        if (!style.isEmpty() && style != font.styleName()) {
            kept.setStyleName(style);
            m_bAdjusting = true;
            m_pFonts->setCurrentFont(kept);
            m_bAdjusting = false;
        }
    }
    m_shown = m_pFonts->currentFont();
}

void FontColourDialog::OnColour() {
    quint32 colour = m_pColour->Colour();
    if (ColourSwatch::ChooseWithDialog(colour, this))
        m_pColour->SetColour(colour);
}

LogFont FontColourDialog::ChosenFont() const {
    const QFont chosen = m_pFonts->currentFont();
    LogFont lf = ToLogFont(chosen, m_base);
    // The stand-in face keeps the stored name, so the file still names the font it named.
    if (!m_strShownFamily.isEmpty() && FaceName(chosen.family()) == FaceName(m_strShownFamily))
        lf.SetFaceName(m_base.lfFaceName);
    return lf;
}

quint32 FontColourDialog::ChosenColour() const {
    return m_pColour->Colour();
}

bool FontColourDialog::Choose(LogFont& font, quint32& colour, QWidget* parent) {
    FontColourDialog dialog(font, colour, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.ChosenFont();
    colour = dialog.ChosenColour();
    return true;
}

QFont FontColourDialog::ToQFont(const LogFont& font) {
    // The board's own reading of the description, so the dialog offers what the board draws.
    QFont f = BulletinBoard::BoardFont(font);
    const int pixels = f.pixelSize();
    if (pixels > 0)
        f.setPointSizeF(pixels / kPixelsPerPoint);
    return f;
}

LogFont FontColourDialog::ToLogFont(const QFont& font, const LogFont& base) {
    LogFont lf = base;
    const qreal points = font.pointSizeF();
    const int pixels = points > 0 ? qRound(points * kPixelsPerPoint) : font.pixelSize();
    lf.lfHeight = -std::max(1, pixels);
    lf.lfWidth = 0;
    lf.lfWeight = font.weight();
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.SetFaceName(FaceName(font.family()));
    return lf;
}

QString FontColourDialog::FaceName(const QString& family) {
    // Windows names faces without the foundry that fontconfig adds ("Nimbus Sans [urw]").
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    QString face = family;
    return face.remove(foundry).trimmed();
}
