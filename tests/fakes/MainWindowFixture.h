#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "fakes/FakePlatform.h"
#include "session/Session.h"
#include "shell/frmDesktop.h"

namespace orvex {

// The main window on the fakes; the session is cleared again at the end.
class MainWindowFixture : public ::testing::Test {
protected:
    FakePlatform fakes;
    std::unique_ptr<frmDesktop> desk;

    void SetUp() override {
        session() = Session{};
        session().AppPath = "/orvex";
    }
    void TearDown() override {
        desk.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        session() = Session{};
    }
    void load(bool show = true) {
        desk = std::make_unique<frmDesktop>();
        desk->Form_Load();
        if (show) desk->show();
    }
};

}  // namespace orvex
