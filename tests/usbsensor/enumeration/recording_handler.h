// Event handler for manager tests: records arrivals and removals with the ids the driver had.
#pragma once

#include <vector>

#include "enumeration/usb_driver_event_handler.h"
#include "transport/usb_driver.h"

struct DriverEvent {
    vornik::UsbDriver* driver;
    int productId;
};

class RecordingHandler : public vornik::UsbDriverEventHandler {
  public:
    bool interfaceArrived(vornik::UsbDriver* driver) override {
        arrived.push_back({driver, driver->productId()});
        return true;
    }
    // The driver is still alive here: the manager deletes it afterwards.
    bool interfaceRemoved(vornik::UsbDriver* driver) override {
        removed.push_back({driver, driver->productId()});
        return true;
    }
    void clear() {
        arrived.clear();
        removed.clear();
    }
    std::vector<DriverEvent> arrived;
    std::vector<DriverEvent> removed;
};
