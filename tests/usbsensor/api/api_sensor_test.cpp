// Exports: sensor facts from the data sheet, names and buffer sizes, probe validity, single
// samples, the raw data sheet.
#include <QByteArray>
#include <QString>
#include <cstring>

#include "api_test_util.h"

using namespace apitest;

TEST_F(ApiTest, SensorFactsComeFromTheDataSheet) {
    InterfaceConfig c = interfaceWith(2);
    c.sensors[1] = SensorConfig{};  // no data sheet in channel 1
    c.sensors[1].present = false;
    const int id = attach(c);
    ASSERT_EQ(id, first);
    EXPECT_EQ(VorGetExistChannel(0, id, 0), 1);
    EXPECT_EQ(VorGetExistChannel(0, id, 1), 0);
    EXPECT_EQ(VorGetExistChannel(0, 777, 0), 0);
    EXPECT_EQ(VorGetSensorDetected(0, id, 0), 1);
    EXPECT_EQ(VorGetSensorDetected(0, id, 1), 0);
    EXPECT_EQ(VorGetSensorDetected(0, id, 5), 0);  // the status request fails
    EXPECT_EQ(VorGetSensorDetected(0, 777, 0), -1);
    EXPECT_EQ(VorGetSampleSize(0, id, 0), 6);
    EXPECT_EQ(VorGetSampleRateMinimum(0, id, 0), 5);
    EXPECT_EQ(VorGetSampleRateMaximum(0, id, 0), 20000);
    EXPECT_EQ(VorGetSampleRateDefault(0, id, 0), 1000);
    EXPECT_EQ(VorGetNumMeasurements(0, id, 0), 2);
    for (int r : {VorGetSampleSize(0, id, 1), VorGetSampleRateMinimum(0, id, 1),
                  VorGetSampleRateMaximum(0, id, 1), VorGetSampleRateDefault(0, id, 1),
                  VorGetNumMeasurements(0, id, 1), VorGetSupportsProbeValidityDetection(0, id, 1)})
        EXPECT_EQ(r, -1);
}

TEST_F(ApiTest, MeasurementNamesInIdOrderAndBufferSizes) {
    const int id = attach(interfaceWith(1));
    char buf[32];
    // Sorted by measurement id: "Courant" (10) before "Tension" (20).
    EXPECT_EQ(VorGetMeasurementName(0, id, 0, 0, buf, 32), 7);
    EXPECT_STREQ(buf, "Courant");
    struct Case {
        int index, size, result;
    };
    for (const Case& c :
         {Case{1, 8, 7}, Case{1, 7, -3}, Case{1, 0, -3}, Case{2, 32, -2}, Case{-1, 32, -2}}) {
        std::strcpy(buf, "untouched");
        EXPECT_EQ(VorGetMeasurementName(0, id, 0, c.index, buf, c.size), c.result) << c.index;
        EXPECT_STREQ(buf, c.result > 0 ? "Tension" : "untouched");
    }
    EXPECT_EQ(VorGetMeasurementName(0, 777, 0, 0, buf, 32), -1);
}

TEST_F(ApiTest, SensorNameSizesCountBytesOfTheWrittenText) {
    InterfaceConfig c = interfaceWith(3);
    c.sensors[0] = sensor(sheetBuilder("Abc"));
    c.sensors[1] = sensor(sheetBuilder(""));
    c.sensors[2] =
        sensor(sheetBuilder("D\xE9"
                            "bit"));  // Latin-1 in the sheet: 5 characters
    const int id = attach(c);
    char buf[16];
    std::strcpy(buf, "untouched");
    EXPECT_EQ(VorGetName(0, id, 0, buf, 3), -2);
    EXPECT_STREQ(buf, "untouched");
    EXPECT_EQ(VorGetName(0, id, 0, buf, 4), 3);
    EXPECT_STREQ(buf, "Abc");
    std::strcpy(buf, "untouched");
    EXPECT_EQ(VorGetName(0, id, 1, buf, 16), 0);
    EXPECT_STREQ(buf, "untouched");
    // In the local 8-bit form the accent may take two bytes: the size must cover the bytes.
    const QByteArray local = QString::fromUtf8("D\u00e9bit").toLocal8Bit();
    EXPECT_EQ(VorGetName(0, id, 2, buf, static_cast<int>(local.size())), -2);
    EXPECT_STREQ(buf, "untouched");
    EXPECT_EQ(VorGetName(0, id, 2, buf, 16), local.size());
    EXPECT_EQ(QByteArray(buf), local);
    EXPECT_EQ(VorGetName(0, 777, 0, buf, 16), -1);
}

TEST_F(ApiTest, EachQueryReadsTheDataSheetAfresh) {
    const int id = attach(interfaceWith(1));
    char buf[16];
    EXPECT_EQ(VorGetName(0, id, 0, buf, 16), 7);
    devicesPlugged[0]->setSensor(0, sensor(sheetBuilder("Neuf")));
    EXPECT_EQ(VorGetName(0, id, 0, buf, 16), 4);
    EXPECT_STREQ(buf, "Neuf");
    vornik::DataSheetBuilder broken = sheetBuilder();
    broken.breakChecksum = true;
    devicesPlugged[0]->setSensor(0, sensor(broken));
    EXPECT_EQ(VorGetExistChannel(0, id, 0), 0);
    EXPECT_EQ(VorGetName(0, id, 0, buf, 16), -1);
}

TEST_F(ApiTest, ProbeValidityFeatureAndCheck) {
    InterfaceConfig c = interfaceWith(3);
    vornik::DataSheetBuilder zero = sheetBuilder();
    zero.addFeatureTable({{0x12, 4}, {0x40, 0}});
    vornik::DataSheetBuilder seven = sheetBuilder();
    seven.addFeatureTable({{0x40, 7}});
    c.sensors[1] = sensor(zero);
    c.sensors[2] = sensor(seven);
    c.sensors[2].probeValidity = {9, 8, 7, 6};
    const int id = attach(c);
    EXPECT_EQ(VorGetSupportsProbeValidityDetection(0, id, 0), 0);
    EXPECT_EQ(VorGetSupportsProbeValidityDetection(0, id, 1), 0);
    EXPECT_EQ(VorGetSupportsProbeValidityDetection(0, id, 2), 7);
    EXPECT_EQ(VorGetSupportsProbeValidityDetection(0, 777, 2), -1);
    uint8_t buf[4] = {};
    EXPECT_EQ(VorCheckMeasurementValidity(0, id, 2, 4, buf), 0);
    EXPECT_EQ(buf[0], 9);
    EXPECT_EQ(buf[3], 6);
    EXPECT_EQ(VorCheckMeasurementValidity(0, id, 0, 4, buf), -1);  // the interface stalls
    EXPECT_EQ(VorCheckMeasurementValidity(0, id, 2, 4, nullptr), -1);
    EXPECT_EQ(VorCheckMeasurementValidity(0, 777, 2, 4, buf), -2);
}

TEST_F(ApiTest, OneSample) {
    InterfaceConfig c = interfaceWith(2);
    c.sensors[1].dataSheet.clear();
    const int id = attach(c);
    uint8_t buf[6] = {};
    EXPECT_EQ(VorGetOneSample(0, id, 0, buf, 12345), 6);
    EXPECT_EQ(buf[5], 6);
    EXPECT_EQ(VorGetOneSample(0, id, 1, buf, 0), -1);  // no data sheet
    EXPECT_EQ(VorGetOneSample(0, 777, 0, buf, 0), -1);
    devicesPlugged[0]->setSensor(0, [] {
        SensorConfig s = sensor();
        s.sample.clear();  // the sample request stalls
        return s;
    }());
    EXPECT_EQ(VorGetOneSample(0, id, 0, buf, 0), -1);
}

TEST_F(ApiTest, RawDataSheet) {
    const std::vector<uint8_t> sheet = sheetBuilder().build();
    const int id = attach(interfaceWith(1));
    EXPECT_EQ(VorGetSensorDataSheetSize(0, id, 0), static_cast<int>(sheet.size()));
    std::vector<uint8_t> raw(sheet.size());
    EXPECT_EQ(VorReadSensorDataSheet(0, id, 0, raw.data(), static_cast<int>(raw.size())),
              static_cast<int>(sheet.size()));
    EXPECT_EQ(raw, sheet);
    EXPECT_EQ(VorReadSensorDataSheet(0, id, 0, raw.data(), 0), -1);
    EXPECT_EQ(VorReadSensorDataSheet(0, id, 0, raw.data(), -3), -1);
    EXPECT_EQ(VorReadSensorDataSheet(0, id, 0, nullptr, 10), -1);
    EXPECT_EQ(VorReadSensorDataSheet(0, 777, 0, raw.data(), 10), -1);
    EXPECT_EQ(VorGetSensorDataSheetSize(0, 777, 0), -1);
    // Four failures are absorbed by the retries, five are not.
    devicesPlugged[0]->failNextTransfers(4);
    EXPECT_EQ(VorReadSensorDataSheet(0, id, 0, raw.data(), 8), 8);
    devicesPlugged[0]->failNextTransfers(5);
    EXPECT_EQ(VorReadSensorDataSheet(0, id, 0, raw.data(), 8), -1);
    // A header with an invalid sensor id.
    SensorConfig bad = sensor();
    bad.dataSheet[0] = 0x01;
    bad.dataSheet[1] = 0x70;  // 0x7001
    devicesPlugged[0]->setSensor(0, bad);
    EXPECT_EQ(VorGetSensorDataSheetSize(0, id, 0), -1);
    EXPECT_EQ(VorGetExistChannel(0, id, 0), 0);
}
