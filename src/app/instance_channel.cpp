// The hand-over's local socket. One connection carries one request: the
// path, percent-encoded UTF-8 (a file name may hold a line feed), and a line
// feed; the running copy answers "ok" and a line feed once it has taken it.
#include "instance_channel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <QUrl>

#include "single_instance.h"

namespace {

constexpr qint64 kMaxRequest = 64 * 1024;  // far beyond any path; more is not a request
constexpr char kAnswer[] = "ok\n";

}  // namespace

InstanceListener::InstanceListener(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Receive(socket); });
            Receive(socket);  // the request may have arrived with the connection
        }
    });
}

bool InstanceListener::Listen(const QString& socketPath) {
    if (server_.listen(socketPath)) return true;
    if (server_.serverError() != QAbstractSocket::AddressInUseError) return false;
    QLocalServer::removeServer(socketPath);
    return server_.listen(socketPath);
}

void InstanceListener::Receive(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequest) socket->abort();
        return;
    }
    QByteArray line = socket->readLine(kMaxRequest);
    line.chop(1);
    socket->write(kAnswer);
    socket->flush();
    if (!line.isEmpty()) emit fileRequested(QUrl::fromPercentEncoding(line));
}

QString InstanceSocketPath(const QString& folder) {
    return folder + QLatin1Char('/') + QLatin1String(kSingleInstanceName) +
           QLatin1String(".socket");
}

bool HandOverFile(const QString& socketPath, const QString& filePath, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(50);
    }
    socket.write(QUrl::toPercentEncoding(filePath) + '\n');
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    return socket.readLine() == kAnswer;
}
