// Process-wide state of the library (lock, driver managers, API object, watch thread) and the
// routines behind the exports. Each routine takes the lock itself and never throws past the
// export layer's guard.
#pragma once
#include <QRecursiveMutex>
#include <cstdint>

namespace vornik {
class CVorApi;
class DeviceThread;
}  // namespace vornik

namespace vornik::api {

// The library lock: Qt's recursive mutex (recursive because an arrival report takes it again
// while a rescan holds it). The Qt library is not built for ThreadSanitizer, so under it the
// hand-over between threads is announced by hand.
class ApiLock {
  public:
    void lock();
    void unlock();

  private:
    QRecursiveMutex mutex_;
};

class ApiLocker {
  public:
    explicit ApiLocker(ApiLock* lock) : lock_(lock) { lock_->lock(); }
    ~ApiLocker() { lock_->unlock(); }
    ApiLocker(const ApiLocker&) = delete;
    ApiLocker& operator=(const ApiLocker&) = delete;

  private:
    ApiLock* lock_;
};

ApiLock& apiLock();
// Every driver manager scans for changes, reporting to the API object. Call under the lock.
void rescanAll();
// The current API object and watch thread (null before init and after delete).
CVorApi* apiObject();
DeviceThread* watchThread();

int init();
int start();
int stop();
int deleteAll();
int getDevices(int* ids, int capacity);
int getDeviceProductId(int device);
int getNumChannels(int device);
int getExistChannel(int device, int channel);
int getSensorDetected(int device, int channel);
int getSampleSize(int device, int channel);
int getSampleRateMinimum(int device, int channel);
int getSampleRateMaximum(int device, int channel);
int getSampleRateDefault(int device, int channel);
int getNumMeasurements(int device, int channel);
int getMeasurementName(int device, int channel, int index, char* buffer, int size);
int getSupportsProbeValidityDetection(int device, int channel);
int checkMeasurementValidity(int device, int channel, int length, void* buffer);
int getName(int device, int channel, char* buffer, int size);
int getOneSample(int device, int channel, void* buffer);
int startContinuousSampling(int device, int channel, int rate);
int stopContinuousSampling(int device, int channel);
int getSampleData(int device, int channel, int sampleSize, void* buffer, int size);
int getSensorDataSheetSize(int device, int channel);
int readSensorDataSheet(int device, int channel, void* buffer, int length);
void msSleep(int milliseconds);

}  // namespace vornik::api
