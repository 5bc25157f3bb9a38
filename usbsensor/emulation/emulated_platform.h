// The emulated backend of the platform layer: a bus of emulated sensor interfaces behind host
// controllers, device nodes, handles, a WinUSB module, and Windows-style events and mutexes.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "emulation/emulated_interface.h"
#include "emulation/interface_config.h"
#include "emulation/scheduled_event.h"
#include "platform/platform.h"

namespace vornik::emulation {

class SyncObject;

class EmulatedPlatform : public platform::Platform,
                         public std::enable_shared_from_this<EmulatedPlatform> {
  public:
    // A bus with `hostControllers` host controllers and nothing plugged in.
    explicit EmulatedPlatform(int hostControllers = 1);
    ~EmulatedPlatform() override;

    // Builds a bus from a description file (docs/usb-emulation.md); throws std::runtime_error
    // with a readable text when the file cannot be read or is malformed.
    static std::shared_ptr<EmulatedPlatform> fromDescriptionFile(const std::filesystem::path& file);

    // --- the bus ---
    std::shared_ptr<EmulatedInterface> plugIn(const InterfaceConfig& config);
    // The interface drops off the bus: its device node goes, its handles fail from now on.
    void unplug(EmulatedInterface& device);
    // The interface comes back under a new device node.
    void plugBack(EmulatedInterface& device);
    std::vector<std::shared_ptr<EmulatedInterface>> interfaces() const;

    // --- the bus's clock and its scheduled events ---
    // Milliseconds since the bus was created, on the bus's clock (the steady clock plus every
    // advance asked for).
    std::int64_t elapsedMs() const;
    // Moves the bus's clock forward: reconnections and scheduled events fall due sooner. Events
    // due now happen before it returns.
    void advanceClock(std::chrono::milliseconds by);
    // Events happen at the first call into the bus at or after their time.
    void schedule(const ScheduledEvent& event);
    std::size_t pendingEvents() const;

    // --- threads ---
    // The next n thread starts fail as the system's do (std::system_error).
    void failNextThreadStarts(int n);
    // Sleeps by hand: while on, a sleep() lasts until endSleeps() (or until it is turned off),
    // whatever its duration, so that a test decides when a sleeping thread goes on.
    void setSleepsByHand(bool on);
    // Sleeps begun so far (by hand or not).
    std::uint64_t sleepsStarted() const;
    // Waits until `count` sleeps have begun; false after `timeout`.
    bool awaitSleeps(std::uint64_t count, std::chrono::milliseconds timeout);
    // Ends every sleep begun so far.
    void endSleeps();

    // --- the WinUSB module ---
    // An entry point the module lacks (GetProcAddress answers null for it).
    void removeWinUsbFunction(const std::string& name);
    // Without WinUSB, loading the module fails.
    void setWinUsbInstalled(bool installed);
    int loadedModules() const;  // modules loaded and not yet freed

    // --- observation ---
    int openHandles() const;  // files, sets, events and mutexes not yet closed
    int hostControllerCount() const { return static_cast<int>(hostControllers_.size()); }
    // Frame number the host controller reports now.
    std::uint32_t frameNumber(int hostController) const;
    int currentThreadPriority() const;  // last priority set by the calling thread

    // --- Platform ---
    platform::Handle getClassDevs(const platform::Guid& interfaceClass) override;
    std::optional<platform::DeviceInterfaceEntry> enumDeviceInterface(
        platform::Handle deviceInfoSet, const platform::Guid& interfaceClass,
        std::uint32_t index) override;
    bool destroyDeviceInfoList(platform::Handle deviceInfoSet) override;
    bool getParent(platform::DevInst child, platform::DevInst& parent) override;
    platform::Handle createFileW(std::u16string_view path, std::uint32_t desiredAccess,
                                 std::uint32_t shareMode, std::uint32_t creationDisposition,
                                 std::uint32_t flagsAndAttributes) override;
    platform::Handle createFileA(std::string_view path, std::uint32_t desiredAccess,
                                 std::uint32_t shareMode, std::uint32_t creationDisposition,
                                 std::uint32_t flagsAndAttributes) override;
    bool closeHandle(platform::Handle handle) override;
    bool deviceIoControl(platform::Handle device, std::uint32_t controlCode, const void* input,
                         std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                         std::uint32_t* bytesReturned) override;
    platform::ModuleHandle loadLibraryW(std::u16string_view name) override;
    platform::ProcAddress getProcAddress(platform::ModuleHandle module, const char* name) override;
    bool freeLibrary(platform::ModuleHandle module) override;
    platform::Handle createMutex(bool initiallyOwned) override;
    platform::Handle createEvent(bool manualReset, bool initiallySet) override;
    platform::WaitResult waitForSingleObject(platform::Handle handle,
                                             std::uint32_t timeoutMs) override;
    bool releaseMutex(platform::Handle mutex) override;
    bool setEvent(platform::Handle event) override;
    bool resetEvent(platform::Handle event) override;
    std::thread startThread(std::function<void()> body) override;
    bool setCurrentThreadPriority(int priority) override;
    void sleep(std::uint32_t milliseconds) override;

    // --- WinUSB, reached through the entry points getProcAddress hands out ---
    struct WinUsbCalls;

  private:
    struct HostController {
        platform::DevInst devInst = 0;
        std::u16string path;
        std::uint32_t frameBase = 0;
    };
    struct DeviceInfoSet {
        std::vector<platform::DeviceInterfaceEntry> members;
    };
    struct DeviceFile {
        std::shared_ptr<EmulatedInterface> device;
        std::uint64_t generation = 0;
        std::uint32_t flags = 0;
        bool kernel = false;
    };
    struct HostControllerFile {
        int index = 0;
    };
    using Object =
        std::variant<DeviceInfoSet, DeviceFile, HostControllerFile, std::shared_ptr<SyncObject>>;
    struct WinUsbHandle {
        std::shared_ptr<EmulatedInterface> device;
        std::uint64_t generation = 0;
    };

    platform::Handle addObject(Object object);
    std::u16string winUsbPath(const EmulatedInterface& device, const platform::Guid& cls) const;
    bool registeredUnder(const EmulatedInterface& device, const platform::Guid& cls) const;
    void connectLocked(EmulatedInterface& device);
    void unplugLocked(EmulatedInterface& device);
    // Reconnections and scheduled events whose time has come; under mutex_.
    void reconnectDue();
    void applyEvent(const ScheduledEvent& event);
    std::int64_t nowMs() const;
    std::shared_ptr<SyncObject> syncObject(platform::Handle handle) const;
    // The live interface behind a WinUSB handle, or null.
    std::shared_ptr<EmulatedInterface> winUsbDevice(void* handle);
    bool kernelIoctl(const DeviceFile& file, std::uint32_t code, const std::uint8_t* input,
                     std::uint32_t inputSize, std::uint8_t* output, std::uint32_t outputSize,
                     std::uint32_t* bytesReturned);
    bool hostControllerIoctl(int index, std::uint32_t code, const std::uint8_t* input,
                             std::uint32_t inputSize, std::uint8_t* output,
                             std::uint32_t outputSize, std::uint32_t* bytesReturned);

    mutable std::mutex mutex_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::vector<HostController> hostControllers_;
    std::map<platform::DevInst, platform::DevInst> parents_;  // device node -> parent
    platform::DevInst nextDevInst_ = 0x100;
    std::vector<std::shared_ptr<EmulatedInterface>> devices_;
    std::map<platform::Handle, Object> objects_;
    std::map<platform::Handle, WinUsbHandle> winUsbHandles_;
    std::set<std::string> missingWinUsbFunctions_;
    bool winUsbInstalled_ = true;
    int loadedModules_ = 0;
    std::map<std::thread::id, int> threadPriorities_;
    std::atomic<std::int64_t> clockAdvanceMs_{0};
    std::vector<ScheduledEvent> events_;
    int threadStartFailures_ = 0;

    // Hand-driven sleeps.
    mutable std::mutex sleepMutex_;
    std::condition_variable sleepCv_;
    bool sleepsByHand_ = false;
    std::uint64_t sleepsStarted_ = 0;
    std::uint64_t sleepsEnded_ = 0;  // sleeps numbered up to this one are over
};

}  // namespace vornik::emulation
