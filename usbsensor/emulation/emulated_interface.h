// One emulated sensor interface as seen from the bus: it answers setup packets, kernel driver
// request blocks and bulk reads byte for byte like the hardware, and lets a test steer it (plug
// state, failures) and look at what the library sent.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "emulation/interface_config.h"
#include "platform/platform.h"

namespace vornik::emulation {

// One transfer as the interface saw it.
struct TransferRecord {
    enum class Kind { Control, ReadPipe, WritePipe, ResetPipe, AbortPipe };
    Kind kind = Kind::Control;
    // Setup packet of a control transfer (request type 0xC2 IN, 0x42 OUT).
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
    std::uint8_t pipe = 0;           // endpoint address of a pipe operation
    std::vector<std::uint8_t> data;  // bytes sent (OUT) or returned (IN)
    bool ok = false;
    bool nullBuffer = false;  // the caller passed no buffer (WinUSB calls only)
};

struct StreamConfiguration {
    std::uint16_t rate = 0;
    std::uint16_t sampleSize = 0;
    std::array<std::uint8_t, 4> flags{};
};

struct FirmwareChunk {
    std::uint16_t offset = 0;
    std::size_t size = 0;
};

class EmulatedInterface {
  public:
    explicit EmulatedInterface(InterfaceConfig config);

    // --- steering (thread-safe) ---
    // Plugs a sensor into a channel (replacing the one there).
    void setSensor(int channel, SensorConfig sensor);
    // The next n control and pipe transfers fail (a stall or a device error).
    void failNextTransfers(int n);
    // The device descriptor comes back with only this many bytes (18: the full descriptor).
    void setDescriptorLength(std::size_t bytes);
    // Bytes the next bulk reads deliver before the generated stream (e.g. a broken frame).
    void injectStreamBytes(std::span<const std::uint8_t> bytes);
    // The next n transfers on the pipe of endpoint address `endpoint` fail.
    void failNextPipeTransfers(std::uint8_t endpoint, int n);
    // A frame header the library must refuse, queued in the stream after the frames produced so
    // far (so on a frame boundary): a marker other than 0xC3, or a channel the interface lacks.
    enum class BrokenFrame { Marker, Channel };
    void queueBrokenFrame(BrokenFrame kind);

    // --- observation (thread-safe) ---
    InterfaceConfig config() const;
    bool pluggedIn() const;
    std::uint16_t productId() const;  // current product id of the descriptor
    bool cpuHeld() const;             // loader mode: CPU held in reset
    std::vector<FirmwareChunk> firmwareChunks() const;
    int firmwareDownloads() const;  // complete, correct downloads so far
    int attachNotices() const;      // 0x8A requests seen
    std::vector<int> streamingChannels() const;
    std::optional<StreamConfiguration> streamConfiguration(int channel) const;
    std::vector<TransferRecord> transfers() const;
    void clearTransfers();
    // The most bulk reads that were ever inside the interface's pipes at the same moment. The
    // library must never read a pipe from two threads at once: this stays at 1.
    int mostConcurrentPipeReads() const { return mostPipeReads_.load(); }

    // --- bus side, used by the emulated platform ---
    struct Reply {
        bool ok = false;
        std::uint32_t transferred = 0;
    };
    // A control transfer; `data` holds the OUT data stage or receives the IN one.
    Reply control(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                  std::uint16_t index, std::uint8_t* data, std::uint32_t length,
                  bool nullBuffer = false);
    Reply readPipe(std::uint8_t endpoint, std::uint8_t* buffer, std::uint32_t length);
    Reply writePipe(std::uint8_t endpoint, const std::uint8_t* buffer, std::uint32_t length);
    bool resetPipe(std::uint8_t endpoint);
    bool abortPipe(std::uint8_t endpoint);
    // Up to `length` bytes of the device descriptor.
    std::uint32_t descriptor(std::uint8_t* buffer, std::uint32_t length) const;
    bool knowsEndpoint(std::uint8_t endpoint) const;

    // Plug state, kept by the platform. `generation` changes each time the interface comes
    // back, so handles opened before it went away stay dead.
    struct BusState {
        bool present = false;
        std::uint64_t generation = 0;
        platform::DevInst devInst = 0;
        // Loader mode released its CPU: reconnect at this time (steady clock, ms).
        std::optional<std::int64_t> reconnectAtMs;
    };
    BusState busState() const;
    void setBusState(const BusState& state);
    // Loader mode only: a pending reconnection whose time has come becomes a plug-in.
    bool takeDueReconnect(std::int64_t nowMs);

  private:
    Reply vendorIn(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                   std::uint8_t* data, std::uint32_t length);
    Reply vendorOut(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                    const std::uint8_t* data, std::uint32_t length);
    Reply loaderOut(std::uint16_t value, std::uint16_t index, const std::uint8_t* data,
                    std::uint32_t length);
    const SensorConfig* sensor(std::uint16_t channel) const;
    // The product the firmware is: the descriptor's, or for product 2 behind the kernel driver
    // the one request 0xED names.
    std::uint16_t firmwareProduct() const;
    bool consumeFailure();
    bool consumePipeFailure(std::uint8_t endpoint);
    void record(TransferRecord record);
    void produceStream(std::int64_t nowMs);
    std::span<const std::uint8_t> nextStreamSample(int channel);
    bool alive() const { return bus_.present; }

    mutable std::mutex mutex_;
    std::condition_variable streamCv_;
    InterfaceConfig config_;
    BusState bus_;
    std::uint16_t productId_;
    std::size_t descriptorLength_ = 18;
    int failuresLeft_ = 0;
    std::map<std::uint8_t, int> pipeFailuresLeft_;
    std::atomic<int> pipeReads_{0};
    std::atomic<int> mostPipeReads_{0};
    std::vector<TransferRecord> transfers_;
    int attachNotices_ = 0;

    // Loader mode.
    bool cpuHeld_ = false;
    std::vector<FirmwareChunk> chunks_;
    std::vector<std::uint8_t> ram_;
    std::vector<bool> written_;
    int downloads_ = 0;

    // Stream.
    std::array<std::optional<StreamConfiguration>, 10> streamConfig_{};
    std::vector<int> streaming_;
    std::int64_t streamStartMs_ = 0;
    std::int64_t samplesProduced_ = 0;
    std::vector<std::size_t> nextSample_;
    std::deque<std::uint8_t> injected_;
    std::deque<std::uint8_t> pending_;
    std::size_t splitIndex_ = 0;
    std::uint64_t abortCount_ = 0;
};

}  // namespace vornik::emulation
