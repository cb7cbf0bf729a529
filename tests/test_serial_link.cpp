#include <gtest/gtest.h>

#include "device/SerialLink.h"
#include "fakes/FakePlatform.h"

using namespace orvex;

namespace {

Bytes run(std::size_t count, std::uint8_t first = 0x30) {
    Bytes b;
    for (std::size_t i = 0; i < count; ++i) b.push_back(static_cast<std::uint8_t>(first + i));
    return b;
}

struct LinkTest : ::testing::Test {
    FakePlatform fakes;
    FakeSerialPort& port = fakes.serial;
    void SetUp() override { port.setPortOpen(true); }
    std::uint32_t since(std::uint32_t start) const { return fakes.ticks.now - start; }
};

}  // namespace

using PortReceive = LinkTest;

TEST_F(PortReceive, ShortAnswerGivesEmptyResultAfterOneSecond) {
    port.device = [](const Bytes&) { return run(12); };
    Port_Send(bytesOf({0x48, 0x02, 0x34, 0x41}));
    const std::uint32_t start = fakes.ticks.now;
    EXPECT_TRUE(Port_Receive(13).empty());
    EXPECT_GE(since(start), 1000u);
    EXPECT_LT(since(start), 1010u);
}

TEST_F(PortReceive, ReturnsExactlyTheCountAndLeavesSurplusUntilTheNextSend) {
    port.device = [](const Bytes&) { return run(15); };
    Port_Send(bytesOf({0x01}));
    EXPECT_EQ(Port_Receive(13), run(13));
    EXPECT_EQ(port.inBufferCount(), 2);

    port.device = [](const Bytes&) { return run(13, 0x61); };
    Port_Send(bytesOf({0x02}));
    EXPECT_EQ(Port_Receive(13), run(13, 0x61));
}

TEST_F(PortReceive, CollectsAReplyInPiecesLettingEventsRun) {
    port.arrive(run(5), 100);
    port.arrive(run(5, 0x35), 900);
    EXPECT_EQ(Port_Receive(10), run(10));
    EXPECT_GT(fakes.events.calls, 100);
}

TEST_F(PortReceive, FailsWhenThePortClosesMidWaitEvenWithBytesIn) {
    port.arrive(run(4), 10);
    fakes.events.hooks.push_back([&] {
        if (fakes.ticks.now > 100) port.setPortOpen(false);
    });
    EXPECT_TRUE(Port_Receive(13).empty());
    EXPECT_LT(fakes.ticks.now, 200u);
}

TEST_F(PortReceive, OneSecondStillHoldsWhenTheTickCounterWraps) {
    for (std::uint32_t start : {0xFFFFFF00u, 0x7FFFFF00u}) {
        fakes.ticks.now = start;
        port.arrive(run(3), 700);
        EXPECT_EQ(Port_Receive(3), run(3)) << std::hex << start;

        fakes.ticks.now = start;
        EXPECT_TRUE(Port_Receive(3).empty());
        EXPECT_GE(since(start), 1000u) << std::hex << start;
        EXPECT_LT(since(start), 1010u) << std::hex << start;
    }
}

using PortSend = LinkTest;

TEST_F(PortSend, DiscardsStaleInputBeforeWriting) {
    port.arrive(run(7));
    port.setInputLen(3);
    Port_Send(bytesOf({0x01}));
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_EQ(port.inputLen(), 0);
    EXPECT_EQ(port.written, std::vector<Bytes>{bytesOf({0x01})});
}

TEST_F(PortSend, WaitsForTheOutputToDrainButNoLongerThanOneSecondOrTheClosing) {
    port.drainMs = 300;
    std::uint32_t start = fakes.ticks.now;
    Port_Send(run(6));
    EXPECT_GE(since(start), 300u);
    EXPECT_LT(since(start), 310u);
    EXPECT_GT(fakes.events.calls, 0);

    port.drainMs = 5000;
    start = fakes.ticks.now;
    Port_Send(run(6));
    EXPECT_GE(since(start), 1000u);
    EXPECT_LT(since(start), 1010u);

    start = fakes.ticks.now;
    fakes.events.hooks.push_back([&] { port.setPortOpen(false); });  // stops on closing
    Port_Send(run(6));
    EXPECT_LT(since(start), 10u);
}

using PortSendExpect = LinkTest;

TEST_F(PortSendExpect, TrueOnTheExpectedReplyWithoutLettingEventsRun) {
    port.device = [](const Bytes&) { return bytesOf({0x52, 0x06, 0x35, 0x38}); };
    EXPECT_TRUE(Port_SendExpect(run(7), bytesOf({0x52, 0x06, 0x35, 0x38})));
    EXPECT_EQ(fakes.events.calls, 0);
}

TEST_F(PortSendExpect, WrongContentOfTheRightLengthKeepsWaitingUntilTheDeadline) {
    port.device = [](const Bytes&) { return bytesOf({0x52, 0x06, 0x35, 0x39}); };
    const std::uint32_t start = fakes.ticks.now;
    EXPECT_FALSE(Port_SendExpect(run(7), bytesOf({0x52, 0x06, 0x35, 0x38})));
    EXPECT_GE(since(start), 1000u);
    EXPECT_LT(since(start), 1010u);
}

TEST_F(PortSendExpect, TheRightReplyAfterAWrongOneStillCounts) {
    port.arrive(bytesOf({0x00, 0x00, 0x00, 0x00}), 10);
    port.arrive(bytesOf({0x52, 0x06, 0x35, 0x38}), 400);
    EXPECT_TRUE(Port_SendExpect(run(7), bytesOf({0x52, 0x06, 0x35, 0x38})));
}

TEST_F(LinkTest, AClosedPortSendsAndReceivesNothingAtOnceAndClosingItIsHarmless) {
    port.setPortOpen(false);
    EXPECT_TRUE(Port_Receive(2).empty());
    Port_Send(bytesOf({0x48, 0x01, 0x34, 0x39}));
    EXPECT_EQ(fakes.ticks.now, 0u);
    EXPECT_EQ(fakes.events.calls, 0);
    EXPECT_FALSE(Port_SendExpect(run(7), run(4)));
    EXPECT_TRUE(port.written.empty());
    Port_Close();
    EXPECT_FALSE(port.portOpen());
    port.setPortOpen(true);
    Port_Close();
    EXPECT_FALSE(port.portOpen());
}

TEST(PortSetup, AppliesTheLineSettingsOnAClosedPort) {
    FakePlatform fakes;
    Port_Setup();
    EXPECT_EQ(fakes.serial.settings, "9600,N,8,1");
    EXPECT_EQ(fakes.serial.handshaking, 0);
    EXPECT_EQ(fakes.serial.inBufferSize, 300);
    EXPECT_EQ(fakes.serial.outBufferSize, 300);
    EXPECT_FALSE(fakes.serial.dtr);
    EXPECT_TRUE(fakes.serial.rts);
}

TEST(PortSetup, SettingsRefusedWhileOpenDoNotStopTheRest) {
    FakePlatform fakes;
    fakes.serial.setPortOpen(true);
    fakes.serial.arrive(run(3));
    Port_Setup();
    EXPECT_EQ(fakes.serial.inBufferSize, 0);
    EXPECT_EQ(fakes.serial.inBufferCount(), 0);
    EXPECT_FALSE(fakes.serial.dtr);
    EXPECT_TRUE(fakes.serial.rts);
    EXPECT_TRUE(fakes.serial.portOpen());
}
