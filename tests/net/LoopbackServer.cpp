#include "LoopbackServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <memory>

LoopbackServer::LoopbackServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            auto received = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
                *received += socket->readAll();
                if (!received->contains("\r\n\r\n")) return;
                m_requests << received->left(received->indexOf("\r\n"));
                received->clear();
                if (m_response.isEmpty()) return;
                socket->write(m_response);
                socket->disconnectFromHost();  // after the bytes are written
            });
        }
    });
}

QByteArray LoopbackServer::Response(int status, const QByteArray& body, bool withLength)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: application/json\r\n";
    if (withLength) head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return head + "Connection: close\r\n\r\n" + body;
}

QByteArray FullAnswer(const char* hasNewer, const char* downloadUrl, const char* without)
{
    QByteArray result = "\"hasNewerVersion\":" + QByteArray(hasNewer) + ",\"downloadInformationURL\":\"" +
                        QByteArray(downloadUrl) + '"';
    for (const char* name : {"applicationId", "applicationName", "newestVersion", "supportInformationURL",
                             "fileURL", "updateDate", "subject", "description"})
        if (qstrcmp(name, without) != 0) result += ",\"" + QByteArray(name) + "\":\"x\"";
    return "{\"status\":200,\"result\":{" + result + "}}";
}

bool WaitFor(const std::function<bool()>& cond, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!cond()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
