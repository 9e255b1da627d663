#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class Prompter;
class QNetworkAccessManager;
class QNetworkReply;
class QWidget;

// Fetches the short version text that the maker publishes, without holding up the window that
// asked: the request runs in the background and Finished reports the text once, or an empty
// text when the server could not be reached, answered with an error status, or took longer than
// the time-out. Only the first 4095 bytes of the file count; the transfer stops there. The text
// ends at its first zero byte and is read as Windows-1252.
class VersionCheck : public QObject {
    Q_OBJECT

public:
    static constexpr int kBufferSize = 4096; // the last byte is kept for the terminating zero
    static constexpr int kTimeoutMs = 10000;
    static constexpr const char* kAgent = "VER INFO";

    // The published version file.
    static QUrl VersionUrl();

    explicit VersionCheck(QObject* parent = nullptr, const QUrl& url = VersionUrl(),
                          int timeoutMs = kTimeoutMs);
    ~VersionCheck() override;

    // False, and nothing is started, while a request runs.
    bool Start();
    bool IsRunning() const { return !m_reply.isNull(); }

    // The text that a file's first bytes give.
    static QString DecodeVersion(const QByteArray& bytes);

    // What the draw window's "New Version Check" does: fetches the text, then opens the
    // "New information" dialog over parent, window-modal, which deletes itself when closed; its
    // links report failures through prompter when one is given. The window stays responsive
    // meanwhile, with a busy cursor; a second request while one runs is ignored (null is
    // returned). The check deletes itself when it is done.
    static VersionCheck* ShowNewVersionInfo(QWidget* parent, Prompter* prompter = nullptr,
                                            const QUrl& url = VersionUrl(),
                                            int timeoutMs = kTimeoutMs);

Q_SIGNALS:
    void Finished(const QString& version);

private:
    void OnReadyRead();
    void OnFinished();
    void OnTimeout();
    bool StatusIsSuccess() const;
    void Report(const QString& version);
    void EndBusyCursor();

    QUrl m_url;
    QNetworkAccessManager* m_pManager;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    QByteArray m_buffer;
    bool m_bBufferFull = false;
    bool m_bTimedOut = false;
    bool m_bBusyCursor = false;
};
