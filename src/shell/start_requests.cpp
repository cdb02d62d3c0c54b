#include "shell/start_requests.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kWaitMs = 1000;
// A request is two short texts; anything longer is not one of ours.
constexpr qint64 kMaxRequest = 8192;

}  // namespace

QString clStartRequests::ChannelName() {
    const QByteArray user = qgetenv("USER");
    return QStringLiteral("qarvel-") + QString::fromLocal8Bit(user.isEmpty() ? "user" : user);
}

bool clStartRequests::Listen(const QString& name, clHandler handler) {
    onRequest = std::move(handler);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        // A copy that crashed leaves its socket behind: take it over when
        // nobody answers on it.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(kWaitMs)) return false;
        QLocalServer::removeServer(name);
        if (!server->listen(name)) return false;
    }
    connect(server, &QLocalServer::newConnection, this, [this] { Receive(); });
    return true;
}

void clStartRequests::Receive() {
    while (QLocalSocket* client = server->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, client, [this, client] {
            if (client->bytesAvailable() > kMaxRequest) {
                client->abort();
                return;
            }
            QDataStream in(client);
            in.startTransaction();
            QString game, file;
            in >> game >> file;
            if (!in.commitTransaction()) return;  // wait for the rest
            client->disconnectFromServer();
            if (onRequest) onRequest(game.toStdString(), file.toStdString());
        });
    }
}

bool clStartRequests::Send(const QString& name, const std::string& game, const std::string& file) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kWaitMs)) return false;
    QDataStream out(&socket);
    // A relative file name means the sender's folder.
    const QString path =
        file.empty() ? QString() : QDir::current().absoluteFilePath(QString::fromStdString(file));
    out << QString::fromStdString(game) << path;
    socket.flush();
    return socket.waitForBytesWritten(kWaitMs) || socket.bytesToWrite() == 0;
}
