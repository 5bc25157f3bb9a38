// Interface information (request 0x84) and channel status (request 0xF1) replies.
#pragma once
#include <array>
#include <cstdint>

namespace vornik {

// Product ids the protocol treats apart.
namespace product {
// Interfaces that answer no information request: one channel each.
inline constexpr uint16_t kSingleChannelA = 2;
inline constexpr uint16_t kSingleChannelB = 7;
// Interface that answers no information request: four channels.
inline constexpr uint16_t kFourChannels = 0x200;
// Interface whose information is marked as coming from it (InterfaceInfo::fromProductSix).
inline constexpr uint16_t kMarkedInInfo = 6;
// Interface whose stop request carries one zero byte, and that from version 2 on wants its
// stream pipe drained after a stop (version request 0xF2).
inline constexpr uint16_t kOneByteStop = 8;
inline constexpr int kDrainFromVersion = 2;
}  // namespace product

// Layout of the interface information reply (request 0x84).
namespace info_reply {
inline constexpr int kSize = 64;
inline constexpr int kChannelCount = 0;    // u16
inline constexpr int kCapabilityWord = 2;  // u16
inline constexpr int kCapabilities = 4;    // six booleans
}  // namespace info_reply

// Layout of the channel status reply (request 0xF1).
namespace status_reply {
inline constexpr int kSize = 16;
inline constexpr int kCode = 0;
inline constexpr int kFlag = 1;
inline constexpr int kValues = 2;  // four signed 16-bit values
inline constexpr int kSensorPresent = 10;
inline constexpr int kFlags = 11;  // three booleans
inline constexpr int kSignedByte = 14;
}  // namespace status_reply

// The version reply (request 0xF2) is read for 63 bytes into a 64-byte buffer.
inline constexpr int kVersionReplySize = 63;

struct InterfaceInfo {
    uint16_t channelCount = 0;
    uint16_t capabilityWord = 0;
    std::array<bool, 6> capabilities{};
    uint16_t productId = 0;
    bool fromProductSix = false;    // the reply came from product kMarkedInInfo
    bool fourthCapability = false;  // copy of capabilities[3]
};

// The channel status reply. Only the code (the stream status after a failed bulk read) and the
// sensor-present byte are used; the other fields are kept as the interface sent them.
struct ChannelStatus {
    int8_t code = 0;
    bool flagAfterCode = false;  // byte 1
    std::array<int16_t, 4> values{};
    bool sensorPresent = false;
    std::array<bool, 3> flagsAfterPresence{};  // bytes 11 to 13
    int8_t signedByte14 = 0;
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

// Value fields of the requests that carry one.
inline constexpr uint16_t kAttachNoticeValue = 1;
inline constexpr uint16_t kProbeValidityValue = 0x40;

}  // namespace vornik
