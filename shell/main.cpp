#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "archive/ArchiveIndex.h"
#include "clubdb/ClubDatabase.h"
#include "platform/DayClock.h"
#include "platform/EventPump.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/QtPlatform.h"
#include "session/Session.h"
#include "shell/ImageList1.h"
#include "shell/frmDesktop.h"
#include "shell/frmStart.h"

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();  // with --help-all
    QCommandLineOption version = parser.addVersionOption();
    CommandLine() {
        parser.setApplicationDescription(
            "The desktop companion program of the ORVEX lap-timing device.");
        parser.addPositionalArgument("file", "A data file (.DAT) to open after start-up.",
                                     "[file]");
    }
};

}  // namespace

// Start-up: splash for about three seconds, then the main window, then the
// data file named on the command line, if any.
int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("ORVEX");
    QCoreApplication::setApplicationVersion(ORVEX_VERSION);
    {
        // --help and --version print and end before anything needs a display.
        QCoreApplication console(argc, argv);
        CommandLine early;
        early.parser.parse(QCoreApplication::arguments());
        if (early.parser.isSet(early.help) || early.parser.isSet("help-all") ||
            early.parser.isSet(early.version))
            early.parser.process(console);
    }

    QApplication app(argc, argv);
    CommandLine commandLine;
    commandLine.parser.process(app);
    const QStringList files = commandLine.parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs("orvex: only one data file can be opened at a time.\n", stderr);
        return 1;
    }

    QApplication::setWindowIcon(orvex::ImageList1::icon(orvex::ImageList1::Logo));
    orvex::QtPlatform qtPlatform;
    const orvex::Platform& p = orvex::platform();

    auto* splash = new orvex::frmStart;
    splash->show();
    orvex::SplashWait(*p.dayClock, *p.events);

    orvex::session().AppPath = p.folder->path();
    orvex::frmDesktop desktop;
    // The roster is a help, never a condition: a database that cannot be
    // used is said in the status bar and the program goes on.
    orvex::ClubDatabase club(QString::fromStdString(p.folder->userDataPath()));
    desktop.setRoster(club.isOpen() ? &club : nullptr);
    orvex::ArchiveIndex archive(club.connectionName());
    desktop.setArchive(club.isOpen() ? &archive : nullptr);
    desktop.Form_Load();
    if (!club.notice().isEmpty()) desktop.showStatus(club.notice());
    desktop.show();
    splash->close();
    delete splash;

    // After the window shows: a new or set-aside club database gets back the
    // sessions of the download copies.
    QTimer::singleShot(0, &desktop, [&desktop] { desktop.rebuildArchiveIfEmpty(); });
    if (!files.isEmpty()) {
        const QString name = files.front();
        QTimer::singleShot(0, &desktop, [&desktop, name] { desktop.openDataFile(name); });
    }
    QObject::connect(&desktop, &orvex::frmDesktop::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
