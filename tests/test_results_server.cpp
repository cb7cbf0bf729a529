#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include "publish/Published.h"
#include "session/Session.h"
#include "ui/publish/ResultsServer.h"

using namespace orvex;

namespace {

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

PublishedSession crafted(const std::string& secondName) {
    std::vector<std::int32_t> t(kLapSlots + 1, 0);
    t[lapSlot(5, 1)] = 5832;
    t[lapSlot(2, 1)] = 6047;
    t[lapSlot(3, 1)] = 6100;
    PublishedSession p;
    p.present = true;
    p.track = "Pista Sud";
    p.results = makeResults(t, RaceCorrections{});
    p.results.rows[0].name = "Anna Rossi";
    p.results.rows[1].name = secondName;
    p.results.rows[2].name = "<b>x</b>";
    return p;
}

// The page is made from one session and the JSON from another, so a name only
// the JSON has proves that the page's own fetch ran.
std::shared_ptr<PublishedPages> pages() {
    auto pages = std::make_shared<PublishedPages>();
    pages->resultsPage = QByteArray::fromStdString(resultsPage(crafted("Before Fetch"), false));
    pages->resultsJson =
        QByteArray::fromStdString(resultsJson(crafted("After Fetch"), "2026-12-07T14:31:05"));
    return pages;
}

struct Server {
    explicit Server(ServerLimits limits = {}) : server(limits) {
        server.setPages(pages());
        port = freePort();
        error = server.start(port, QHostAddress::LocalHost);
    }
    ResultsServer server;
    quint16 port = 0;
    QString error;
};

// Sends `request` raw and returns the answer: until its Content-Length is in
// (all of its headers for HEAD), or the server closes.
QByteArray exchange(quint16 port, const QByteArray& request, bool head = false) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!s.waitForConnected(5000)) return "no connection";
    s.write(request);
    QByteArray answer;
    while (s.waitForReadyRead(5000)) {
        answer += s.readAll();
        const qsizetype end = answer.indexOf("\r\n\r\n");
        if (end < 0) continue;
        const QRegularExpression length("Content-Length: *(\\d+)",
                                        QRegularExpression::CaseInsensitiveOption);
        const auto m = length.match(QString::fromLatin1(answer.left(end)));
        if (head || (m.hasMatch() && answer.size() - end - 4 >= m.captured(1).toLongLong())) break;
    }
    return answer + s.readAll();
}

QByteArray get(quint16 port, const QByteArray& method, const QByteArray& path) {
    return exchange(port, method + " " + path + " HTTP/1.1\r\nHost: x\r\n\r\n", method == "HEAD");
}

}  // namespace

TEST(ResultsServer, AnswersItsPagesOnlyAndOnlyToGetAndHead) {
    Server s;
    ASSERT_TRUE(s.error.isEmpty()) << s.error.toStdString();
    const QByteArray page = get(s.port, "GET", "/");
    EXPECT_TRUE(page.startsWith("HTTP/1.1 200")) << page.left(200).toStdString();
    EXPECT_TRUE(page.contains("Anna Rossi"));
    EXPECT_TRUE(page.contains("&lt;b&gt;x&lt;/b&gt;"));
    const QByteArray json = get(s.port, "GET", "/api/v1/results.json");
    EXPECT_TRUE(json.contains("application/json"));
    EXPECT_TRUE(json.contains("\"After Fetch\""));
    const QByteArray head = get(s.port, "HEAD", "/api/v1/results.json");
    EXPECT_TRUE(head.startsWith("HTTP/1.1 200"));
    EXPECT_FALSE(head.contains("After Fetch"));
    EXPECT_TRUE(get(s.port, "POST", "/api/v1/results.json").startsWith("HTTP/1.1 405"));
    EXPECT_TRUE(get(s.port, "DELETE", "/").startsWith("HTTP/1.1 405"));
    for (const char* path : {"/../etc/passwd", "/api/v1/../v1/results.json", "/%2e%2e/x",
                             "/index.html", "/api/v1/results.json/", "/standings/x"})
        EXPECT_TRUE(get(s.port, "GET", path).startsWith("HTTP/1.1 404")) << path;
    EXPECT_GE(s.server.requestsServed(), 10);
}

TEST(ResultsServer, RefusesLongRequestsExtraConnectionsAndIdleSockets) {
    Server s({.connections = 2, .idleMs = 300, .requestBytes = 8192});
    ASSERT_TRUE(s.error.isEmpty());
    const QByteArray longRequest =
        "GET / HTTP/1.1\r\nHost: x\r\nX-Filler: " + QByteArray(9000, 'a') + "\r\n\r\n";
    EXPECT_TRUE(exchange(s.port, longRequest).startsWith("HTTP/1.1 413"));

    // Two silent clients hold both places; a third is told to come back.
    QTcpSocket a, b;
    for (QTcpSocket* c : {&a, &b}) {
        c->connectToHost(QHostAddress::LocalHost, s.port);
        ASSERT_TRUE(c->waitForConnected(5000));
    }
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, s.port);
    ASSERT_TRUE(probe.waitForConnected(5000));
    ASSERT_TRUE(probe.waitForReadyRead(5000));
    EXPECT_TRUE(probe.readAll().startsWith("HTTP/1.1 503"));
    // Silent, they are closed, and the places are free again.
    for (QTcpSocket* c : {&a, &b})
        if (c->state() != QAbstractSocket::UnconnectedState) {
            EXPECT_TRUE(c->waitForDisconnected(10000));
        }
    EXPECT_TRUE(get(s.port, "GET", "/").startsWith("HTTP/1.1 200"));
}

TEST(ResultsServer, ReservedOrTakenPortStartsNothing) {
    ResultsServer server;
    EXPECT_TRUE(server.start(80, QHostAddress::LocalHost).contains("1024"));
    EXPECT_FALSE(server.running());
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
    EXPECT_TRUE(server.start(other.serverPort(), QHostAddress::LocalHost).contains("in use"));
    EXPECT_FALSE(server.running());
    // Once the port is free it starts as asked.
    const quint16 port = other.serverPort();
    other.close();
    EXPECT_TRUE(server.start(port, QHostAddress::LocalHost).isEmpty());
    EXPECT_TRUE(server.running());
}

// The page in a real browser: its script fetches the JSON and shows names as text.
TEST(ResultsServer, PageInHeadlessChromium) {
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty()) GTEST_SKIP() << "chromium is not installed (tools/setup installs it)";
    Server s;
    ASSERT_TRUE(s.error.isEmpty());
    QProcess browser;
    browser.start(chromium,
                  {"--headless", "--no-sandbox", "--disable-gpu", "--dump-dom",
                   "--virtual-time-budget=6000", QString("http://127.0.0.1:%1/").arg(s.port)});
    ASSERT_TRUE(browser.waitForFinished(120000));
    const QByteArray dom = browser.readAllStandardOutput();
    EXPECT_TRUE(dom.contains("data-generated=\"2026-12-07T14:31:05\"")) << dom.toStdString();
    EXPECT_TRUE(dom.contains("After Fetch"));
    EXPECT_FALSE(dom.contains("Before Fetch"));
    EXPECT_TRUE(dom.contains("Anna Rossi"));
    EXPECT_TRUE(dom.contains("<td class=\"r pos\">1</td>"));
    EXPECT_TRUE(dom.contains("<td class=\"r pos\">3</td>"));
    EXPECT_TRUE(dom.contains("&lt;b&gt;x&lt;/b&gt;"));
    EXPECT_FALSE(dom.contains("<b>x</b>"));
}
