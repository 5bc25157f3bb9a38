// Emulated sensor interface: the vendor requests, the loader mode and the bulk stream.
#include "emulation/emulated_interface.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace vornik::emulation {

namespace {

constexpr std::uint8_t kVendorIn = 0xC2;
constexpr std::uint8_t kVendorOut = 0x42;
constexpr std::uint16_t kCpuControlRegister = 0x7F92;
constexpr std::size_t kMaxPending = 1u << 20;  // the device drops samples beyond this backlog
constexpr std::size_t kMaxRecords = 4096;      // oldest half dropped beyond this
constexpr std::uint16_t kOneByteStopProduct = 8;
constexpr std::size_t kMaxFramePayload = 0xFFFF;
constexpr std::uint8_t kFrameMarker = 0xC3;

// Counts the bulk reads inside the pipes and keeps the most ever seen at once.
class PipeReadCount {
  public:
    PipeReadCount(std::atomic<int>& inside, std::atomic<int>& most) : inside_(inside) {
        const int now = ++inside_;
        int seen = most.load();
        while (now > seen && !most.compare_exchange_weak(seen, now)) {
        }
    }
    ~PipeReadCount() { --inside_; }
    PipeReadCount(const PipeReadCount&) = delete;
    PipeReadCount& operator=(const PipeReadCount&) = delete;

  private:
    std::atomic<int>& inside_;
};

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

EmulatedInterface::Reply answer(std::span<const std::uint8_t> reply, std::uint8_t* data,
                                std::uint32_t length) {
    const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(length, reply.size()));
    if (n > 0) std::memcpy(data, reply.data(), n);
    return {true, n};
}

constexpr EmulatedInterface::Reply kStall{false, 0};

}  // namespace

EmulatedInterface::EmulatedInterface(InterfaceConfig config)
    : config_(std::move(config)), productId_(config_.productId) {}

// --- steering and observation ---

void EmulatedInterface::setSensor(int channel, SensorConfig sensor) {
    if (channel < 0) return;
    std::lock_guard lock(mutex_);
    const std::size_t before = config_.sensors.size();
    if (before <= static_cast<std::size_t>(channel)) {
        config_.sensors.resize(static_cast<std::size_t>(channel) + 1);
        // Ports padded in between carry no sensor.
        for (std::size_t i = before; i < config_.sensors.size(); ++i) {
            config_.sensors[i].present = false;
        }
    }
    config_.sensors[static_cast<std::size_t>(channel)] = std::move(sensor);
}

void EmulatedInterface::failNextTransfers(int n) {
    std::lock_guard lock(mutex_);
    failuresLeft_ = std::max(0, n);
}

void EmulatedInterface::failNextPipeTransfers(std::uint8_t endpoint, int n) {
    std::lock_guard lock(mutex_);
    pipeFailuresLeft_[endpoint] = std::max(0, n);
}

void EmulatedInterface::queueBrokenFrame(BrokenFrame kind) {
    std::lock_guard lock(mutex_);
    produceStream(steadyMs());
    if (kind == BrokenFrame::Marker) {
        pending_.insert(pending_.end(), {0x5A, 0x00, 0x01, 0x00, 0x00});
    } else {
        const auto channel = static_cast<std::uint8_t>(std::min<int>(config_.channelCount, 0xFF));
        pending_.insert(pending_.end(), {kFrameMarker, channel, 0x01, 0x00, 0x00});
    }
    streamCv_.notify_all();
}

void EmulatedInterface::setDescriptorLength(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    descriptorLength_ = std::min<std::size_t>(bytes, 18);
}

void EmulatedInterface::injectStreamBytes(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    injected_.insert(injected_.end(), bytes.begin(), bytes.end());
    streamCv_.notify_all();
}

InterfaceConfig EmulatedInterface::config() const {
    std::lock_guard lock(mutex_);
    return config_;
}

bool EmulatedInterface::pluggedIn() const {
    std::lock_guard lock(mutex_);
    return bus_.present;
}

std::uint16_t EmulatedInterface::productId() const {
    std::lock_guard lock(mutex_);
    return productId_;
}

bool EmulatedInterface::cpuHeld() const {
    std::lock_guard lock(mutex_);
    return cpuHeld_;
}

std::vector<FirmwareChunk> EmulatedInterface::firmwareChunks() const {
    std::lock_guard lock(mutex_);
    return chunks_;
}

int EmulatedInterface::firmwareDownloads() const {
    std::lock_guard lock(mutex_);
    return downloads_;
}

int EmulatedInterface::attachNotices() const {
    std::lock_guard lock(mutex_);
    return attachNotices_;
}

std::vector<int> EmulatedInterface::streamingChannels() const {
    std::lock_guard lock(mutex_);
    return streaming_;
}

std::optional<StreamConfiguration> EmulatedInterface::streamConfiguration(int channel) const {
    std::lock_guard lock(mutex_);
    if (channel < 0 || channel >= static_cast<int>(streamConfig_.size())) return std::nullopt;
    return streamConfig_[static_cast<std::size_t>(channel)];
}

std::vector<TransferRecord> EmulatedInterface::transfers() const {
    std::lock_guard lock(mutex_);
    return transfers_;
}

void EmulatedInterface::clearTransfers() {
    std::lock_guard lock(mutex_);
    transfers_.clear();
}

EmulatedInterface::BusState EmulatedInterface::busState() const {
    std::lock_guard lock(mutex_);
    return bus_;
}

void EmulatedInterface::setBusState(const BusState& state) {
    std::lock_guard lock(mutex_);
    if (!state.present) streaming_.clear();
    bus_ = state;
    streamCv_.notify_all();
}

bool EmulatedInterface::takeDueReconnect(std::int64_t nowMs) {
    std::lock_guard lock(mutex_);
    if (!bus_.reconnectAtMs || nowMs < *bus_.reconnectAtMs) return false;
    bus_.reconnectAtMs.reset();
    return true;
}

// --- helpers ---

const SensorConfig* EmulatedInterface::sensor(std::uint16_t channel) const {
    if (channel >= config_.channelCount || channel >= config_.sensors.size()) return nullptr;
    return &config_.sensors[channel];
}

std::uint16_t EmulatedInterface::firmwareProduct() const {
    if (productId_ == 2 && config_.binding == Binding::KernelDriver && config_.realProductId != 0) {
        return config_.realProductId;
    }
    return productId_;
}

bool EmulatedInterface::consumeFailure() {
    if (failuresLeft_ == 0) return false;
    --failuresLeft_;
    return true;
}

bool EmulatedInterface::consumePipeFailure(std::uint8_t endpoint) {
    const auto it = pipeFailuresLeft_.find(endpoint);
    if (it == pipeFailuresLeft_.end() || it->second == 0) return consumeFailure();
    --it->second;
    return true;
}

void EmulatedInterface::record(TransferRecord entry) {
    if (transfers_.size() >= kMaxRecords) {
        transfers_.erase(transfers_.begin(), transfers_.begin() + kMaxRecords / 2);
    }
    transfers_.push_back(std::move(entry));
}

std::uint32_t EmulatedInterface::descriptor(std::uint8_t* buffer, std::uint32_t length) const {
    std::lock_guard lock(mutex_);
    const std::uint8_t full[18] = {18,
                                   1,
                                   0x00,
                                   0x02,
                                   0xFF,
                                   0x00,
                                   0x00,
                                   64,
                                   static_cast<std::uint8_t>(config_.vendorId & 0xFF),
                                   static_cast<std::uint8_t>(config_.vendorId >> 8),
                                   static_cast<std::uint8_t>(productId_ & 0xFF),
                                   static_cast<std::uint8_t>(productId_ >> 8),
                                   0x00,
                                   0x01,
                                   1,
                                   2,
                                   0,
                                   1};
    const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(length, descriptorLength_));
    if (!bus_.present) return 0;
    if (n > 0) std::memcpy(buffer, full, n);
    return n;
}

bool EmulatedInterface::knowsEndpoint(std::uint8_t endpoint) const {
    std::lock_guard lock(mutex_);
    return std::find(config_.endpoints.begin(), config_.endpoints.end(), endpoint) !=
           config_.endpoints.end();
}

// --- control transfers ---

EmulatedInterface::Reply EmulatedInterface::control(std::uint8_t requestType, std::uint8_t request,
                                                    std::uint16_t value, std::uint16_t index,
                                                    std::uint8_t* data, std::uint32_t length,
                                                    bool nullBuffer) {
    std::lock_guard lock(mutex_);
    TransferRecord entry;
    entry.kind = TransferRecord::Kind::Control;
    entry.requestType = requestType;
    entry.request = request;
    entry.value = value;
    entry.index = index;
    entry.length = static_cast<std::uint16_t>(length);
    entry.nullBuffer = nullBuffer;
    if (requestType == kVendorOut && length > 0) entry.data.assign(data, data + length);

    Reply reply = kStall;
    if (bus_.present && length <= 0xFFFF && !consumeFailure()) {
        if (productId_ == kLoaderProductId && config_.vendorId == vendorUsbId) {
            // The loader answers its download request and nothing else.
            if (requestType == kVendorOut && request == 0xA0) {
                reply = loaderOut(value, index, data, length);
            }
        } else if (requestType == kVendorIn) {
            reply = vendorIn(request, value, index, data, length);
            if (reply.ok) entry.data.assign(data, data + reply.transferred);
        } else if (requestType == kVendorOut) {
            reply = vendorOut(request, value, index, data, length);
        }
    }
    entry.ok = reply.ok;
    record(std::move(entry));
    return reply;
}

EmulatedInterface::Reply EmulatedInterface::vendorIn(std::uint8_t request, std::uint16_t value,
                                                     std::uint16_t index, std::uint8_t* data,
                                                     std::uint32_t length) {
    switch (request) {
        case 0x01: {  // data sheet bytes
            const SensorConfig* s = sensor(index);
            if (value != 0 || !s || s->dataSheet.empty()) return kStall;
            return answer(s->dataSheet, data, length);
        }
        case 0x21: {  // one sample
            const SensorConfig* s = sensor(index);
            if (value != 0 || !s || s->sample.empty()) return kStall;
            return answer(s->sample, data, length);
        }
        case 0x84: {  // interface information
            if (value != 0 || index != 0) return kStall;
            std::uint8_t info[64] = {};
            info[0] = static_cast<std::uint8_t>(config_.channelCount & 0xFF);
            info[1] = static_cast<std::uint8_t>(config_.channelCount >> 8);
            info[2] = static_cast<std::uint8_t>(config_.capabilityWord & 0xFF);
            info[3] = static_cast<std::uint8_t>(config_.capabilityWord >> 8);
            std::copy(config_.capabilities.begin(), config_.capabilities.end(), info + 4);
            return answer(info, data, length);
        }
        case 0x8A:  // attach notice, no data stage
            if (value != 1 || index != 0 || length != 0) return kStall;
            ++attachNotices_;
            return {true, 0};
        case 0xC6: {  // probe validity
            const SensorConfig* s = sensor(index);
            if (value != 0x40 || !s || s->probeValidity.empty()) return kStall;
            return answer(s->probeValidity, data, length);
        }
        case 0xED: {  // real product id
            if (value != 0 || index != 0 || config_.realProductId == 0) return kStall;
            const std::uint8_t id[2] = {static_cast<std::uint8_t>(config_.realProductId & 0xFF),
                                        static_cast<std::uint8_t>(config_.realProductId >> 8)};
            return answer(id, data, length);
        }
        case 0xF1: {  // channel status
            if (value != 0 || index >= config_.channelCount) return kStall;
            const SensorConfig* s = sensor(index);
            std::uint8_t status[16] = {};
            status[0] = static_cast<std::uint8_t>(s ? s->statusCode : 0);
            status[10] = (s && s->present) ? 1 : 0;
            return answer(status, data, length);
        }
        case 0xF2: {  // version, product 8 only
            if (value != 0 || index != 0 || firmwareProduct() != kOneByteStopProduct) return kStall;
            std::uint8_t version[64] = {config_.version[0], config_.version[1]};
            return answer(version, data, length);
        }
        default:
            return kStall;
    }
}

EmulatedInterface::Reply EmulatedInterface::vendorOut(std::uint8_t request, std::uint16_t value,
                                                      std::uint16_t index, const std::uint8_t* data,
                                                      std::uint32_t length) {
    const int channels = std::min<int>(config_.channelCount, 10);
    switch (request) {
        case 0x81: {  // stream configuration
            if (value != 0 || index >= channels || length != 8) return kStall;
            StreamConfiguration c;
            c.rate = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
            c.sampleSize = static_cast<std::uint16_t>(data[2] | (data[3] << 8));
            std::copy(data + 4, data + 8, c.flags.begin());
            streamConfig_[index] = c;
            return {true, 8};
        }
        case 0x82: {  // start: one word per channel, 0xFFFE samples it, 0xFFFF leaves it
            if (index != 0) return kStall;
            std::vector<std::uint16_t> words;
            if (config_.channelCount == 1) {
                if (length != 0) return kStall;
                words.push_back(value);
            } else {
                if (value != 0 || length != 2u * static_cast<std::uint32_t>(channels)) {
                    return kStall;
                }
                for (int c = 0; c < channels; ++c) {
                    words.push_back(
                        static_cast<std::uint16_t>(data[2 * c] | (data[2 * c + 1] << 8)));
                }
            }
            std::vector<int> started;
            for (std::size_t c = 0; c < words.size(); ++c) {
                if (words[c] == 0xFFFE) {
                    const SensorConfig* s = sensor(static_cast<std::uint16_t>(c));
                    if (!s || !s->present) return kStall;
                    started.push_back(static_cast<int>(c));
                } else if (words[c] != 0xFFFF) {
                    return kStall;
                }
            }
            streaming_ = std::move(started);
            streamStartMs_ = steadyMs();
            samplesProduced_ = 0;
            nextSample_.assign(10, 0);
            pending_.clear();
            streamCv_.notify_all();
            return {true, length};
        }
        case 0x83: {  // stop one channel
            if (value != 0 || index >= channels) return kStall;
            const std::uint32_t expected = firmwareProduct() == kOneByteStopProduct ? 1 : 0;
            if (length != expected || (expected == 1 && data[0] != 0)) return kStall;
            std::erase(streaming_, static_cast<int>(index));
            streamCv_.notify_all();
            return {true, length};
        }
        default:
            return kStall;
    }
}

EmulatedInterface::Reply EmulatedInterface::loaderOut(std::uint16_t value, std::uint16_t index,
                                                      const std::uint8_t* data,
                                                      std::uint32_t length) {
    if (index != 0 || length == 0) return kStall;
    if (value == kCpuControlRegister) {
        if (length != 1) return kStall;
        if (data[0] == 0x01) {
            cpuHeld_ = true;
            chunks_.clear();
            ram_.assign(kFirmwareImageSize, 0);
            written_.assign(kFirmwareImageSize, false);
        } else if (data[0] == 0x00 && cpuHeld_) {
            // The CPU runs what was loaded: the right image reconnects as a working device,
            // anything else falls back into the loader.
            cpuHeld_ = false;
            const auto image = firmwareImage();
            const bool complete =
                std::all_of(written_.begin(), written_.end(), [](bool b) { return b; }) &&
                std::equal(ram_.begin(), ram_.end(), image.begin());
            if (complete) {
                ++downloads_;
                productId_ = config_.productIdAfterFirmware;
            }
            bus_.present = false;
            bus_.reconnectAtMs = steadyMs() + config_.reconnectDelayMs;
        } else {
            return kStall;
        }
        return {true, 1};
    }
    // A chunk of the image at its load address; only while the CPU is held.
    if (!cpuHeld_ || value + static_cast<std::size_t>(length) > kFirmwareImageSize) return kStall;
    chunks_.push_back({value, length});
    std::copy(data, data + length, ram_.begin() + value);
    std::fill(written_.begin() + value, written_.begin() + value + length, true);
    return {true, length};
}

// --- bulk pipes ---

std::span<const std::uint8_t> EmulatedInterface::nextStreamSample(int channel) {
    const SensorConfig* s = sensor(static_cast<std::uint16_t>(channel));
    if (!s) return {};
    std::size_t& next = nextSample_[static_cast<std::size_t>(channel)];
    if (!s->streamSamples.empty()) {
        const auto& sample = s->streamSamples[next % s->streamSamples.size()];
        ++next;
        return sample;
    }
    return s->sample;
}

void EmulatedInterface::produceStream(std::int64_t nowMs) {
    if (streaming_.empty()) return;
    std::int64_t target = 0;
    if (config_.samplesPerSecond > 0) {
        target = static_cast<std::int64_t>(static_cast<double>(nowMs - streamStartMs_) *
                                           config_.samplesPerSecond / 1000.0);
    } else {
        target = samplesProduced_ + std::max(1, config_.samplesPerFrame);
    }
    const bool framed = config_.channelCount > 1;
    std::vector<std::uint8_t> payload;
    while (samplesProduced_ < target) {
        if (pending_.size() > kMaxPending) {
            samplesProduced_ = target;  // the device's buffer overflows: samples are lost
            break;
        }
        const std::int64_t k = framed ? std::min<std::int64_t>(std::max(1, config_.samplesPerFrame),
                                                               target - samplesProduced_)
                                      : 1;
        for (int channel : streaming_) {
            // A frame's length field has 16 bits: samples that would overflow it open a new one.
            const auto flush = [&] {
                if (framed) {
                    pending_.push_back(kFrameMarker);
                    pending_.push_back(static_cast<std::uint8_t>(channel));
                    pending_.push_back(static_cast<std::uint8_t>(payload.size() & 0xFF));
                    pending_.push_back(static_cast<std::uint8_t>((payload.size() >> 8) & 0xFF));
                }
                pending_.insert(pending_.end(), payload.begin(), payload.end());
                payload.clear();
            };
            payload.clear();
            for (std::int64_t i = 0; i < k; ++i) {
                const auto sample = nextStreamSample(channel);
                if (framed && !payload.empty() &&
                    payload.size() + sample.size() > kMaxFramePayload) {
                    flush();
                }
                // A single sample longer than a frame holds is cut to what fits.
                const auto take =
                    framed ? std::min(sample.size(), kMaxFramePayload) : sample.size();
                payload.insert(payload.end(), sample.begin(),
                               sample.begin() + static_cast<std::ptrdiff_t>(take));
            }
            flush();
        }
        samplesProduced_ += k;
    }
}

EmulatedInterface::Reply EmulatedInterface::readPipe(std::uint8_t endpoint, std::uint8_t* buffer,
                                                     std::uint32_t length) {
    const PipeReadCount count(pipeReads_, mostPipeReads_);
    std::unique_lock lock(mutex_);
    TransferRecord entry;
    entry.kind = TransferRecord::Kind::ReadPipe;
    entry.pipe = endpoint;
    entry.length = static_cast<std::uint16_t>(std::min<std::uint32_t>(length, 0xFFFF));
    Reply reply = kStall;
    if (bus_.present && endpoint == 0x82 && buffer != nullptr && !consumePipeFailure(endpoint)) {
        const std::uint64_t generation = bus_.generation;
        const std::uint64_t aborts = abortCount_;
        auto idleDeadline = steadyMs() + config_.readTimeoutMs;
        for (;;) {
            if (!bus_.present || bus_.generation != generation || abortCount_ != aborts) break;
            produceStream(steadyMs());
            std::deque<std::uint8_t>& source = injected_.empty() ? pending_ : injected_;
            if (!source.empty()) {
                std::size_t n = std::min<std::size_t>(length, source.size());
                if (!config_.readSplits.empty()) {
                    const std::size_t bound =
                        config_.readSplits[splitIndex_++ % config_.readSplits.size()];
                    n = std::min(n, std::max<std::size_t>(bound, 1));
                }
                std::copy_n(source.begin(), n, buffer);
                source.erase(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(n));
                reply = {true, static_cast<std::uint32_t>(n)};
                entry.data.assign(buffer, buffer + n);
                break;
            }
            if (length == 0) {
                reply = {true, 0};
                break;
            }
            const auto now = steadyMs();
            if (streaming_.empty()) {
                if (now >= idleDeadline) break;  // the pipe's time-out
                streamCv_.wait_for(lock, std::chrono::milliseconds(idleDeadline - now));
            } else {
                idleDeadline = now + config_.readTimeoutMs;
                streamCv_.wait_for(lock, std::chrono::milliseconds(1));
            }
        }
    }
    entry.ok = reply.ok;
    record(std::move(entry));
    return reply;
}

EmulatedInterface::Reply EmulatedInterface::writePipe(std::uint8_t endpoint,
                                                      const std::uint8_t* buffer,
                                                      std::uint32_t length) {
    std::lock_guard lock(mutex_);
    TransferRecord entry;
    entry.kind = TransferRecord::Kind::WritePipe;
    entry.pipe = endpoint;
    entry.length = static_cast<std::uint16_t>(std::min<std::uint32_t>(length, 0xFFFF));
    Reply reply = kStall;
    const bool known = std::find(config_.endpoints.begin(), config_.endpoints.end(), endpoint) !=
                       config_.endpoints.end();
    if (bus_.present && known && (endpoint & 0x80) == 0 && (buffer || length == 0) &&
        !consumePipeFailure(endpoint)) {
        if (length > 0) entry.data.assign(buffer, buffer + length);
        reply = {true, length};
    }
    entry.ok = reply.ok;
    record(std::move(entry));
    return reply;
}

bool EmulatedInterface::resetPipe(std::uint8_t endpoint) {
    std::lock_guard lock(mutex_);
    TransferRecord entry;
    entry.kind = TransferRecord::Kind::ResetPipe;
    entry.pipe = endpoint;
    entry.ok = bus_.present && std::find(config_.endpoints.begin(), config_.endpoints.end(),
                                         endpoint) != config_.endpoints.end();
    record(entry);
    return entry.ok;
}

bool EmulatedInterface::abortPipe(std::uint8_t endpoint) {
    std::lock_guard lock(mutex_);
    TransferRecord entry;
    entry.kind = TransferRecord::Kind::AbortPipe;
    entry.pipe = endpoint;
    entry.ok = bus_.present && std::find(config_.endpoints.begin(), config_.endpoints.end(),
                                         endpoint) != config_.endpoints.end();
    if (entry.ok) ++abortCount_;
    streamCv_.notify_all();
    record(entry);
    return entry.ok;
}

}  // namespace vornik::emulation
