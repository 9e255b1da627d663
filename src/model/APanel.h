#pragma once

#include "model/CharFormat.h"
#include "model/WinRect.h"

#include <QString>

class Archive;

// One text panel of a prize level: a text template with its character format and its place on
// the screen. "~?~", "~#~" and "~$~" are expanded when the panel is shown.
class APanel {
public:
    static const char* ClassName() { return "APanel"; }

    APanel() = default;
    APanel(const QString& text, const CharFormat& cf) : m_cf(cf), m_strText(text) {}

    void Serialize(Archive& ar);

    friend bool operator==(const APanel&, const APanel&) = default;

    CharFormat m_cf;
    QString m_strText;
    WinRect m_rect;
};
