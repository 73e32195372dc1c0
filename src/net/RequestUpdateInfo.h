#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "net/ProxySettings.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace ovgNet {

class OnEventListener;
struct UpdateServerConfig;

// The members of a server's answer that the program keeps.
struct UpdateAnswer {
    bool hasNewerVersion = false;
    QString downloadInformationURL;
};

// One update check: a GET of the server's path with the query
//   id=<app id>&version=<version number>&language=<edition code>&os=<system description>
// whose answer is a JSON object {"status": 200, "result": {...}}. Asynchronous on the calling
// thread's event loop: Start returns at once, the listener and finished() follow from the loop.
// Create, start and destroy it on one thread; destroying it aborts a running check without
// telling the listener.
class RequestUpdateInfo : public QObject {
    Q_OBJECT
public:
    // Result codes. A server status other than 200 (1 to 999) is the code itself.
    enum Code : int {
        kOk = 0,
        kNetworkFailed =
            -1,  // no server configured, no connection, TLS failure, timeout, answer over kMaxBodyBytes
        kEmptyBody = -2,
        kNotObject = -3,
        kNoStatus = -4,    // "status" missing, not a number, or not a whole number from 1 to 999
        kBadResult = -10,  // a member of "result" missing or of the wrong type
        kRunning = 1,      // not finished yet
    };
    static constexpr int kDefaultTimeoutMs = 10'000;
    static constexpr qint64 kMaxBodyBytes = 1 << 20;

    explicit RequestUpdateInfo(QObject* parent = nullptr);
    ~RequestUpdateInfo() override;

    // For the next Start: the whole check's time limit in milliseconds, and the proxy.
    void SetTimeoutMs(int ms) { m_timeoutMs = ms; }
    void SetProxy(const ProxySettings& proxy) { m_proxy = proxy; }

    // Starts a check of endpoint (scheme, host, port and path; its query is replaced). The
    // listener (not owned, may be null) must outlive the check or the request. False, and
    // nothing changes, while a check runs.
    bool Start(const QUrl& endpoint, const QString& appId, OnEventListener* listener);
    // The same for a configured server; with none the check ends at once with kNetworkFailed
    // and nobody is told (no listener call, finished() is still emitted).
    bool Start(const UpdateServerConfig& config, OnEventListener* listener);

    bool IsRunning() const { return m_code == kRunning; }
    // kRunning while running; the last check's code afterwards (kNetworkFailed before any).
    int GetResultCode() const { return m_code; }
    bool IsSuccess() const { return m_code == kOk; }
    const UpdateAnswer& GetAnswer() const { return m_answer; }

    // The query text, values percent-encoded.
    static QByteArray BuildQuery(const QString& appId);
    // "<product name>, 64-bit" (or 32-bit).
    static QString OsDescription();
    // The code of an answer body; answer holds the kept members when it is kOk.
    static int ParseAnswer(QByteArrayView body, UpdateAnswer& answer);

signals:
    // After the listener was told; code as GetResultCode().
    void finished(int code);

private:
    void OnMetaData();
    void OnReadyRead();
    void OnFinished();
    void OnTimeout();
    void Fail(const char* api, int error);
    void Complete(int code);

    QNetworkAccessManager* m_manager;
    QTimer* m_timer;
    QPointer<QNetworkReply> m_reply;
    OnEventListener* m_listener = nullptr;
    ProxySettings m_proxy;
    int m_timeoutMs = kDefaultTimeoutMs;
    int m_code = kNetworkFailed;
    bool m_headersSeen = false;
    QByteArray m_body;
    UpdateAnswer m_answer;
};

}  // namespace ovgNet
