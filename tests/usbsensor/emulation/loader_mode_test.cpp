// Loader mode: the CPU control register, chunk checks and the image comparison.
#include <gtest/gtest.h>

#include <vector>

#include "emulation/emulated_interface.h"
#include "platform/config.h"

using namespace vornik;
using namespace vornik::emulation;

namespace {

struct Loader : ::testing::Test {
    EmulatedInterface device{[] {
        InterfaceConfig config;
        config.productId = kLoaderProductId;
        config.productIdAfterFirmware = 0x200;
        config.reconnectDelayMs = 0;
        return config;
    }()};

    void SetUp() override { device.setBusState({true, 1, 0x300, std::nullopt}); }

    bool cpu(std::uint8_t state) { return device.control(0x42, 0xA0, 0x7F92, 0, &state, 1).ok; }

    bool chunk(std::size_t offset, std::size_t size, const std::uint8_t* bytes = nullptr) {
        std::vector<std::uint8_t> data(size);
        const auto image = firmwareImage();
        for (std::size_t i = 0; i < size; ++i) {
            data[i] = bytes ? bytes[i] : (offset + i < image.size() ? image[offset + i] : 0);
        }
        return device
            .control(0x42, 0xA0, static_cast<std::uint16_t>(offset), 0, data.data(),
                     static_cast<std::uint32_t>(size))
            .ok;
    }
};

TEST_F(Loader, WholeImageInAnyChunkingReconnectsWithTheNewProductId) {
    ASSERT_TRUE(cpu(1));
    // Out of order and of uneven sizes: only the load addresses matter.
    EXPECT_TRUE(chunk(4000, 1168));
    EXPECT_TRUE(chunk(0, 2500));
    EXPECT_TRUE(chunk(2500, 1500));
    ASSERT_TRUE(cpu(0));
    EXPECT_FALSE(device.pluggedIn());
    EXPECT_EQ(device.firmwareDownloads(), 1);
    EXPECT_EQ(device.productId(), 0x200);
    EXPECT_TRUE(device.takeDueReconnect(std::numeric_limits<std::int64_t>::max()));
    EXPECT_FALSE(device.takeDueReconnect(std::numeric_limits<std::int64_t>::max()));
}

TEST_F(Loader, ChunksAreCheckedAgainstTheImageArea) {
    EXPECT_FALSE(chunk(0, 100));  // CPU not held
    ASSERT_TRUE(cpu(1));
    EXPECT_FALSE(chunk(5000, 169));  // beyond the image
    EXPECT_FALSE(chunk(0, 0));
    EXPECT_TRUE(chunk(5000, 168));
    std::uint8_t two[2] = {1, 1};
    EXPECT_FALSE(device.control(0x42, 0xA0, 0x7F92, 0, two, 2).ok);  // register is one byte
    EXPECT_FALSE(device.control(0x42, 0xA0, 0, 1, two, 2).ok);       // index must be 0
    EXPECT_EQ(device.firmwareChunks().size(), 1u);
}

TEST_F(Loader, IncompleteOrWrongImageFallsBackIntoTheLoader) {
    ASSERT_TRUE(cpu(1));
    EXPECT_TRUE(chunk(0, 5000));  // the last 168 bytes missing
    ASSERT_TRUE(cpu(0));
    EXPECT_EQ(device.firmwareDownloads(), 0);
    EXPECT_EQ(device.productId(), kLoaderProductId);

    device.setBusState({true, 2, 0x301, std::nullopt});
    ASSERT_TRUE(cpu(1));
    EXPECT_TRUE(chunk(0, 5168));
    const std::uint8_t wrong = static_cast<std::uint8_t>(firmwareImage()[1234] ^ 0xFF);
    EXPECT_TRUE(chunk(1234, 1, &wrong));
    ASSERT_TRUE(cpu(0));
    EXPECT_EQ(device.firmwareDownloads(), 0);
}

TEST_F(Loader, OnlyTheDownloadRequestIsAnswered) {
    std::uint8_t info[64];
    EXPECT_FALSE(device.control(0xC2, 0x84, 0, 0, info, 64).ok);
    EXPECT_FALSE(device.control(0xC2, 0x8A, 1, 0, nullptr, 0).ok);
    std::uint8_t descriptor[18];
    ASSERT_EQ(device.descriptor(descriptor, 18), 18u);
    EXPECT_EQ(descriptor[10] | (descriptor[11] << 8), kLoaderProductId);
    EXPECT_EQ(descriptor[8] | (descriptor[9] << 8), vendorUsbId);
}

}  // namespace
