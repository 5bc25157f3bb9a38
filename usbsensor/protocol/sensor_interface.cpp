// Sensor interface: vendor requests, stream start and stop, the reader thread and the rings.
#include "protocol/sensor_interface.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <exception>

#include "platform/diagnostics.h"
#include "transport/usb_driver.h"

namespace vornik {

// Gives the stream pipe back when a read or a drain ends, whichever way it ends.
struct SensorInterface::PipeRelease {
    SensorInterface& owner;
    ~PipeRelease() { owner.releasePipe(); }
};

namespace {
constexpr uint16_t kProductsWithoutInfo[] = {product::kSingleChannelA, product::kSingleChannelB,
                                             product::kFourChannels};
// Stream configuration flags sent by a start.
constexpr std::array<uint8_t, 4> kStartFlags{0, 0, 1, 0};
}  // namespace

// Delivers frame payloads into the rings; used while the reader holds the ring mutex. The
// channels and their rings are taken once per block: the ring set only changes under the
// mutex, and a block is parsed against one view of the channel count.
class SensorInterface::RingSink final : public FrameSink {
  public:
    RingSink(SensorInterface& owner, bool locked) {
        const int count = owner.channelCount_.load();
        const uint32_t mask = owner.ringMask_.load();
        for (int i = 0; i < kMaxChannels; ++i) {
            const bool usable = i < count && ((mask >> i) & 1) != 0;
            if (usable) channels_ |= 1u << i;
            if (usable && locked)
                rings_[static_cast<size_t>(i)] = owner.rings_[static_cast<size_t>(i)].get();
        }
    }
    bool hasChannel(uint8_t channel) const override {
        return channel < kMaxChannels && ((channels_ >> channel) & 1) != 0;
    }
    StoreResult store(uint8_t channel, const uint8_t* data, size_t n) override {
        SampleRing* ring = rings_[channel];
        if (ring == nullptr) return StoreResult::Dropped;
        return ring->write(data, n) ? StoreResult::Stored : StoreResult::Full;
    }

  private:
    uint32_t channels_ = 0;
    std::array<SampleRing*, kMaxChannels> rings_{};
};

SensorInterface::SensorInterface(UsbDriver* driver, bool withThread)
    : os_(platform::currentShared()), driver_(driver) {
    ringMutex_ = os_->createMutex(false);
    wakeEvent_ = os_->createEvent(true, false);
    exitEvent_ = os_->createEvent(true, false);
    if (withThread) {
        try {
            thread_ = os_->startThread([this] { readerLoop(); });
        } catch (...) {
            os_->closeHandle(exitEvent_);
            os_->closeHandle(wakeEvent_);
            os_->closeHandle(ringMutex_);
            throw;
        }
        hasThread_ = true;
    }
}

SensorInterface::~SensorInterface() {
    shutDown();
}

bool SensorInterface::hasRing(int channel) const {
    return channel >= 0 && channel < kMaxChannels && (ringMask_.load() >> channel) & 1;
}

bool SensorInterface::lockRings(uint32_t timeoutMs) {
    const platform::WaitResult r = os_->waitForSingleObject(ringMutex_, timeoutMs);
    return r == platform::WaitResult::Signaled || r == platform::WaitResult::Abandoned;
}

void SensorInterface::unlockRings() {
    os_->releaseMutex(ringMutex_);
}

void SensorInterface::setRings(int count) {
    // A reader thread may be storing into these rings: change them only under the mutex.
    if (!lockRings(platform::kInfinite)) return;
    uint32_t mask = 0;
    for (int i = 0; i < kMaxChannels; ++i) {
        auto& ring = rings_[static_cast<size_t>(i)];
        if (i < count) {
            if (!ring) ring = std::make_unique<SampleRing>();
            mask |= 1u << i;
        } else {
            ring.reset();
        }
    }
    ringMask_.store(mask);
    unlockRings();
}

bool SensorInterface::readInterfaceInfo(InterfaceInfo& info, int32_t productId, bool allocate) {
    info.productId = static_cast<uint16_t>(productId);
    bool ok;
    if (std::find(std::begin(kProductsWithoutInfo), std::end(kProductsWithoutInfo), productId) !=
        std::end(kProductsWithoutInfo)) {
        info.channelCount = productId == product::kFourChannels ? 4 : 1;
        info.capabilityWord = 1;
        info.capabilities = {true, false, false, false, false, false};
        info.fourthCapability = false;
        ok = true;
    } else {
        uint8_t reply[info_reply::kSize] = {};
        ok = driver_ != nullptr &&
             driver_->controlIn(request::kInterfaceInfo, 0, 0, reply, sizeof reply);
        info.channelCount = 0;  // an interface that does not answer has no channels
        if (ok) {
            const uint8_t* count = reply + info_reply::kChannelCount;
            const uint8_t* word = reply + info_reply::kCapabilityWord;
            info.channelCount = static_cast<uint16_t>(count[0] | (count[1] << 8));
            info.capabilityWord = static_cast<uint16_t>(word[0] | (word[1] << 8));
            for (size_t i = 0; i < info.capabilities.size(); ++i)
                info.capabilities[i] = reply[info_reply::kCapabilities + i] != 0;
            info.fourthCapability = info.capabilities[3];
            if (productId == product::kMarkedInInfo) info.fromProductSix = true;
        }
    }
    oneByteStop_ = false;
    drainAfterStop_ = false;
    if (productId == product::kOneByteStop) {
        oneByteStop_ = true;
        uint8_t version[kVersionReplySize + 1] = {};
        if (driver_ != nullptr &&
            driver_->controlIn(request::kVersion, 0, 0, version, kVersionReplySize)) {
            const int v = static_cast<int8_t>(version[0]) * 256 + static_cast<int8_t>(version[1]);
            drainAfterStop_ = v >= product::kDrainFromVersion;
        }
    }
    // The object has room for ten rings; a larger count is limited to that.
    const int count = std::min<int>(info.channelCount, kMaxChannels);
    channelCount_.store(count);
    if (allocate) setRings(count);
    return ok;
}

bool SensorInterface::channelStatus(int channel, ChannelStatus* status) {
    using namespace status_reply;
    uint8_t r[kSize] = {};
    if (driver_ == nullptr ||
        !driver_->controlIn(request::kChannelStatus, 0, static_cast<uint16_t>(channel), r, kSize))
        return false;
    if (status != nullptr) {
        status->code = static_cast<int8_t>(r[kCode]);
        status->flagAfterCode = r[kFlag] != 0;
        for (size_t i = 0; i < status->values.size(); ++i) {
            const uint8_t* v = r + kValues + 2 * i;
            status->values[i] = static_cast<int16_t>(v[0] | (v[1] << 8));
        }
        status->sensorPresent = r[kSensorPresent] != 0;
        for (size_t i = 0; i < status->flagsAfterPresence.size(); ++i)
            status->flagsAfterPresence[i] = r[kFlags + i] != 0;
        status->signedByte14 = static_cast<int8_t>(r[kSignedByte]);
    }
    return true;
}

bool SensorInterface::sensorPresent(int channel) {
    ChannelStatus s;
    return channelStatus(channel, &s) && s.sensorPresent;
}

bool SensorInterface::oneSample(int channel, void* buffer, int32_t sampleSize,
                                int32_t* transferred) {
    return driver_ != nullptr &&
           driver_->controlIn(request::kOneSample, 0, static_cast<uint16_t>(channel), buffer,
                              sampleSize, transferred);
}

bool SensorInterface::configureStream(int channel, uint16_t rate, uint16_t sampleSize,
                                      const std::array<uint8_t, 4>& flags) {
    streamFlag_ = flags[0];
    const uint8_t block[8] = {static_cast<uint8_t>(rate),
                              static_cast<uint8_t>(rate >> 8),
                              static_cast<uint8_t>(sampleSize),
                              static_cast<uint8_t>(sampleSize >> 8),
                              flags[0],
                              flags[1],
                              flags[2],
                              flags[3]};
    return driver_ != nullptr && driver_->controlOut(request::kConfigureStream, 0,
                                                     static_cast<uint16_t>(channel), block, 8);
}

bool SensorInterface::startStreaming(int channel, uint16_t rate, uint16_t sampleSize) {
    configureStream(channel, rate, sampleSize, kStartFlags);  // a refusal does not stop the start
    const int count = channelCount_.load();
    std::vector<uint16_t> words(static_cast<size_t>(count), kIdleWord);
    if (channel >= 0 && channel < count) words[static_cast<size_t>(channel)] = kSampleWord;
    return startStream(words);
}

bool SensorInterface::startStream(const std::vector<uint16_t>& words) {
    parserReset_.store(true);
    if (lockRings(platform::kInfinite)) {
        for (int i = 0; i < channelCount_.load(); ++i)
            if (rings_[static_cast<size_t>(i)]) rings_[static_cast<size_t>(i)]->reset();
        unlockRings();
    }
    if (words.empty() ||
        std::all_of(words.begin(), words.end(), [](uint16_t w) { return w == kIdleWord; }))
        return true;
    if (driver_ == nullptr) return false;
    streamStatus_.store(0);
    driver_->resetPipe(kStreamPipe);
    bool ok;
    if (words.size() == 1) {
        ok = driver_->controlOut(request::kStartStream, words[0], 0, nullptr, 0);
    } else {
        std::vector<uint8_t> data;
        for (uint16_t w : words) {
            data.push_back(static_cast<uint8_t>(w));
            data.push_back(static_cast<uint8_t>(w >> 8));
        }
        ok = driver_->controlOut(request::kStartStream, 0, 0, data.data(),
                                 static_cast<int32_t>(data.size()));
    }
    if (ok) {
        // A stop that the reader has not seen yet must not end the new stream.
        stopRequested_.store(false);
        streaming_.store(true);
        fastReads_.store(kFastReadsAfterStart);
        os_->setEvent(wakeEvent_);
    }
    return ok;
}

bool SensorInterface::stopStream(int channel) {
    fastReads_.store(0);
    stopRequested_.store(true);
    os_->setEvent(wakeEvent_);
    if (driver_ == nullptr) return false;
    const uint8_t zero = 0;
    const bool ok = driver_->controlOut(request::kStopStream, 0, static_cast<uint16_t>(channel),
                                        oneByteStop_ ? &zero : nullptr, oneByteStop_ ? 1 : 0);
    if (drainAfterStop_) {
        // The reader may be inside a read of the same pipe: the drain waits until it is out
        // (it starts none while the stop is pending).
        if (acquirePipe(std::chrono::milliseconds(kRingWaitMs), false)) {
            const PipeRelease release{*this};
            std::vector<uint8_t> scratch(kDrainReadSize);
            for (int i = 0; i < kDrainReads; ++i)
                driver_->readPipe(kStreamPipe, scratch.data(), kDrainReadSize);
        } else {
            diagnostics::log("stream stop: the stream pipe stayed busy, not drained");
        }
    }
    return ok;
}

bool SensorInterface::takeSamples(int channel, void* buffer, int32_t size, int32_t sampleSize,
                                  int32_t* moved) {
    if (moved != nullptr) *moved = 0;
    if (channel < 0 || channel >= channelCount_.load() || !hasRing(channel)) return false;
    size_t n = 0;
    if (size > 0 && sampleSize > 0 && lockRings(kRingWaitMs)) {
        SampleRing* ring = rings_[static_cast<size_t>(channel)].get();
        if (ring != nullptr)
            n = ring->read(static_cast<uint8_t*>(buffer), static_cast<size_t>(size),
                           static_cast<size_t>(sampleSize));
        unlockRings();
    }
    if (moved != nullptr) *moved = static_cast<int32_t>(n);
    return n > 0 || streaming_.load();
}

bool SensorInterface::sendAttachNotice() {
    return driver_ != nullptr &&
           driver_->controlIn(request::kAttachNotice, kAttachNoticeValue, 0, nullptr, 0);
}

bool SensorInterface::checkProbeValidity(int channel, void* buffer, int32_t length) {
    return driver_ != nullptr && driver_->controlIn(request::kProbeValidity, kProbeValidityValue,
                                                    static_cast<uint16_t>(channel), buffer, length);
}

bool SensorInterface::readDataSheetBytes(int channel, void* buffer, int32_t length,
                                         int32_t* transferred) {
    return driver_ != nullptr &&
           driver_->controlIn(request::kDataSheet, 0, static_cast<uint16_t>(channel), buffer,
                              length, transferred);
}

void SensorInterface::endStream(int32_t status) {
    streamStatus_.store(status);
    streaming_.store(false);
}

void SensorInterface::processBlock(const uint8_t* data, size_t n) {
    if (parserReset_.exchange(false)) parser_.reset();
    if (channelCount_.load() == 1) {
        if (!lockRings(kRingWaitMs)) return;  // the bytes are dropped
        SampleRing* ring = rings_[0].get();
        if (ring != nullptr && !ring->write(data, n)) endStream(kStreamStatusRingFull);
        unlockRings();
        return;
    }
    // One lock per bulk read; when it cannot be had the payloads are dropped but the framing
    // is still followed.
    const bool locked = lockRings(kRingWaitMs);
    RingSink sink(*this, locked);
    if (streaming_.load() && streamStatus_.load() == 0) {
        const int status = parser_.feed(data, n, sink);
        if (status != 0) endStream(status);
    }
    if (locked) unlockRings();
}

bool SensorInterface::acquirePipe(std::chrono::milliseconds wait, bool yieldToStop) {
    std::unique_lock lock(pipeMutex_);
    if (!pipeFree_.wait_for(lock, wait, [this] { return !pipeBusy_; })) return false;
    if (yieldToStop && stopRequested_.load()) return false;
    pipeBusy_ = true;
    return true;
}

void SensorInterface::releasePipe() {
    {
        std::lock_guard lock(pipeMutex_);
        pipeBusy_ = false;
    }
    pipeFree_.notify_all();
}

void SensorInterface::readerLoop() {
    // Nothing may escape into the caller's process: an unexpected error ends the stream and the
    // thread, and is recorded.
    try {
        readerCycles();
    } catch (const std::exception& error) {
        readerFailed_.store(true);
        endStream(kStreamStatusReaderFailed);
        diagnostics::log("reader thread ended on an error: %s", error.what());
    } catch (...) {
        readerFailed_.store(true);
        endStream(kStreamStatusReaderFailed);
        diagnostics::log("reader thread ended on an unknown error");
    }
    exited_.store(true);
    os_->setEvent(exitEvent_);
}

void SensorInterface::readerCycles() {
    os_->setCurrentThreadPriority(platform::kThreadPriorityAboveNormal);
    std::vector<uint8_t> buffer(kReadBlock);
    while (!quit_.load()) {
        if (fastReads_.load() > 0) {
            fastReads_.fetch_sub(1);
        } else {
            os_->waitForSingleObject(wakeEvent_,
                                     streaming_.load() ? kStreamingWaitMs : kIdleWaitMs);
            os_->resetEvent(wakeEvent_);
        }
        if (stopRequested_.exchange(false)) streaming_.store(false);
        if (quit_.load() || driver_ == nullptr || !streaming_.load()) continue;
        // A start begins at frame channel 0: a read that fails before any block arrives asks
        // that channel's status, not the last channel of the previous stream.
        if (parserReset_.exchange(false)) parser_.reset();
        int32_t got = 0;
        bool read = false;
        {
            // A pending stop drains the pipe itself.
            if (!acquirePipe(std::chrono::milliseconds(0), true)) continue;
            const PipeRelease release{*this};
            read = driver_->readPipe(kStreamPipe, buffer.data(), kReadBlock, &got);
        }
        if (!read) {
            ChannelStatus status;
            const bool known = channelStatus(parser_.frameChannel(), &status);
            endStream(known ? status.code : kStreamStatusRequestFailed);
            driver_->resetPipe(kStreamPipe);
            continue;
        }
        processBlock(buffer.data(), static_cast<size_t>(std::clamp(got, 0, kReadBlock)));
    }
}

void SensorInterface::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    quit_.store(true);
    os_->setEvent(wakeEvent_);
    if (hasThread_) {
        if (os_->waitForSingleObject(exitEvent_, kExitWaitMs) != platform::WaitResult::Signaled &&
            driver_ != nullptr)
            driver_->abortPipe(kStreamPipe);  // a bulk read that never returns
        // The rings and handles go next: never while the thread may still touch them.
        if (thread_.joinable()) thread_.join();
    }
    os_->closeHandle(exitEvent_);
    os_->closeHandle(wakeEvent_);
    os_->closeHandle(ringMutex_);
    for (auto& ring : rings_) ring.reset();
    ringMask_.store(0);
}

}  // namespace vornik
