#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

/// A tiny HTTP server on 127.0.0.1 with a port of the system's choosing,
/// playing the maker's web server in the ways a test needs: a version file,
/// a missing file, silence, a trickle, or far too much.
class VersionServer : public QObject
{
    Q_OBJECT

public:
    enum class Answer {
        File,           ///< 200 with `body`
        NotFound,       ///< 404
        Silent,         ///< accepts the connection and never answers
        Trickle,        ///< 200, then one byte every 50 ms, for ever
        HugeDeclared,   ///< 200 with Content-Length 10 MiB and the 10 MiB
        HugeUndeclared, ///< 200 without a length: 10 MiB, then closes
    };

    static constexpr qint64 HugeSize = 10 * 1024 * 1024;

    VersionServer();
    bool listen();
    /// "127.0.0.1:port", for AppInfo::setMakerHost.
    QString host() const;
    /// A loopback port on which nothing listens (connections are refused).
    static quint16 closedPort();

    Answer answer = Answer::File;
    QByteArray body;

    /// Paths of the requests received, in order.
    QStringList paths;
    int connections = 0;

private:
    void serve(QTcpSocket *socket);
    void respond(QTcpSocket *socket);

    QTcpServer m_server;
};
