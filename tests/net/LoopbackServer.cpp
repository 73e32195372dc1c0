#include "LoopbackServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <functional>
#include <memory>

LoopbackServer::LoopbackServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&m_server, &QTcpServer::newConnection, [this] { Accept(); });
}

void LoopbackServer::Accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
            *received += socket->readAll();
            const qsizetype end = received->indexOf("\r\n\r\n");
            if (end < 0) return;
            m_requests << received->left(received->indexOf("\r\n"));
            received->clear();
            if (m_silent) return;
            socket->write(m_response);
            socket->disconnectFromHost();  // after the bytes are written
        });
    }
}

QByteArray LoopbackServer::Response(int status, const QByteArray& body, bool withLength)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: application/json\r\n";
    if (withLength) head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return head + "Connection: close\r\n\r\n" + body;
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
