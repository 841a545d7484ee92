#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <cstdio>

#include <unistd.h>

namespace kyr {

namespace {

// A first copy still starting up may not listen yet; a later start keeps trying this long.
constexpr int HandOverMs = 5000;
constexpr int SocketWaitMs = 1000;
constexpr int RetryMs = 100;

// The user's number keeps the copies of different users on one machine apart.
QString Key(const QString &directory) {
    const QFileInfo info(directory);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = info.absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("kyr-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

} // namespace

TSingleInstance::TSingleInstance(const QString &directory, QObject *parent)
    : QObject(parent), FLockFileName(LockFileName(directory)), FServerName(ServerName(directory)) {}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::LockFileName(const QString &directory) {
    return QDir::tempPath() + QLatin1Char('/') + Key(directory) + QStringLiteral(".lock");
}

QString TSingleInstance::ServerName(const QString &directory) {
    return Key(directory);
}

TSingleInstance::TClaim TSingleInstance::Claim() {
    FLock = std::make_unique<QLockFile>(FLockFileName);
    // A copy may run for days: only an owner that is gone makes the lock stale, never its age.
    FLock->setStaleLockTime(0);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (FLock->tryLock(0)) {
            Listen();
            return TClaim::First;
        }
        if (FLock->error() != QLockFile::LockFailedError) {
            // No lock can be made here, so there is nobody to coordinate with either.
            std::fprintf(stderr, "KYR: cannot make the lock file %s; starting anyway\n",
                         qPrintable(FLockFileName));
            FLock.reset();
            return TClaim::First;
        }
        if (SendRaise())
            return TClaim::HandedOver;
        if (waited.elapsed() > HandOverMs)
            return TClaim::NoAnswer;
        QThread::msleep(RetryMs);
    }
}

void TSingleInstance::Listen() {
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, this copy owns the name; a socket left by a copy that died goes.
    QLocalServer::removeServer(FServerName);
    if (!FServer->listen(FServerName)) {
        std::fprintf(stderr, "KYR: later starts cannot reach this copy (%s)\n",
                     qPrintable(FServer->errorString()));
        return;
    }
    connect(FServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = FServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
                ReadRequest(socket);
                socket->deleteLater();
            });
            ReadRequest(socket);
        }
    });
}

void TSingleInstance::ReadRequest(QLocalSocket *socket) {
    while (socket->canReadLine())
        if (socket->readLine() == RaiseRequest) {
            std::fputs("KYR: another start on this program directory; this copy comes to the "
                       "front\n",
                       stderr);
            emit RaiseRequested();
        }
}

bool TSingleInstance::SendRaise() {
    QLocalSocket socket;
    socket.connectToServer(FServerName);
    if (!socket.waitForConnected(SocketWaitMs))
        return false;
    socket.write(RaiseRequest);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(SocketWaitMs))
            return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace kyr
