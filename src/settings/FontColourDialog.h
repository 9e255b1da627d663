#pragma once

#include "model/LogFont.h"

#include <QDialog>
#include <QFont>

#include <functional>

class ColourSwatch;
class QFontDialog;

// The font chooser of the option dialogs: a screen font with its effects and, as the Windows
// font dialog offers it, the text colour.
class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a font and a colour, starting from `font` and `colour` (0x00BBGGRR); both are
    // changed only when the operator confirms.
    using Chooser = std::function<bool(LogFont& font, quint32& colour, QWidget* parent)>;

    FontColourDialog(const LogFont& font, quint32 colour, QWidget* parent = nullptr);

    LogFont ChosenFont() const;
    quint32 ChosenColour() const;

    static bool Choose(LogFont& font, quint32& colour, QWidget* parent);

    // The description as the font dialog shows it (in points, as on a 96 dpi Windows screen).
    static QFont ToQFont(const LogFont& font);
    // A chosen font back into a description: character height in pixels (negative, as the
    // Windows font dialog gives it), weight, effects and face; the other fields of `base` stay.
    static LogFont ToLogFont(const QFont& font, const LogFont& base);
    // A font family as a Windows face name.
    static QString FaceName(const QString& family);

private:
    void OnColour();
    void OnFontChanged(const QFont& font);

    LogFont m_base;
    QFont m_shown; // what the chooser showed before the operator's last change
    bool m_bAdjusting = false;
    QString m_strShownFamily; // the stand-in for a stored face this system lacks
    QFontDialog* m_pFonts;
    ColourSwatch* m_pColour;
};
