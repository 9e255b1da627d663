#include "controls/CHyperLink.h"

#include "base/ProcessSetup.h"

#include "model/Prompter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <memory>
#include <utility>

namespace {

// Colours as the rest of the program writes them: 0x00BBGGRR.
QColor FromColorRef(quint32 clr) {
    return QColor(int(clr & 0xFF), int((clr >> 8) & 0xFF), int((clr >> 16) & 0xFF));
}

struct ErrorText {
    int code;
    const char* text;
};

constexpr ErrorText kErrorTexts[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
         "being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

// How long the desktop's opener has to fail before the link counts as opened.
constexpr int kOpenerWaitMs = 5000;

bool IsQuote(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

} // namespace

CHyperLink::CHyperLink(QWidget* parent) : CHyperLink(QString(), parent) {}

CHyperLink::CHyperLink(const QString& text, QWidget* parent)
    : QLabel(text, parent), m_crLinkColour(FromColorRef(0xEE0000)),
      m_crVisitedColour(FromColorRef(0x8B1A55)),
      m_crHoverColour(palette().color(QPalette::Active, QPalette::Highlight)) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    // In a layout the link keeps the size of its text, like a fitted one.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    ApplyTextColor();
}

void CHyperLink::SetLinkUrl(const QString& url) {
    m_strUrl = url;
    if (!m_bAttached)
        return;
    FitToText();
    setToolTip(m_strUrl);
}

void CHyperLink::SetUnderline(bool underline) {
    m_bUnderline = underline;
    if (!m_bAttached)
        return;
    ApplyLinkFont();
    update();
}

void CHyperLink::PreSubclassWindow() {
    if (m_bAttached)
        return;
    m_bAttached = true;
    if (m_strUrl.isEmpty())
        m_strUrl = text();
    if (text().isEmpty())
        setText(m_strUrl);
    ApplyLinkFont();
    FitToText();
    setToolTip(m_strUrl);
}

QColor CHyperLink::TextColor() const {
    if (m_bOverControl)
        return m_crHoverColour;
    return m_bVisited ? m_crVisitedColour : m_crLinkColour;
}

void CHyperLink::ApplyLinkFont() {
    QFont linkFont = font();
    linkFont.setUnderline(m_bUnderline);
    setFont(linkFont);
}

void CHyperLink::ApplyTextColor() {
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        colours.setColor(group, QPalette::WindowText, TextColor());
    setPalette(colours);
}

QRect CHyperLink::FitRectToText(const QRect& rect, const QSize& text, Qt::Alignment alignment) {
    QRect fitted = rect;
    if (alignment & Qt::AlignVCenter) {
        const int side = (rect.height() - text.height()) / 2;
        fitted.setTop(rect.top() + side);
        fitted.setBottom(rect.bottom() - side);
    } else {
        fitted.setHeight(text.height());
    }
    if (alignment & Qt::AlignHCenter) {
        const int side = (rect.width() - text.width()) / 2;
        fitted.setLeft(rect.left() + side);
        fitted.setRight(rect.right() - side);
    } else if (alignment & Qt::AlignRight) {
        fitted.setLeft(rect.right() + 1 - text.width());
    } else {
        fitted.setWidth(text.width());
    }
    return fitted;
}

void CHyperLink::FitToText() {
    if (!m_bAdjustToFit)
        return;
    const QSize extent = QFontMetrics(font()).size(Qt::TextExpandTabs, text());
    setGeometry(FitRectToText(geometry(), extent, alignment()));
}

bool CHyperLink::event(QEvent* event) {
    // Polish comes once, just before the first showing: the owner has set everything by then.
    if (event->type() == QEvent::Polish)
        PreSubclassWindow();
    return QLabel::event(event);
}

void CHyperLink::SetHovering(bool hovering) {
    if (m_bOverControl == hovering)
        return;
    m_bOverControl = hovering;
    ApplyTextColor();
    repaint();
}

void CHyperLink::enterEvent(QEnterEvent* event) {
    SetHovering(true);
    QLabel::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event) {
    SetHovering(false);
    QLabel::leaveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
    // The click is the link's own: the window behind it must not see it.
    event->accept();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OnClicked();
}

void CHyperLink::OnClicked() {
    QPointer<CHyperLink> self(this);
    OpenLink(m_strUrl, [self](int code) {
        if (self)
            self->OnOpened(code);
    });
}

void CHyperLink::OnOpened(int code) {
    if (code > 32) {
        m_bVisited = true;
        ApplyTextColor();
        repaint();
        return;
    }
    QApplication::beep();
    ShowOpenError(code);
}

void CHyperLink::OpenLink(const QString& url, const OpenDone& done) {
    const QUrl target = QUrl::fromUserInput(url.trimmed());
    const auto fallBack = [this, url, target, done] {
        int code = kNoAssociation;
        if (!target.isValid() || (target.isLocalFile() && !QFileInfo::exists(target.toLocalFile())))
            code = kFileNotFound;
        done(OpenWithBrowserVariable(url, code));
    };
    if (!target.isValid()) {
        fallBack();
        return;
    }
    QPointer<CHyperLink> self(this);
    OpenWithDesktop(target, [self, fallBack, done](bool opened) {
        if (opened)
            done(kOpenSucceeded);
        else if (self)
            fallBack();
    });
}

int CHyperLink::OpenWithBrowserVariable(const QString& url, int desktopCode) {
    // $BROWSER may list several commands, separated by colons; the first one is the user's
    // choice.
    const QString variable = qEnvironmentVariable("BROWSER");
    const QString command = variable.section(QLatin1Char(':'), 0, 0).trimmed();
    const QStringList line = BrowserCommand(command, url);
    if (line.isEmpty())
        return desktopCode;
    return StartBrowser(line.first(), line.mid(1)) ? kOpenSucceeded : kFileNotFound;
}

QStringList CHyperLink::BrowserCommand(const QString& command, const QString& url) {
    QString head = command;
    const qsizetype placeholder = head.indexOf(QLatin1String("%s"));
    if (placeholder >= 0) {
        qsizetype cut = placeholder;
        if (cut > 0 && IsQuote(head[cut - 1]))
            --cut;
        head.truncate(cut);
    }
    QStringList line = QProcess::splitCommand(head);
    if (line.isEmpty())
        return {};
    line << url;
    return line;
}

void CHyperLink::OpenWithDesktop(const QUrl& url, std::function<void(bool)> done) {
    // Qt counts a started opener as success, while xdg-open may then find no method to open the
    // address with; its exit code says so. Without xdg-open, Qt's own way is all there is.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        done(QDesktopServices::openUrl(url));
        return;
    }
    // Without a parent: an opener that runs the browser itself must outlive the link, and the
    // program, rather than be killed with them.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setProcessEnvironment(ProcessSetup::ForChildren());
    process->setArguments(
        {url.isLocalFile() ? url.toLocalFile() : QString::fromUtf8(url.toEncoded())});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto pending = std::make_shared<std::function<void(bool)>>(std::move(done));
    const auto answer = [pending](bool opened) {
        if (*pending)
            std::exchange(*pending, nullptr)(opened);
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, answer](int exitCode, QProcess::ExitStatus status) {
                         answer(status == QProcess::NormalExit && exitCode == 0);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, answer](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         answer(false);
                         process->deleteLater();
                     });
    // An opener still running after a while runs the browser in the foreground: the link is open.
    QTimer::singleShot(kOpenerWaitMs, process, [answer] { answer(true); });
    process->start();
}

bool CHyperLink::StartBrowser(const QString& program, const QStringList& arguments) {
    QProcess browser;
    browser.setProgram(program);
    browser.setArguments(arguments);
    browser.setProcessEnvironment(ProcessSetup::ForChildren());
    return browser.startDetached();
}

QString CHyperLink::OpenErrorText(int code) {
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == code)
            return QString::fromLatin1(entry.text);
    }
    return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
}

void CHyperLink::ShowOpenError(int code) {
    const QString text = QStringLiteral("Unable to open hyperlink:\n\n") + OpenErrorText(code);
    if (m_pPrompter) {
        m_pPrompter->Message(text, Prompter::Icon::Warning);
        return;
    }
    QMessageBox::warning(window(), QApplication::applicationDisplayName(), text);
}
