// A driver manager finds interfaces of one binding, owns their transports and reports changes.
#pragma once

#include "enumeration/usb_driver_event_handler.h"

namespace vornik {

class UsbDriverMgr {
  public:
    virtual ~UsbDriverMgr() = default;
    // One scan for arrivals and removals, reported to `handler`.
    virtual bool scanForChanges(UsbDriverEventHandler& handler) = 0;
    // Reports every attached interface removed and frees its slot.
    virtual bool releaseAll(UsbDriverEventHandler& handler) = 0;
};

}  // namespace vornik
