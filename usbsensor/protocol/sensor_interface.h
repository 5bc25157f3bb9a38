// One attached sensor interface: its vendor requests, its reader thread that pulls the sample
// stream from the bulk pipe, and one sample ring per channel.
#pragma once
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "protocol/frame_parser.h"
#include "protocol/interface_info.h"
#include "protocol/sample_ring.h"

namespace vornik {

class UsbDriver;

class SensorInterface {
  public:
    static constexpr int kMaxChannels = 10;
    static constexpr int kReadBlock = 4096;
    static constexpr int kFastReadsAfterStart = 5;
    static constexpr uint32_t kStreamingWaitMs = 10;
    static constexpr uint32_t kIdleWaitMs = 5000;
    static constexpr uint32_t kRingWaitMs = 1000;
    static constexpr uint32_t kExitWaitMs = 5000;
    static constexpr uint16_t kSampleWord = 0xFFFE;
    static constexpr uint16_t kIdleWord = 0xFFFF;
    // After a stop of an interface that asks for it, the stream pipe is read this many times.
    static constexpr int kDrainReads = 2;
    static constexpr int kDrainReadSize = 1000;

    // `driver` stays owned by its manager. With `withThread` the reader thread starts at once
    // (std::system_error when it cannot; nothing is left behind); the mutex and events exist
    // either way (without a thread, the stream is fed by hand through processBlock).
    explicit SensorInterface(UsbDriver* driver, bool withThread = true);
    ~SensorInterface();
    SensorInterface(const SensorInterface&) = delete;
    SensorInterface& operator=(const SensorInterface&) = delete;

    UsbDriver* driver() const { return driver_; }
    int32_t channelCount() const { return channelCount_.load(); }
    bool streaming() const { return streaming_.load(); }
    int32_t streamStatus() const { return streamStatus_.load(); }
    uint8_t streamFlag() const { return streamFlag_; }
    bool oneByteStop() const { return oneByteStop_; }
    bool drainAfterStop() const { return drainAfterStop_; }
    bool hasRing(int channel) const;
    bool readerRunning() const { return hasThread_ && !exited_.load(); }
    // The reader thread ended on an unexpected error (caught at its entry).
    bool readerFailed() const { return readerFailed_.load(); }

    // Requests 0x84 (and 0xF2 for product 8) unless the product needs none; with `allocate`,
    // gives every channel below the count a ring and frees the others.
    bool readInterfaceInfo(InterfaceInfo& info, int32_t productId, bool allocate);
    bool channelStatus(int channel, ChannelStatus* status);
    bool sensorPresent(int channel);
    bool oneSample(int channel, void* buffer, int32_t sampleSize, int32_t* transferred);
    bool configureStream(int channel, uint16_t rate, uint16_t sampleSize,
                         const std::array<uint8_t, 4>& flags);
    // Starts streaming `channel` with samples of `sampleSize` bytes (positive).
    bool startStreaming(int channel, uint16_t rate, uint16_t sampleSize);
    // The start request proper, one word per channel (0xFFFE sample, 0xFFFF leave).
    bool startStream(const std::vector<uint16_t>& words);
    bool stopStream(int channel);
    // Moves whole samples of the channel's ring into `buffer`; true when bytes moved or the
    // stream still runs.
    bool takeSamples(int channel, void* buffer, int32_t size, int32_t sampleSize, int32_t* moved);
    bool sendAttachNotice();
    bool checkProbeValidity(int channel, void* buffer, int32_t length);
    // Request 0x01: data sheet bytes from offset 0.
    bool readDataSheetBytes(int channel, void* buffer, int32_t length, int32_t* transferred);

    // What the reader thread does with one successful bulk read.
    void processBlock(const uint8_t* data, size_t n);

    // Ends the reader thread, closes the handles and frees the rings (also done on destruction).
    void shutDown();

  private:
    class RingSink;
    struct PipeRelease;

    void readerLoop();
    void readerCycles();
    // Takes the stream pipe once it is free (within `wait`); with `yieldToStop`, not while a
    // stop is pending. Released by releasePipe.
    bool acquirePipe(std::chrono::milliseconds wait, bool yieldToStop);
    void releasePipe();
    void setRings(int count);
    bool lockRings(uint32_t timeoutMs);
    void unlockRings();
    void endStream(int32_t status);

    std::shared_ptr<platform::Platform> os_;
    UsbDriver* driver_;
    std::atomic<int32_t> channelCount_{0};
    std::atomic<bool> streaming_{false};
    std::atomic<int32_t> streamStatus_{0};
    uint8_t streamFlag_ = 0;
    bool oneByteStop_ = false;
    bool drainAfterStop_ = false;
    platform::Handle ringMutex_ = platform::kInvalidHandle;
    platform::Handle wakeEvent_ = platform::kInvalidHandle;
    platform::Handle exitEvent_ = platform::kInvalidHandle;
    bool hasThread_ = false;
    std::atomic<bool> quit_{false};
    std::atomic<bool> stopRequested_{false};
    std::atomic<int32_t> fastReads_{0};
    // Rings are created, freed and used only under the ring mutex; the mask lets the frame
    // parser check a channel without it.
    std::array<std::unique_ptr<SampleRing>, kMaxChannels> rings_;
    std::atomic<uint32_t> ringMask_{0};
    // The frame parser belongs to the reader thread; a start asks it to begin afresh.
    FrameParser parser_;
    std::atomic<bool> parserReset_{false};
    std::atomic<bool> exited_{false};
    std::atomic<bool> readerFailed_{false};
    // Whoever reads the stream pipe has it to itself: the reader thread, or a stop's drain on
    // the caller's thread. The reader starts no read while a stop is pending.
    std::mutex pipeMutex_;
    std::condition_variable pipeFree_;
    bool pipeBusy_ = false;  // under pipeMutex_
    std::thread thread_;
    bool shutDown_ = false;
};

}  // namespace vornik
