// Interface information (request 0x84) and channel status (request 0xF1) replies.
#pragma once
#include <array>
#include <cstdint>

namespace vornik {

struct InterfaceInfo {
    uint16_t channelCount = 0;
    uint16_t capabilityWord = 0;
    std::array<bool, 6> capabilities{};
    uint16_t productId = 0;
    bool productIs6 = false;
    bool extra = false;  // copy of the fourth capability byte
};

struct ChannelStatus {
    int8_t code = 0;
    bool flag1 = false;
    std::array<int16_t, 4> values{};
    bool sensorPresent = false;
    std::array<bool, 3> flags{};
    int8_t value14 = 0;
};

// Vendor requests of the interface protocol.
namespace request {
inline constexpr uint8_t kDataSheet = 0x01;
inline constexpr uint8_t kOneSample = 0x21;
inline constexpr uint8_t kConfigureStream = 0x81;
inline constexpr uint8_t kStartStream = 0x82;
inline constexpr uint8_t kStopStream = 0x83;
inline constexpr uint8_t kInterfaceInfo = 0x84;
inline constexpr uint8_t kAttachNotice = 0x8A;
inline constexpr uint8_t kProbeValidity = 0xC6;
inline constexpr uint8_t kChannelStatus = 0xF1;
inline constexpr uint8_t kVersion = 0xF2;
}  // namespace request

}  // namespace vornik
