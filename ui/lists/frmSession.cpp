#include "ui/lists/frmSession.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <algorithm>

#include "platform/FixedText.h"
#include "platform/Messages.h"
#include "platform/qt/NormalGeometry.h"
#include "platform/qt/QtCaptions.h"
#include "platform/qt/Twips.h"
#include "session/AnsiText.h"
#include "session/Session.h"
#include "ui/lists/ChildWindows.h"
#include "ui/lists/ListForm.h"

namespace orvex {

namespace {

struct FieldLayout {
    const char* caption;
    std::string Session::*field;
    int maxLength;  // 0: no limit
    bool multiLine;
    TwipsRect label;
    TwipsRect box;
};

const std::array<FieldLayout, frmSession::kFields> kLayout = {{
    {fixedText("Date :"),
     &Session::SessionDate,
     50,
     false,
     {180, 240, 735, 255},
     {720, 180, 1695, 285}},
    {fixedText("Time :"),
     &Session::SessionTime,
     50,
     false,
     {2580, 240, 795, 255},
     {3120, 180, 795, 285}},
    {fixedText("Track :"),
     &Session::SessionTrack,
     100,
     false,
     {180, 600, 735, 255},
     {1320, 540, 2595, 285}},
    {fixedText("Track Length :"),
     &Session::SessionLength,
     20,
     false,
     {180, 960, 1155, 255},
     {1320, 900, 2595, 285}},
    {fixedText("Vehicle :"),
     &Session::SessionVehicle,
     100,
     false,
     {180, 1320, 735, 255},
     {1320, 1260, 2595, 285}},
    {fixedText("Drivers :"),
     &Session::SessionDrivers,
     100,
     true,
     {180, 1620, 735, 255},
     {1320, 1620, 2595, 555}},
    // 32767: the longest text a data file can store.
    {fixedText("Note :"),
     &Session::SessionNote,
     32767,
     true,
     {180, 2220, 735, 255},
     {1320, 2220, 2595, 2115}},
}};

constexpr int kTrackLength = 3;
// The client area as designed: the boxes with a margin right and below.
constexpr int kClientWidth = 4095;
constexpr int kClientHeight = 4515;

}  // namespace

frmSession* frmSession::Load(QMdiArea* area) {
    auto* f = new frmSession(area);
    f->Form_Load();
    return f;
}

frmSession::frmSession(QMdiArea* area) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fixedText("Session Data"));
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
            connect(box, &QPlainTextEdit::textChanged, this, [this, i] { txtSession_Change(i); });
            txtSession[i] = box;
        } else {
            auto* box = new QLineEdit(SSPanel1);
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

QString frmSession::boxText(int index) const {
    if (auto* line = qobject_cast<QLineEdit*>(txtSession[index])) return line->text();
    return static_cast<QPlainTextEdit*>(txtSession[index])->toPlainText();
}

void frmSession::fillBox(int index, const QString& shown) {
    filling_ = true;
    if (auto* line = qobject_cast<QLineEdit*>(txtSession[index])) {
        line->setText(shown);
        // A text longer than the box shows its start, as it reads.
        line->setCursorPosition(0);
    } else
        static_cast<QPlainTextEdit*>(txtSession[index])->setPlainText(shown);
    filling_ = false;
}

std::string frmSession::stored(int index, const QString& shown) const {
    if (shown == shownAsGiven_[index]) return given_[index];
    // Stored texts break lines with CR LF, as the data files do; the boxes
    // with LF alone. An edited text whose breaks were lone LFs keeps them
    // so, so that an edit does not double its stored length.
    const std::string& given = given_[index];
    const bool loneLF =
        given.find('\n') != std::string::npos && given.find("\r\n") == std::string::npos;
    return QString(shown).replace("\n", loneLF ? "\n" : "\r\n").toStdString();
}

std::string frmSession::text(int index) const { return stored(index, boxText(index)); }

// A text from the session is shown whole, however long: the limits are for
// what the user types.
void frmSession::setText(int index, const std::string& value) {
    given_[index] = value;
    fillBox(index, QString::fromStdString(value).replace("\r\n", "\n"));
    shownAsGiven_[index] = accepted_[index] = boxText(index);
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
    fitCaptions(this);
    // A place stored under a larger main window opens inside this one.
    if (const QRect seen = inSight(geometry(), mdiArea()); seen != geometry()) {
        setGeometry(seen);
        sightRect_ = geometry();
    }
    for (int i = 0; i < kFields; ++i) setText(i, s.*kLayout[i].field);
}

void frmSession::txtSession_Change(int index) {
    if (filling_) return;
    const QString now = boxText(index);
    // Counted as the data file stores it: one byte a character. An edit
    // past the limit is refused unless it shortens the text.
    const auto length = [&](const QString& shown) { return toAnsi(stored(index, shown)).size(); };
    const std::size_t limit = static_cast<std::size_t>(kLayout[index].maxLength);
    if (length(now) > limit && length(now) > length(accepted_[index])) {
        const QString before = accepted_[index];
        auto* line = qobject_cast<QLineEdit*>(txtSession[index]);
        auto* box = qobject_cast<QPlainTextEdit*>(txtSession[index]);
        const int cursor = line ? line->cursorPosition() : box->textCursor().position();
        const int at = std::clamp(cursor - static_cast<int>(now.size() - before.size()), 0,
                                  static_cast<int>(before.size()));
        fillBox(index, before);
        if (line) {
            line->setCursorPosition(at);
        } else {
            QTextCursor c = box->textCursor();
            c.setPosition(at);
            box->setTextCursor(c);
        }
        return;
    }
    accepted_[index] = now;
    if (index != kTrackLength) return;
    trapErrors([&] {
        Session& s = session();
        s.ChangeField(s.SessionLength, text(kTrackLength));
        emit trackLengthChanged();
    });
}

void frmSession::GetWinPosition() {
    if (isMinimized() || isMaximized()) return;
    // Moved only to be seen, it is where the file put it: no change to save.
    if (sightRect_ && geometry() == *sightRect_) return;
    recordRect(geometry(), session().SessionWin);
}

void frmSession::GetData() {
    Session& s = session();
    for (int i = 0; i < kFields; ++i) s.ChangeField(s.*kLayout[i].field, text(i));
}

void frmSession::UnloadForm() {
    GetWinPosition();
    GetData();
    session().SessionWin.Open = 0;
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
