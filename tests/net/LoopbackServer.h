#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTcpServer>
#include <functional>
#include <ostream>

// An HTTP server on 127.0.0.1, run by the test's event loop: answers every request with the canned
// response, or, while that is empty, accepts and never answers.
class LoopbackServer {
public:
    LoopbackServer();
    quint16 Port() const { return m_server.serverPort(); }
    void SetResponse(const QByteArray& response) { m_response = response; }
    // The request lines received ("GET /path?query HTTP/1.1"), in order.
    const QList<QByteArray>& Requests() const { return m_requests; }

    // A whole response; without a length the body ends where the connection closes.
    static QByteArray Response(int status, const QByteArray& body, bool withLength = true);

private:
    QTcpServer m_server;
    QByteArray m_response;
    QList<QByteArray> m_requests;
};

// A status-200 answer with every member of "result" but the one named without.
QByteArray FullAnswer(const char* hasNewer, const char* downloadUrl = "http://127.0.0.1/download",
                      const char* without = nullptr);

// True when cond became true within ms of running the event loop.
bool WaitFor(const std::function<bool()>& cond, int ms = 5000);

// Failure messages show the text, not its bytes.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
