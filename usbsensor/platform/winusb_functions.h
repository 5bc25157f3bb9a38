// Signatures of the nine WinUSB entry points the library binds at run time, with portable
// stand-ins for the Windows types (same sizes and calling convention on 32-bit Windows).
#pragma once

#include <cstdint>

namespace vornik::platform {

#if defined(_WIN32) && !defined(_WIN64)
#define VORNIK_WINAPI __stdcall
#else
#define VORNIK_WINAPI
#endif

using WinBool = int;
using WinUsbInterfaceHandle = void*;
using WinHandle = void*;

// Setup packet of a control transfer, passed by value.
#pragma pack(push, 1)
struct WinUsbSetupPacket {
    std::uint8_t requestType;
    std::uint8_t request;
    std::uint16_t value;
    std::uint16_t index;
    std::uint16_t length;
};
#pragma pack(pop)
static_assert(sizeof(WinUsbSetupPacket) == 8);

inline constexpr std::uint32_t kWinUsbDeviceSpeed = 1;  // QueryDeviceInformation type
inline constexpr std::uint8_t kUsbDeviceDescriptorType = 1;

using WinUsbInitializeFn = WinBool(VORNIK_WINAPI*)(WinHandle file, WinUsbInterfaceHandle* out);
using WinUsbFreeFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle);
using WinUsbGetDescriptorFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle,
                                                      std::uint8_t type, std::uint8_t index,
                                                      std::uint16_t languageId,
                                                      std::uint8_t* buffer, std::uint32_t length,
                                                      std::uint32_t* transferred);
using WinUsbQueryDeviceInformationFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle,
                                                               std::uint32_t informationType,
                                                               std::uint32_t* length, void* buffer);
using WinUsbReadPipeFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle, std::uint8_t pipe,
                                                 std::uint8_t* buffer, std::uint32_t length,
                                                 std::uint32_t* transferred, void* overlapped);
using WinUsbWritePipeFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle, std::uint8_t pipe,
                                                  std::uint8_t* buffer, std::uint32_t length,
                                                  std::uint32_t* transferred, void* overlapped);
using WinUsbControlTransferFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle,
                                                        WinUsbSetupPacket setup,
                                                        std::uint8_t* buffer, std::uint32_t length,
                                                        std::uint32_t* transferred,
                                                        void* overlapped);
using WinUsbResetPipeFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle, std::uint8_t pipe);
using WinUsbAbortPipeFn = WinBool(VORNIK_WINAPI*)(WinUsbInterfaceHandle handle, std::uint8_t pipe);

// The entry point names, in binding order.
inline constexpr const char* kWinUsbFunctionNames[9] = {
    "WinUsb_Initialize",      "WinUsb_Free",
    "WinUsb_GetDescriptor",   "WinUsb_QueryDeviceInformation",
    "WinUsb_ReadPipe",        "WinUsb_WritePipe",
    "WinUsb_ControlTransfer", "WinUsb_ResetPipe",
    "WinUsb_AbortPipe"};

// Converts between the Handle integers of platform.h and the pointer-sized handles WinUSB takes.
inline WinHandle toWinHandle(std::intptr_t handle) {
    return reinterpret_cast<WinHandle>(handle);
}
inline std::intptr_t fromWinHandle(WinHandle handle) {
    return reinterpret_cast<std::intptr_t>(handle);
}

}  // namespace vornik::platform
