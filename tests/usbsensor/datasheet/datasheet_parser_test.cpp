// Data sheet parser: header, records, type parameters, checksums and error codes.
#include <gtest/gtest.h>

#include "datasheet_test_util.h"

using namespace vornik;
using namespace sheettest;

TEST(SensorDataSheet, ParsesABuiltSheetAndSortsById) {
    const std::vector<uint8_t> bytes = typicalSheet().build();
    bool ok = false;
    SensorDataSheet s = parsed(bytes, &ok);
    ASSERT_TRUE(ok) << std::hex << s.errorCode;
    EXPECT_EQ(s.sensorId, 1234);
    EXPECT_EQ(s.sheetSize, bytes.size());
    EXPECT_EQ(s.name, "Thermo");
    EXPECT_EQ(s.shortText, "TH-1");
    EXPECT_EQ(s.version, 0x20000u);
    EXPECT_EQ(s.minRate, 10u);
    EXPECT_EQ(s.maxRate, 5000u);
    EXPECT_EQ(s.defaultRate, 200u);
    EXPECT_EQ(s.count, 3);
    ASSERT_EQ(s.measurements.size(), 3u);
    EXPECT_EQ(s.measurements[0].id, 3);
    EXPECT_EQ(s.measurements[0].name, "Temperature");
    EXPECT_EQ(s.measurements[1].id, 5);
    EXPECT_EQ(s.measurements[2].id, 7);
    EXPECT_EQ(s.sampleSize(), 6);
    // The derived measurement is linked to the record it names, after sorting.
    EXPECT_EQ(s.measurements[1].linked, 0);
    ASSERT_EQ(s.measurements[1].typeReals.size(), 4u);
    EXPECT_NEAR(s.measurements[1].typeReals[1], 273.15, 1e-4);
    EXPECT_DOUBLE_EQ(s.measurements[1].constant, 1.5);
    EXPECT_FALSE(s.feature(kFeatureProbeValidity).has_value());
}

TEST(SensorDataSheet, VersionNumberRule) {
    struct Case {
        const char* text;
        uint32_t number;
    };
    for (const Case& c : {Case{"1.05", 0x10005}, Case{"2.1 ", 0x20001}, Case{"2.0\0", 0x20000},
                          Case{"v3x9", 39 << 16}, Case{"1.2.", 0x10002}, Case{"....", 0}}) {
        std::array<uint8_t, 4> t{};
        std::copy(c.text, c.text + 4, t.begin());
        EXPECT_EQ(versionNumber(t), c.number) << c.text;
    }
}

TEST(SensorDataSheet, RealsAreFloatOnlyInTheTwoIdRanges) {
    struct Case {
        uint16_t id;
        bool fixed;
    };
    for (const Case& c :
         {Case{19999, true}, Case{20000, false}, Case{20999, false}, Case{21000, true},
          Case{29999, true}, Case{30000, false}, Case{30999, false}, Case{31000, true}}) {
        EXPECT_EQ(usesFixedPoint(c.id), c.fixed) << c.id;
        // Written by the id's rule, read back by the same rule.
        SensorDataSheet s = parsed(typicalSheet(c.id).build());
        EXPECT_EQ(s.fixedPoint, c.fixed);
        ASSERT_EQ(s.errorCode, 0u) << c.id;
        EXPECT_DOUBLE_EQ(s.measurements[1].constant, 1.5) << c.id;
    }
    // The same bytes under a fixed-point id: 1.5f (0x3FC00000) reads as 16320.
    std::vector<uint8_t> b = typicalSheet(20000).build();
    setU16(b, 0, 19999);
    resum(b);
    SensorDataSheet s = parsed(b);
    ASSERT_EQ(s.errorCode, 0u);
    EXPECT_DOUBLE_EQ(s.measurements[1].constant, 16320.0);
}

TEST(SensorDataSheet, CountAbove32Fails) {
    DataSheetBuilder b = typicalSheet();
    b.measurements.clear();
    for (uint16_t i = 0; i < 33; ++i) b.measurements.push_back(MeasurementSpec::sampled(i, "m", 1));
    EXPECT_EQ(parsed(b.build()).errorCode, kSheetTooManyMeasurements);
    b.measurements.pop_back();
    EXPECT_EQ(parsed(b.build()).errorCode, 0u);
}

TEST(SensorDataSheet, ChangingAnyEarlierByteBreaksTheChecksum) {
    const std::vector<uint8_t> good = typicalSheet().build();
    const size_t main = good.size() - 4;
    // Everything but the header words whose own checks come first (sizes, count) and the
    // NUL terminators, whose change moves the layout.
    for (size_t at : {size_t{0}, size_t{9}, size_t{12}, size_t{20}, size_t{40}, size_t{60},
                      main - 1, main - 12}) {
        std::vector<uint8_t> bad = good;
        bad[at] ^= 0x10;
        EXPECT_EQ(parsed(bad).errorCode, kSheetChecksumMismatch) << "byte " << at;
    }
    std::vector<uint8_t> bad = good;
    bad[main] ^= 1;  // the checksum itself
    EXPECT_EQ(parsed(bad).errorCode, kSheetChecksumMismatch);
    DataSheetBuilder b = typicalSheet();
    b.breakChecksum = true;
    EXPECT_EQ(parsed(b.build()).errorCode, kSheetChecksumMismatch);
}

TEST(SensorDataSheet, SizeFieldChecks) {
    DataSheetBuilder b = typicalSheet();
    const uint16_t size = static_cast<uint16_t>(b.build().size());
    b.sheetSizeOverride = static_cast<uint16_t>(size + 2);
    EXPECT_EQ(parsed(b.build()).errorCode, kSheetSizeMismatch);
    b.sheetSizeOverride = static_cast<uint16_t>(size - 1);
    EXPECT_EQ(parsed(b.build()).errorCode, kSheetSizeMismatch);
    b.sheetSizeOverride.reset();
    b.maxSize = static_cast<uint16_t>(size - 1);
    EXPECT_EQ(parsed(b.build()).errorCode, kSheetTooLarge);
    b.maxSize = 9000;
    b.sheetSizeOverride = 8193;
    EXPECT_EQ(parsed(b.build()).errorCode, kSheetTooLarge);
}

TEST(SensorDataSheet, EveryTruncationFailsWithoutReadingPastTheEnd) {
    DataSheetBuilder b = typicalSheet();
    b.versionText = "2.1";
    b.addFeatureTable({{0x40, 1}});
    b.addExtraTexts({{3, "deg C"}});
    const std::vector<uint8_t> full = b.build();
    ASSERT_EQ(parsed(full).errorCode, 0u);
    for (size_t n = 0; n < full.size(); ++n) {
        // A fresh copy of exactly n bytes so that the sanitizers see any read beyond it.
        std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<long>(n));
        SensorDataSheet s;
        EXPECT_FALSE(s.parse(cut.data(), cut.size())) << n;
        // A cursor that overran stays where it was, so a header cut short may also read a
        // count from the wrong place; any error will do as long as none is missed.
        EXPECT_NE(s.errorCode, 0u) << n;
    }
    // Cut right before the main checksum: the cursor has not overrun yet.
    const size_t main = u16At(full, 4);
    EXPECT_EQ(parsed({full.begin(), full.begin() + static_cast<long>(main - 4)}).errorCode,
              kSheetNoChecksum);
    EXPECT_EQ(parsed({full.begin(), full.end() - 4}).errorCode, kSheetNoChecksum);
}

TEST(SensorDataSheet, RecordWhoseParametersAreTooShortFails) {
    DataSheetBuilder b = typicalSheet();
    MeasurementSpec m;
    m.id = 9;
    m.type = 3;
    m.parameters = {0x03};  // a reference needs two bytes
    b.measurements.push_back(m);
    SensorDataSheet s = parsed(b.build());
    EXPECT_EQ(s.errorCode, kSheetBadRecord);
}

TEST(SensorDataSheet, TypeParameterTable) {
    struct Case {
        uint8_t type;
        std::vector<uint8_t> params;
        int sampleSize;
        size_t reals;
    };
    std::vector<uint8_t> type8 = {20};
    for (int i = 0; i < 16; ++i) putU16(type8, static_cast<uint16_t>(i));
    type8.push_back(8);
    for (int i = 0; i < 4; ++i) putReal(type8, i, true);
    const std::vector<Case> cases = {
        {0, {}, 4, 0},
        {1, {3}, 3, 0},
        {2, {8}, 8, 0},
        {4, {1, 0, 1, 0, 0, 0, 0}, 0, 1},
        {4, {1, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 2},
        {4, {1, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 4},
        {4, {1, 0, 6}, 0, 0},
        {5, {1, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}, 0, 3},
        {5, {1, 0, 1, 0, 0, 0, 9}, 0, 1},
        {6, {'a', 'b', 0}, 0, 0},
        {9, {1, 2, 3}, 0, 0},
        {255, {}, 0, 0},
        {8, type8, 0, 4},
    };
    for (const Case& c : cases) {
        DataSheetBuilder b;
        MeasurementSpec m;
        m.id = 1;
        m.type = c.type;
        m.parameters = c.params;
        b.measurements = {m};
        SensorDataSheet s = parsed(b.build());
        ASSERT_EQ(s.errorCode, 0u) << int(c.type);
        const MeasurementInfo& r = s.measurements[0];
        EXPECT_EQ(r.sampleSize, c.sampleSize) << int(c.type);
        EXPECT_EQ(r.typeReals.size(), c.reals) << int(c.type);
        EXPECT_EQ(r.parameters.size(), static_cast<qsizetype>(c.params.size()));
        if (c.type == 8) {
            EXPECT_EQ(r.typeValues.size(), 16u);
            EXPECT_EQ(r.typeValues[15], 15);
            EXPECT_DOUBLE_EQ(r.typeReals[3], 3.0);
        }
        if (c.type == 6) {
            EXPECT_EQ(r.typeText, "ab");
        }
    }
}

TEST(SensorDataSheet, FlagByteReadsByVersion) {
    DataSheetBuilder b;
    MeasurementSpec m = MeasurementSpec::sampled(1, "x", 2);
    m.flags = 0xC5;
    b.measurements = {m};
    b.versionText = "1.05";
    using Flags = std::array<bool, 6>;
    EXPECT_EQ(parsed(b.build()).measurements[0].flags,
              (Flags{true, false, true, true, false, false}));
    b.measurements[0].flags = 0;
    EXPECT_EQ(parsed(b.build()).measurements[0].flags,
              (Flags{false, false, false, true, false, false}));
    b.measurements[0].flags = 0xC5;
    for (const char* v : {"2.0", "", "3.10"}) {
        b.versionText = v;
        EXPECT_EQ(parsed(b.build()).measurements[0].flags,
                  (Flags{true, false, true, false, true, true}))
            << v;
    }
}

TEST(SensorDataSheet, TypeSevenFlagsAndMissingReference) {
    DataSheetBuilder b;
    MeasurementSpec m;
    m.id = 4;
    m.type = 7;
    putU16(m.parameters, 99);  // no such measurement
    m.parameters.push_back(0x0A);
    for (int i = 0; i < 4; ++i) putReal(m.parameters, 0.25 * i, true);
    b.measurements = {m};
    SensorDataSheet s = parsed(b.build());
    ASSERT_EQ(s.errorCode, 0u);
    EXPECT_EQ(s.measurements[0].linked, -1);
    EXPECT_EQ(s.measurements[0].typeFlags, (std::array<bool, 4>{false, true, false, true}));
    EXPECT_DOUBLE_EQ(s.measurements[0].typeReals[3], 0.75);
}
