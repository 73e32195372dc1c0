#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <functional>

// An HTTP server on 127.0.0.1 for the update check's tests: answers every request with the
// canned response, or, when silent, accepts and never answers. Runs on the test's event loop.
class LoopbackServer {
public:
    LoopbackServer();

    quint16 Port() const { return m_server.serverPort(); }
    void SetResponse(const QByteArray& response)
    {
        m_response = response;
        m_silent = false;
    }
    void SetSilent() { m_silent = true; }

    // The request lines received ("GET /path?query HTTP/1.1"), in order.
    const QList<QByteArray>& Requests() const { return m_requests; }

    // A whole response; without a length the body ends where the connection closes.
    static QByteArray Response(int status, const QByteArray& body, bool withLength = true);

private:
    void Accept();

    QTcpServer m_server;
    QByteArray m_response;
    bool m_silent = false;
    QList<QByteArray> m_requests;
};

// True when cond became true within ms of running the event loop.
bool WaitFor(const std::function<bool()>& cond, int ms = 5000);
