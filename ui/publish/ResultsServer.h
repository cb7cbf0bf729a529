#pragma once
#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>
#include <mutex>

namespace orvex {

// What one answer may cost the server. Phones poll with one connection each;
// past the limit a client is told to come back later.
struct ServerLimits {
    int connections = 256;
    int idleMs = 15000;          // a socket that sends nothing this long is closed
    qint64 requestBytes = 8192;  // a longer request is refused (413)
};

// The answers of the server, made on the GUI thread whenever the session
// changes and swapped whole, so a request only copies bytes.
struct PublishedPages {
    QByteArray resultsPage, standingsPage, resultsJson, standingsJson;
};

class ServerWorker;

// The read-only results server: Qt HTTP Server on a thread of its own, so that
// no client can slow the download, the windows or a save. Off until started.
class ResultsServer : public QObject {
    Q_OBJECT

public:
    explicit ResultsServer(ServerLimits limits = {}, QObject* parent = nullptr);
    ~ResultsServer() override;

    // Listens on `port`; empty on success, else why nothing listens (a port
    // below 1024, a port in use). A failure leaves nothing started.
    QString start(quint16 port, const QHostAddress& address = QHostAddress::Any);
    void stop();
    bool running() const { return worker_ != nullptr; }
    quint16 port() const { return port_; }

    void setPages(std::shared_ptr<const PublishedPages> pages);
    std::shared_ptr<const PublishedPages> pages() const;
    // Answers given since the start, errors included.
    qint64 requestsServed() const { return served_.load(); }

private:
    friend class ServerWorker;

    ServerLimits limits_;
    QThread thread_;
    ServerWorker* worker_ = nullptr;
    quint16 port_ = 0;
    mutable std::mutex mutex_;
    std::shared_ptr<const PublishedPages> pages_;
    std::atomic<qint64> served_{0};
};

}  // namespace orvex
