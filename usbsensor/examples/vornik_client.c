/* Example client of vornik_api: lists the interfaces, their channels and sensors, prints each
 * data sheet's measurements, then streams a few seconds of samples from the first sensor of
 * every interface.
 *
 *   vornik_client [seconds]
 *
 * Without hardware, point VORNIK_EMULATION at an emulation description file, for example
 * usbsensor/examples/emulated_lab.json. */
#include <stdio.h>
#include <stdlib.h>

#include "vornik_api.h"

#define MAX_INTERFACES 16
#define MAX_CHANNELS 10

static void printHex(const unsigned char* bytes, int n) {
    for (int i = 0; i < n; ++i) printf("%02x", bytes[i]);
}

static void describeChannel(int id, int channel) {
    char text[256];
    const int exists = VorGetExistChannel(0, id, channel);
    const int detected = VorGetSensorDetected(0, id, channel);
    printf("  channel %d: sensor %s", channel, detected == 1 ? "detected" : "not detected");
    if (exists != 1) {
        printf(", no data sheet\n");
        return;
    }
    if (VorGetName(0, id, channel, text, sizeof text) <= 0) text[0] = '\0';
    printf(", \"%s\"\n", text);
    printf("    data sheet: %d bytes, sample: %d bytes, rates %d..%d (default %d)\n",
           VorGetSensorDataSheetSize(0, id, channel), VorGetSampleSize(0, id, channel),
           VorGetSampleRateMinimum(0, id, channel), VorGetSampleRateMaximum(0, id, channel),
           VorGetSampleRateDefault(0, id, channel));
    if (VorGetSupportsProbeValidityDetection(0, id, channel) > 0)
        printf("    probe validity detection supported\n");
    const int count = VorGetNumMeasurements(0, id, channel);
    for (int m = 0; m < count; ++m) {
        if (VorGetMeasurementName(0, id, channel, m, text, sizeof text) >= 0)
            printf("    measurement %d: %s\n", m, text);
    }
}

/* Streams the first channel that has a data sheet; returns the number of samples taken. */
static long streamInterface(int id, int channels, int seconds) {
    int channel = 0;
    while (channel < channels && VorGetExistChannel(0, id, channel) != 1) ++channel;
    if (channel == channels) return 0;
    const int rate = VorGetSampleRateDefault(0, id, channel);
    const int sampleSize = VorStartContinuousSampling(0, id, channel, rate);
    if (sampleSize <= 0) {
        printf("interface %d: continuous sampling refused (%d)\n", id, sampleSize);
        return 0;
    }
    unsigned char* buffer = malloc(65536);
    if (buffer == NULL) return 0;
    long samples = 0;
    for (int tick = 0; tick < seconds * 10; ++tick) {
        VorMSsleep(100);
        const int n = VorGetSampleData(0, id, channel, sampleSize, buffer, 65536);
        if (n < 0) {
            printf("interface %d: the stream ended\n", id);
            break;
        }
        if (n > 0 && samples == 0) {
            printf("interface %d channel %d: first sample ", id, channel);
            printHex(buffer, sampleSize);
            printf("\n");
        }
        samples += n / sampleSize;
    }
    VorStopContinuousSampling(0, id, channel);
    free(buffer);
    printf("interface %d channel %d: %ld samples of %d bytes at rate %d\n", id, channel, samples,
           sampleSize, rate);
    return samples;
}

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? atoi(argv[1]) : 3;
    VorInit();
    int ids[MAX_INTERFACES];
    const int n = VorGetDevices(0, ids, MAX_INTERFACES);
    if (n < 0) {
        printf("more than %d interfaces\n", MAX_INTERFACES);
        return 1;
    }
    printf("%d interface(s)\n", n);
    int channels[MAX_INTERFACES];
    for (int i = 0; i < n; ++i) {
        channels[i] = VorGetNumChannels(0, ids[i]);
        printf("interface %d: product 0x%04x, %d channel(s)\n", ids[i],
               VorGetDeviceProductID(0, ids[i]), channels[i]);
        for (int c = 0; c < channels[i] && c < MAX_CHANNELS; ++c) describeChannel(ids[i], c);
    }
    long total = 0;
    for (int i = 0; i < n; ++i)
        if (channels[i] > 0) total += streamInterface(ids[i], channels[i], seconds);
    VorStop();
    VorDelete();
    printf("%ld samples in all\n", total);
    return n > 0 && total == 0 ? 1 : 0;
}
