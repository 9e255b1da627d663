#include "show/VersionCheck.h"

#include "model/AnsiCodec.h"
#include "show/XNewInfo.h"

#include <QGuiApplication>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWidget>

namespace {

// The desktop's proxy settings, except for this machine's own addresses, which are never
// reached through a proxy.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString host = query.peerHostName();
        const QHostAddress address(host);
        if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
            (!address.isNull() && address.isLoopback()))
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(query);
    }
};

constexpr qsizetype kUsableBytes = VersionCheck::kBufferSize - 1;

// The request the running check belongs to; one at a time.
QPointer<VersionCheck> g_pendingCheck;

} // namespace

QUrl VersionCheck::VersionUrl() {
    return QUrl(QStringLiteral("https://www.tumo-draw.example/update/version.txt"));
}

VersionCheck::VersionCheck(QObject* parent, const QUrl& url, int timeoutMs)
    : QObject(parent), m_url(url), m_pManager(new QNetworkAccessManager(this)) {
    m_pManager->setProxyFactory(new SystemProxyFactory);
    m_timer.setSingleShot(true);
    m_timer.setInterval(timeoutMs);
    connect(&m_timer, &QTimer::timeout, this, &VersionCheck::OnTimeout);
}

VersionCheck::~VersionCheck() {
    // Gone with the window that asked, before the answer came.
    EndBusyCursor();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

bool VersionCheck::Start() {
    if (IsRunning())
        return false;
    m_buffer.clear();
    m_bBufferFull = false;
    m_bTimedOut = false;
    QNetworkRequest request(m_url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kAgent));
    // Always from the server, never from a cache on the way.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    m_reply = m_pManager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &VersionCheck::OnReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &VersionCheck::OnFinished);
    m_timer.start();
    return true;
}

bool VersionCheck::StatusIsSuccess() const {
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return m_reply->error() == QNetworkReply::NoError;
    const int code = status.toInt();
    return code >= 200 && code < 300;
}

void VersionCheck::OnReadyRead() {
    if (!m_reply || m_bBufferFull)
        return;
    // An error page is not a version: its bytes are never kept.
    if (!StatusIsSuccess()) {
        m_reply->readAll();
        return;
    }
    m_buffer += m_reply->read(kUsableBytes - m_buffer.size());
    if (m_buffer.size() >= kUsableBytes) {
        // Nothing beyond the buffer is used: stop the transfer here.
        m_bBufferFull = true;
        m_reply->abort();
    }
}

void VersionCheck::OnTimeout() {
    if (!m_reply)
        return;
    m_bTimedOut = true;
    m_reply->abort();
}

void VersionCheck::OnFinished() {
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_timer.stop();
    const bool succeeded =
        m_bBufferFull ||
        (!m_bTimedOut && reply->error() == QNetworkReply::NoError && StatusIsSuccess());
    if (succeeded && !m_bBufferFull)
        m_buffer += reply->read(kUsableBytes - m_buffer.size());
    m_reply.clear();
    reply->deleteLater();
    Report(succeeded ? DecodeVersion(m_buffer) : QString());
}

void VersionCheck::Report(const QString& version) {
    Q_EMIT Finished(version);
}

QString VersionCheck::DecodeVersion(const QByteArray& bytes) {
    QByteArray text = bytes.left(kUsableBytes);
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    return AnsiCodec::toUnicode(text);
}

VersionCheck* VersionCheck::ShowNewVersionInfo(QWidget* parent, Prompter* prompter, const QUrl& url,
                                               int timeoutMs) {
    if (g_pendingCheck)
        return nullptr;
    auto* check = new VersionCheck(parent, url, timeoutMs);
    g_pendingCheck = check;
    check->m_bBusyCursor = true;
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const QPointer<QWidget> owner(parent);
    const bool hasOwner = parent != nullptr;
    connect(check, &VersionCheck::Finished, check,
            [check, owner, hasOwner, prompter](const QString& text) {
                check->EndBusyCursor();
                check->deleteLater();
                // The window that asked may have gone meanwhile; then nobody is told.
                if (hasOwner && !owner)
                    return;
                auto* dialog = new XNewInfo(owner);
                dialog->setAttribute(Qt::WA_DeleteOnClose);
                dialog->m_strNewVersion = text;
                dialog->SetPrompter(prompter);
                dialog->open();
            });
    check->Start();
    return check;
}

void VersionCheck::EndBusyCursor() {
    if (!m_bBusyCursor)
        return;
    m_bBusyCursor = false;
    QGuiApplication::restoreOverrideCursor();
}
