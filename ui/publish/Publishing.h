#pragma once
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "publish/Published.h"
#include "season/Season.h"
#include "ui/publish/ResultsServer.h"

namespace orvex {

class frmScoreboard;

// Where the shown results get what the season keeps. Each may stay empty:
// then the results are provisional and there is no championship.
struct PublishSources {
    std::function<IssueState()> issueState;
    std::function<std::vector<std::string>()> championships;
    std::function<std::optional<Standings>(const std::string& championship)> standings;
};

// The results shown outside the main window: the scoreboard, the network
// page and its server. The main window owns it and calls refresh() on every
// download, correction and open.
class Publishing : public QObject {
    Q_OBJECT

public:
    explicit Publishing(QObject* parent = nullptr);
    ~Publishing() override;

    PublishSources& sources() { return sources_; }
    PublishedSession current() const;
    std::vector<std::string> championships() const;
    std::optional<Standings> standings(const std::string& championship) const;

    // The network page's championship; empty: none.
    const std::string& championship() const { return championship_; }
    void setChampionship(const std::string& name);

    ResultsServer& server() { return server_; }
    // Starts the server on `port` with the current pages; empty or why not.
    QString start(quint16 port, const QHostAddress& address = QHostAddress::Any);
    void stop() { server_.stop(); }

    // View > Scoreboard: the one scoreboard window, opened or raised.
    frmScoreboard* showScoreboard();
    frmScoreboard* scoreboard() const;

    // The program ends: the server stops, the scoreboard closes.
    void closeAll();

    // The session changed: the scoreboard and the served pages follow.
    void refresh();

private:
    void makePages();

    PublishSources sources_;
    std::string championship_;
    ResultsServer server_;
    QPointer<frmScoreboard> scoreboard_;
};

// Local time in the JSON's form, "2026-12-07T14:31:05".
std::string generatedNow();

}  // namespace orvex
