// Windows backend of the platform layer: each operation forwards to the Windows call it mirrors.
#include <windows.h>
// windows.h first
#include <cfgmgr32.h>
#include <setupapi.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vornik::platform {

namespace {

HANDLE toHandle(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
Handle fromHandle(HANDLE h) {
    return reinterpret_cast<Handle>(h);
}

GUID toGuid(const Guid& g) {
    GUID out;
    out.Data1 = g.data1;
    out.Data2 = g.data2;
    out.Data3 = g.data3;
    std::memcpy(out.Data4, g.data4, sizeof out.Data4);
    return out;
}

std::wstring toWide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

class WindowsPlatform final : public Platform {
  public:
    Handle getClassDevs(const Guid& interfaceClass) override {
        const GUID cls = toGuid(interfaceClass);
        const HDEVINFO set =
            SetupDiGetClassDevsW(&cls, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        return set == INVALID_HANDLE_VALUE ? kInvalidHandle : fromHandle(set);
    }

    std::optional<DeviceInterfaceEntry> enumDeviceInterface(Handle deviceInfoSet,
                                                            const Guid& interfaceClass,
                                                            std::uint32_t index) override {
        const HDEVINFO set = toHandle(deviceInfoSet);
        const GUID cls = toGuid(interfaceClass);
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &cls, index, &data)) return std::nullopt;
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &needed, nullptr);
        if (needed == 0 || needed >= kMaxInterfaceDetailBytes) return std::nullopt;
        alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_W)
            std::uint8_t storage[kMaxInterfaceDetailBytes] = {};
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage);
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, needed, nullptr, nullptr)) {
            return std::nullopt;
        }
        SP_DEVINFO_DATA info{};
        info.cbSize = sizeof info;
        if (!SetupDiEnumDeviceInfo(set, index, &info)) return std::nullopt;
        const std::wstring path(detail->DevicePath);
        return DeviceInterfaceEntry{std::u16string(path.begin(), path.end()), info.DevInst};
    }

    bool destroyDeviceInfoList(Handle deviceInfoSet) override {
        return SetupDiDestroyDeviceInfoList(toHandle(deviceInfoSet)) != FALSE;
    }

    bool getParent(DevInst child, DevInst& parent) override {
        DEVINST node = 0;
        if (CM_Get_Parent(&node, child, 0) != CR_SUCCESS) return false;
        parent = node;
        return true;
    }

    Handle createFileW(std::u16string_view path, std::uint32_t desiredAccess,
                       std::uint32_t shareMode, std::uint32_t creationDisposition,
                       std::uint32_t flagsAndAttributes) override {
        const std::wstring wide = toWide(path);
        return fromHandle(CreateFileW(wide.c_str(), desiredAccess, shareMode, nullptr,
                                      creationDisposition, flagsAndAttributes, nullptr));
    }

    Handle createFileA(std::string_view path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                       std::uint32_t creationDisposition,
                       std::uint32_t flagsAndAttributes) override {
        const std::string narrow(path);
        return fromHandle(CreateFileA(narrow.c_str(), desiredAccess, shareMode, nullptr,
                                      creationDisposition, flagsAndAttributes, nullptr));
    }

    bool closeHandle(Handle handle) override { return CloseHandle(toHandle(handle)) != FALSE; }

    bool deviceIoControl(Handle device, std::uint32_t controlCode, const void* input,
                         std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                         std::uint32_t* bytesReturned) override {
        DWORD returned = 0;
        const BOOL ok = DeviceIoControl(toHandle(device), controlCode, const_cast<void*>(input),
                                        inputSize, output, outputSize, &returned, nullptr);
        if (bytesReturned) *bytesReturned = returned;
        return ok != FALSE;
    }

    ModuleHandle loadLibraryW(std::u16string_view name) override {
        const std::wstring wide = toWide(name);
        return LoadLibraryW(wide.c_str());
    }

    ProcAddress getProcAddress(ModuleHandle module, const char* name) override {
        return reinterpret_cast<ProcAddress>(GetProcAddress(static_cast<HMODULE>(module), name));
    }

    bool freeLibrary(ModuleHandle module) override {
        return FreeLibrary(static_cast<HMODULE>(module)) != FALSE;
    }

    Handle createMutex(bool initiallyOwned) override {
        const HANDLE h = CreateMutexW(nullptr, initiallyOwned, nullptr);
        return h ? fromHandle(h) : kInvalidHandle;
    }

    Handle createEvent(bool manualReset, bool initiallySet) override {
        const HANDLE h = CreateEventW(nullptr, manualReset, initiallySet, nullptr);
        return h ? fromHandle(h) : kInvalidHandle;
    }

    WaitResult waitForSingleObject(Handle handle, std::uint32_t timeoutMs) override {
        switch (WaitForSingleObject(toHandle(handle), timeoutMs)) {
            case WAIT_OBJECT_0:
                return WaitResult::Signaled;
            case WAIT_ABANDONED:
                return WaitResult::Abandoned;
            case WAIT_TIMEOUT:
                return WaitResult::Timeout;
            default:
                return WaitResult::Failed;
        }
    }

    bool releaseMutex(Handle mutex) override { return ReleaseMutex(toHandle(mutex)) != FALSE; }
    bool setEvent(Handle event) override { return SetEvent(toHandle(event)) != FALSE; }
    bool resetEvent(Handle event) override { return ResetEvent(toHandle(event)) != FALSE; }

    bool setCurrentThreadPriority(int priority) override {
        return SetThreadPriority(GetCurrentThread(), priority) != FALSE;
    }

    void sleep(std::uint32_t milliseconds) override { Sleep(milliseconds); }
};

}  // namespace

std::shared_ptr<Platform> makeWindowsPlatform() {
    return std::make_shared<WindowsPlatform>();
}

}  // namespace vornik::platform
