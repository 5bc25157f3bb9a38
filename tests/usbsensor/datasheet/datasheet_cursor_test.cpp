// Bounded cursor: little-endian reads, reals, texts and the overrun rule.
#include <gtest/gtest.h>

#include <vector>

#include "datasheet/datasheet_cursor.h"

using vornik::DataSheetCursor;

TEST(DataSheetCursor, ReadsLittleEndianAndStopsAtTheEnd) {
    const std::vector<uint8_t> b = {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xAA};
    DataSheetCursor c(b.data(), b.size());
    EXPECT_EQ(c.u8(), 0x01);
    EXPECT_EQ(c.u16(), 0x1234);
    EXPECT_EQ(c.u32(), 0x12345678u);
    EXPECT_FALSE(c.overrun());
    // Two bytes wanted, one left: nothing read, nothing moved, flag set for good.
    EXPECT_EQ(c.u16(), 0);
    EXPECT_TRUE(c.overrun());
    EXPECT_EQ(c.offset(), 7u);
    EXPECT_EQ(c.u8(), 0xAA);
    EXPECT_TRUE(c.overrun());
    EXPECT_EQ(c.u32(), 0u);
    EXPECT_EQ(c.offset(), 8u);
}

TEST(DataSheetCursor, RealsAreFixedPointOrFloat) {
    const std::vector<uint8_t> fixed = {0x00, 0x80, 0xFE, 0xFF};  // -1.5 in 16.16
    DataSheetCursor a(fixed.data(), fixed.size());
    EXPECT_DOUBLE_EQ(a.real(true), -1.5);
    const std::vector<uint8_t> flt = {0x00, 0x00, 0xC0, 0x3F};  // 1.5f
    DataSheetCursor b(flt.data(), flt.size());
    EXPECT_DOUBLE_EQ(b.real(false), 1.5);
    DataSheetCursor shortOne(flt.data(), 3);
    EXPECT_EQ(shortOne.real(false), 0.0);
    EXPECT_TRUE(shortOne.overrun());
}

TEST(DataSheetCursor, TextWithoutTerminatorBeforeTheEndOverruns) {
    const std::vector<uint8_t> b = {'a', 'b', 'c'};
    DataSheetCursor c(b.data(), b.size());
    QString target = "kept";
    c.text8(target);
    EXPECT_TRUE(c.overrun());
    EXPECT_EQ(target, "kept");
    EXPECT_EQ(c.offset(), 0u);
}

TEST(DataSheetCursor, TextsAreLatin1AndWide) {
    const std::vector<uint8_t> b = {'E', 0xE9, 0, 'x', 0, 0xAC, 0x20, 0, 0};
    DataSheetCursor c(b.data(), b.size());
    QString t8;
    c.text8(t8);
    EXPECT_EQ(t8, QString::fromUtf8("E\u00e9"));
    QString wide;
    c.wideText(wide);
    EXPECT_EQ(wide, QString::fromUtf8("x\u20ac"));
    EXPECT_TRUE(c.atEnd());
    EXPECT_FALSE(c.overrun());
}

TEST(DataSheetCursor, LongTextIsCutAndTheNextUnitStandsForTheTerminator) {
    std::vector<uint8_t> b(1030, 'a');
    b.push_back(0);
    DataSheetCursor c(b.data(), b.size());
    QString t;
    c.text8(t);
    EXPECT_EQ(t.size(), 1023);
    EXPECT_EQ(c.offset(), 1024u);

    std::vector<uint8_t> w(2 * 1030, 'b');
    DataSheetCursor d(w.data(), w.size());
    d.wideText(t);
    EXPECT_EQ(t.size(), 1023);
    EXPECT_EQ(d.offset(), 2048u);
    EXPECT_FALSE(d.overrun());
}

TEST(DataSheetCursor, SubCursorIsBoundedAndSkipsItsBytes) {
    const std::vector<uint8_t> b = {1, 2, 3, 4, 5};
    DataSheetCursor c(b.data(), b.size());
    DataSheetCursor inner = c.sub(2);
    EXPECT_EQ(c.offset(), 2u);
    EXPECT_EQ(inner.u16(), 0x0201);
    EXPECT_EQ(inner.u8(), 0);
    EXPECT_TRUE(inner.overrun());
    EXPECT_FALSE(c.overrun());
    DataSheetCursor tooLong = c.sub(4);
    EXPECT_TRUE(tooLong.overrun());
    EXPECT_TRUE(c.overrun());
    EXPECT_EQ(c.offset(), 2u);
}
