// Emulated platform backend: device nodes, device information sets, handles, device I/O
// control for the kernel driver and the host controllers, events and mutexes.
#include "emulation/emulated_platform.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "emulation/handle_registry.h"
#include "emulation/sync_object.h"
#include "platform/config.h"

namespace vornik::emulation {

namespace {

constexpr platform::DevInst kRootNode = 1;
constexpr std::uint32_t kFrameBaseStep = 1000000;
constexpr std::int32_t kPipeValueBase = 0x5000;

// Kernel driver control codes (device type 0x22).
constexpr std::uint32_t kIoctlDescriptor = 0x222004;
constexpr std::uint32_t kIoctlResetPipe = 0x222035;
constexpr std::uint32_t kIoctlAbortPipe = 0x22203D;
constexpr std::uint32_t kIoctlReadPipe = 0x22204E;
constexpr std::uint32_t kIoctlWritePipe = 0x222051;
constexpr std::uint32_t kIoctlFrameNumber = 0x222054;
constexpr std::uint32_t kIoctlVendorRequest = 0x222059;
constexpr std::uint32_t kIoctlLookupPipe = 0x222084;
// Host controller user request.
constexpr std::uint32_t kIoctlUsbUserRequest = 0x220438;
constexpr std::uint32_t kGetBusStatistics0 = 6;
constexpr std::uint32_t kBusStatisticsSize = 72;

std::u16string widen(const std::string& text) {
    return {text.begin(), text.end()};
}

std::string hex(std::uint32_t value, int digits) {
    static const char* kDigits = "0123456789abcdef";
    std::string out(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        out[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return out;
}

std::string guidText(const platform::Guid& g) {
    // Appended piece by piece: GCC 12 at -O3 misreads a chain of string + as overlapping copies.
    std::string text;
    text.reserve(38);
    text += '{';
    text += hex(g.data1, 8);
    text += '-';
    text += hex(g.data2, 4);
    text += '-';
    text += hex(g.data3, 4);
    text += '-';
    for (int i = 0; i < 8; ++i) {
        if (i == 2) text += '-';
        text += hex(g.data4[i], 2);
    }
    text += '}';
    return text;
}

std::uint32_t readU32(const std::uint8_t* p) {
    std::uint32_t v = 0;
    std::memcpy(&v, p, 4);
    return v;
}

void writeU32(std::uint8_t* p, std::uint32_t v) {
    std::memcpy(p, &v, 4);
}

bool isOpenExisting(std::uint32_t access, std::uint32_t creation) {
    return creation == platform::kOpenExisting &&
           (access & (platform::kGenericRead | platform::kGenericWrite)) != 0;
}

}  // namespace

EmulatedPlatform::EmulatedPlatform(int hostControllers) {
    for (int i = 0; i < std::max(0, hostControllers); ++i) {
        HostController hc;
        hc.devInst = nextDevInst_++;
        hc.path = widen("\\\\?\\pci#ven_8086&dev_1e2" + std::to_string(i) + "#3&11583659&0&" +
                        hex(static_cast<std::uint32_t>(i), 2) + "#" +
                        guidText(platform::kHostControllerClass));
        hc.frameBase = kFrameBaseStep * static_cast<std::uint32_t>(i + 1);
        parents_[hc.devInst] = kRootNode;
        hostControllers_.push_back(hc);
    }
}

EmulatedPlatform::~EmulatedPlatform() {
    handle_registry::releaseAll(this);
}

std::int64_t EmulatedPlatform::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() +
           clockAdvanceMs_.load();
}

std::int64_t EmulatedPlatform::elapsedMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now() - start_).count() +
           clockAdvanceMs_.load();
}

void EmulatedPlatform::advanceClock(std::chrono::milliseconds by) {
    clockAdvanceMs_.fetch_add(by.count());
    std::lock_guard lock(mutex_);
    reconnectDue();
}

void EmulatedPlatform::schedule(const ScheduledEvent& event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
    reconnectDue();
}

std::size_t EmulatedPlatform::pendingEvents() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

void EmulatedPlatform::applyEvent(const ScheduledEvent& event) {
    if (event.interfaceIndex >= devices_.size()) return;
    EmulatedInterface& device = *devices_[event.interfaceIndex];
    switch (event.action) {
        case ScheduledEvent::Action::Unplug:
            unplugLocked(device);
            break;
        case ScheduledEvent::Action::PlugBack:
            if (!device.busState().present) connectLocked(device);
            break;
        case ScheduledEvent::Action::FailPipe:
            device.failNextPipeTransfers(event.pipe, event.count);
            break;
        case ScheduledEvent::Action::BadMarker:
            device.queueBrokenFrame(EmulatedInterface::BrokenFrame::Marker);
            break;
        case ScheduledEvent::Action::BadChannel:
            device.queueBrokenFrame(EmulatedInterface::BrokenFrame::Channel);
            break;
    }
}

// --- the bus ---

void EmulatedPlatform::connectLocked(EmulatedInterface& device) {
    const InterfaceConfig config = device.config();
    EmulatedInterface::BusState state = device.busState();
    platform::DevInst parent = kRootNode;
    if (config.hostController >= 0 &&
        config.hostController < static_cast<int>(hostControllers_.size())) {
        parent = hostControllers_[static_cast<std::size_t>(config.hostController)].devInst;
    }
    for (int hub = 0; hub < config.hubDepth; ++hub) {
        const platform::DevInst node = nextDevInst_++;
        parents_[node] = parent;
        parent = node;
    }
    state.devInst = nextDevInst_++;
    parents_[state.devInst] = parent;
    state.present = true;
    ++state.generation;
    device.setBusState(state);
}

std::shared_ptr<EmulatedInterface> EmulatedPlatform::plugIn(const InterfaceConfig& config) {
    auto device = std::make_shared<EmulatedInterface>(config);
    std::lock_guard lock(mutex_);
    devices_.push_back(device);
    connectLocked(*device);
    return device;
}

void EmulatedPlatform::unplug(EmulatedInterface& device) {
    std::lock_guard lock(mutex_);
    unplugLocked(device);
}

void EmulatedPlatform::unplugLocked(EmulatedInterface& device) {
    EmulatedInterface::BusState state = device.busState();
    parents_.erase(state.devInst);
    state.present = false;
    state.reconnectAtMs.reset();
    device.setBusState(state);
}

void EmulatedPlatform::plugBack(EmulatedInterface& device) {
    std::lock_guard lock(mutex_);
    if (!device.busState().present) connectLocked(device);
}

std::vector<std::shared_ptr<EmulatedInterface>> EmulatedPlatform::interfaces() const {
    std::lock_guard lock(mutex_);
    return devices_;
}

void EmulatedPlatform::reconnectDue() {
    const auto now = nowMs();
    for (auto& device : devices_) {
        if (device->takeDueReconnect(now)) connectLocked(*device);
    }
    if (events_.empty()) return;
    const std::int64_t elapsed = elapsedMs();
    // In time order; events of the same time in the order they were scheduled.
    std::stable_sort(
        events_.begin(), events_.end(),
        [](const ScheduledEvent& a, const ScheduledEvent& b) { return a.atMs < b.atMs; });
    std::size_t due = 0;
    while (due < events_.size() && events_[due].atMs <= elapsed) applyEvent(events_[due++]);
    events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(due));
}

bool EmulatedPlatform::registeredUnder(const EmulatedInterface& device,
                                       const platform::Guid& cls) const {
    switch (device.config().binding) {
        case Binding::WinUsbClass1:
            return cls == vendorInterfaceClass1;
        case Binding::WinUsbClass2:
            return cls == vendorInterfaceClass2;
        case Binding::WinUsbBothClasses:
            return cls == vendorInterfaceClass1 || cls == vendorInterfaceClass2;
        case Binding::KernelDriver:
            return false;
    }
    return false;
}

std::u16string EmulatedPlatform::winUsbPath(const EmulatedInterface& device,
                                            const platform::Guid& cls) const {
    const InterfaceConfig config = device.config();
    const auto state = device.busState();
    std::string path = "\\\\?\\usb#vid_" + hex(config.vendorId, 4) + "&pid_" +
                       hex(device.productId(), 4) + "#" + config.name + "&" +
                       hex(state.devInst, 4) + "#" + guidText(cls);
    path.append(config.pathPadding, 'x');
    return widen(path);
}

// --- WinUSB module ---

void EmulatedPlatform::removeWinUsbFunction(const std::string& name) {
    std::lock_guard lock(mutex_);
    missingWinUsbFunctions_.insert(name);
}

void EmulatedPlatform::setWinUsbInstalled(bool installed) {
    std::lock_guard lock(mutex_);
    winUsbInstalled_ = installed;
}

int EmulatedPlatform::loadedModules() const {
    std::lock_guard lock(mutex_);
    return loadedModules_;
}

// --- observation ---

int EmulatedPlatform::openHandles() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(objects_.size() + winUsbHandles_.size());
}

std::uint32_t EmulatedPlatform::frameNumber(int hostController) const {
    if (hostController < 0 || hostController >= static_cast<int>(hostControllers_.size())) {
        return 0;
    }
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start_);
    return hostControllers_[static_cast<std::size_t>(hostController)].frameBase +
           static_cast<std::uint32_t>(elapsed.count());
}

int EmulatedPlatform::currentThreadPriority() const {
    std::lock_guard lock(mutex_);
    const auto it = threadPriorities_.find(std::this_thread::get_id());
    return it == threadPriorities_.end() ? platform::kThreadPriorityNormal : it->second;
}

// --- handles ---

platform::Handle EmulatedPlatform::addObject(Object object) {
    const platform::Handle handle = handle_registry::allocate(this);
    objects_.emplace(handle, std::move(object));
    return handle;
}

bool EmulatedPlatform::closeHandle(platform::Handle handle) {
    std::lock_guard lock(mutex_);
    const auto it = objects_.find(handle);
    if (it == objects_.end() || std::holds_alternative<DeviceInfoSet>(it->second)) return false;
    objects_.erase(it);
    handle_registry::release(handle);
    return true;
}

// --- device interfaces ---

platform::Handle EmulatedPlatform::getClassDevs(const platform::Guid& interfaceClass) {
    std::lock_guard lock(mutex_);
    reconnectDue();
    DeviceInfoSet set;
    if (interfaceClass == platform::kHostControllerClass) {
        for (const auto& hc : hostControllers_) set.members.push_back({hc.path, hc.devInst});
    } else {
        for (const auto& device : devices_) {
            const auto state = device->busState();
            if (state.present && registeredUnder(*device, interfaceClass)) {
                set.members.push_back({winUsbPath(*device, interfaceClass), state.devInst});
            }
        }
    }
    return addObject(std::move(set));
}

std::optional<platform::DeviceInterfaceEntry> EmulatedPlatform::enumDeviceInterface(
    platform::Handle deviceInfoSet, const platform::Guid&, std::uint32_t index) {
    std::lock_guard lock(mutex_);
    const auto it = objects_.find(deviceInfoSet);
    if (it == objects_.end()) return std::nullopt;
    const auto* set = std::get_if<DeviceInfoSet>(&it->second);
    if (!set || index >= set->members.size()) return std::nullopt;
    const auto& member = set->members[index];
    // SP_DEVICE_INTERFACE_DETAIL_DATA_W: a 32-bit size then the NUL-terminated wide path.
    const auto detailBytes = 4 + 2 * (member.path.size() + 1);
    if (detailBytes >= platform::kMaxInterfaceDetailBytes) return std::nullopt;
    return member;
}

bool EmulatedPlatform::destroyDeviceInfoList(platform::Handle deviceInfoSet) {
    std::lock_guard lock(mutex_);
    const auto it = objects_.find(deviceInfoSet);
    if (it == objects_.end() || !std::holds_alternative<DeviceInfoSet>(it->second)) return false;
    objects_.erase(it);
    handle_registry::release(deviceInfoSet);
    return true;
}

bool EmulatedPlatform::getParent(platform::DevInst child, platform::DevInst& parent) {
    std::lock_guard lock(mutex_);
    const auto it = parents_.find(child);
    if (it == parents_.end()) return false;
    parent = it->second;
    return true;
}

// --- files ---

platform::Handle EmulatedPlatform::createFileW(std::u16string_view path,
                                               std::uint32_t desiredAccess, std::uint32_t,
                                               std::uint32_t creationDisposition,
                                               std::uint32_t flagsAndAttributes) {
    std::lock_guard lock(mutex_);
    reconnectDue();
    if (!isOpenExisting(desiredAccess, creationDisposition)) return platform::kInvalidHandle;
    for (std::size_t i = 0; i < hostControllers_.size(); ++i) {
        if (hostControllers_[i].path == path) {
            return addObject(HostControllerFile{static_cast<int>(i)});
        }
    }
    for (const auto& device : devices_) {
        const auto state = device->busState();
        if (!state.present) continue;
        for (const auto& cls : {vendorInterfaceClass1, vendorInterfaceClass2}) {
            if (registeredUnder(*device, cls) && winUsbPath(*device, cls) == path) {
                return addObject(DeviceFile{device, state.generation, flagsAndAttributes, false});
            }
        }
    }
    return platform::kInvalidHandle;
}

platform::Handle EmulatedPlatform::createFileA(std::string_view path, std::uint32_t desiredAccess,
                                               std::uint32_t, std::uint32_t creationDisposition,
                                               std::uint32_t flagsAndAttributes) {
    std::lock_guard lock(mutex_);
    reconnectDue();
    if (!isOpenExisting(desiredAccess, creationDisposition)) return platform::kInvalidHandle;
    for (const auto& device : devices_) {
        const auto state = device->busState();
        const auto config = device->config();
        if (state.present && config.binding == Binding::KernelDriver &&
            path == "\\\\.\\txusb-" + std::to_string(config.deviceNumber)) {
            return addObject(DeviceFile{device, state.generation, flagsAndAttributes, true});
        }
    }
    return platform::kInvalidHandle;
}

bool EmulatedPlatform::deviceIoControl(platform::Handle device, std::uint32_t controlCode,
                                       const void* input, std::uint32_t inputSize, void* output,
                                       std::uint32_t outputSize, std::uint32_t* bytesReturned) {
    std::uint32_t returned = 0;
    bool ok = false;
    std::optional<DeviceFile> file;
    std::optional<int> hostController;
    {
        std::lock_guard lock(mutex_);
        reconnectDue();
        const auto it = objects_.find(device);
        if (it != objects_.end()) {
            if (const auto* f = std::get_if<DeviceFile>(&it->second)) file = *f;
            if (const auto* h = std::get_if<HostControllerFile>(&it->second)) {
                hostController = h->index;
            }
        }
    }
    const auto* in = static_cast<const std::uint8_t*>(input);
    auto* out = static_cast<std::uint8_t*>(output);
    if (file && file->kernel) {
        ok = kernelIoctl(*file, controlCode, in, inputSize, out, outputSize, &returned);
    } else if (hostController) {
        ok = hostControllerIoctl(*hostController, controlCode, in, inputSize, out, outputSize,
                                 &returned);
    }
    if (bytesReturned) *bytesReturned = ok ? returned : 0;
    return ok;
}

bool EmulatedPlatform::hostControllerIoctl(int index, std::uint32_t code, const std::uint8_t* input,
                                           std::uint32_t inputSize, std::uint8_t* output,
                                           std::uint32_t outputSize, std::uint32_t* bytesReturned) {
    // USBUSER_REQUEST_HEADER {request, status, request buffer length, actual length}, then
    // USB_BUS_STATISTICS_0 with CurrentUsbFrame at byte 28 of the whole block.
    if (code != kIoctlUsbUserRequest || !input || !output || inputSize < kBusStatisticsSize ||
        outputSize < kBusStatisticsSize) {
        return false;
    }
    if (readU32(input) != kGetBusStatistics0 || readU32(input + 4) != 0 ||
        readU32(input + 8) != kBusStatisticsSize) {
        return false;
    }
    std::uint8_t block[kBusStatisticsSize] = {};
    writeU32(block, kGetBusStatistics0);
    writeU32(block + 8, kBusStatisticsSize);
    writeU32(block + 12, kBusStatisticsSize);
    writeU32(block + 16, 1);  // device count
    writeU32(block + 28, frameNumber(index));
    std::memcpy(output, block, kBusStatisticsSize);
    *bytesReturned = kBusStatisticsSize;
    return true;
}

bool EmulatedPlatform::kernelIoctl(const DeviceFile& file, std::uint32_t code,
                                   const std::uint8_t* input, std::uint32_t inputSize,
                                   std::uint8_t* output, std::uint32_t outputSize,
                                   std::uint32_t* bytesReturned) {
    EmulatedInterface& device = *file.device;
    const auto state = device.busState();
    if (!state.present || state.generation != file.generation) return false;

    // Pipe operations carry the 32-bit pipe value the lookup handed out.
    const auto endpointOf = [&](std::uint8_t& endpoint) {
        if (!input || inputSize != 4) return false;
        const auto value = static_cast<std::int32_t>(readU32(input));
        if (value < kPipeValueBase || value > kPipeValueBase + 0xFF) return false;
        endpoint = static_cast<std::uint8_t>(value - kPipeValueBase);
        return device.knowsEndpoint(endpoint);
    };
    std::uint8_t endpoint = 0;
    switch (code) {
        case kIoctlDescriptor:
            if (inputSize != 0 || !output) return false;
            *bytesReturned = device.descriptor(output, outputSize);
            return true;
        case kIoctlFrameNumber:
            if (inputSize != 0 || !output || outputSize < 4) return false;
            writeU32(output, frameNumber(device.config().hostController));
            *bytesReturned = 4;
            return true;
        case kIoctlVendorRequest: {
            // {direction, type 2 vendor, recipient 2 endpoint, 0, request, 0, value, index}
            if (!input || inputSize != 10 || input[0] > 1 || input[1] != 2 || input[2] != 2 ||
                input[3] != 0 || input[5] != 0 || (outputSize > 0 && !output)) {
                return false;
            }
            const std::uint8_t requestType = input[0] == 1 ? 0xC2 : 0x42;
            const auto value = static_cast<std::uint16_t>(input[6] | (input[7] << 8));
            const auto index = static_cast<std::uint16_t>(input[8] | (input[9] << 8));
            const auto reply = device.control(requestType, input[4], value, index, output,
                                              outputSize, output == nullptr);
            *bytesReturned = reply.transferred;
            return reply.ok;
        }
        case kIoctlReadPipe: {
            if (!endpointOf(endpoint) || !output) return false;
            const auto reply = device.readPipe(endpoint, output, outputSize);
            *bytesReturned = reply.transferred;
            return reply.ok;
        }
        case kIoctlWritePipe: {
            if (!endpointOf(endpoint)) return false;
            const auto reply = device.writePipe(endpoint, output, outputSize);
            *bytesReturned = reply.transferred;
            return reply.ok;
        }
        case kIoctlResetPipe:
            return endpointOf(endpoint) && device.resetPipe(endpoint);
        case kIoctlAbortPipe:
            return endpointOf(endpoint) && device.abortPipe(endpoint);
        case kIoctlLookupPipe: {
            // {direction bit, endpoint number, 2 (bulk), 0} -> pipe value
            if (!input || inputSize != 4 || input[0] > 1 || input[1] > 0x0F || input[2] != 2 ||
                input[3] != 0 || !output || outputSize < 4) {
                return false;
            }
            const auto address = static_cast<std::uint8_t>((input[0] << 7) | input[1]);
            if (!device.knowsEndpoint(address)) return false;
            writeU32(output, static_cast<std::uint32_t>(kPipeValueBase + address));
            *bytesReturned = 4;
            return true;
        }
        default:
            return false;
    }
}

// --- synchronisation ---

std::shared_ptr<SyncObject> EmulatedPlatform::syncObject(platform::Handle handle) const {
    std::lock_guard lock(mutex_);
    const auto it = objects_.find(handle);
    if (it == objects_.end()) return nullptr;
    const auto* object = std::get_if<std::shared_ptr<SyncObject>>(&it->second);
    return object ? *object : nullptr;
}

platform::Handle EmulatedPlatform::createMutex(bool initiallyOwned) {
    std::lock_guard lock(mutex_);
    return addObject(SyncObject::mutex(initiallyOwned));
}

platform::Handle EmulatedPlatform::createEvent(bool manualReset, bool initiallySet) {
    std::lock_guard lock(mutex_);
    return addObject(SyncObject::event(manualReset, initiallySet));
}

platform::WaitResult EmulatedPlatform::waitForSingleObject(platform::Handle handle,
                                                           std::uint32_t timeoutMs) {
    const auto object = syncObject(handle);
    return object ? object->wait(timeoutMs) : platform::WaitResult::Failed;
}

bool EmulatedPlatform::releaseMutex(platform::Handle mutex) {
    const auto object = syncObject(mutex);
    return object && object->release();
}

bool EmulatedPlatform::setEvent(platform::Handle event) {
    const auto object = syncObject(event);
    return object && object->set();
}

bool EmulatedPlatform::resetEvent(platform::Handle event) {
    const auto object = syncObject(event);
    return object && object->reset();
}

void EmulatedPlatform::failNextThreadStarts(int n) {
    std::lock_guard lock(mutex_);
    threadStartFailures_ = std::max(0, n);
}

std::thread EmulatedPlatform::startThread(std::function<void()> body) {
    {
        std::lock_guard lock(mutex_);
        if (threadStartFailures_ > 0) {
            --threadStartFailures_;
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again),
                                    "emulated thread start failure");
        }
    }
    return std::thread(std::move(body));
}

void EmulatedPlatform::setSleepsByHand(bool on) {
    std::lock_guard lock(sleepMutex_);
    sleepsByHand_ = on;
    if (!on) sleepsEnded_ = sleepsStarted_;
    sleepCv_.notify_all();
}

std::uint64_t EmulatedPlatform::sleepsStarted() const {
    std::lock_guard lock(sleepMutex_);
    return sleepsStarted_;
}

bool EmulatedPlatform::awaitSleeps(std::uint64_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(sleepMutex_);
    return sleepCv_.wait_for(lock, timeout, [&] { return sleepsStarted_ >= count; });
}

void EmulatedPlatform::endSleeps() {
    std::lock_guard lock(sleepMutex_);
    sleepsEnded_ = sleepsStarted_;
    sleepCv_.notify_all();
}

bool EmulatedPlatform::setCurrentThreadPriority(int priority) {
    std::lock_guard lock(mutex_);
    threadPriorities_[std::this_thread::get_id()] = priority;
    return true;
}

void EmulatedPlatform::sleep(std::uint32_t milliseconds) {
    std::unique_lock lock(sleepMutex_);
    const std::uint64_t number = ++sleepsStarted_;
    sleepCv_.notify_all();
    if (!sleepsByHand_) {
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    sleepCv_.wait(lock, [&] { return sleepsEnded_ >= number; });
}

}  // namespace vornik::emulation
