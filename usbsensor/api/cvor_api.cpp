// The API object and its arrival and removal handling.
#include "api/cvor_api.h"

#include "api/api_state.h"
#include "datasheet/datasheet_reader.h"
#include "protocol/sensor_interface.h"

namespace vornik {

CVorApi::~CVorApi() {
    // Interfaces still in the table were never reported gone: end their reader threads.
    for (SensorInterface* iface : std::as_const(interfaces_)) delete iface;
}

bool CVorApi::interfaceArrived(UsbDriver* driver) {
    api::ApiLocker lock(&api::apiLock());
    auto* iface = new SensorInterface(driver, true);
    const int32_t id = nextDeviceId_++;
    delete interfaces_.value(id, nullptr);
    interfaces_.insert(id, iface);
    iface->sendAttachNotice();
    return true;
}

bool CVorApi::interfaceRemoved(UsbDriver* driver) {
    api::ApiLocker lock(&api::apiLock());
    for (auto it = interfaces_.begin(); it != interfaces_.end();) {
        if (it.value()->driver() == driver) {
            SensorInterface* iface = it.value();
            it = interfaces_.erase(it);
            iface->shutDown();
            delete iface;
        } else {
            ++it;
        }
    }
    return true;
}

std::unique_ptr<SensorDataSheet> CVorApi::lookupSensor(int32_t id, int channel) {
    SensorInterface* iface = find(id);
    if (iface == nullptr) return nullptr;
    return readDataSheet(*iface, channel).sheet;
}

}  // namespace vornik
