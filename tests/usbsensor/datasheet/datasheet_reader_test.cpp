// Data sheet reading over a scripted transport: header checks and their reason texts, the
// 5 + 5 attempts, the total length rule and the early pilot-run case.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>

#include "datasheet/datasheet_reader.h"
#include "datasheet_test_util.h"
#include "protocol/sensor_interface.h"
#include "transport/usb_driver.h"

using namespace vornik;
using namespace sheettest;

namespace {

// Serves request 0x01 from `sheet`; the first `failures` requests fail.
class SheetDriver : public UsbDriver {
  public:
    std::vector<uint8_t> sheet;
    int failures = 0;
    int headerReads = 0;
    int bodyReads = 0;
    std::deque<std::vector<uint8_t>> headers;  // served in turn for 8-byte reads, when set

    bool controlIn(uint8_t request, uint16_t, uint16_t, void* buffer, int32_t length,
                   int32_t* transferred) override {
        if (request != 0x01) return false;
        (length == 8 ? headerReads : bodyReads)++;
        if (failures > 0) {
            --failures;
            return false;
        }
        const std::vector<uint8_t>* src = &sheet;
        if (length == 8 && !headers.empty()) {
            src = &headers.front();
            if (headers.size() > 1) headers.pop_front();
        }
        const size_t n = std::min<size_t>(static_cast<size_t>(length), src->size());
        std::memcpy(buffer, src->data(), n);
        if (transferred != nullptr) *transferred = static_cast<int32_t>(n);
        return true;
    }
};

std::vector<uint8_t> header(uint16_t id, uint16_t maxSize, uint16_t size, uint16_t ext) {
    std::vector<uint8_t> h;
    putU16(h, id);
    putU16(h, maxSize);
    putU16(h, size);
    putU16(h, ext);
    return h;
}

}  // namespace

TEST(DataSheetReader, ReadsAndParsesAGoodSheet) {
    SheetDriver d;
    d.sheet = typicalSheet().build();
    SensorInterface iface(&d, false);
    DataSheetReadResult r = readDataSheet(iface, 0);
    ASSERT_TRUE(r.sheet);
    EXPECT_EQ(r.sensorId, 1234);
    EXPECT_TRUE(r.reason.isEmpty());
    EXPECT_EQ(r.sheet->measurements.size(), 3u);
    EXPECT_EQ(d.headerReads, 1);
    EXPECT_EQ(d.bodyReads, 1);
    EXPECT_EQ(probeDataSheetSize(iface, 0), static_cast<int>(d.sheet.size()));
}

TEST(DataSheetReader, HeaderChecksGiveReasonsInOrder) {
    struct Case {
        std::vector<uint8_t> header;
        const char* reason;
        uint16_t idRecorded;
    };
    const std::vector<Case> cases = {
        {header(0x7001, 100, 60, 0), "Read invalid sensor id: 0x7001", 0},
        {header(0, 100, 60, 0), "Read invalid sensor id: 0x0000", 0},
        {header(0x00ab, 3, 60, 0), "Read invalid maximum datasheet size: 0x0003", 0},
        {header(0x00ab, 8193, 60, 0), "Read invalid maximum datasheet size: 0x2001", 0},
        {header(0x00ab, 100, 8193, 0), "Read invalid datasheet size: 0x2001", 0xab},
        {header(0x00ab, 100, 60, 0x2001), "Read invalid extended datasheet size: 0x2001", 0xab},
    };
    for (const Case& c : cases) {
        SheetDriver d;
        d.sheet = c.header;
        SensorInterface iface(&d, false);
        DataSheetReadResult r = readDataSheet(iface, 0);
        EXPECT_FALSE(r.sheet);
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_EQ(r.sensorId, c.idRecorded);
        EXPECT_EQ(d.headerReads, 5) << c.reason;
        EXPECT_EQ(d.bodyReads, 0);
        EXPECT_EQ(probeDataSheetSize(iface, 0), -1);
    }
}

TEST(DataSheetReader, TotalLengthRule) {
    struct Case {
        uint16_t size, ext;
        int total;
    };
    for (const Case& c : {Case{60, 3, 60}, Case{60, 4, 64}, Case{46, 4, 50}, Case{47, 4, 51},
                          Case{50, 0, 50}, Case{51, 0, 51}}) {
        SheetDriver d;
        d.sheet = header(1, 8192, c.size, c.ext);
        SensorInterface iface(&d, false);
        EXPECT_EQ(probeDataSheetSize(iface, 0), c.total > 50 ? c.total : -1) << c.size;
        readDataSheet(iface, 0);
        // A total of 50 or less is not even read.
        EXPECT_EQ(d.bodyReads, c.total > 50 ? 5 : 0) << c.size;
    }
}

TEST(DataSheetReader, RetriesTransfersFiveTimesEach) {
    SheetDriver d;
    d.sheet = typicalSheet().build();
    d.failures = 4;
    SensorInterface iface(&d, false);
    EXPECT_TRUE(readDataSheet(iface, 0).sheet);
    EXPECT_EQ(d.headerReads, 5);

    SheetDriver never;
    never.sheet = d.sheet;
    never.failures = 100;
    SensorInterface iface2(&never, false);
    DataSheetReadResult r = readDataSheet(iface2, 0);
    EXPECT_FALSE(r.sheet);
    EXPECT_EQ(r.reason, "Failed to read the sensor id and data sheet size.");
    EXPECT_EQ(never.headerReads, 5);
    EXPECT_EQ(never.bodyReads, 0);

    // Header fine, body failing.
    SheetDriver body;
    body.sheet = d.sheet;
    body.headers = {std::vector<uint8_t>(d.sheet.begin(), d.sheet.begin() + 8)};
    SensorInterface iface3(&body, false);
    body.failures = 0;
    EXPECT_EQ(readRawDataSheet(iface3, 0, nullptr, 10), -1);
    std::vector<uint8_t> raw(20);
    EXPECT_EQ(readRawDataSheet(iface3, 0, raw.data(), 20), 20);
    EXPECT_EQ(std::vector<uint8_t>(d.sheet.begin(), d.sheet.begin() + 20), raw);
    body.failures = 5;
    EXPECT_EQ(readRawDataSheet(iface3, 0, raw.data(), 20), -1);
}

TEST(DataSheetReader, UnparsableSheetIsRetriedAndDropped) {
    DataSheetBuilder b = typicalSheet();
    b.breakChecksum = true;
    SheetDriver d;
    d.sheet = b.build();
    SensorInterface iface(&d, false);
    DataSheetReadResult r = readDataSheet(iface, 0);
    EXPECT_FALSE(r.sheet);
    EXPECT_EQ(r.reason, "Failed to parse the sensor data sheet.");
    EXPECT_EQ(d.bodyReads, 5);
}

TEST(DataSheetReader, EarlyPilotRunSheetIsKeptDespiteItsError) {
    DataSheetBuilder b = typicalSheet();
    b.sheetSizeOverride = 0x600;  // not the real size: the parse fails on the size check
    SheetDriver d;
    d.sheet = b.build();
    d.sheet.resize(0x600, 0);
    SensorInterface iface(&d, false);
    DataSheetReadResult r = readDataSheet(iface, 0);
    ASSERT_TRUE(r.sheet);
    EXPECT_EQ(r.sheet->errorCode, kSheetSizeMismatch);
    EXPECT_EQ(r.reason, "Early pilot-run TRAXEL sensor datasheet error.");
    EXPECT_EQ(r.sheet->name, "Thermo");
    EXPECT_EQ(d.bodyReads, 1);
}
