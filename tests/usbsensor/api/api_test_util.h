// Fixture for the export tests: an emulated bus installed for the test, the library initialised
// on it and shut down after it.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "api/cvor_api.h"
#include "datasheet/datasheet_builder.h"
#include "emulation/emulated_platform.h"
#include "vornik_api.h"

namespace apitest {

using vornik::emulation::EmulatedInterface;
using vornik::emulation::EmulatedPlatform;
using vornik::emulation::InterfaceConfig;
using vornik::emulation::SensorConfig;

// A sensor with one 2-byte and one 4-byte measurement (6-byte samples).
inline vornik::DataSheetBuilder sheetBuilder(const std::string& name = "Capteur") {
    vornik::DataSheetBuilder b;
    b.sensorId = 1500;
    b.name = name;
    b.minRate = 5;
    b.maxRate = 20000;
    b.defaultRate = 1000;
    b.measurements.push_back(vornik::MeasurementSpec::sampled(20, "Tension", 2));
    b.measurements.push_back(vornik::MeasurementSpec::sampled(10, "Courant", 4));
    return b;
}

inline SensorConfig sensor(const vornik::DataSheetBuilder& b = sheetBuilder()) {
    SensorConfig s;
    s.dataSheet = b.build();
    s.sample = {1, 2, 3, 4, 5, 6};
    return s;
}

inline InterfaceConfig interfaceWith(int channels, uint16_t productId = 3) {
    InterfaceConfig c;
    c.productId = productId;
    c.productIdAfterFirmware = productId;
    c.channelCount = static_cast<uint16_t>(channels);
    for (int i = 0; i < channels; ++i) c.sensors.push_back(sensor());
    return c;
}

class ApiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(VorInit(), 1);
        first = vornik::CVorApi::nextDeviceId();
    }
    void TearDown() override {
        EXPECT_EQ(VorDelete(), 1);
        // Every interface was shut down: its reader thread ended before its handles closed.
        EXPECT_EQ(bus->openHandles(), 0);
    }

    std::vector<int> devices() {
        std::vector<int> ids(16);
        const int n = VorGetDevices(0, ids.data(), static_cast<int>(ids.size()));
        EXPECT_GE(n, 0);
        ids.resize(static_cast<size_t>(std::max(n, 0)));
        return ids;
    }

    // Plugs an interface in and returns its id.
    int attach(const InterfaceConfig& config) {
        devicesPlugged.push_back(bus->plugIn(config));
        const std::vector<int> ids = devices();
        return ids.empty() ? -1 : ids.back();
    }

    // Ids grow across the whole process: the id that this test's first interface gets.
    int first = 0;
    std::shared_ptr<EmulatedPlatform> bus = std::make_shared<EmulatedPlatform>();
    vornik::platform::ScopedPlatform guard{bus};
    std::vector<std::shared_ptr<EmulatedInterface>> devicesPlugged;
};

// Polls `f` until it returns true or `ms` pass.
template <class F>
bool eventually(F f, int ms = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (f()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return f();
}

}  // namespace apitest
