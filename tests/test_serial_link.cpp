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

const Bytes kAck = bytesOf({0x52, 0x06, 0x35, 0x38});

struct LinkTest : ::testing::Test {
    FakePlatform fakes;
    FakeSerialPort& port = fakes.serial;
    void SetUp() override { port.setPortOpen(true); }
    // The wait since `start` lasted one second, by difference across any wrap.
    void expectOneSecondSince(std::uint32_t start) const {
        EXPECT_GE(fakes.ticks.now - start, 1000u) << std::hex << start;
        EXPECT_LT(fakes.ticks.now - start, 1010u) << std::hex << start;
    }
};

}  // namespace

TEST_F(LinkTest, ReceiveCollectsPiecesUntilTheCountOrGivesNothingAfterOneSecondEvenAcrossTheWrap) {
    for (std::uint32_t start : {0u, 0xFFFFFF00u, 0x7FFFFF00u}) {
        fakes.ticks.now = start;
        port.arrive(run(2), 100);
        port.arrive(run(1, 0x32), 900);
        EXPECT_EQ(Port_Receive(3), run(3));
        fakes.ticks.now = start;
        port.arrive(run(2), 10);  // a short answer
        EXPECT_TRUE(Port_Receive(3).empty());
        expectOneSecondSince(start);
    }
}

TEST_F(LinkTest, ReceiveTakesTheCountTheNextSendDiscardsTheSurplusAndAClosingEndsTheWait) {
    port.device = [](const Bytes&) { return run(15); };
    Port_Send(bytesOf({0x01}));
    EXPECT_EQ(Port_Receive(13), run(13));
    EXPECT_EQ(port.inBufferCount(), 2);
    port.device = nullptr;
    Port_Send(bytesOf({0x02}));
    EXPECT_EQ(port.inBufferCount(), 0);

    port.arrive(run(4), 10);
    const std::uint32_t start = fakes.ticks.now;
    fakes.events.hooks.push_back([&] {
        if (fakes.ticks.now - start > 100) port.setPortOpen(false);
    });
    EXPECT_TRUE(Port_Receive(13).empty());
    EXPECT_LT(fakes.ticks.now - start, 200u);
}

TEST_F(LinkTest, SendWaitsForTheOutputToDrainButNoLongerThanOneSecond) {
    port.drainMs = 300;
    std::uint32_t start = fakes.ticks.now;
    Port_Send(run(6));
    EXPECT_GE(fakes.ticks.now - start, 300u);
    port.drainMs = 5000;
    start = fakes.ticks.now;
    Port_Send(run(6));
    expectOneSecondSince(start);
}

// A line that never falls silent holds a request for a second, with the
// windows alive; a port closed meanwhile gets no frame.
TEST_F(LinkTest, TheWaitForAQuietLineLetsEventsRunAndEndsWhenThePortCloses) {
    for (std::uint32_t ms = 0; ms < 1500; ms += 2) port.arrive(run(1), ms);
    Port_Send(run(6));
    EXPECT_GT(fakes.events.calls, 300);
    EXPECT_EQ(port.written.size(), 1u);
    fakes.events.hooks.push_back([&] { port.setPortOpen(false); });
    Port_Send(run(6));
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.written.size(), 1u);
}

TEST_F(LinkTest, SendExpectWantsTheExactReplyWithinOneSecondWithoutLettingEventsRun) {
    port.device = [](const Bytes&) { return bytesOf({0x52, 0x06, 0x35, 0x39}); };
    const std::uint32_t start = fakes.ticks.now;
    EXPECT_FALSE(Port_SendExpect(run(7), kAck));
    expectOneSecondSince(start);
    EXPECT_EQ(fakes.events.calls, 0);
    port.trailing = kAck;  // the right reply after a wrong one
    EXPECT_TRUE(Port_SendExpect(run(7), kAck));
}

TEST_F(LinkTest, SetupOnAnOpenPortClearsTheInputAndAClosedPortSendsAndReceivesNothingAtOnce) {
    port.arrive(run(3));
    Port_Setup();
    EXPECT_EQ(port.inBufferCount(), 0);
    port.setPortOpen(false);
    fakes.ticks.now = 0;
    EXPECT_TRUE(Port_Receive(2).empty());
    Port_Send(bytesOf({0x48, 0x01, 0x34, 0x39}));
    EXPECT_FALSE(Port_SendExpect(run(7), run(4)));
    EXPECT_EQ(fakes.ticks.now, 0u);
    EXPECT_TRUE(port.written.empty());
    Port_Close();
}
