#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "platform/DayClock.h"
#include "platform/EventPump.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/InstallLayout.h"
#include "platform/qt/QtPlatform.h"
#include "session/Session.h"
#include "shell/ImageList1.h"
#include "shell/frmDesktop.h"
#include "shell/frmStart.h"
#include "store/ArchiveIndex.h"
#include "store/ChampionshipStore.h"
#include "store/ClubDatabase.h"
#include "store/IssueStore.h"

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();  // with --help-all
    QCommandLineOption version = parser.addVersionOption();
    CommandLine() {
        parser.setApplicationDescription(QCoreApplication::translate(
            "main", "The desktop companion program of the ORVEX lap-timing device."));
        parser.addPositionalArgument(
            "file",
            QCoreApplication::translate("main", "A data file (.DAT) to open after start-up."),
            "[file]");
    }
};

// A bad option: the parser's complaint and the usage, then exit code 1.
[[noreturn]] void badOption(const QCommandLineParser& parser) {
    std::fprintf(stderr, "orvex: %s\n\n%s", qPrintable(parser.errorText()),
                 qPrintable(parser.helpText()));
    std::exit(1);
}

// Whether Qt can show windows: a platform that draws off screen (offscreen,
// minimal, vnc, linuxfb, ...) or a display server to reach. Without one, Qt
// aborts with an advice to reinstall.
bool displayAvailable(const QStringList& arguments) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    const qsizetype at = arguments.indexOf("-platform");
    if (at >= 0 && at + 1 < arguments.size()) platforms = arguments[at + 1];
    for (const QString& p : platforms.split(';', Qt::SkipEmptyParts)) {
        const QString name = p.section(':', 0, 0);
        if (name != "xcb" && !name.startsWith("wayland")) return true;
    }
    return false;
#else
    Q_UNUSED(arguments);
    return true;
#endif
}

}  // namespace

// Start-up: splash for about three seconds, then the main window, then the
// data file named on the command line, if any.
int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("ORVEX");
    QCoreApplication::setApplicationVersion(ORVEX_VERSION);
    {
        // --help, --version and a bad option print and end before anything
        // needs a display. Qt's own options (-platform, -style, ...) are
        // known only once QApplication has taken them out.
        QCoreApplication console(argc, argv);
        CommandLine early;
        const bool parsed = early.parser.parse(QCoreApplication::arguments());
        if (early.parser.isSet(early.help) || early.parser.isSet("help-all") ||
            early.parser.isSet(early.version))
            early.parser.process(console);
        if (!displayAvailable(QCoreApplication::arguments())) {
            if (!parsed) badOption(early.parser);
            std::fputs(qPrintable(QCoreApplication::translate(
                           "main",
                           "orvex needs a graphical display (DISPLAY or WAYLAND_DISPLAY is not "
                           "set).\n")),
                       stderr);
            return 1;
        }
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(ORVEX_APP_ID);
    // The catalogue of the user's language, where there is one; the design's
    // own texts are in none and stay as they are.
    QTranslator translator;
    const QString installed = orvex::installedDataFolder();
    if (translator.load(
            QLocale(), "orvex", "_",
            QDir(installed.isEmpty() ? QCoreApplication::applicationDirPath() : installed)
                .filePath("translations")))
        QCoreApplication::installTranslator(&translator);
    CommandLine commandLine;
    if (!commandLine.parser.parse(QCoreApplication::arguments())) badOption(commandLine.parser);
    if (commandLine.parser.isSet(commandLine.help) || commandLine.parser.isSet("help-all") ||
        commandLine.parser.isSet(commandLine.version))
        commandLine.parser.process(app);
    const QStringList files = commandLine.parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs(qPrintable(QCoreApplication::translate(
                       "main", "orvex: only one data file can be opened at a time.\n")),
                   stderr);
        return 1;
    }

    QApplication::setWindowIcon(orvex::ImageList1::icon(orvex::ImageList1::Logo));
    orvex::QtPlatform qtPlatform;
    const orvex::Platform& p = orvex::platform();

    auto* splash = new orvex::frmStart;
    splash->show();
    orvex::SplashWait(*p.dayClock, *p.events);

    orvex::session().AppPath = p.folder->path();
    // The roster is a help, never a condition: a database that cannot be
    // used is said in the status bar and the program goes on. It outlives the
    // main window, whose end stops any scan still writing to it.
    orvex::ClubDatabase club(QString::fromStdString(p.folder->userDataPath()));
    orvex::ArchiveIndex archive(club.connectionName());
    orvex::IssueStore issues(club.connectionName());
    orvex::ChampionshipStore championships(club.connectionName());
    orvex::StoredRounds issuedRounds(club.connectionName());
    orvex::frmDesktop desktop;
    desktop.setRoster(club.isOpen() ? &club : nullptr);
    // A newer program's archive may have another layout, and is not written.
    desktop.setArchive(club.isOpen() && !club.isReadOnly() ? &archive : nullptr);
    desktop.setIssues(club.isOpen() && !club.isReadOnly() ? &issues : nullptr);
    desktop.setChampionships(club.isOpen() && !club.isReadOnly() ? &championships : nullptr);
    desktop.setIssuedRounds(&issuedRounds);
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
