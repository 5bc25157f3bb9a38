/* vornik_api: C interface to the USB sensor interfaces.
 * SPDX-License-Identifier: MIT
 *
 * Every function returns a 32-bit signed result: a count, a size or 1 on success, a negative
 * value on failure (-1: interface id not known, data sheet not readable, or transfer failed;
 * -2 and -3: argument problems, as listed per function). Before VorInit has run, every
 * function but VorStart, VorDelete and VorMSsleep returns -1.
 *
 * Calling order: VorInit once; VorGetDevices to learn the interface ids (it rescans every
 * time, so it also notices interfaces plugged in or out); VorGetNumChannels for each interface
 * before any continuous sampling (it allocates the channel buffers); per channel
 * VorGetExistChannel / VorGetSensorDetected, then the data sheet queries; then VorGetOneSample
 * polling, or VorStartContinuousSampling, repeated VorGetSampleData and
 * VorStopContinuousSampling; VorStop and VorDelete at the end.
 *
 * `handle` arguments are not read. Channels are 0-based sensor ports. Texts are written as
 * NUL-terminated 8-bit text in the local code page. All functions may be called from several
 * threads; they are serialised by one library lock (VorMSsleep excepted).
 */
#ifndef VORNIK_API_H
#define VORNIK_API_H

#if defined(_WIN32)
#if defined(VORNIK_API_BUILD)
#define VORNIK_API __declspec(dllexport)
#else
#define VORNIK_API __declspec(dllimport)
#endif
#define VORNIK_CALL __cdecl
#else
#define VORNIK_API __attribute__((visibility("default")))
#define VORNIK_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Creates the library state. 1; a second call keeps the existing state and returns 1. */
VORNIK_API int VORNIK_CALL VorInit(void);
/* Starts the watch thread, which rescans for interfaces every 100 ms (paused while a stream
 * runs). 1 (also before VorInit, doing nothing then). */
VORNIK_API int VORNIK_CALL VorStart(void);
/* Ends the watch thread and waits for it. 1. */
VORNIK_API int VORNIK_CALL VorStop(void);
/* Shuts the library down: ends the watch thread, releases every interface (their streams and
 * reader threads end) and frees the state; VorInit may be called again. 1. */
VORNIK_API int VORNIK_CALL VorDelete(void);

/* Rescans, then writes the ids of the attached interfaces in ascending order (ids start at
 * 2001 and are never reused in the process, not even after VorDelete and VorInit). Their
 * number (0 when none); -1 when `capacity` is smaller than that number (the interfaces stay
 * attached all the same). */
VORNIK_API int VORNIK_CALL VorGetDevices(int handle, int* ids, int capacity);
/* USB product id of the interface; -1 for an unknown id. */
VORNIK_API int VORNIK_CALL VorGetDeviceProductID(int handle, int device);
/* Number of channels (at most 10); allocates the channel buffers that streaming needs. -1 for
 * an unknown id or a failed query. */
VORNIK_API int VORNIK_CALL VorGetNumChannels(int handle, int device);

/* The following read the channel's sensor data sheet afresh on every call. */
/* 1 when the channel's data sheet can be read, else 0. */
VORNIK_API int VORNIK_CALL VorGetExistChannel(int handle, int device, int channel);
/* 1 when the interface reports a sensor in the channel, 0 when not (or the query failed); -1
 * for an unknown id. */
VORNIK_API int VORNIK_CALL VorGetSensorDetected(int handle, int device, int channel);
/* Bytes of one sample of the channel; -1 when the data sheet cannot be read. */
VORNIK_API int VORNIK_CALL VorGetSampleSize(int handle, int device, int channel);
/* Sample rate fields of the data sheet (in the sensor's own unit); -1 when it cannot be read. */
VORNIK_API int VORNIK_CALL VorGetSampleRateMinimum(int handle, int device, int channel);
VORNIK_API int VORNIK_CALL VorGetSampleRateMaximum(int handle, int device, int channel);
VORNIK_API int VORNIK_CALL VorGetSampleRateDefault(int handle, int device, int channel);
/* Number of measurements of the data sheet; -1 when it cannot be read. */
VORNIK_API int VORNIK_CALL VorGetNumMeasurements(int handle, int device, int channel);
/* Writes the name of measurement `index` (0-based, in ascending measurement id order). Bytes
 * written without the NUL; -1 data sheet not readable; -2 `index` out of range; -3 the name
 * needs more than `size` - 1 bytes (the buffer is left untouched; names are never cut). */
VORNIK_API int VORNIK_CALL VorGetMeasurementName(int handle, int device, int channel, int index,
                                                 char* buffer, int size);
/* Value (0 to 255) of the data sheet's probe validity feature; 0 when the sheet has none; -1
 * when it cannot be read. */
VORNIK_API int VORNIK_CALL VorGetSupportsProbeValidityDetection(int handle, int device,
                                                                int channel);
/* Reads `length` bytes of probe validity information into `buffer`. 0 on success; -1 failed
 * transfer or bad buffer; -2 unknown id. */
VORNIK_API int VORNIK_CALL VorCheckMeasurementValidity(int handle, int device, int channel,
                                                       int length, void* buffer);
/* Writes the sensor name. Bytes written without the NUL; 0 for an empty name (the buffer is
 * left untouched); -1 data sheet not readable; -2 the name needs more than `size` - 1 bytes
 * (the buffer is left untouched). */
VORNIK_API int VORNIK_CALL VorGetName(int handle, int device, int channel, char* buffer, int size);
/* Reads one sample into `buffer`, which must hold VorGetSampleSize bytes. Bytes transferred;
 * -1 unknown id, no data sheet or failed transfer. `spare` is not read. */
VORNIK_API int VORNIK_CALL VorGetOneSample(int handle, int device, int channel, void* buffer,
                                           int spare);
/* Starts continuous sampling of the channel at `rate` (the data sheet's unit, sent as 16
 * bits) and pauses the watch thread's rescans (also when it fails; VorStopContinuousSampling
 * resumes them). The sample size (positive) on success; 0 when the sample size is 0 (nothing
 * started); -1 data sheet not readable; -2 the interface refused. Call VorGetNumChannels
 * first: without channel buffers nothing is streamed. */
VORNIK_API int VORNIK_CALL VorStartContinuousSampling(int handle, int device, int channel,
                                                      int rate);
/* Stops continuous sampling; rescans resume. 1 when the interface accepted the stop, -1 when
 * it did not or the id is unknown. Buffered samples can still be taken afterwards. */
VORNIK_API int VORNIK_CALL VorStopContinuousSampling(int handle, int device, int channel);
/* Moves buffered samples of the channel into `buffer`: at most `size` bytes, a whole number of
 * `sampleSize`-byte samples. Bytes moved (0 while the stream runs and nothing is buffered);
 * -1 unknown id, bad channel, `sampleSize` below 1, or nothing moved and the stream has ended.
 * Each channel buffers 262,144 bytes; take the data faster than that fills. */
VORNIK_API int VORNIK_CALL VorGetSampleData(int handle, int device, int channel, int sampleSize,
                                            void* buffer, int size);
/* Total length in bytes of the channel's data sheet; -1 unknown id or no usable data sheet. */
VORNIK_API int VORNIK_CALL VorGetSensorDataSheetSize(int handle, int device, int channel);
/* Reads `length` raw data sheet bytes (5 attempts). Bytes transferred; -1 unknown id, null
 * buffer, `length` below 1 or 5 failures. */
VORNIK_API int VORNIK_CALL VorReadSensorDataSheet(int handle, int device, int channel, void* buffer,
                                                  int length);
/* Sleeps the calling thread; takes no lock. */
VORNIK_API void VORNIK_CALL VorMSsleep(int milliseconds);

#ifdef __cplusplus
}
#endif

#endif /* VORNIK_API_H */
