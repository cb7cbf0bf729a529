#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QTime>

#include "platform/DayClock.h"
#include "platform/EventPump.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "platform/ProgramFolder.h"
#include "platform/Regional.h"
#include "platform/ScreenInfo.h"
#include "platform/Texts.h"
#include "platform/TickClock.h"
#include "platform/qt/InstallLayout.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtHelpWindow.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtSerialPort.h"

namespace orvex {

namespace {

class QtTickClock : public TickClock {
public:
    QtTickClock() { timer_.start(); }
    std::uint32_t ticks() override { return static_cast<std::uint32_t>(timer_.elapsed()); }

private:
    QElapsedTimer timer_;
};

class QtEventPump : public EventPump {
public:
    void processEvents() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Wait loops call this in a tight loop; a short pause keeps them from
        // holding a whole core while staying well under a byte time at 9600 baud.
        QThread::usleep(300);
    }
};

class QtDayClock : public DayClock {
public:
    double secondsSinceMidnight() override {
        return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    }
    CalendarDate today() override {
        const QDate d = QDate::currentDate();
        return {d.year(), d.month(), d.day()};
    }
    LocalTime now() override {
        const QDateTime t = QDateTime::currentDateTime();
        const QDate d = t.date();
        return {
            {d.year(), d.month(), d.day()}, t.time().hour(), t.time().minute(), t.time().second()};
    }
};

class QtMessageBox : public MessageBox {
public:
    int show(const std::string& text, int flags, const std::string& title) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QString::fromStdString(title));
        box.setText(QString::fromStdString(text));
        switch (flags & 0x70) {
            case Critical:
                box.setIcon(QMessageBox::Critical);
                break;
            case Question:
                box.setIcon(QMessageBox::Question);
                break;
            case Exclamation:
                box.setIcon(QMessageBox::Warning);
                break;
            case Information:
                box.setIcon(QMessageBox::Information);
                break;
            default:
                break;
        }
        QList<QMessageBox::StandardButton> buttons;
        switch (flags & 0x7) {
            case OkCancel:
                buttons = {QMessageBox::Ok, QMessageBox::Cancel};
                break;
            case YesNoCancel:
                buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
                break;
            case YesNo:
                buttons = {QMessageBox::Yes, QMessageBox::No};
                break;
            default:
                buttons = {QMessageBox::Ok};
                break;
        }
        for (auto b : buttons) box.addButton(b);
        const int defaultIndex = (flags & 0x300) >> 8;
        if (defaultIndex < buttons.size()) box.setDefaultButton(buttons[defaultIndex]);
        if (buttons.contains(QMessageBox::Cancel)) box.setEscapeButton(QMessageBox::Cancel);
        // A busy pointer must not hide the question from the user.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const int r = box.exec();
        QApplication::restoreOverrideCursor();
        switch (r) {
            case QMessageBox::Yes:
                return Yes;
            case QMessageBox::No:
                return No;
            case QMessageBox::Cancel:
                return Cancel;
            default:
                return buttons.contains(QMessageBox::Ok) ? Ok : Cancel;
        }
    }
};

class QtMousePointer : public MousePointer {
public:
    void set(Shape shape) override {
        if (shape == current_) return;
        if (current_ == Hourglass) QApplication::restoreOverrideCursor();
        if (shape == Hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
        current_ = shape;
    }
    Shape current() const override { return current_; }

private:
    Shape current_ = Normal;
};

class QtScreenInfo : public ScreenInfo {
public:
    int widthTwips() const override { return size().width() * twipsPerPixelX(); }
    int heightTwips() const override { return size().height() * twipsPerPixelY(); }
    int twipsPerPixelX() const override { return perPixel(); }
    int twipsPerPixelY() const override { return perPixel(); }

private:
    static QSize size() {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? s->size() : QSize(1024, 768);
    }
    static int perPixel() {
        QScreen* s = QGuiApplication::primaryScreen();
        const double dpi = s ? s->logicalDotsPerInch() : 96.0;
        const int tpp = dpi > 0 ? static_cast<int>(1440.0 / dpi + 0.5) : 15;
        return tpp > 0 ? tpp : 15;
    }
};

class QtHelpViewer : public HelpViewer {
public:
    bool showContents(const std::string& helpFile) override {
        const QString path = QString::fromStdString(helpFile);
        if (!QFileInfo(path).isReadable()) return false;
        if (!window_) window_ = std::make_unique<QtHelpWindow>();
        return window_->showFile(path);
    }

private:
    std::unique_ptr<QtHelpWindow> window_;
};

class QtRegional : public Regional {
public:
    std::string decimalSeparator() const override { return QLocale().decimalPoint().toStdString(); }
    std::string monthName(int month) const override {
        return QLocale().standaloneMonthName(month, QLocale::LongFormat).toStdString();
    }
};

class QtProgramFolder : public ProgramFolder {
public:
    QtProgramFolder() {
        // An installed program keeps its settings and new sessions in the
        // user's data folder, even where it could write beside its executable
        // (as root): files there would outlive the package's removal.
        QString dir = QCoreApplication::applicationDirPath();
        if (!QFileInfo(dir).isWritable() || !installedDataFolder().isEmpty()) {
            dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            QDir().mkpath(dir);
        }
        path_ = QDir::toNativeSeparators(QDir::cleanPath(dir)).toStdString();
    }
    std::string path() const override { return path_; }
    std::string userDataPath() const override {
        return QDir::toNativeSeparators(QDir::cleanPath(QStandardPaths::writableLocation(
                                            QStandardPaths::AppDataLocation)))
            .toStdString();
    }
    char separator() const override { return QDir::separator().toLatin1(); }

private:
    std::string path_;
};

}  // namespace

struct QtPlatform::Impl {
    QtTickClock ticks;
    QtEventPump events;
    QtDayClock dayClock;
    QtMessageBox messages;
    QtMousePointer pointer;
    QtScreenInfo screen;
    QtHelpViewer help;
    QtRegional regional;
    QtProgramFolder folder;
    QtSerialPort serial;
    QtPrinter printer;
    QtFileSystem files;
    QtFileDialog fileDialogs;
};

QtPlatform::QtPlatform() : impl_(std::make_unique<Impl>()) {
    platform_.ticks = &impl_->ticks;
    platform_.events = &impl_->events;
    platform_.dayClock = &impl_->dayClock;
    platform_.messages = &impl_->messages;
    platform_.pointer = &impl_->pointer;
    platform_.screen = &impl_->screen;
    platform_.help = &impl_->help;
    platform_.regional = &impl_->regional;
    platform_.folder = &impl_->folder;
    platform_.serial = &impl_->serial;
    platform_.printer = &impl_->printer;
    platform_.files = &impl_->files;
    platform_.fileDialogs = &impl_->fileDialogs;
    installPlatform(platform_);
    installTranslator([](const char* context, const char* text) {
        return QCoreApplication::translate(context, text).toStdString();
    });
}

QtPlatform::~QtPlatform() {
    installTranslator(nullptr);
    installPlatform(Platform{});
}

}  // namespace orvex
