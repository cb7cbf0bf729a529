#include "ui/publish/Publishing.h"

#include <QDateTime>

#include "session/Session.h"
#include "ui/publish/frmScoreboard.h"

namespace orvex {

std::string generatedNow() {
    return QDateTime::currentDateTime().toString("yyyy-MM-ddTHH:mm:ss").toStdString();
}

Publishing::Publishing(QObject* parent) : QObject(parent) {}

Publishing::~Publishing() { closeAll(); }

PublishedSession Publishing::current() const {
    return publishedSession(session(), sources_.issueState ? sources_.issueState() : IssueState{});
}

std::vector<std::string> Publishing::championships() const {
    return sources_.championships ? sources_.championships() : std::vector<std::string>{};
}

std::optional<Standings> Publishing::standings(const std::string& championship) const {
    if (championship.empty() || !sources_.standings) return std::nullopt;
    return sources_.standings(championship);
}

void Publishing::setChampionship(const std::string& name) {
    championship_ = name;
    if (server_.running()) makePages();
}

QString Publishing::start(quint16 port, const QHostAddress& address) {
    makePages();
    return server_.start(port, address);
}

frmScoreboard* Publishing::showScoreboard() {
    if (!scoreboard_) {
        scoreboard_ = new frmScoreboard([this] { return current(); },
                                        [this](const std::string& name) { return standings(name); },
                                        [this] { return championships(); });
        scoreboard_->setAttribute(Qt::WA_DeleteOnClose);
        scoreboard_->restorePlace();
    }
    scoreboard_->show();
    scoreboard_->raise();
    scoreboard_->activateWindow();
    return scoreboard_;
}

frmScoreboard* Publishing::scoreboard() const { return scoreboard_; }

void Publishing::closeAll() {
    server_.stop();
    delete scoreboard_.data();
}

void Publishing::refresh() {
    if (scoreboard_) scoreboard_->refresh();
    // Pages are made only while someone can ask for them.
    if (server_.running()) makePages();
}

void Publishing::makePages() {
    const PublishedSession p = current();
    const std::optional<Standings> s = standings(championship_);
    const std::string now = generatedNow();
    auto pages = std::make_shared<PublishedPages>();
    auto bytes = [](const std::string& text) { return QByteArray::fromStdString(text); };
    pages->resultsPage = bytes(resultsPage(p, s.has_value()));
    pages->standingsPage = bytes(standingsPage(s));
    pages->resultsJson = bytes(resultsJson(p, now));
    pages->standingsJson = bytes(standingsJson(s, now));
    server_.setPages(std::move(pages));
}

}  // namespace orvex
