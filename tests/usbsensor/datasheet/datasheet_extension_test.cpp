// Data sheet extension: feature table, wide and 8-bit texts, its checksum and block lengths.
#include <gtest/gtest.h>

#include "datasheet_test_util.h"

using namespace vornik;
using namespace sheettest;

namespace {

DataSheetBuilder extendedSheet() {
    DataSheetBuilder b = typicalSheet();
    b.versionText = "2.1 ";
    b.addFeatureTable({{0x11, 9}, {0x40, 0}, {0x40, 5}});
    b.addWideTexts(77, u"Thermom\u00e8tre",
                   {{3, {u"T", u"\u00b0C", u"temp"}}, {42, {u"a", u"b", u"c"}}});
    b.addExtraTexts({{7, "hPa"}});
    ExtensionBlockSpec unknown;
    unknown.type = 9;
    unknown.body = {1, 2, 3, 4, 5};
    b.blocks.push_back(unknown);
    return b;
}

}  // namespace

TEST(DataSheetExtension, ParsesEveryBlockType) {
    SensorDataSheet s = parsed(extendedSheet().build());
    ASSERT_EQ(s.errorCode, 0u) << std::hex << s.errorCode;
    EXPECT_TRUE(s.hasFeatureTable);
    ASSERT_EQ(s.features.size(), 3u);
    // The first entry with the code counts, even when its value is 0.
    EXPECT_EQ(s.feature(0x40), std::optional<uint8_t>(0));
    EXPECT_EQ(s.feature(0x11), std::optional<uint8_t>(9));
    EXPECT_FALSE(s.feature(0x12).has_value());
    EXPECT_EQ(s.extensionValue, 77);
    EXPECT_EQ(s.wideName, QString::fromUtf8("Thermom\u00e8tre"));
    const MeasurementInfo* t = s.measurementById(3);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->wideTexts[1], QString::fromUtf8("\u00b0C"));
    EXPECT_EQ(s.measurementById(7)->extraText, "hPa");
}

TEST(DataSheetExtension, Version1IgnoresTheExtension) {
    DataSheetBuilder b = extendedSheet();
    b.versionText = "1.05";
    b.breakExtensionChecksum = true;  // not even looked at
    const std::vector<uint8_t> bytes = b.build();
    ASSERT_GT(u16At(bytes, 6), 4);
    SensorDataSheet s = parsed(bytes);
    EXPECT_EQ(s.errorCode, 0u);
    EXPECT_FALSE(s.hasFeatureTable);
    EXPECT_TRUE(s.wideName.isEmpty());
}

TEST(DataSheetExtension, ExtendedSizeOfFourOrLessHasNoExtension) {
    DataSheetBuilder b = extendedSheet();
    b.extendedSizeOverride = 4;
    SensorDataSheet s = parsed(b.build());
    EXPECT_EQ(s.errorCode, 0u);
    EXPECT_FALSE(s.hasFeatureTable);
}

TEST(DataSheetExtension, ChecksumAndBlockLengthErrors) {
    DataSheetBuilder b = extendedSheet();
    b.breakExtensionChecksum = true;
    EXPECT_EQ(parsed(b.build()).errorCode, kSheetChecksumMismatch);

    // A feature table whose length is not a whole number of entries does not end where stated.
    DataSheetBuilder odd = typicalSheet();
    odd.addFeatureTable({{0x40, 1}});
    odd.blocks[0].body.push_back(0);
    EXPECT_EQ(parsed(odd.build()).errorCode, kSheetBadRecord);

    // A stated length beyond the block area.
    DataSheetBuilder longer = typicalSheet();
    longer.addExtraTexts({{3, "x"}});
    longer.blocks[0].lengthOverride = 200;
    EXPECT_EQ(parsed(longer.build()).errorCode, kSheetBadRecord);

    // A text that runs past its block's stated end.
    DataSheetBuilder runs = typicalSheet();
    runs.addExtraTexts({{3, "abcdef"}});
    runs.blocks[0].lengthOverride = 4;
    runs.extendedSizeOverride = static_cast<uint16_t>(3 + 9 + 4);
    EXPECT_EQ(parsed(runs.build()).errorCode, kSheetBadRecord);

    // An extension cut short ends before its checksum, whether the block loop overran or
    // only the checksum is missing.
    const std::vector<uint8_t> full = extendedSheet().build();
    for (size_t cut : {size_t{10}, size_t{5}, size_t{4}, size_t{1}}) {
        std::vector<uint8_t> bytes(full.begin(), full.end() - static_cast<long>(cut));
        EXPECT_EQ(parsed(bytes).errorCode, kSheetNoChecksum) << cut;
    }
}
