#pragma once
#include <QMdiSubWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lists/ListHost.h"
#include "platform/qt/NormalGeometry.h"
#include "platform/qt/Twips.h"
#include "ui/lists/Elenco.h"

class QCheckBox;
class QFrame;
class QLabel;
class QMdiArea;
class QPushButton;
class QScrollBar;

namespace orvex {

struct WinState;

// Stores a child window's rectangle (pixels) into its record in twips; a
// window dragged beyond the 16-bit range is stored at the range's edge, and a
// field whose twips still place the window where it is keeps them.
void recordRect(const QRect& pixels, WinState& win);

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
    // How often the list was built: at the load and at each RemakeLista.
    int listBuilds() const { return listBuilds_; }
    void GetWinPosition();
    virtual void UnloadForm();

signals:
    // The window has closed, however that happened.
    void unloaded();

protected:
    virtual WinState& winState() = 0;
    // Loads the new window `f` and hands it back.
    template <class F>
    static F* load(F* f, const ListLayout& layout) {
        f->FormLoad(layout);
        return f;
    }
    // Load: styles the templates, configures and builds the list.
    void FormLoad(const ListLayout& layout);
    // The load steps around the engine's configuration, which `configure` sets.
    void loadList(const std::function<void(Elenco&)>& configure);
    virtual void cellPressed(QWidget* cell, double y);
    virtual void cmdList_Click(int) {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Elenco> Lista_;
    std::int16_t ButtonFocus = 0;
    std::int16_t ScrollFocus = 0;
    int listBuilds_ = 0;
    // The rectangle of the normal state, which a maximised or minimised
    // window returns to and the stored layout keeps.
    NormalGeometry normalGeometry_;
    // Where the window opened when its stored place was out of sight; while
    // it stands there the record keeps the stored place.
    std::optional<QRect> sightRect_;

    void picList1_KeyDown(int key);
    void scrollToSelection();
    void scrList_Change(int value);
    void Form_Activate();
    bool isCell(QObject* o) const;
};

}  // namespace orvex
