#include "session/frmSession.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>

#include "lists/ListForm.h"
#include "lists/ListGeometry.h"
#include "lists/frmLaps.h"
#include "lists/frmStat.h"
#include "platform/Messages.h"
#include "platform/Twips.h"
#include "session/AnsiText.h"
#include "session/Session.h"

namespace orvex {

namespace {

frmSession* gOpen = nullptr;

struct FieldLayout {
    const char* caption;
    std::string Session::*field;
    int maxLength;  // 0: no limit
    bool multiLine;
    TwipsRect label;
    TwipsRect box;
};

const std::array<FieldLayout, frmSession::kFields> kLayout = {{
    {"Date :", &Session::SessionDate, 50, false, {180, 240, 735, 255}, {720, 180, 1695, 285}},
    {"Time :", &Session::SessionTime, 50, false, {2580, 240, 795, 255}, {3120, 180, 795, 285}},
    {"Track :", &Session::SessionTrack, 100, false, {180, 600, 735, 255}, {1320, 540, 2595, 285}},
    {"Track Length :",
     &Session::SessionLength,
     20,
     false,
     {180, 960, 1155, 255},
     {1320, 900, 2595, 285}},
    {"Vehicle :",
     &Session::SessionVehicle,
     100,
     false,
     {180, 1320, 735, 255},
     {1320, 1260, 2595, 285}},
    {"Drivers :",
     &Session::SessionDrivers,
     100,
     true,
     {180, 1620, 735, 255},
     {1320, 1620, 2595, 555}},
    // 32767: the longest text a data file can store.
    {"Note :", &Session::SessionNote, 32767, true, {180, 2220, 735, 255}, {1320, 2220, 2595, 2115}},
}};

constexpr int kTrackLength = 3;
// The client area as designed: the boxes with a margin right and below.
constexpr int kClientWidth = 4095;
constexpr int kClientHeight = 4515;

// Stored texts break lines with CR LF, as the data files do; the edit boxes
// break them with LF alone.
QString toBox(const std::string& stored) {
    return QString::fromStdString(stored).replace("\r\n", "\n");
}
std::string fromBox(QString shown) { return shown.replace("\n", "\r\n").toStdString(); }

}  // namespace

frmSession* frmSession::Show(QMdiArea* area) {
    if (!gOpen) {
        auto* f = new frmSession(area);
        f->Form_Load();
        gOpen = f;
    }
    gOpen->show();
    return gOpen;
}

frmSession* frmSession::instance() { return gOpen; }

frmSession::frmSession(QMdiArea* area) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Session Data");
    auto* client = new QWidget;
    client->setFont(listFont(client->font()));
    setWidget(client);
    SSPanel1 = new QFrame(client);
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);

    for (int i = 0; i < kFields; ++i) {
        const FieldLayout& f = kLayout[i];
        Label1[i] = new QLabel(f.caption, SSPanel1);
        moveTwips(Label1[i], f.label.left, f.label.top, f.label.width, f.label.height);
    }
    for (int i = 0; i < kFields; ++i) {
        const FieldLayout& f = kLayout[i];
        if (f.multiLine) {
            auto* box = new QPlainTextEdit(SSPanel1);
            box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            box->setTabChangesFocus(true);
            if (f.maxLength > 0) {
                // The box refuses an edit that would make the stored text too long.
                connect(box, &QPlainTextEdit::textChanged, this, [box, max = f.maxLength] {
                    const QString now = box->toPlainText();
                    const QString before = box->property("accepted").toString();
                    // Counted as the data file stores it: one byte a character.
                    if (static_cast<int>(toAnsi(fromBox(now)).size()) <= max) {
                        box->setProperty("accepted", now);
                        return;
                    }
                    const int at = std::min<int>(box->textCursor().position(), before.size());
                    box->setPlainText(before);
                    QTextCursor c = box->textCursor();
                    c.setPosition(std::max(0, at - static_cast<int>(now.size() - before.size())));
                    box->setTextCursor(c);
                });
            }
            txtSession[i] = box;
        } else {
            auto* box = new QLineEdit(SSPanel1);
            box->setMaxLength(f.maxLength);
            connect(box, &QLineEdit::textChanged, this, [this, i] { txtSession_Change(i); });
            txtSession[i] = box;
        }
        txtSession[i]->setObjectName("txtSession");
        txtSession[i]->setProperty("Index", i);
        txtSession[i]->installEventFilter(this);
        moveTwips(txtSession[i], f.box.left, f.box.top, f.box.width, f.box.height);
        if (i > 0) setTabOrder(txtSession[i - 1], txtSession[i]);
    }
    area->addSubWindow(this);
}

frmSession::~frmSession() {
    if (gOpen == this) gOpen = nullptr;
}

std::string frmSession::text(int index) const {
    if (auto* line = qobject_cast<QLineEdit*>(txtSession[index])) return line->text().toStdString();
    return fromBox(static_cast<QPlainTextEdit*>(txtSession[index])->toPlainText());
}

void frmSession::setText(int index, const std::string& value) {
    if (auto* line = qobject_cast<QLineEdit*>(txtSession[index])) {
        line->setText(QString::fromStdString(value));
        return;
    }
    auto* box = static_cast<QPlainTextEdit*>(txtSession[index]);
    box->setProperty("accepted", toBox(value));
    box->setPlainText(toBox(value));
}

void frmSession::Form_Load() {
    Session& s = session();
    s.SessionWin.Open = -1;
    if (s.SessionWin.Left == -1) {
        s.SessionWin.Left = 10;
        s.SessionWin.Top = 10;
    }
    // Only the position is restored; the size is the designed one, which
    // depends on the frame, known once the window is on screen.
    show();
    if (layout()) layout()->activate();
    const int frameWidth = width() - widget()->width();
    const int frameHeight = height() - widget()->height();
    setGeometry(twipsToPixelsX(s.SessionWin.Left), twipsToPixelsY(s.SessionWin.Top),
                twipsToPixelsX(kClientWidth) + frameWidth,
                twipsToPixelsY(kClientHeight) + frameHeight);
    SSPanel1->setGeometry(0, 0, twipsToPixelsX(kClientWidth), twipsToPixelsY(kClientHeight));
    for (int i = 0; i < kFields; ++i) setText(i, s.*kLayout[i].field);
}

void frmSession::txtSession_Change(int index) {
    if (index != kTrackLength) return;
    trapErrors([&] {
        Session& s = session();
        s.ChangeField(s.SessionLength, text(kTrackLength));
        if (s.LapsWin.isOpen() && frmLaps::instance()) frmLaps::instance()->RefreshDati();
        if (s.StatWin.isOpen() && frmStat::instance()) frmStat::instance()->RefreshData();
    });
}

void frmSession::GetWinPosition() {
    if (isMinimized() || isMaximized()) return;
    const TwipsRect r = geometryTwips(this);
    WinState& win = session().SessionWin;
    win.Left = toInt16(r.left);
    win.Top = toInt16(r.top);
    win.Width = toInt16(r.width);
    win.Height = toInt16(r.height);
}

void frmSession::GetData() {
    Session& s = session();
    for (int i = 0; i < kFields; ++i) s.ChangeField(s.*kLayout[i].field, text(i));
}

void frmSession::UnloadForm() {
    GetWinPosition();
    GetData();
    session().SessionWin.Open = 0;
    if (gOpen == this) gOpen = nullptr;
    emit unloaded();
}

bool frmSession::eventFilter(QObject* watched, QEvent* event) {
    if (watched->objectName() == "txtSession" && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void frmSession::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMdiSubWindow::keyPressEvent(event);
}

void frmSession::closeEvent(QCloseEvent* event) {
    trapErrors([&] { UnloadForm(); });
    QMdiSubWindow::closeEvent(event);
}

}  // namespace orvex
