// C exports of vornik_api; each forwards to its routine, which takes the library lock. No C++
// exception crosses the boundary: one that escapes a routine becomes -1.
#include "vornik_api.h"

#include "api/api_state.h"

namespace {

template <class F>
int guarded(F&& f) noexcept {
    try {
        return f();
    } catch (...) {
        return -1;
    }
}

}  // namespace

using namespace vornik;

extern "C" {

VORNIK_API int VORNIK_CALL VorInit(void) {
    return guarded([] { return api::init(); });
}
VORNIK_API int VORNIK_CALL VorStart(void) {
    return guarded([] { return api::start(); });
}
VORNIK_API int VORNIK_CALL VorStop(void) {
    return guarded([] { return api::stop(); });
}
VORNIK_API int VORNIK_CALL VorDelete(void) {
    return guarded([] { return api::deleteAll(); });
}

VORNIK_API int VORNIK_CALL VorGetDevices(int, int* ids, int capacity) {
    return guarded([&] { return api::getDevices(ids, capacity); });
}
VORNIK_API int VORNIK_CALL VorGetDeviceProductID(int, int device) {
    return guarded([&] { return api::getDeviceProductId(device); });
}
VORNIK_API int VORNIK_CALL VorGetNumChannels(int, int device) {
    return guarded([&] { return api::getNumChannels(device); });
}
VORNIK_API int VORNIK_CALL VorGetExistChannel(int, int device, int channel) {
    return guarded([&] { return api::getExistChannel(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetSensorDetected(int, int device, int channel) {
    return guarded([&] { return api::getSensorDetected(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetSampleSize(int, int device, int channel) {
    return guarded([&] { return api::getSampleSize(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetSampleRateMinimum(int, int device, int channel) {
    return guarded([&] { return api::getSampleRateMinimum(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetSampleRateMaximum(int, int device, int channel) {
    return guarded([&] { return api::getSampleRateMaximum(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetSampleRateDefault(int, int device, int channel) {
    return guarded([&] { return api::getSampleRateDefault(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetNumMeasurements(int, int device, int channel) {
    return guarded([&] { return api::getNumMeasurements(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetMeasurementName(int, int device, int channel, int index,
                                                 char* buffer, int size) {
    return guarded([&] { return api::getMeasurementName(device, channel, index, buffer, size); });
}
VORNIK_API int VORNIK_CALL VorGetSupportsProbeValidityDetection(int, int device, int channel) {
    return guarded([&] { return api::getSupportsProbeValidityDetection(device, channel); });
}
VORNIK_API int VORNIK_CALL VorCheckMeasurementValidity(int, int device, int channel, int length,
                                                       void* buffer) {
    return guarded([&] { return api::checkMeasurementValidity(device, channel, length, buffer); });
}
VORNIK_API int VORNIK_CALL VorGetName(int, int device, int channel, char* buffer, int size) {
    return guarded([&] { return api::getName(device, channel, buffer, size); });
}
VORNIK_API int VORNIK_CALL VorGetOneSample(int, int device, int channel, void* buffer, int) {
    return guarded([&] { return api::getOneSample(device, channel, buffer); });
}
VORNIK_API int VORNIK_CALL VorStartContinuousSampling(int, int device, int channel, int rate) {
    return guarded([&] { return api::startContinuousSampling(device, channel, rate); });
}
VORNIK_API int VORNIK_CALL VorStopContinuousSampling(int, int device, int channel) {
    return guarded([&] { return api::stopContinuousSampling(device, channel); });
}
VORNIK_API int VORNIK_CALL VorGetSampleData(int, int device, int channel, int sampleSize,
                                            void* buffer, int size) {
    return guarded([&] { return api::getSampleData(device, channel, sampleSize, buffer, size); });
}
VORNIK_API int VORNIK_CALL VorGetSensorDataSheetSize(int, int device, int channel) {
    return guarded([&] { return api::getSensorDataSheetSize(device, channel); });
}
VORNIK_API int VORNIK_CALL VorReadSensorDataSheet(int, int device, int channel, void* buffer,
                                                  int length) {
    return guarded([&] { return api::readSensorDataSheet(device, channel, buffer, length); });
}
VORNIK_API void VORNIK_CALL VorMSsleep(int milliseconds) {
    try {
        api::msSleep(milliseconds);
    } catch (...) {
    }
}

}  // extern "C"
