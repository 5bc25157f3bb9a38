// The API object and its arrival and removal handling.
#include "api/cvor_api.h"

#include <exception>

#include "api/api_state.h"
#include "datasheet/datasheet_reader.h"
#include "platform/diagnostics.h"
#include "protocol/sensor_interface.h"
#include "transport/usb_driver.h"

namespace vornik {

CVorApi::~CVorApi() {
    // Interfaces still in the table were never reported gone: end their reader threads.
    for (SensorInterface* iface : std::as_const(interfaces_)) delete iface;
}

bool CVorApi::interfaceArrived(UsbDriver* driver) {
    api::ApiLocker lock(&api::apiLock());
    std::unique_ptr<SensorInterface> created;
    try {
        created = std::make_unique<SensorInterface>(driver, true);
    } catch (const std::exception& error) {
        // Left unattached; the manager lets it go and a later scan tries again.
        diagnostics::log("interface of product %d not attached: %s", driver->productId(),
                         error.what());
        return false;
    }
    SensorInterface* iface = created.release();
    const int32_t id = nextDeviceId_++;
    delete interfaces_.value(id, nullptr);
    interfaces_.insert(id, iface);
    const bool noticed = iface->sendAttachNotice();
    diagnostics::log("attached interface %d (vendor 0x%04X, product %d)%s", id,
                     static_cast<unsigned>(driver->vendorId()), driver->productId(),
                     noticed ? "" : "; its attach notice failed");
    return true;
}

bool CVorApi::interfaceRemoved(UsbDriver* driver) {
    api::ApiLocker lock(&api::apiLock());
    for (auto it = interfaces_.begin(); it != interfaces_.end();) {
        if (it.value()->driver() == driver) {
            SensorInterface* iface = it.value();
            diagnostics::log("detached interface %d", it.key());
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
    DataSheetReadResult result = readDataSheet(*iface, channel);
    if (!result.sheet && diagnostics::enabled()) {
        diagnostics::log("interface %d channel %d: data sheet refused: %s", id, channel,
                         result.reason.toLocal8Bit().constData());
    }
    return std::move(result.sheet);
}

}  // namespace vornik
