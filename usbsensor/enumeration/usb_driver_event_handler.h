// Receiver of the arrivals and removals that driver managers notice during a scan.
#pragma once

namespace vornik {

class UsbDriver;

class UsbDriverEventHandler {
  public:
    virtual ~UsbDriverEventHandler() = default;
    // A new interface; the driver stays owned by the manager.
    virtual bool interfaceArrived(UsbDriver* driver) = 0;
    // The interface has gone; the manager deletes `driver` right after this returns.
    virtual bool interfaceRemoved(UsbDriver* driver) = 0;
};

}  // namespace vornik
