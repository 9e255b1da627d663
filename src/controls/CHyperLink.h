#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QUrl>

#include <functional>

class Prompter;

// A line of text that is a web link: blue, purple once it has been opened, the highlight colour
// while the mouse is over it, underlined unless switched off, with a pointing hand and the
// address as its tool tip. A click opens the address in the desktop's browser; when that fails
// the link beeps and says why in a message box.
//
// The owner creates it like a label (text, alignment, geometry, font) and may set the address and
// switch the underline off. The link takes its final form when it is first shown, or when the
// owner calls PreSubclassWindow: an empty address becomes the text and an empty text becomes the
// address, and the label shrinks to its text, keeping the edge its alignment names (so only the
// text itself is clickable). The text is always plain text: addresses and fetched texts are
// never read as markup.
class CHyperLink : public QLabel {
    Q_OBJECT

public:
    // OpenLink results follow the desktop shell's convention: above 32 means the link opened.
    static constexpr int kOpenSucceeded = 33;
    static constexpr int kFileNotFound = 2;
    static constexpr int kNoAssociation = 31;

    explicit CHyperLink(QWidget* parent = nullptr);
    explicit CHyperLink(const QString& text, QWidget* parent = nullptr);

    // Once the link has taken its form, it fits itself to its text again and the tool tip shows
    // the new address.
    void SetLinkUrl(const QString& url);
    QString GetLinkUrl() const { return m_strUrl; }
    // Before the link has taken its form only the choice is kept.
    void SetUnderline(bool underline = false);

    // Message boxes go here when set; otherwise the link shows its own.
    void SetPrompter(Prompter* prompter) { m_pPrompter = prompter; }

    // Gives the link its final form; runs once, on the first showing at the latest.
    void PreSubclassWindow();

    bool IsVisited() const { return m_bVisited; }
    bool IsHovering() const { return m_bOverControl; }
    // The colour the text is drawn in now.
    QColor TextColor() const;

    // Opens url with the desktop, then with the browser named by $BROWSER. `done` gets
    // kOpenSucceeded, or the code of the failure for ShowOpenError, once the desktop's opener has
    // answered: it may start and then find nothing to open the address with.
    using OpenDone = std::function<void(int code)>;
    void OpenLink(const QString& url, const OpenDone& done);
    void ShowOpenError(int code);

    static QString OpenErrorText(int code);
    // Where a label of rect with the given alignment goes once shrunk (or grown) to its text.
    static QRect FitRectToText(const QRect& rect, const QSize& text, Qt::Alignment alignment);
    // The program and arguments that open url with a browser command in the manner of $BROWSER:
    // the command is cut before its "%s" placeholder (and any quote around it) and the address
    // is passed as one argument of its own, whatever characters it holds. Empty when the command
    // names no program.
    static QStringList BrowserCommand(const QString& command, const QString& url);

protected:
    // Overridden by tests so that nothing is launched. `done` is told whether the desktop opened
    // the address; it may be called before this returns or later, never twice.
    virtual void OpenWithDesktop(const QUrl& url, std::function<void(bool opened)> done);
    virtual bool StartBrowser(const QString& program, const QStringList& arguments);

    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnClicked();
    void OnOpened(int code);
    int OpenWithBrowserVariable(const QString& url, int desktopCode);
    void ApplyLinkFont();
    void ApplyTextColor();
    void FitToText();
    void SetHovering(bool hovering);

    const QColor m_crLinkColour;
    const QColor m_crVisitedColour;
    const QColor m_crHoverColour;
    bool m_bOverControl = false;
    bool m_bVisited = false;
    bool m_bUnderline = true;
    bool m_bAdjustToFit = true;
    QString m_strUrl;
    bool m_bAttached = false;
    Prompter* m_pPrompter = nullptr;
};
