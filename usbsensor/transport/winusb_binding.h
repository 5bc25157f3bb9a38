// The WinUSB function table, bound by name at run time from the WinUSB module.
#pragma once

#include "platform/platform.h"
#include "platform/winusb_functions.h"

namespace vornik {

struct WinUsbBinding {
    platform::ModuleHandle module = nullptr;  // null: WinUSB is off
    platform::WinUsbInitializeFn initialize = nullptr;
    platform::WinUsbFreeFn free = nullptr;
    platform::WinUsbGetDescriptorFn getDescriptor = nullptr;
    platform::WinUsbQueryDeviceInformationFn queryDeviceInformation = nullptr;
    platform::WinUsbReadPipeFn readPipe = nullptr;
    platform::WinUsbWritePipeFn writePipe = nullptr;
    platform::WinUsbControlTransferFn controlTransfer = nullptr;
    platform::WinUsbResetPipeFn resetPipe = nullptr;
    platform::WinUsbAbortPipeFn abortPipe = nullptr;

    bool bound() const { return module != nullptr; }
};

// Loads "winusb.dll" and looks up the nine entry points; when any is missing the module is
// released and the returned table is empty.
WinUsbBinding bindWinUsb(platform::Platform& os);

}  // namespace vornik
