// Exports: life cycle, interface ids, products and channel counts, the watch thread.
#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "api/api_state.h"
#include "api/device_thread.h"

#include "api_test_util.h"

using namespace apitest;
using vornik::emulation::TransferRecord;

namespace {

int countRequests(const EmulatedInterface& d, uint8_t request) {
    const auto t = d.transfers();
    return static_cast<int>(std::count_if(t.begin(), t.end(), [&](const TransferRecord& r) {
        return r.kind == TransferRecord::Kind::Control && r.request == request;
    }));
}

}  // namespace

TEST(ApiBeforeInit, EveryExportButTheLockOnlyOnesFails) {
    auto bus = std::make_shared<EmulatedPlatform>();
    vornik::platform::ScopedPlatform guard(bus);
    int ids[4];
    char text[16] = "untouched";
    uint8_t buf[16];
    const int results[] = {
        VorStop(),
        VorGetDevices(0, ids, 4),
        VorGetDeviceProductID(0, 2001),
        VorGetNumChannels(0, 2001),
        VorGetExistChannel(0, 2001, 0),
        VorGetSensorDetected(0, 2001, 0),
        VorGetSampleSize(0, 2001, 0),
        VorGetSampleRateMinimum(0, 2001, 0),
        VorGetSampleRateMaximum(0, 2001, 0),
        VorGetSampleRateDefault(0, 2001, 0),
        VorGetNumMeasurements(0, 2001, 0),
        VorGetMeasurementName(0, 2001, 0, 0, text, 16),
        VorGetSupportsProbeValidityDetection(0, 2001, 0),
        VorCheckMeasurementValidity(0, 2001, 0, 4, buf),
        VorGetName(0, 2001, 0, text, 16),
        VorGetOneSample(0, 2001, 0, buf, 0),
        VorStartContinuousSampling(0, 2001, 0, 100),
        VorStopContinuousSampling(0, 2001, 0),
        VorGetSampleData(0, 2001, 0, 1, buf, 16),
        VorGetSensorDataSheetSize(0, 2001, 0),
        VorReadSensorDataSheet(0, 2001, 0, buf, 16),
    };
    for (int r : results) EXPECT_EQ(r, -1);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(VorStart(), 1);
    EXPECT_EQ(VorDelete(), 1);
    VorMSsleep(0);
}

// In a fresh process (the death test runs this body in a re-executed copy of the test
// program), the first interface ever attached gets 2001, and after VorDelete and VorInit the
// next one continues from there instead of starting again.
TEST(ApiIds, FirstIdOfTheProcessIs2001AndDeleteDoesNotRestartTheCount) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto bus = std::make_shared<EmulatedPlatform>();
            vornik::platform::ScopedPlatform guard(bus);
            int ids[2] = {};
            VorInit();
            auto d = bus->plugIn(interfaceWith(1));
            const int a = VorGetDevices(0, ids, 2) == 1 ? ids[0] : -1;
            VorDelete();
            VorInit();
            const int b = VorGetDevices(0, ids, 2) == 1 ? ids[0] : -1;
            VorDelete();
            std::_Exit(a == 2001 && b == 2002 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ApiTest, IdsGrowAndAreNeverReused) {
    EXPECT_GE(first, 2001);
    int ids[4] = {-7, -7, -7, -7};
    EXPECT_EQ(VorGetDevices(0, ids, 0), 0);
    auto one = bus->plugIn(interfaceWith(1));
    // Too small a buffer: -1, but the interface is attached all the same and keeps its id.
    EXPECT_EQ(VorGetDevices(0, ids, 0), -1);
    EXPECT_EQ(ids[0], -7);
    EXPECT_EQ(one->attachNotices(), 1);
    EXPECT_EQ(devices(), std::vector<int>{first});

    InterfaceConfig kernel = interfaceWith(1);
    kernel.binding = vornik::emulation::Binding::KernelDriver;
    kernel.deviceNumber = 2;
    auto second = bus->plugIn(kernel);
    EXPECT_EQ(devices(), (std::vector<int>{first, first + 1}));

    bus->unplug(*one);
    EXPECT_EQ(devices(), std::vector<int>{first + 1});
    EXPECT_EQ(VorGetDeviceProductID(0, first), -1);
    bus->plugBack(*one);
    EXPECT_EQ(devices(), (std::vector<int>{first + 1, first + 2}));
    EXPECT_EQ(one->attachNotices(), 2);
    EXPECT_EQ(second->attachNotices(), 1);
    // The scans in between did not attach anything twice.
    EXPECT_EQ(devices(), (std::vector<int>{first + 1, first + 2}));
}

TEST_F(ApiTest, SecondInitKeepsTheState) {
    attach(interfaceWith(1));
    EXPECT_EQ(VorInit(), 1);
    EXPECT_EQ(devices(), std::vector<int>{first});
    EXPECT_EQ(VorGetNumChannels(0, first), 1);
}

TEST_F(ApiTest, DeleteReleasesEverythingAndInitStartsAfreshWithNewIds) {
    auto d = bus->plugIn(interfaceWith(2));
    auto e = bus->plugIn(interfaceWith(1));
    ASSERT_EQ(devices(), (std::vector<int>{first, first + 1}));
    ASSERT_EQ(VorGetNumChannels(0, first), 2);
    ASSERT_EQ(VorStartContinuousSampling(0, first, 1, 100), 6);
    EXPECT_EQ(VorDelete(), 1);
    EXPECT_EQ(bus->openHandles(), 0);
    EXPECT_EQ(VorGetDevices(0, nullptr, 0), -1);
    bus->unplug(*e);
    ASSERT_EQ(VorInit(), 1);
    // The old ids stay dead: a client still holding one reaches nothing.
    EXPECT_EQ(devices(), std::vector<int>{first + 2});
    for (int old : {first, first + 1}) {
        EXPECT_EQ(VorGetDeviceProductID(0, old), -1) << old;
        EXPECT_EQ(VorGetNumChannels(0, old), -1) << old;
    }
    EXPECT_EQ(VorGetNumChannels(0, first + 2), 2);
    EXPECT_EQ(d->attachNotices(), 2);
}

TEST_F(ApiTest, ChannelCountsByProduct) {
    struct Case {
        uint16_t product;
        int reported;  // what request 0x84 would say
        int channels;
        int infoRequests;
    };
    const Case cases[] = {
        {0x200, 2, 4, 0}, {2, 3, 1, 0}, {7, 3, 1, 0}, {3, 3, 3, 1}, {6, 12, 10, 1},
    };
    int id = first;
    for (const Case& c : cases) {
        InterfaceConfig config = interfaceWith(c.reported, c.product);
        auto d = bus->plugIn(config);
        ASSERT_EQ(devices().back(), id);
        EXPECT_EQ(VorGetDeviceProductID(0, id), c.product);
        EXPECT_EQ(VorGetNumChannels(0, id), c.channels) << c.product;
        EXPECT_EQ(countRequests(*d, 0x84), c.infoRequests) << c.product;
        bus->unplug(*d);
        devices();
        ++id;
    }
}

TEST_F(ApiTest, FailedInformationRequest) {
    auto d = bus->plugIn(interfaceWith(3));
    devices();
    d->failNextTransfers(1);
    EXPECT_EQ(VorGetNumChannels(0, first), -1);
    EXPECT_EQ(VorGetNumChannels(0, first), 3);
    EXPECT_EQ(VorGetNumChannels(0, 4242), -1);
}

TEST_F(ApiTest, WatchThreadNoticesArrivalsUntilStopped) {
    EXPECT_EQ(VorStart(), 1);
    auto a = bus->plugIn(interfaceWith(1));
    EXPECT_TRUE(eventually([&] { return a->attachNotices() == 1; }));
    EXPECT_EQ(VorStop(), 1);
    // The stop has ended the thread: no rescan can follow.
    EXPECT_FALSE(vornik::api::watchThread()->isRunning());
    auto b = bus->plugIn(interfaceWith(1));
    EXPECT_EQ(b->attachNotices(), 0);
    EXPECT_EQ(VorStart(), 1);
    EXPECT_TRUE(eventually([&] { return b->attachNotices() == 1; }));
    EXPECT_EQ(devices(), (std::vector<int>{first, first + 1}));
}

TEST_F(ApiTest, StreamingPausesRescansAndAnyStopResumesThem) {
    // The watch thread's sleeps end by hand: each watchCycle() is one whole rescan cycle.
    bus->setSleepsByHand(true);
    const auto watchCycle = [&] {
        const auto n = bus->sleepsStarted();
        bus->endSleeps();
        return bus->awaitSleeps(n + 1, std::chrono::seconds(5));
    };
    VorStart();
    ASSERT_TRUE(bus->awaitSleeps(1, std::chrono::seconds(5)));
    auto a = bus->plugIn(interfaceWith(1));
    ASSERT_TRUE(watchCycle());
    ASSERT_EQ(a->attachNotices(), 1);
    ASSERT_EQ(VorGetNumChannels(0, first), 1);
    ASSERT_EQ(VorStartContinuousSampling(0, first, 0, 100), 6);
    auto b = bus->plugIn(interfaceWith(1));
    ASSERT_TRUE(watchCycle());
    ASSERT_TRUE(watchCycle());
    EXPECT_EQ(b->attachNotices(), 0);
    // A stop that fails (unknown id) resumes the rescans all the same.
    EXPECT_EQ(VorStopContinuousSampling(0, 9999, 0), -1);
    ASSERT_TRUE(watchCycle());
    EXPECT_EQ(b->attachNotices(), 1);
    bus->setSleepsByHand(false);
}

TEST(ApiSleep, SleepTakesNoLock) {
    auto bus = std::make_shared<EmulatedPlatform>();
    vornik::platform::ScopedPlatform guard(bus);
    const auto t0 = std::chrono::steady_clock::now();
    VorMSsleep(0);
    VorMSsleep(-5);
    VorMSsleep(20);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(20));

    // Another thread holds the library lock: the sleep still returns.
    std::atomic<bool> held{false}, release{false};
    std::thread holder([&] {
        vornik::api::apiLock().lock();
        held = true;
        while (!release) std::this_thread::yield();
        vornik::api::apiLock().unlock();
    });
    while (!held) std::this_thread::yield();
    VorMSsleep(0);
    VorMSsleep(1);
    release = true;
    holder.join();
}
