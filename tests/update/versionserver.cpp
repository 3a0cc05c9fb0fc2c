#include "versionserver.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray header(const QByteArray &status, qint64 length)
{
    QByteArray text = "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nConnection: close\r\n";
    if (length >= 0)
        text += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return text + "\r\n";
}

// Ten mebibytes that begin like a current version file, so that a client
// keeping any of it would report "up to date".
QByteArray hugeBody(const QByteArray &firstLine)
{
    QByteArray text = firstLine + "\r\n";
    text.append(VersionServer::HugeSize - text.size(), 'x');
    return text;
}

} // namespace

VersionServer::VersionServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

bool VersionServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString VersionServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort());
}

quint16 VersionServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void VersionServer::serve(QTcpSocket *socket)
{
    ++connections;
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket->property("answered").toBool() || !socket->canReadLine())
            return;
        const QByteArray request = socket->peek(socket->bytesAvailable());
        if (!request.contains("\r\n\r\n"))
            return;
        socket->setProperty("answered", true);
        paths.append(QString::fromLatin1(request.split(' ').value(1)));
        respond(socket);
    });
}

void VersionServer::respond(QTcpSocket *socket)
{
    switch (answer) {
    case Answer::File:
        socket->write(header("200 OK", body.size()) + body);
        socket->disconnectFromHost();
        break;
    case Answer::NotFound: {
        const QByteArray page = "9.0.59\r\n"; // a body that must not count
        socket->write(header("404 Not Found", page.size()) + page);
        socket->disconnectFromHost();
        break;
    }
    case Answer::Silent:
        break;
    case Answer::Trickle: {
        socket->write(header("200 OK", 1000));
        auto *drip = new QTimer(socket);
        connect(drip, &QTimer::timeout, socket, [socket] { socket->write("9"); });
        drip->start(50);
        break;
    }
    case Answer::HugeDeclared:
        socket->write(header("200 OK", HugeSize) + hugeBody(body));
        socket->disconnectFromHost();
        break;
    case Answer::HugeUndeclared:
        socket->write(header("200 OK", -1) + hugeBody(body));
        socket->disconnectFromHost();
        break;
    }
}
