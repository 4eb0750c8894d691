#include "screens/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>

namespace orvane {

namespace {
constexpr int answerTimeoutMs = 1000;
const QByteArray activateMessage = "activate\n";
} // namespace

SingleInstance::SingleInstance(const QString& userName, const QString& prefixRoot, QObject* parent)
    : QObject(parent), key_(keyFor(userName, prefixRoot))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(activateMessage.trimmed()))
                    emit activationRequested();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QString SingleInstance::keyFor(const QString& userName, const QString& prefixRoot)
{
    const QByteArray prefixHash =
        QCryptographicHash::hash(QDir::cleanPath(prefixRoot).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QByteArray userHash = QCryptographicHash::hash(userName.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QStringLiteral("orvane-%1-%2").arg(QString::fromLatin1(userHash), QString::fromLatin1(prefixHash));
}

bool SingleInstance::askRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(answerTimeoutMs))
        return false;
    socket.write(activateMessage);
    socket.waitForBytesWritten(answerTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::start()
{
    // Two starts at the same moment must not both take over the socket: the check and the
    // take-over happen under a short lock (a lock of a dead process is stale and taken).
    QLockFile lock(QDir::temp().filePath(key_ + QStringLiteral(".lock")));
    lock.setStaleLockTime(0);
    lock.tryLock(5000);
    if (askRunningInstance())
        return false;
    QLocalServer::removeServer(key_); // a socket left by a crashed instance
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(key_) || !askRunningInstance();
}

} // namespace orvane
