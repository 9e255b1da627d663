#pragma once

#include "model/CharFormat.h"

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>

class QMouseEvent;

// One text panel of the draw screen: the panel's text in its own font and colour over whatever
// lies below, with nothing else of the panel visible. Clicks on it are handed to the owner first,
// so a click on a panel draws or restarts like a click on the screen.
class XAPanel : public QWidget {
    Q_OBJECT
public:
    using MouseRouter = std::function<void(QWidget* source, QMouseEvent* event)>;

    // The colour that meant "transparent" in stored settings; text of exactly that colour is
    // drawn in a neighbour of it, so that no text ever disappears.
    static constexpr quint32 kKeyColor = 0x4D4D4D;
    static constexpr quint32 kKeySubstitute = 0x4D4E4D;
    static constexpr int kTwipsPerPixel = 15;

    explicit XAPanel(QWidget* owner, MouseRouter router = {});

    // Takes the format and the text, and sizes the panel to the text (the top-left corner stays);
    // the creator then moves it to its stored place.
    void ShowText(const CharFormat& cf, const QString& text);

    const CharFormat& Format() const { return m_cf; }
    const QString& Text() const { return m_strText; }

    // What the format means on screen: face, pixel height, bold, italic, underline, colour.
    static QFont FontOf(const CharFormat& cf);
    static quint32 TextColorOf(const CharFormat& cf); // 0x00BBGGRR
    // The size the text needs in the given format, a small margin included.
    static QSize TextSize(const CharFormat& cf, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void route(QMouseEvent* event);

    CharFormat m_cf;
    QString m_strText;
    MouseRouter m_router;
};
