#pragma once
#include <QFont>
#include <QMdiSubWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lists/Elenco.h"
#include "lists/ListHost.h"
#include "platform/Twips.h"

class QCheckBox;
class QFrame;
class QLabel;
class QMdiArea;
class QPushButton;
class QScrollBar;

namespace orvex {

struct WinState;

// `font` at the size the list windows and the session data window use.
QFont listFont(QFont font);

// What differs between the list windows; everything else they share.
struct ListLayout {
    std::string caption;
    std::int16_t defaultLeft = 0;
    std::vector<std::string> titles;
    std::vector<std::string> buttons;
};

// An MDI child window that hosts a list engine: the template widgets the
// engine copies, and the mouse, keyboard, scroll bar, focus, resize and close
// handling every list window shares.
class ListForm : public QMdiSubWindow, public ListHost {
    Q_OBJECT
public:
    explicit ListForm(QMdiArea* area);
    ~ListForm() override;

    // The widget arrays; element 0 of each is the template the engine copies.
    QWidget* client = nullptr;
    std::array<QFrame*, 2> sspList{};
    std::vector<QPushButton*> cmdList;
    std::vector<QLabel*> lblTitle;
    QFrame* picList1 = nullptr;
    QScrollBar* scrList = nullptr;
    std::vector<QCheckBox*> chkList;
    std::vector<QLabel*> picList;
    std::vector<QLabel*> lblList;

    Elenco& Lista() { return *Lista_; }

    // Window geometry as the engine sees it, in twips.
    TwipsRect windowRect() const;
    int clientWidth() const;
    int clientHeight() const;
    void moveWindow(int left, int top, int width, int height);
    // The engine hands every cell it creates to the window, which hears its events.
    void adoptCell(QWidget* cell, int index);

    void Line_Select(std::int16_t Line);
    void RemakeLista();
    void GetWinPosition();
    virtual void UnloadForm();

protected:
    virtual WinState& winState() = 0;
    // Loads a window of kind F unless `open`, the one window of that kind, exists.
    template <class F>
    static F* showOnce(F*& open, QMdiArea* area, const ListLayout& layout) {
        if (!open) {
            auto* f = new F(area);
            f->FormLoad(layout);
            open = f;
        }
        open->show();
        return open;
    }
    // Load: styles the templates, configures and builds the list.
    void FormLoad(const ListLayout& layout);
    // The load steps around the engine's configuration, which `configure` sets.
    void loadList(const std::function<void(Elenco&)>& configure);
    virtual void cellPressed(QWidget* cell, double y);
    virtual void cmdList_Click(int) {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Elenco> Lista_;
    std::int16_t ButtonFocus = 0;
    std::int16_t ScrollFocus = 0;

    void picList1_KeyDown(int key);
    void scrList_Change(int value);
    void Form_Activate();
    bool isCell(QObject* o) const;
};

}  // namespace orvex
