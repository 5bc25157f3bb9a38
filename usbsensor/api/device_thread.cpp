// Watch thread body.
#include "api/device_thread.h"

#include <exception>

#include "api/api_state.h"
#include "platform/diagnostics.h"

namespace vornik {

DeviceThread::DeviceThread(CVorApi* api) : api_(api), os_(platform::currentShared()) {}

DeviceThread::~DeviceThread() {
    stopRequested.store(true);
    wait();
}

void DeviceThread::run() {
    // An exception leaving run() would end the caller's process: record it and end the thread.
    try {
        cycles();
    } catch (const std::exception& error) {
        failed_.store(true);
        diagnostics::log("watch thread ended on an error: %s", error.what());
    } catch (...) {
        failed_.store(true);
        diagnostics::log("watch thread ended on an unknown error");
    }
}

void DeviceThread::cycles() {
    do {
        os_->sleep(kScanIntervalMs);
        api::ApiLocker lock(&api::apiLock());
        if (scanEnabled.load()) api::rescanAll();
    } while (!stopRequested.load());
}

}  // namespace vornik
