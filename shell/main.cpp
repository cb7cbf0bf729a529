#include <QApplication>

#include "platform/DayClock.h"
#include "platform/EventPump.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/QtPlatform.h"
#include "session/Session.h"
#include "shell/ImageList1.h"
#include "shell/frmDesktop.h"
#include "shell/frmStart.h"

// Start-up: splash for about three seconds, then the main window.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ORVEX");
    QApplication::setWindowIcon(orvex::ImageList1::icon(orvex::ImageList1::Logo));
    orvex::QtPlatform qtPlatform;
    const orvex::Platform& p = orvex::platform();

    auto* splash = new orvex::frmStart;
    splash->show();
    orvex::SplashWait(*p.dayClock, *p.events);

    orvex::session().AppPath = p.folder->path();
    orvex::frmDesktop desktop;
    desktop.Form_Load();
    desktop.show();
    splash->close();
    delete splash;

    QObject::connect(&desktop, &orvex::frmDesktop::unloaded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    return QApplication::exec();
}
