// Watch thread body.
#include "api/device_thread.h"

#include "api/api_state.h"

namespace vornik {

DeviceThread::~DeviceThread() {
    stopRequested.store(true);
    wait();
}

void DeviceThread::run() {
    do {
        msleep(kScanIntervalMs);
        api::ApiLocker lock(&api::apiLock());
        if (scanEnabled.load()) api::rescanAll();
    } while (!stopRequested.load());
}

}  // namespace vornik
