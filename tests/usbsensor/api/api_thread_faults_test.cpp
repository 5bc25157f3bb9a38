// No fault of a library thread may reach the caller's process: a thread that cannot start
// leaves its interface unattached, an error inside the watch thread or a reader thread ends
// that thread only, and a stop's drain never reads the stream pipe beside the reader.
#include <stdexcept>

#include "api/api_state.h"
#include "api/device_thread.h"
#include "api_test_util.h"
#include "protocol/sensor_interface.h"
#include "transport/usb_driver.h"

using namespace apitest;

namespace {

constexpr auto kWait = std::chrono::seconds(5);

TEST_F(ApiTest, ThreadStartFailureDuringARescanLeavesTheInterfaceUnattached) {
    auto d = bus->plugIn(interfaceWith(1));
    bus->failNextThreadStarts(1);
    EXPECT_TRUE(devices().empty());
    EXPECT_EQ(d->attachNotices(), 0);
    // The next rescan tries again, and the failed attempt used no id.
    EXPECT_EQ(devices(), std::vector<int>{first});
    EXPECT_EQ(d->attachNotices(), 1);
}

TEST_F(ApiTest, WatchThreadGoesOnAfterAThreadStartFailure) {
    bus->setSleepsByHand(true);
    ASSERT_EQ(VorStart(), 1);
    ASSERT_TRUE(bus->awaitSleeps(1, kWait));
    auto d = bus->plugIn(interfaceWith(1));
    bus->failNextThreadStarts(1);
    // One cycle: the start fails; the next cycle attaches the interface.
    bus->endSleeps();
    ASSERT_TRUE(bus->awaitSleeps(2, kWait));
    EXPECT_EQ(d->attachNotices(), 0);
    bus->endSleeps();
    ASSERT_TRUE(bus->awaitSleeps(3, kWait));
    EXPECT_EQ(d->attachNotices(), 1);
    EXPECT_FALSE(vornik::api::watchThread()->failed());
    bus->setSleepsByHand(false);
    EXPECT_EQ(VorStop(), 1);
}

// A bus whose next sleep fails as a broken system call would.
class FailingSleepBus : public EmulatedPlatform {
  public:
    std::atomic<bool> failNext{false};
    void sleep(std::uint32_t milliseconds) override {
        if (failNext.exchange(false)) throw std::runtime_error("sleep failed");
        EmulatedPlatform::sleep(milliseconds);
    }
};

TEST(WatchThread, AnErrorEndsTheThreadNotTheProcess) {
    auto failing = std::make_shared<FailingSleepBus>();
    vornik::platform::ScopedPlatform guard(failing);
    ASSERT_EQ(VorInit(), 1);
    failing->failNext = true;
    ASSERT_EQ(VorStart(), 1);
    EXPECT_TRUE(eventually([] {
        const auto* t = vornik::api::watchThread();
        return t->failed() && !t->isRunning();
    }));
    // The library still answers.
    std::vector<int> ids(4);
    EXPECT_EQ(VorGetDevices(0, ids.data(), 4), 0);
    EXPECT_EQ(VorStop(), 1);
    EXPECT_EQ(VorDelete(), 1);
}

// A transport whose bulk reads fail with an exception (a fault deep in a system layer).
class ThrowingReadDriver : public vornik::UsbDriver {
  public:
    std::int32_t productId() const override { return 2; }  // one channel, no information request
    bool controlOut(std::uint8_t, std::uint16_t, std::uint16_t, const void*,
                    std::int32_t) override {
        return true;
    }
    bool readPipe(std::uint8_t, void*, std::int32_t, std::int32_t*) override {
        throw std::runtime_error("read failed");
    }
    bool resetPipe(std::uint8_t) override { return true; }
};

TEST(ReaderThread, AnErrorEndsTheStreamAndTheThreadNotTheProcess) {
    auto bus = std::make_shared<EmulatedPlatform>();
    vornik::platform::ScopedPlatform guard(bus);
    ThrowingReadDriver driver;
    vornik::SensorInterface iface(&driver, true);
    vornik::InterfaceInfo info;
    ASSERT_TRUE(iface.readInterfaceInfo(info, driver.productId(), true));
    ASSERT_TRUE(iface.startStreaming(0, 100, 6));
    EXPECT_TRUE(eventually([&] { return iface.readerFailed() && !iface.readerRunning(); }));
    EXPECT_FALSE(iface.streaming());
    EXPECT_EQ(iface.streamStatus(), vornik::kStreamStatusReaderFailed);
    // Its handles and rings go as usual.
    const auto t0 = std::chrono::steady_clock::now();
    iface.shutDown();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(1));
    EXPECT_EQ(bus->openHandles(), 0);
}

TEST(ReaderThread, AFailedStartLeavesNothingBehind) {
    auto bus = std::make_shared<EmulatedPlatform>();
    vornik::platform::ScopedPlatform guard(bus);
    ThrowingReadDriver driver;
    bus->failNextThreadStarts(1);
    EXPECT_THROW(vornik::SensorInterface(&driver, true), std::system_error);
    EXPECT_EQ(bus->openHandles(), 0);
}

// Product 8 (version 2) drains the stream pipe after a stop, on the caller's thread, while the
// reader may be waiting inside a read of the same pipe. A slow stream keeps the reader inside
// its reads most of the time.
TEST_F(ApiTest, DrainAfterStopNeverReadsBesideTheReader) {
    InterfaceConfig config = interfaceWith(1, 8);
    config.samplesPerSecond = 20;
    config.readTimeoutMs = 100;
    const int id = attach(config);
    ASSERT_EQ(VorGetNumChannels(0, id), 1);
    const auto& d = devicesPlugged.back();
    for (int round = 0; round < 4; ++round) {
        ASSERT_EQ(VorStartContinuousSampling(0, id, 0, 100), 6);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ASSERT_EQ(VorStopContinuousSampling(0, id, 0), 1);
    }
    EXPECT_EQ(d->mostConcurrentPipeReads(), 1);
    // The drains did happen: two reads of up to 1000 bytes after each stop.
    int drainReads = 0;
    for (const auto& r : d->transfers())
        if (r.kind == vornik::emulation::TransferRecord::Kind::ReadPipe && r.length == 1000)
            ++drainReads;
    EXPECT_EQ(drainReads, 8);
}

// Scheduled faults reach a caller through the exports like real ones: a frame for a channel the
// interface lacks ends the stream, and a plug-back after an unplug brings a new id.
TEST_F(ApiTest, ScheduledFaultsReachTheCaller) {
    InterfaceConfig config = interfaceWith(2);
    config.samplesPerSecond = 200;
    const int id = attach(config);
    ASSERT_EQ(VorGetNumChannels(0, id), 2);
    ASSERT_EQ(VorStartContinuousSampling(0, id, 0, 100), 6);
    using Action = vornik::emulation::ScheduledEvent::Action;
    const std::int64_t now = bus->elapsedMs();
    bus->schedule({now + 50000, 0, Action::BadChannel, 0x82, 1});
    bus->schedule({now + 60000, 0, Action::Unplug, 0x82, 1});
    bus->schedule({now + 60500, 0, Action::PlugBack, 0x82, 1});
    std::vector<uint8_t> buf(4096);
    EXPECT_GE(VorGetSampleData(0, id, 0, 6, buf.data(), 4096), 0);
    bus->advanceClock(std::chrono::milliseconds(50000));
    EXPECT_TRUE(eventually([&] { return VorGetSampleData(0, id, 0, 6, buf.data(), 4096) == -1; }));
    bus->advanceClock(std::chrono::milliseconds(10000));
    EXPECT_TRUE(devices().empty());
    bus->advanceClock(std::chrono::milliseconds(500));
    EXPECT_EQ(devices(), std::vector<int>{id + 1});
}

}  // namespace
