// Run-time binding of the WinUSB module.
#include "transport/winusb_binding.h"

#include "platform/diagnostics.h"

namespace vornik {

namespace {

template <typename Fn>
bool lookUp(platform::Platform& os, platform::ModuleHandle module, const char* name, Fn& target) {
    target = reinterpret_cast<Fn>(os.getProcAddress(module, name));
    if (target == nullptr) diagnostics::log("winusb.dll has no entry point %s", name);
    return target != nullptr;
}

}  // namespace

WinUsbBinding bindWinUsb(platform::Platform& os) {
    WinUsbBinding table;
    table.module = os.loadLibraryW(u"winusb.dll");
    if (table.module == nullptr) {
        diagnostics::log("winusb.dll could not be loaded: WinUSB interfaces are not looked for");
        return {};
    }
    // Every entry point is needed; a partial table would fail in the middle of a transfer.
    const bool complete =
        lookUp(os, table.module, "WinUsb_Initialize", table.initialize) &&
        lookUp(os, table.module, "WinUsb_Free", table.free) &&
        lookUp(os, table.module, "WinUsb_GetDescriptor", table.getDescriptor) &&
        lookUp(os, table.module, "WinUsb_QueryDeviceInformation", table.queryDeviceInformation) &&
        lookUp(os, table.module, "WinUsb_ReadPipe", table.readPipe) &&
        lookUp(os, table.module, "WinUsb_WritePipe", table.writePipe) &&
        lookUp(os, table.module, "WinUsb_ControlTransfer", table.controlTransfer) &&
        lookUp(os, table.module, "WinUsb_ResetPipe", table.resetPipe) &&
        lookUp(os, table.module, "WinUsb_AbortPipe", table.abortPipe);
    if (!complete) {
        os.freeLibrary(table.module);
        return {};
    }
    return table;
}

}  // namespace vornik
