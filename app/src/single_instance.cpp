#include "nubora/app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QScopedValueRollback>
#include <QStandardPaths>

namespace nubora {
namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kWriteTimeoutMs = 1000;
const QByteArray kFrontRequest = QByteArrayLiteral("front\n");
const QByteArray kOpenRequest = QByteArrayLiteral("open ");

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

void SingleInstance::AskRunningCopyToFront() { SendToRunningCopy(kFrontRequest); }

void SingleInstance::AskRunningCopyToOpen(const QStringList& paths)
{
    QByteArray requests;
    for (const QString& path : paths)
        requests += kOpenRequest + QFile::encodeName(path).toBase64() + '\n';
    SendToRunningCopy(requests + kFrontRequest);
}

void SingleInstance::SendToRunningCopy(const QByteArray& requests)
{
    if (!peer_)
        return;
    if (peer_->state() == QLocalSocket::ConnectedState) {
        peer_->write(requests);
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
            while (socket->canReadLine())
                pending_.push_back(socket->readLine());
            // Handled from the event loop, after the socket's signal: a
            // handler may show a message box, whose loop would otherwise run
            // inside this signal and delete the socket read here.
            QMetaObject::invokeMethod(
                server_.get(), [this] { HandlePending(); }, Qt::QueuedConnection);
        });
    }
}

void SingleInstance::HandlePending()
{
    // One request at a time, in order: those that arrive while a handler's
    // message box is up wait for it to close.
    if (handlingPending_)
        return;
    const QScopedValueRollback<bool> handling(handlingPending_, true);
    while (!pending_.empty()) {
        const QByteArray line = pending_.front();
        pending_.pop_front();
        HandleRequest(line);
    }
}

void SingleInstance::HandleRequest(const QByteArray& line)
{
    if (line == kFrontRequest) {
        if (frontHandler_)
            frontHandler_();
    } else if (line.startsWith(kOpenRequest) && line.endsWith('\n')) {
        const QByteArray path = QByteArray::fromBase64(line.mid(kOpenRequest.size()).chopped(1));
        if (!path.isEmpty() && openHandler_)
            openHandler_(QFile::decodeName(path));
    }
}

}  // namespace nubora
