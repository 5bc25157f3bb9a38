// Events and mutexes of the emulated backend behave like their Windows counterparts.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "emulation/emulated_platform.h"

using namespace vornik;
using platform::WaitResult;

namespace {

TEST(Events, ManualResetStaysSetAutoResetWakesOneWait) {
    emulation::EmulatedPlatform os;
    const auto manual = os.createEvent(true, false);
    const auto automatic = os.createEvent(false, true);
    EXPECT_EQ(os.waitForSingleObject(manual, 0), WaitResult::Timeout);
    EXPECT_TRUE(os.setEvent(manual));
    EXPECT_EQ(os.waitForSingleObject(manual, 0), WaitResult::Signaled);
    EXPECT_EQ(os.waitForSingleObject(manual, 0), WaitResult::Signaled);
    EXPECT_TRUE(os.resetEvent(manual));
    EXPECT_EQ(os.waitForSingleObject(manual, 5), WaitResult::Timeout);

    EXPECT_EQ(os.waitForSingleObject(automatic, 0), WaitResult::Signaled);
    EXPECT_EQ(os.waitForSingleObject(automatic, 0), WaitResult::Timeout);
    EXPECT_FALSE(os.releaseMutex(automatic));
    EXPECT_TRUE(os.closeHandle(manual));
    EXPECT_TRUE(os.closeHandle(automatic));
    EXPECT_FALSE(os.closeHandle(manual));
    EXPECT_EQ(os.waitForSingleObject(manual, 0), WaitResult::Failed);
    EXPECT_FALSE(os.setEvent(manual));
}

TEST(Events, SetFromAnotherThreadWakesAWaiter) {
    emulation::EmulatedPlatform os;
    const auto event = os.createEvent(true, false);
    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        os.setEvent(event);
    });
    EXPECT_EQ(os.waitForSingleObject(event, 5000), WaitResult::Signaled);
    setter.join();
    os.closeHandle(event);
}

TEST(Mutexes, RecursiveForTheOwnerExclusiveForOthers) {
    emulation::EmulatedPlatform os;
    const auto mutex = os.createMutex(false);
    ASSERT_EQ(os.waitForSingleObject(mutex, 0), WaitResult::Signaled);
    ASSERT_EQ(os.waitForSingleObject(mutex, 0), WaitResult::Signaled);
    EXPECT_FALSE(os.setEvent(mutex));

    std::atomic<int> other{-1};
    std::thread contender([&] {
        other = static_cast<int>(os.waitForSingleObject(mutex, 10));
        EXPECT_FALSE(os.releaseMutex(mutex));  // not the owner
    });
    contender.join();
    EXPECT_EQ(other.load(), static_cast<int>(WaitResult::Timeout));

    EXPECT_TRUE(os.releaseMutex(mutex));
    std::thread stillOwned([&] { other = static_cast<int>(os.waitForSingleObject(mutex, 10)); });
    stillOwned.join();
    EXPECT_EQ(other.load(), static_cast<int>(WaitResult::Timeout));

    EXPECT_TRUE(os.releaseMutex(mutex));
    EXPECT_FALSE(os.releaseMutex(mutex));
    std::thread taker([&] {
        other = static_cast<int>(os.waitForSingleObject(mutex, 1000));
        os.releaseMutex(mutex);
    });
    taker.join();
    EXPECT_EQ(other.load(), static_cast<int>(WaitResult::Signaled));
    os.closeHandle(mutex);
    EXPECT_EQ(os.openHandles(), 0);
}

TEST(Mutexes, InitiallyOwnedByTheCreator) {
    emulation::EmulatedPlatform os;
    const auto mutex = os.createMutex(true);
    std::atomic<int> other{-1};
    std::thread contender([&] { other = static_cast<int>(os.waitForSingleObject(mutex, 10)); });
    contender.join();
    EXPECT_EQ(other.load(), static_cast<int>(WaitResult::Timeout));
    EXPECT_TRUE(os.releaseMutex(mutex));
}

TEST(Threads, PriorityIsPerThread) {
    emulation::EmulatedPlatform os;
    EXPECT_TRUE(os.setCurrentThreadPriority(platform::kThreadPriorityAboveNormal));
    EXPECT_EQ(os.currentThreadPriority(), platform::kThreadPriorityAboveNormal);
    int seen = -1;
    std::thread other([&] { seen = os.currentThreadPriority(); });
    other.join();
    EXPECT_EQ(seen, platform::kThreadPriorityNormal);
}

}  // namespace
