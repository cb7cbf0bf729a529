#include "ui/publish/ResultsServer.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <limits>

namespace orvex {

namespace {

using Status = QHttpServerResponder::StatusCode;

// Qt HTTP Server 6.4 takes every connection and every byte it is sent: the
// limits live here, in the listening socket it is bound to. Each connection is
// counted while it lives, closed when idle, and refused once its request grows
// past the limit (the bytes since the last answer, so a kept-alive phone that
// polls for hours is never refused).
class ConnectionGate : public QTcpServer {
public:
    ConnectionGate(const ServerLimits& limits, QObject* parent)
        : QTcpServer(parent), limits_(limits) {}

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        if (open_ >= limits_.connections) {
            refuse(socket, "503 Service Unavailable", "Too many connections: try again shortly.\n");
            return;
        }
        ++open_;
        // An answer is written in pieces (status, headers, body): sent at once,
        // no piece waits for the client's acknowledgement of the one before.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QObject::destroyed, this, [this] { --open_; });
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, [socket] { socket->abort(); });
        idle->start(limits_.idleMs);
        auto pending = std::make_shared<qint64>(0);
        // Connected before the server's own handler, so it sees the bytes first.
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, idle, pending] {
            if (*pending < 0) {
                socket->readAll();
                return;
            }
            idle->start(limits_.idleMs);
            *pending += socket->bytesAvailable();
            if (*pending > limits_.requestBytes) {
                *pending = -1;
                socket->readAll();  // the server's handler then finds nothing to parse
                refuse(socket, "413 Payload Too Large", "The request is too large.\n");
            }
        });
        connect(socket, &QTcpSocket::bytesWritten, socket, [this, idle, pending] {
            idle->start(limits_.idleMs);
            if (*pending > 0) *pending = 0;
        });
        addPendingConnection(socket);
    }

private:
    // Answers a connection the server never sees, and closes it.
    static void refuse(QTcpSocket* socket, const QByteArray& status, const QByteArray& text) {
        socket->write("HTTP/1.1 " + status +
                      "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                      QByteArray::number(text.size()) + "\r\nConnection: close\r\n\r\n" + text);
        socket->disconnectFromHost();
        if (socket->state() == QAbstractSocket::UnconnectedState)
            socket->deleteLater();
        else
            connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        // A client that reads nothing must not keep it.
        QTimer::singleShot(5000, socket, [socket] { socket->abort(); });
    }

    ServerLimits limits_;
    int open_ = 0;
};

}  // namespace

// Lives on the server's thread with the HTTP server and its listening socket.
class ServerWorker : public QObject {
public:
    explicit ServerWorker(ResultsServer& owner) : owner_(owner) {}

    QString listen(const QHostAddress& address, quint16 port, const ServerLimits& limits) {
        auto* gate = new ConnectionGate(limits, this);
        if (!gate->listen(address, port)) {
            const bool inUse = gate->serverError() == QAbstractSocket::AddressInUseError;
            const QString why = gate->errorString();
            delete gate;
            if (inUse)
                return ResultsServer::tr(
                           "Port %1 is in use by another program. Choose another "
                           "port.")
                    .arg(port);
            return ResultsServer::tr("The results cannot be published on port %1: %2")
                .arg(port)
                .arg(why);
        }
        http_ = new QHttpServer(this);
        route("/", &PublishedPages::resultsPage, "text/html; charset=utf-8");
        route("/standings", &PublishedPages::standingsPage, "text/html; charset=utf-8");
        route("/api/v1/results.json", &PublishedPages::resultsJson,
              "application/json; charset=utf-8");
        route("/api/v1/standings.json", &PublishedPages::standingsJson,
              "application/json; charset=utf-8");
        http_->setMissingHandler([this](const QHttpServerRequest&, QHttpServerResponder&& r) {
            ++owner_.served_;
            r.write(QByteArray("Not found.\n"), {{"Content-Type", "text/plain; charset=utf-8"}},
                    Status::NotFound);
        });
        http_->bind(gate);
        return {};
    }

private:
    void route(const char* path, QByteArray PublishedPages::*member, const char* type) {
        http_->route(path, [this, member, type](const QHttpServerRequest& request,
                                                QHttpServerResponder&& r) {
            ++owner_.served_;
            const auto method = request.method();
            if (method != QHttpServerRequest::Method::Get &&
                method != QHttpServerRequest::Method::Head) {
                r.write(QByteArray("Only GET and HEAD are answered.\n"),
                        {{"Content-Type", "text/plain; charset=utf-8"}, {"Allow", "GET, HEAD"}},
                        Status::MethodNotAllowed);
                return;
            }
            const auto pages = owner_.pages();
            const QByteArray body = pages ? (*pages).*member : QByteArray();
            if (method == QHttpServerRequest::Method::Head) {
                r.writeStatusLine(Status::Ok);
                r.writeHeaders({{"Content-Type", type},
                                {"Cache-Control", "no-store"},
                                {"Content-Length", QByteArray::number(body.size())}});
                r.writeBody(QByteArray());
                return;
            }
            r.write(body, {{"Content-Type", type}, {"Cache-Control", "no-store"}});
        });
    }

    ResultsServer& owner_;
    QHttpServer* http_ = nullptr;
};

ResultsServer::ResultsServer(ServerLimits limits, QObject* parent)
    : QObject(parent), limits_(limits) {
    thread_.setObjectName("ResultsServer");
}

ResultsServer::~ResultsServer() { stop(); }

QString ResultsServer::start(quint16 port, const QHostAddress& address) {
    if (worker_) return {};
    if (port < 1024)
        return tr("Choose a port from 1024 to 65535: the ports below 1024 belong to the system.");
    thread_.start();
    auto* worker = new ServerWorker(*this);
    worker->moveToThread(&thread_);
    QString error;
    QMetaObject::invokeMethod(
        worker, [&] { error = worker->listen(address, port, limits_); },
        Qt::BlockingQueuedConnection);
    if (!error.isEmpty()) {
        QMetaObject::invokeMethod(
            worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
        return error;
    }
    worker_ = worker;
    port_ = port;
    served_ = 0;
    return {};
}

void ResultsServer::stop() {
    if (!worker_) return;
    QMetaObject::invokeMethod(
        worker_, [w = worker_] { delete w; }, Qt::BlockingQueuedConnection);
    worker_ = nullptr;
    thread_.quit();
    thread_.wait();
}

void ResultsServer::setPages(std::shared_ptr<const PublishedPages> pages) {
    std::lock_guard lock(mutex_);
    pages_ = std::move(pages);
}

std::shared_ptr<const PublishedPages> ResultsServer::pages() const {
    std::lock_guard lock(mutex_);
    return pages_;
}

}  // namespace orvex
