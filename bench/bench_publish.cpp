// The results server under phones while a download runs: the main window
// downloads from the simulator at 9600 baud (Device > Download data), first
// alone, then while 200 clients on loopback each poll /api/v1/results.json
// every 2 s; then as many answers as 50 clients can take back to back.
// Prints the download's ratio to the wire time both ways, the JSON answer's
// 50th and 99th percentile and the answers per second.
// `--serve SECONDS [PORT [FOLDER]]` instead downloads once and serves the
// pages on 127.0.0.1 (port 8080) for that long, to look at them in a browser,
// issued first and disqualifying the leader halfway so the page shows a
// correction;
// with FOLDER it also leaves there pictures of the scoreboard (1280x720,
// 640x360, the standings page) and of the dialog, and exports the web page
// (results.html) through the menu with the standings of a championship made
// up for it.

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <vector>

#include "bench/BenchApp.h"
#include "bench/SimulatorAt9600.h"
#include "commands/RaceCommands.h"
#include "device/DeviceLink.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "shell/DesktopDevice.h"
#include "shell/frmDesktop.h"
#include "store/ClubDatabase.h"
#include "store/IssueStore.h"
#include "ui/publish/Publishing.h"
#include "ui/publish/frmPublish.h"
#include "ui/publish/frmScoreboard.h"

using namespace orvex;

namespace {

// Latencies in microseconds, from every client thread.
struct Answers {
    std::mutex mutex;
    std::vector<qint64> micros;
    std::atomic<int> failures{0};
    void add(qint64 us) {
        std::lock_guard lock(mutex);
        micros.push_back(us);
    }
};

// One phone: asks for the JSON on a kept-alive connection, every `periodMs`
// (0: again as soon as the answer is in).
class Client : public QObject {
public:
    Client(quint16 port, int periodMs, int firstMs, Answers& answers)
        : port_(port), period_(periodMs), answers_(answers) {
        connect(&socket_, &QTcpSocket::readyRead, this, [this] { read(); });
        connect(&socket_, &QTcpSocket::disconnected, this, [this] { ++answers_.failures; });
        socket_.connectToHost(QHostAddress::LocalHost, port_);
        QTimer::singleShot(firstMs, this, [this] { ask(); });
    }

private:
    void ask() {
        if (socket_.state() != QAbstractSocket::ConnectedState) {
            QTimer::singleShot(100, this, [this] { ask(); });
            return;
        }
        buffer_.clear();
        clock_.start();
        socket_.write("GET /api/v1/results.json HTTP/1.1\r\nHost: bench\r\n\r\n");
    }
    void read() {
        buffer_ += socket_.readAll();
        const qsizetype end = buffer_.indexOf("\r\n\r\n");
        if (end < 0) return;
        const qsizetype at = buffer_.indexOf("Content-Length: ");
        if (at < 0 || at > end) return;
        const qint64 length =
            buffer_.mid(at + 16, buffer_.indexOf("\r\n", at) - at - 16).toLongLong();
        if (buffer_.size() - end - 4 < length) return;
        answers_.add(clock_.nsecsElapsed() / 1000);
        if (!buffer_.startsWith("HTTP/1.1 200")) ++answers_.failures;
        if (period_ == 0)
            ask();
        else
            QTimer::singleShot(period_, this, [this] { ask(); });
    }

    QTcpSocket socket_;
    quint16 port_;
    int period_;
    Answers& answers_;
    QByteArray buffer_;
    QElapsedTimer clock_;
};

// `count` clients on a thread of their own, as phones are other machines.
class Clients {
public:
    Clients(int count, quint16 port, int periodMs) {
        anchor_.moveToThread(&thread_);
        thread_.start();
        for (int i = 0; i < count; ++i)
            QMetaObject::invokeMethod(
                &anchor_,
                [this, port, periodMs, i, count] {
                    clients_.push_back(std::make_unique<Client>(
                        port, periodMs, periodMs ? periodMs * i / count : 0, answers));
                },
                Qt::QueuedConnection);
    }
    ~Clients() {
        QMetaObject::invokeMethod(
            &anchor_, [this] { clients_.clear(); }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }
    Answers answers;

private:
    QThread thread_;
    QObject anchor_;
    std::vector<std::unique_ptr<Client>> clients_;
};

double percentile(std::vector<qint64> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(p * double(v.size())))] / 1000.0;
}

// Answers every question at once, so the rounds run unattended.
class NoMessages : public MessageBox {
public:
    int show(const std::string&, int, const std::string&) override { return answer; }
    int answer = No;
};

// The save dialog, answered with one name.
class SaveAs : public FileDialog {
public:
    explicit SaveAs(std::string name) : name_(std::move(name)) {}
    bool showOpen(const FileDialogSettings&, std::string&) override { return false; }
    bool showSave(const FileDialogSettings&, std::string& chosen) override {
        asked = true;
        chosen = name_;
        return true;
    }
    bool asked = false;

private:
    std::string name_;
};

// Device > Download data, until it ends; seconds from the first block request
// to the end, as bench_app_download counts them. The session counts as
// unchanged, so no save question comes first.
double download(frmDesktop& desk) {
    session().FileState = FileState::New;
    QElapsedTimer clock;
    qint64 firstBlockNs = -1;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (firstBlockNs < 0 && desk.device().requests().pending() == DeviceCommand::ReadBlock)
            firstBlockNs = clock.nsecsElapsed();
    });
    watch.start();
    clock.start();
    desk.MenuDevice_Click(0);
    while (desk.device().requests().pending() != DeviceCommand::None ||
           desk.device().tick().downloading()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (clock.elapsed() > 60000) break;
    }
    return (clock.nsecsElapsed() - std::max<qint64>(0, firstBlockNs)) / 1e9;
}

void pause(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv) {
#ifndef ORVEX_DEVSIM
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "this bench needs the device simulator, which this platform lacks\n");
    return 1;
#else
    BenchApp app(argc, argv);
    NoMessages messages;
    Platform with = platform();
    with.messages = &messages;
    installPlatform(with);
    const bool serve = argc > 1 && QByteArray(argv[1]) == "--serve";
    session().ResetSession();
    session().FileState = FileState::New;
    frmDesktop desk;
    desk.Form_Load();
    desk.show();
    QProcess sim;
    if (!startSimulatorAt9600(sim, ORVEX_DEVSIM)) return 1;
    const double wire = kDownloadWireSeconds;

    if (serve) {
        const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
        const quint16 port = argc > 3 ? quint16(std::atoi(argv[3])) : 8080;
        session().SessionTrack = "Pista Sud";
        session().SessionDate = "07/12/2026";
        session().SessionTime = "14:30";
        session().SessionVehicle = "Rental kart 270cc";
        const char* names[] = {"Anna Rossi", "Marco Bianchi", "<b>x</b> & \"Co\"", "Giulia Verdi",
                               "Luca Ferrari-Esposito Lombardi Romano Ricci"};
        for (int d = 1; d <= 5; ++d) session().DriverNames[d] = names[d - 1];
        // Issued first, in a club database of its own, so the pages say
        // "Official (issue 1)" and the correction makes it "Changed".
        QTemporaryDir club;
        ClubDatabase database(club.path());
        IssueStore issues(database.connectionName());
        desk.setIssues(&issues);
        download(desk);
        messages.answer = MessageBox::Yes;
        desk.issueResults();
        messages.answer = MessageBox::No;
        std::printf("issue %d\n", session().Issue.issue);
        // A championship made up from this session, to look at its pages.
        PublishSources& sources = desk.publishing().sources();
        sources.championships = [] { return std::vector<std::string>{"Winter Cup"}; };
        sources.standings = [](const std::string& name) {
            Standings s;
            s.championship = name;
            s.roundTitles = {"30/11/2026 Pista Nord", "07/12/2026 Pista Sud"};
            const RaceResults r = makeResults(session());
            for (const DriverResult& d : r.rows) {
                const std::int64_t points = d.pos > 0 ? std::max(0, 26 - d.pos) : 0;
                s.rows.push_back({d.pos,
                                  d.name.empty() ? "No. " + std::to_string(d.driver) : d.name,
                                  points + 10,
                                  {10, points},
                                  {false, false},
                                  d.pos == 1 ? 1 : 0});
            }
            return std::optional<Standings>(s);
        };
        desk.publishing().setChampionship("Winter Cup");
        const QString error = desk.publishing().start(port, QHostAddress::LocalHost);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        frmScoreboard* board = desk.publishing().showScoreboard();
        if (argc > 4) {
            const QString folder = argv[4];
            board->resize(1280, 720);
            board->grab().save(folder + "/scoreboard.png");
            board->resize(640, 360);
            board->grab().save(folder + "/scoreboard-small.png");
            board->setChampionship("Winter Cup");
            board->resize(1280, 720);
            static qint64 now = 0;  // outlives this block: the board keeps the clock
            board->setClock([] { return now; });
            now = frmScoreboard::kPageMs;
            board->tick();
            board->grab().save(folder + "/scoreboard-standings.png");
            board->setChampionship({});
            frmPublish dialog(desk.publishing(), &desk);
            dialog.show();
            dialog.grab().save(folder + "/publish.png");
            // File > Export > Results web page, as a user does it: the
            // championship chosen in its question, the file named.
            SaveAs saveAs((folder + "/results.html").toStdString());
            Platform exporting = platform();
            exporting.fileDialogs = &saveAs;
            installPlatform(exporting);
            QTimer::singleShot(0, &desk, [] {
                if (auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
                    ask->setTextValue("Winter Cup");
                    ask->accept();
                }
            });
            for (QAction* a : desk.findChildren<QAction*>())
                if (a->text() == "Results &web page...") a->trigger();
            installPlatform(with);
            std::printf("exported %s\n", saveAs.asked ? "results.html" : "nothing");
        }
        // Halfway, a correction: the leader is disqualified, and the page follows.
        QTimer::singleShot(seconds * 500, &desk, [&desk] {
            const RaceResults r = makeResults(session());
            if (r.rows.empty()) return;
            desk.raceCommands().disqualify(r.rows.front().driver, true);
            std::printf("disqualified No. %d\n", r.rows.front().driver);
            std::fflush(stdout);
        });
        std::printf("serving http://127.0.0.1:%d/ for %d s\n", port, seconds);
        std::fflush(stdout);
        pause(seconds * 1000);
        return 0;
    }

    std::printf("download at 9600 baud, wire time %.2f s\n", wire);
    for (int round = 1; round <= 2; ++round) {
        const double s = download(desk);
        std::printf("  alone, round %d: %.3f s, %.3f x wire time\n", round, s, s / wire);
    }
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    const QString error = desk.publishing().start(port, QHostAddress::LocalHost);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    {
        Clients phones(200, port, 2000);
        pause(2500);  // every phone connected and polling
        for (int round = 1; round <= 2; ++round) {
            const double s = download(desk);
            std::printf(
                "  with 200 clients polling every 2 s, round %d: %.3f s, %.3f x wire time\n", round,
                s, s / wire);
        }
        std::lock_guard lock(phones.answers.mutex);
        std::printf("  their answers: %zu, JSON p50 %.2f ms, p99 %.2f ms, %d failed\n",
                    phones.answers.micros.size(), percentile(phones.answers.micros, 0.5),
                    percentile(phones.answers.micros, 0.99), phones.answers.failures.load());
    }
    {
        Clients busy(50, port, 0);
        pause(500);
        std::size_t before = 0;
        {
            std::lock_guard lock(busy.answers.mutex);
            before = busy.answers.micros.size();
        }
        QElapsedTimer t;
        t.start();
        pause(3000);
        std::lock_guard lock(busy.answers.mutex);
        const double rate = double(busy.answers.micros.size() - before) / (t.nsecsElapsed() / 1e9);
        std::printf("50 clients back to back: %.0f answers/s, JSON p50 %.2f ms, p99 %.2f ms\n",
                    rate, percentile(busy.answers.micros, 0.5),
                    percentile(busy.answers.micros, 0.99));
    }
    std::printf("requests served: %lld\n", desk.publishing().server().requestsServed());
    sim.terminate();
    sim.waitForFinished(5000);
    return 0;
#endif
}
