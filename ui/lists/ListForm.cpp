#include "ui/lists/ListForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include "lists/ListGeometry.h"
#include "platform/EventPump.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/ScreenInfo.h"
#include "session/Session.h"
#include "ui/lists/ChildWindows.h"

namespace orvex {

namespace {

// The default width of a vertical scroll bar, in twips.
constexpr int kScrollBarWidth = 255;

template <class W>
W* makeTemplate(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setProperty("Index", 0);
    w->hide();
    return w;
}

void setColours(QWidget* w, const QColor& back, const QColor& text) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace

// A field keeps its twips while the window stands on the pixel they place it
// on: a place stored at another resolution, or between two pixels (the first
// place of the session data window is 10 twips), is no move, and must not make
// the save question ask about a file nobody touched.
void recordRect(const QRect& pixels, WinState& win) {
    const auto take = [](std::int16_t& field, int pixel, int (*toPixels)(int),
                         int (*toTwips)(int)) {
        if (toPixels(field) != pixel) field = clampInt16(toTwips(pixel));
    };
    take(win.Left, pixels.x(), twipsToPixelsX, pixelsToTwipsX);
    take(win.Top, pixels.y(), twipsToPixelsY, pixelsToTwipsY);
    take(win.Width, pixels.width(), twipsToPixelsX, pixelsToTwipsX);
    take(win.Height, pixels.height(), twipsToPixelsY, pixelsToTwipsY);
}

ListForm::ListForm(QMdiArea* area) {
    setAttribute(Qt::WA_DeleteOnClose);
    client = new QWidget;
    client->setFont(listFont(client->font()));
    setWidget(client);

    sspList[0] = new QFrame(client);
    sspList[0]->setFrameStyle(QFrame::Panel | QFrame::Raised);
    sspList[1] = new QFrame(sspList[0]);
    sspList[1]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    for (QFrame* panel : sspList) panel->setObjectName("sspList");
    cmdList = {makeTemplate<QPushButton>(sspList[0], "cmdList")};
    cmdList[0]->show();
    lblTitle = {makeTemplate<QLabel>(sspList[1], "lblTitle")};
    picList1 = new QFrame(sspList[1]);
    picList1->setObjectName("picList1");
    picList1->setFocusPolicy(Qt::StrongFocus);
    scrList = makeTemplate<QScrollBar>(picList1, "scrList");
    scrList->setOrientation(Qt::Vertical);
    // A click gives the bar the keyboard, so the arrow keys and Escape work on it.
    scrList->setFocusPolicy(Qt::StrongFocus);
    scrList->resize(twipsToPixelsX(kScrollBarWidth), scrList->height());
    chkList = {makeTemplate<QCheckBox>(picList1, "chkList")};
    picList = {makeTemplate<QLabel>(picList1, "picList")};
    lblList = {makeTemplate<QLabel>(picList1, "lblList")};

    picList1->installEventFilter(this);
    scrList->installEventFilter(this);
    adoptCell(cmdList[0], 0);
    connect(scrList, &QScrollBar::valueChanged, this, &ListForm::scrList_Change);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                if ((now & Qt::WindowActive) && !(before & Qt::WindowActive)) Form_Activate();
            });
    area->addSubWindow(this);
}

ListForm::~ListForm() = default;

TwipsRect ListForm::windowRect() const { return geometryTwips(this); }

// The client size follows from the frame's margins, so that it stays right
// while the window is shorter than its frame and Qt clamps the client at 0.
int ListForm::clientWidth() const {
    const QMargins m = contentsMargins();
    return pixelsToTwipsX(width() - m.left() - m.right());
}

int ListForm::clientHeight() const {
    const QMargins m = contentsMargins();
    return pixelsToTwipsY(height() - m.top() - m.bottom());
}

void ListForm::moveWindow(int left, int top, int width, int height) {
    moveTwips(this, left, top, width, height);
}

void ListForm::adoptCell(QWidget* cell, int index) {
    cell->setProperty("Index", index);
    cell->installEventFilter(this);
    if (auto* check = qobject_cast<QCheckBox*>(cell)) {
        connect(check, &QCheckBox::stateChanged, this, [this, check] {
            trapErrors([&] {
                Lista().ListModify(check);
                picList1->setFocus();
            });
        });
    } else if (auto* button = qobject_cast<QPushButton*>(cell)) {
        connect(button, &QPushButton::clicked, this,
                [this, index] { trapErrors([&] { cmdList_Click(index); }); });
    }
}

void ListForm::FormLoad(const ListLayout& layout) {
    setWindowTitle(QString::fromStdString(layout.caption));
    loadList([&](Elenco& e) {
        WinState& win = winState();
        if (win.Left == -1) {
            win.Left = layout.defaultLeft;
            win.Top = 10;
            win.Width = 3300;
            win.Height = 6800;
        }
        e.FormLeft = win.Left;
        e.FormTop = win.Top;
        e.FormWidth = win.Width;
        e.FormHeight = win.Height;
        e.FormMaxWidth = 0;
        e.Border = 100;
        if (!layout.buttons.empty()) {
            e.ButHeight = 350;
            e.ButWidth = 1400;
            e.ButText = layout.buttons;
        }
        e.ColumnWidth = {700, 2000, 1200, 1};
        e.Titles = layout.titles;
        e.Checks = 0;
        e.Pictures = 0;
        e.Labels = 2;
        e.LineHeight = 250;
    });
}

void ListForm::loadList(const std::function<void(Elenco&)>& configure) {
    platform().pointer->set(MousePointer::Hourglass);
    lblList[0]->clear();
    chkList[0]->setText(QString());
    cmdList[0]->setText(QString());
    winState().Open = -1;

    lblList[0]->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblList[0]->setLineWidth(1);
    lblList[0]->setAlignment(Qt::AlignCenter);
    setColours(lblList[0], Qt::white, Qt::black);
    picList[0]->setFrameStyle(QFrame::NoFrame);
    picList1->setFrameStyle(QFrame::NoFrame);
    lblTitle[0]->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblTitle[0]->setAlignment(Qt::AlignCenter);

    try {
        Lista_ = std::make_unique<Elenco>();
        Elenco& e = *Lista_;
        e.Create(*this);
        configure(e);
        // The frame's size is known only once the window is on screen.
        moveWindow(e.FormLeft, e.FormTop, e.FormWidth, e.FormHeight);
        show();
        e.FormMake();
        e.ListMake();
        ++listBuilds_;
        e.ListRefresh();
        // A place stored under a larger main window opens inside this one;
        // the resize lays the list out again as a user's would.
        if (const QRect seen = inSight(geometry(), mdiArea()); seen != geometry()) {
            setGeometry(seen);
            sightRect_ = geometry();
        }
    } catch (...) {
        // A window that failed to load is not left half-made on screen.
        winState().Open = 0;
        hide();
        deleteLater();
        throw;
    }
    platform().pointer->set(MousePointer::Normal);
}

void ListForm::Line_Select(std::int16_t Line) { Lista().ListSelect(Line); }

void ListForm::RemakeLista() {
    Lista().ListMake();
    ++listBuilds_;
}

void ListForm::GetWinPosition() {
    const auto now = normalGeometry_.of(*this);
    if (!now) return;
    // Moved only to be seen, it is where the file put it: no change to save.
    if (sightRect_ && *now == *sightRect_) return;
    recordRect(*now, winState());
}

void ListForm::UnloadForm() {
    GetWinPosition();
    winState().Open = 0;
    emit unloaded();
}

void ListForm::cellPressed(QWidget* cell, double y) {
    Lista().ListSelect(cell, y);
    picList1->setFocus();
}

bool ListForm::isCell(QObject* o) const {
    const QString name = o->objectName();
    return (name == "lblList" || name == "picList" || name == "chkList") &&
           o->property("Index").toInt() > 0;
}

bool ListForm::eventFilter(QObject* watched, QEvent* event) {
    if (!Lista_) return QMdiSubWindow::eventFilter(watched, event);
    bool handled = false;
    trapErrors([&] {
        const QString name = watched->objectName();
        switch (event->type()) {
            case QEvent::KeyPress: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (watched == picList1) {
                    picList1_KeyDown(key);
                    handled = key == Qt::Key_Escape || key == Qt::Key_Up || key == Qt::Key_Down ||
                              key == Qt::Key_Space;
                } else if ((watched == scrList || name == "cmdList") && key == Qt::Key_Escape) {
                    close();
                    handled = true;
                }
                break;
            }
            case QEvent::FocusIn:
                if (watched == scrList) ScrollFocus = 1;
                if (name == "chkList" && ButtonFocus == 0) {
                    ButtonFocus = 1;
                    picList1->setFocus();
                }
                break;
            case QEvent::FocusOut:
                if (watched == scrList) ScrollFocus = 0;
                if (name == "cmdList") ButtonFocus = 0;
                break;
            case QEvent::MouseButtonPress: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (!isCell(watched) || mouse->button() != Qt::LeftButton) break;
                auto* cell = static_cast<QWidget*>(watched);
                const double y = pixelsToTwipsY(mouse->position().toPoint().y());
                if (name == "chkList") {
                    Lista().ListSelect(cell, y);
                } else {
                    cellPressed(cell, y);
                    handled = true;
                }
                break;
            }
            case QEvent::MouseButtonDblClick:
                // The line is taken, as for Enter; nothing acts on it here.
                if (isCell(watched)) Lista().ListLineNumber(static_cast<QWidget*>(watched));
                break;
            default:
                break;
        }
    });
    return handled || QMdiSubWindow::eventFilter(watched, event);
}

void ListForm::picList1_KeyDown(int key) {
    Elenco& e = Lista();
    switch (key) {
        case Qt::Key_Escape:
            close();
            break;
        case Qt::Key_Up:
            if (e.ItemSelect > 1) {
                e.ListSelect(e.ItemSelect - 1);
                scrollToSelection();
            }
            break;
        case Qt::Key_Down:
            if (e.ItemSelect < Line_Count()) {
                e.ListSelect(e.ItemSelect + 1);
                scrollToSelection();
            }
            break;
        case Qt::Key_Space:
            if (e.Checks > 0 && e.LineSelect >= 1 &&
                e.LineSelect < static_cast<int>(chkList.size())) {
                QCheckBox* check = chkList[e.LineSelect];
                if (check->checkState() == Qt::Unchecked)
                    check->setCheckState(Qt::Checked);
                else if (check->checkState() == Qt::Checked)
                    check->setCheckState(Qt::Unchecked);
            }
            break;
        default:
            break;
    }
}

// The line a key moved to comes into view, also when the selection had been
// scrolled far away: moving the bar scrolls the list.
void ListForm::scrollToSelection() {
    const Elenco& e = Lista();
    if (e.ItemSelect < e.FirstLine)
        scrList->setValue(e.ItemSelect - 1);
    else if (e.ItemSelect > e.FirstLine + e.Lines - 1)
        scrList->setValue(e.ItemSelect - e.Lines);
}

void ListForm::scrList_Change(int value) {
    if (!Lista_) return;
    trapErrors([&] {
        Lista().ListScroll(toInt16(value));
        if (ScrollFocus) scrList->setFocus();
    });
}

void ListForm::Form_Activate() {
    QPointer<ListForm> self(this);
    platform().events->processEvents();
    platform().events->processEvents();
    if (self && Lista_ && !Lista_->ButText.empty()) cmdList[0]->setFocus();
}

void ListForm::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    normalGeometry_.follow(*this);
}

void ListForm::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    normalGeometry_.follow(*this);
    if (!Lista_ || Lista_->FormLoad == 0) return;
    const Elenco& e = *Lista_;
    const TwipsRect r = windowRect();
    if (r == TwipsRect{e.FormLeft, e.FormTop, e.FormWidth, e.FormHeight}) return;
    trapErrors([&] {
        Lista().FormRedim();
        Lista().ListMake(true);
    });
}

void ListForm::closeEvent(QCloseEvent* event) {
    trapErrors([&] { UnloadForm(); });
    QMdiSubWindow::closeEvent(event);
}

}  // namespace orvex
