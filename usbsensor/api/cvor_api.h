// The API object: the table of attached interfaces, filled and emptied by the driver managers'
// arrival and removal reports.
#pragma once
#include <QList>
#include <QMap>
#include <atomic>
#include <cstdint>
#include <memory>

#include "datasheet/sensor_datasheet.h"
#include "enumeration/usb_driver_event_handler.h"

namespace vornik {

class SensorInterface;

class CVorApi : public UsbDriverEventHandler {
  public:
    static constexpr int32_t kFirstDeviceId = 2001;

    CVorApi() = default;
    ~CVorApi() override;
    CVorApi(const CVorApi&) = delete;
    CVorApi& operator=(const CVorApi&) = delete;

    bool interfaceArrived(UsbDriver* driver) override;
    bool interfaceRemoved(UsbDriver* driver) override;

    SensorInterface* find(int32_t id) const { return interfaces_.value(id, nullptr); }
    QList<int32_t> ids() const { return interfaces_.keys(); }
    // Id that the next attached interface gets.
    static int32_t nextDeviceId() { return nextDeviceId_.load(); }
    // Reads and parses the channel's data sheet afresh; null when the id is unknown or the
    // sheet is unusable.
    std::unique_ptr<SensorDataSheet> lookupSensor(int32_t id, int channel);

  private:
    QMap<int32_t, SensorInterface*> interfaces_;
    // Process-wide, not per object: after VorDelete and VorInit a client may still hold an old
    // id, which must not reach whatever interface attaches next.
    static inline std::atomic<int32_t> nextDeviceId_{kFirstDeviceId};
};

}  // namespace vornik
