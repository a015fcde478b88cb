// The single-instance marker: a local socket named "NuboraEditor" in the
// user's runtime folder. The first copy listens on it; a later copy that
// reaches it knows a copy runs and asks that one to come to the front, or to
// open the data files it was given. One request a line: "front", or "open "
// and the path's bytes in base64.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace nubora {

inline constexpr char kInstanceName[] = "NuboraEditor";

class SingleInstance {
public:
    // `name` of the socket inside the user's runtime folder.
    explicit SingleInstance(const QString& name = QString::fromLatin1(kInstanceName));
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Full path of the socket.
    QString SocketPath() const { return path_; }

    // True when a running copy answers at the socket. A socket file left by a
    // copy that crashed does not answer.
    bool ConnectToRunningCopy();
    // Asks the copy reached by ConnectToRunningCopy to come to the front.
    void AskRunningCopyToFront();
    // Asks it to open each of `paths` (absolute), in order, then to come to
    // the front.
    void AskRunningCopyToOpen(const QStringList& paths);

    // Becomes the running copy: removes a stale socket and listens. False
    // when listening fails (the program then runs without the marker).
    bool Listen();
    bool IsListening() const;
    // Called on each request to come to the front.
    void SetFrontHandler(std::function<void()> handler) { frontHandler_ = std::move(handler); }
    // Called with the path of each request to open a file.
    void SetOpenHandler(std::function<void(const QString&)> handler) { openHandler_ = std::move(handler); }

private:
    void AcceptConnections();
    // Writes `requests` to the copy reached and hangs up.
    void SendToRunningCopy(const QByteArray& requests);
    // Handles the requests received so far, one after another.
    void HandlePending();
    void HandleRequest(const QByteArray& line);

    QString path_;
    std::unique_ptr<QLocalSocket> peer_;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> frontHandler_;
    std::function<void(const QString&)> openHandler_;
    std::deque<QByteArray> pending_;
    bool handlingPending_ = false;
};

}  // namespace nubora
