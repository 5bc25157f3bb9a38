// Library state and the routines behind the exports.
#include "api/api_state.h"

#include <QByteArray>
#include <QThread>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "api/cvor_api.h"
#include "api/device_thread.h"
#include "datasheet/datasheet_reader.h"
#include "enumeration/vornik_usb_driver_mgr.h"
#include "enumeration/winusb_driver_mgr.h"
#include "platform/platform.h"
#include "protocol/sensor_interface.h"
#include "transport/usb_driver.h"

#if defined(__SANITIZE_THREAD__)
#define VORNIK_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define VORNIK_TSAN 1
#endif
#endif
#ifdef VORNIK_TSAN
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#endif

namespace vornik::api {

void ApiLock::lock() {
    mutex_.lock();
#ifdef VORNIK_TSAN
    __tsan_acquire(this);
#endif
}

void ApiLock::unlock() {
#ifdef VORNIK_TSAN
    __tsan_release(this);
#endif
    mutex_.unlock();
}

namespace {

struct State {
    ApiLock apiLock;
    // Serialises init, start, stop and delete among themselves without holding the API lock
    // while waiting for the watch thread (which takes the API lock every cycle).
    std::mutex lifecycle;
    std::vector<std::unique_ptr<UsbDriverMgr>> driverManagers;
    std::unique_ptr<CVorApi> api;
    std::unique_ptr<DeviceThread> watch;
};

// Never destroyed: a program that ends without VorDelete may still have reader threads and a
// watch thread using it while static objects are torn down.
State& state() {
    static State* s = new State;
    return *s;
}

using Locker = ApiLocker;

// The sensor facts an export needs, read under the lock; null when unknown or unusable.
std::unique_ptr<SensorDataSheet> lookup(int device, int channel) {
    return state().api ? state().api->lookupSensor(device, channel) : nullptr;
}

// Writes `text` with its NUL when it fits in `size` bytes; the byte length, or -1 when it
// does not fit. Lengths are counted in bytes of the local 8-bit form, which is what lands in
// the caller's buffer.
int writeText(const QString& text, char* buffer, int size) {
    const QByteArray bytes = text.toLocal8Bit();
    if (buffer == nullptr || bytes.size() > static_cast<qsizetype>(size) - 1) return -1;
    std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
    buffer[bytes.size()] = '\0';
    return static_cast<int>(bytes.size());
}

// Asks the watch thread to end and waits for it outside the API lock.
void stopWatchThread() {
    DeviceThread* t = nullptr;
    {
        Locker lock(&state().apiLock);
        t = state().watch.get();
        if (t != nullptr) t->stopRequested.store(true);
    }
    if (t != nullptr) t->wait();
}

}  // namespace

ApiLock& apiLock() {
    return state().apiLock;
}

void rescanAll() {
    if (!state().api) return;
    for (const auto& mgr : state().driverManagers) mgr->scanForChanges(*state().api);
}

CVorApi* apiObject() {
    return state().api.get();
}
DeviceThread* watchThread() {
    return state().watch.get();
}

int init() {
    std::lock_guard life(state().lifecycle);
    Locker lock(&state().apiLock);
    // A second init keeps the existing state: a fresh API object would strand the first one's
    // interfaces and reader threads on drivers the managers later delete.
    if (state().api) return 1;
    if (state().driverManagers.empty()) {
        state().driverManagers.push_back(std::make_unique<WinUsbDriverMgr>());
        state().driverManagers.push_back(std::make_unique<VornikUsbDriverMgr>());
    }
    state().api = std::make_unique<CVorApi>();
    state().watch = std::make_unique<DeviceThread>(state().api.get());
    return 1;
}

int start() {
    std::lock_guard life(state().lifecycle);
    Locker lock(&state().apiLock);
    if (state().watch && !state().watch->isRunning()) {
        state().watch->scanEnabled.store(true);
        state().watch->stopRequested.store(false);
        state().watch->start();
    }
    return 1;
}

int stop() {
    std::lock_guard life(state().lifecycle);
    {
        Locker lock(&state().apiLock);
        if (!state().api) return -1;
    }
    stopWatchThread();
    return 1;
}

int deleteAll() {
    std::lock_guard life(state().lifecycle);
    stopWatchThread();
    Locker lock(&state().apiLock);
    if (!state().api) return 1;
    // Every manager reports its interfaces gone (their reader threads end) and frees its
    // slots; the managers go too, so that the next init finds every interface anew.
    for (const auto& mgr : state().driverManagers) mgr->releaseAll(*state().api);
    state().driverManagers.clear();
    state().watch.reset();
    state().api.reset();
    return 1;
}

int getDevices(int* ids, int capacity) {
    Locker lock(&state().apiLock);
    if (!state().api) return -1;
    rescanAll();
    const QList<int32_t> all = state().api->ids();
    if (capacity < all.size()) return -1;
    if (!all.isEmpty() && ids == nullptr) return -1;
    for (qsizetype i = 0; i < all.size(); ++i) ids[i] = all[i];
    return static_cast<int>(all.size());
}

int getDeviceProductId(int device) {
    Locker lock(&state().apiLock);
    SensorInterface* iface = state().api ? state().api->find(device) : nullptr;
    if (iface == nullptr || iface->driver() == nullptr) return -1;
    return iface->driver()->productId();
}

int getNumChannels(int device) {
    Locker lock(&state().apiLock);
    SensorInterface* iface = state().api ? state().api->find(device) : nullptr;
    if (iface == nullptr || iface->driver() == nullptr) return -1;
    InterfaceInfo info;
    if (!iface->readInterfaceInfo(info, iface->driver()->productId(), true)) return -1;
    return iface->channelCount();
}

int getExistChannel(int device, int channel) {
    Locker lock(&state().apiLock);
    if (!state().api) return -1;
    return lookup(device, channel) ? 1 : 0;
}

int getSensorDetected(int device, int channel) {
    Locker lock(&state().apiLock);
    SensorInterface* iface = state().api ? state().api->find(device) : nullptr;
    if (iface == nullptr) return -1;
    return iface->sensorPresent(channel) ? 1 : 0;
}

int getSampleSize(int device, int channel) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    return sheet ? sheet->sampleSize() : -1;
}

int getSampleRateMinimum(int device, int channel) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    return sheet ? static_cast<int>(sheet->minRate) : -1;
}

int getSampleRateMaximum(int device, int channel) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    return sheet ? static_cast<int>(sheet->maxRate) : -1;
}

int getSampleRateDefault(int device, int channel) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    return sheet ? static_cast<int>(sheet->defaultRate) : -1;
}

// A sheet kept despite a parse failure may hold fewer records than its count says; only the
// records that are there can be named.
static int recordCount(const SensorDataSheet& sheet) {
    return std::min<int>(sheet.count, static_cast<int>(sheet.measurements.size()));
}

int getNumMeasurements(int device, int channel) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    return sheet ? recordCount(*sheet) : -1;
}

int getMeasurementName(int device, int channel, int index, char* buffer, int size) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    if (!sheet) return -1;
    if (index < 0 || index >= recordCount(*sheet)) return -2;
    const int n = writeText(sheet->measurements[static_cast<size_t>(index)].name, buffer, size);
    return n < 0 ? -3 : n;
}

int getSupportsProbeValidityDetection(int device, int channel) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    if (!sheet) return -1;
    return sheet->feature(kFeatureProbeValidity).value_or(0);
}

int checkMeasurementValidity(int device, int channel, int length, void* buffer) {
    Locker lock(&state().apiLock);
    if (!state().api) return -1;
    SensorInterface* iface = state().api->find(device);
    if (iface == nullptr) return -2;
    if (length < 0 || (length > 0 && buffer == nullptr)) return -1;
    return iface->checkProbeValidity(channel, buffer, length) ? 0 : -1;
}

int getName(int device, int channel, char* buffer, int size) {
    Locker lock(&state().apiLock);
    const auto sheet = lookup(device, channel);
    if (!sheet) return -1;
    if (sheet->name.isEmpty()) return 0;
    const int n = writeText(sheet->name, buffer, size);
    return n < 0 ? -2 : n;
}

int getOneSample(int device, int channel, void* buffer) {
    Locker lock(&state().apiLock);
    SensorInterface* iface = state().api ? state().api->find(device) : nullptr;
    if (iface == nullptr) return -1;
    const auto sheet = state().api->lookupSensor(device, channel);
    if (!sheet) return -1;
    const int size = sheet->sampleSize();
    if (size > 0 && buffer == nullptr) return -1;
    int32_t got = 0;
    if (!iface->oneSample(channel, size > 0 ? buffer : nullptr, size, &got)) return -1;
    return got;
}

int startContinuousSampling(int device, int channel, int rate) {
    Locker lock(&state().apiLock);
    if (!state().api) return -1;
    if (state().watch) state().watch->scanEnabled.store(false);
    SensorInterface* iface = state().api->find(device);
    const auto sheet = state().api->lookupSensor(device, channel);
    if (iface == nullptr || !sheet) return -1;
    const int size = sheet->sampleSize();
    if (size <= 0) return 0;
    return iface->startStreaming(channel, static_cast<uint16_t>(rate), static_cast<uint16_t>(size))
               ? size
               : -2;
}

int stopContinuousSampling(int device, int channel) {
    Locker lock(&state().apiLock);
    if (!state().api) return -1;
    SensorInterface* iface = state().api->find(device);
    const int result = iface != nullptr && iface->stopStream(channel) ? 1 : -1;
    if (state().watch) state().watch->scanEnabled.store(true);
    return result;
}

int getSampleData(int device, int channel, int sampleSize, void* buffer, int size) {
    Locker lock(&state().apiLock);
    SensorInterface* iface = state().api ? state().api->find(device) : nullptr;
    if (iface == nullptr || sampleSize < 1) return -1;
    if (size < 0) size = 0;
    if (size > 0 && buffer == nullptr) return -1;
    int32_t moved = 0;
    if (!iface->takeSamples(channel, buffer, size, sampleSize, &moved)) return -1;
    return moved;
}

int getSensorDataSheetSize(int device, int channel) {
    Locker lock(&state().apiLock);
    SensorInterface* iface = state().api ? state().api->find(device) : nullptr;
    if (iface == nullptr) return -1;
    return probeDataSheetSize(*iface, channel);
}

int readSensorDataSheet(int device, int channel, void* buffer, int length) {
    Locker lock(&state().apiLock);
    SensorInterface* iface = state().api ? state().api->find(device) : nullptr;
    if (iface == nullptr) return -1;
    return readRawDataSheet(*iface, channel, buffer, length);
}

void msSleep(int milliseconds) {
    if (milliseconds > 0) platform::currentShared()->sleep(static_cast<uint32_t>(milliseconds));
}

}  // namespace vornik::api
