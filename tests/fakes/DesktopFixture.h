#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMouseEvent>
#include <memory>

#include "fakes/FakePlatform.h"
#include "session/Session.h"
#include "ui/lists/ChildWindows.h"
#include "ui/lists/frmLaps.h"
#include "ui/lists/frmSession.h"
#include "ui/lists/frmStat.h"

namespace orvex {

// A new session in an offscreen MDI area with child windows of its own.
class DesktopFixture : public ::testing::Test, public SessionViews {
protected:
    FakePlatform fakes;
    std::unique_ptr<QMdiArea> area = std::make_unique<QMdiArea>();
    ChildWindows windows{area.get()};

    void lapListChanged() override { windows.refreshLists(ListChange::LapList); }
    void SetUp() override {
        area->resize(1200, 900);
        area->show();
        Session& s = session();
        s.ResetSession();
        s.FileState = FileState::New;
        s.LapsWin.Left = s.StatWin.Left = s.SessionWin.Left = -1;
        s.views = this;
    }
    void TearDown() override {
        for (QWidget* w :
             std::initializer_list<QWidget*>{windows.laps(), windows.stat(), windows.sessionData()})
            if (w) w->close();
        flush();
        session().views = nullptr;
    }
    static void flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static void key(QWidget* w, int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static void press(QWidget* w) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(3, 2), w->mapToGlobal(QPointF(3, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static QString cellText(ListForm* f, int row, int column) {
        return f->lblList[(row - 1) * 2 + column]->text();
    }
};

}  // namespace orvex
