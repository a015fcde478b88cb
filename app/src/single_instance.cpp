#include "nubora/app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace nubora {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kWriteTimeoutMs = 1000;
const QByteArray kFrontRequest = QByteArrayLiteral("front\n");

}  // namespace

SingleInstance::SingleInstance(const QString& name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    path_ = QDir(folder).filePath(name);
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();  // removes the socket file
}

bool SingleInstance::ConnectToRunningCopy()
{
    peer_ = std::make_unique<QLocalSocket>();
    peer_->connectToServer(path_);
    if (peer_->waitForConnected(kConnectTimeoutMs))
        return true;
    peer_.reset();
    return false;
}

void SingleInstance::AskRunningCopyToFront()
{
    if (!peer_)
        return;
    if (peer_->state() == QLocalSocket::ConnectedState) {
        peer_->write(kFrontRequest);
        peer_->waitForBytesWritten(kWriteTimeoutMs);
        peer_->disconnectFromServer();
        if (peer_->state() != QLocalSocket::UnconnectedState)
            peer_->waitForDisconnected(kWriteTimeoutMs);
    }
    peer_.reset();
}

bool SingleInstance::Listen()
{
    // Nobody answered, so a socket file here is left over from a crash.
    QLocalServer::removeServer(path_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path_)) {
        server_.reset();
        return false;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] { AcceptConnections(); });
    return true;
}

bool SingleInstance::IsListening() const { return server_ && server_->isListening(); }

void SingleInstance::AcceptConnections()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == kFrontRequest && frontHandler_)
                    frontHandler_();
            }
        });
    }
}

}  // namespace nubora
