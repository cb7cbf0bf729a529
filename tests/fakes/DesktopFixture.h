#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMouseEvent>
#include <memory>

#include "fakes/FakePlatform.h"
#include "lists/frmLaps.h"
#include "lists/frmStat.h"
#include "session/Session.h"
#include "session/frmSession.h"

namespace orvex {

// What the main window does when the lap list changes.
class LapsWindowRefresher : public SessionViews {
public:
    void lapListChanged() override {
        if (frmLaps* f = frmLaps::instance()) {
            f->RemakeLista();
            f->RefreshDati();
        }
    }
};

// A new session in an offscreen MDI area, with every window closed again
// at the end.
class DesktopFixture : public ::testing::Test {
protected:
    FakePlatform fakes;
    std::unique_ptr<QMdiArea> area = std::make_unique<QMdiArea>();
    LapsWindowRefresher refresher;

    void SetUp() override {
        area->resize(1200, 900);
        area->show();
        Session& s = session();
        s.ResetSession();
        s.FileState = FileState::New;
        s.LapsWin.Left = s.StatWin.Left = s.SessionWin.Left = -1;
        s.views = &refresher;
        frmStat::SortMode = 0;
    }
    void TearDown() override {
        if (frmLaps::instance()) frmLaps::instance()->close();
        if (frmStat::instance()) frmStat::instance()->close();
        if (frmSession::instance()) frmSession::instance()->close();
        flush();
        area.reset();
        session().views = nullptr;
        frmStat::SortMode = 0;
    }
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static void key(QWidget* w, int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static void press(QWidget* w, int yPixels = 2) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(3, yPixels),
                      w->mapToGlobal(QPointF(3, yPixels)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static QString cellText(ListForm* f, int row, int column) {
        return f->lblList[(row - 1) * 2 + column]->text();
    }
    static QString lineText(ListForm* f, int line, int column) {
        QLabel probe;
        f->Item_Get(CellKind::Label, static_cast<std::int16_t>(column),
                    static_cast<std::int16_t>(line), &probe);
        return probe.text();
    }
};

}  // namespace orvex
