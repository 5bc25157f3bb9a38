// Stress: four interfaces stream at once while one is unplugged and plugged back and a second
// client thread polls every interface. Run under the thread and address sanitizers as well.
#include <atomic>
#include <map>
#include <mutex>

#include "api_test_util.h"

using namespace apitest;
using vornik::emulation::Binding;

TEST_F(ApiTest, FourInterfacesStreamWhileOneIsReplugged) {
    InterfaceConfig a = interfaceWith(1);
    InterfaceConfig b = interfaceWith(3);
    b.binding = Binding::WinUsbClass2;
    b.readSplits = {7, 300, 2};
    InterfaceConfig c = interfaceWith(2);
    c.binding = Binding::KernelDriver;
    c.deviceNumber = 1;
    InterfaceConfig d = interfaceWith(4, 0x200);
    d.samplesPerFrame = 4;
    for (InterfaceConfig* cfg : {&a, &b, &c, &d}) cfg->samplesPerSecond = 4000;
    for (const InterfaceConfig& cfg : {a, b, c, d}) devicesPlugged.push_back(bus->plugIn(cfg));
    ASSERT_EQ(VorStart(), 1);
    const std::vector<int> ids = devices();
    ASSERT_EQ(ids.size(), 4u);
    // The interfaces differ by their channel count; each streams its last channel.
    std::map<int, int> channelOf;
    int kernelId = -1;
    for (int id : ids) {
        const int channels = VorGetNumChannels(0, id);
        channelOf[id] = channels - 1;
        if (channels == 2) kernelId = id;
        ASSERT_EQ(VorStartContinuousSampling(0, id, channels - 1, 500), 6);
    }
    ASSERT_NE(kernelId, -1);

    std::mutex m;
    std::map<int, long> received;
    std::atomic<bool> done{false};
    std::thread poller([&] {
        std::vector<uint8_t> buf(8192);
        char name[32];
        while (!done.load()) {
            std::vector<int> now(8);
            const int n = VorGetDevices(0, now.data(), 8);
            for (int i = 0; i < n; ++i) {
                for (int ch = 0; ch < 4; ++ch) {
                    const int got = VorGetSampleData(0, now[i], ch, 6, buf.data(), 8192);
                    if (got > 0) {
                        std::lock_guard lock(m);
                        received[now[i]] += got;
                    }
                }
                VorGetName(0, now[i], 0, name, sizeof name);
            }
            VorMSsleep(1);
        }
    });

    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const auto replugged = devicesPlugged[2];  // the kernel-driver one
    bus->unplug(*replugged);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    bus->plugBack(*replugged);
    int newId = -1;
    ASSERT_TRUE(eventually([&] {
        const std::vector<int> now = devices();
        newId = now.empty() ? -1 : now.back();
        return now.size() == 4 && newId > ids.back();
    }));
    ASSERT_EQ(VorGetNumChannels(0, newId), 2);
    EXPECT_EQ(VorStartContinuousSampling(0, newId, 1, 500), 6);
    channelOf[newId] = 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    done = true;
    poller.join();

    for (const auto& [id, ch] : channelOf)
        EXPECT_EQ(VorStopContinuousSampling(0, id, ch), id == kernelId ? -1 : 1) << id;
    std::lock_guard lock(m);
    for (const auto& [id, ch] : channelOf) {
        EXPECT_GT(received[id], 0) << id;
        EXPECT_EQ(received[id] % 6, 0) << id;
    }
    EXPECT_EQ(VorStop(), 1);
}
