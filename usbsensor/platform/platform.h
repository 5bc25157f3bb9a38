// The operating-system services the USB sensor library uses, behind one interface.
// Each operation has the meaning and the failure cases of the Windows call it mirrors;
// the Windows backend forwards to the real calls, the emulated backend hosts emulated
// sensor interfaces. Every backend is safe to call from several threads at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace vornik::platform {

// A kernel object handle (file, device information set, event, mutex). -1 means none.
using Handle = std::intptr_t;
inline constexpr Handle kInvalidHandle = -1;

// Configuration-manager device node (DEVINST).
using DevInst = std::uint32_t;

// A loaded module and an entry point looked up in it.
using ModuleHandle = void*;
using ProcAddress = void (*)();

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};

    friend bool operator==(const Guid&, const Guid&) = default;
};

// The system's USB host controller device-interface class.
inline constexpr Guid kHostControllerClass{
    0x3ABF6F2D, 0x71C4, 0x462A, {0x8A, 0x92, 0x1E, 0x68, 0x61, 0xE6, 0xAF, 0x27}};

// CreateFile arguments.
inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kFileShareRead = 0x1;
inline constexpr std::uint32_t kFileShareWrite = 0x2;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;
inline constexpr std::uint32_t kFileFlagOverlapped = 0x40000000u;

// Wait time-outs and thread priorities.
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;
inline constexpr int kThreadPriorityNormal = 0;
inline constexpr int kThreadPriorityAboveNormal = 1;

// A device interface path longer than this (detail data in bytes) ends a walk.
inline constexpr std::uint32_t kMaxInterfaceDetailBytes = 256;

// One present device interface of a class.
struct DeviceInterfaceEntry {
    std::u16string path;  // the device path (detail data)
    DevInst devInst = 0;  // the device node of the same member index
};

enum class WaitResult { Signaled, Abandoned, Timeout, Failed };

class Platform {
  public:
    virtual ~Platform() = default;

    // --- device interfaces (SetupAPI, configuration manager) ---
    // Set of present devices exposing `interfaceClass` (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    // kInvalidHandle on failure.
    virtual Handle getClassDevs(const Guid& interfaceClass) = 0;
    // Member `index` of the set: enumerate the interface, size its detail (256 bytes or more
    // fails), read the detail and the device node of the same index. Empty at the first failure.
    virtual std::optional<DeviceInterfaceEntry> enumDeviceInterface(Handle deviceInfoSet,
                                                                    const Guid& interfaceClass,
                                                                    std::uint32_t index) = 0;
    virtual bool destroyDeviceInfoList(Handle deviceInfoSet) = 0;
    // CM_Get_Parent: true and `parent` set on success.
    virtual bool getParent(DevInst child, DevInst& parent) = 0;

    // --- files and device I/O ---
    virtual Handle createFileW(std::u16string_view path, std::uint32_t desiredAccess,
                               std::uint32_t shareMode, std::uint32_t creationDisposition,
                               std::uint32_t flagsAndAttributes) = 0;
    virtual Handle createFileA(std::string_view path, std::uint32_t desiredAccess,
                               std::uint32_t shareMode, std::uint32_t creationDisposition,
                               std::uint32_t flagsAndAttributes) = 0;
    // Closes any handle: file, device information set excepted (see destroyDeviceInfoList).
    virtual bool closeHandle(Handle handle) = 0;
    // Synchronous DeviceIoControl; `bytesReturned` may be null.
    virtual bool deviceIoControl(Handle device, std::uint32_t controlCode, const void* input,
                                 std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                                 std::uint32_t* bytesReturned) = 0;

    // --- run-time binding ---
    virtual ModuleHandle loadLibraryW(std::u16string_view name) = 0;
    virtual ProcAddress getProcAddress(ModuleHandle module, const char* name) = 0;
    virtual bool freeLibrary(ModuleHandle module) = 0;

    // --- synchronisation (Windows semantics: mutexes are recursive and owned by a thread) ---
    virtual Handle createMutex(bool initiallyOwned) = 0;
    virtual Handle createEvent(bool manualReset, bool initiallySet) = 0;
    virtual WaitResult waitForSingleObject(Handle handle, std::uint32_t timeoutMs) = 0;
    virtual bool releaseMutex(Handle mutex) = 0;
    virtual bool setEvent(Handle event) = 0;
    virtual bool resetEvent(Handle event) = 0;

    // --- threads ---
    // Starts a thread running `body`; throws std::system_error when the system cannot.
    virtual std::thread startThread(std::function<void()> body) {
        return std::thread(std::move(body));
    }
    virtual bool setCurrentThreadPriority(int priority) = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
};

// The backend in use. Unless one was installed: on Windows the real calls, unless the
// environment variable VORNIK_EMULATION names an emulation description file; elsewhere the
// emulated backend (described by that file when set, otherwise with nothing plugged in).
// Shared: a backend installed meanwhile never ends one that a caller still uses.
std::shared_ptr<Platform> currentShared();

// Makes `backend` the one `current()` returns (null: back to the default choice).
// Objects that already hold handles of the previous backend keep using it at their peril.
void install(std::shared_ptr<Platform> backend);

// Installs a backend for the lifetime of the guard, then restores the previous one.
class ScopedPlatform {
  public:
    explicit ScopedPlatform(std::shared_ptr<Platform> backend);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

  private:
    std::shared_ptr<Platform> previous_;
};

}  // namespace vornik::platform
