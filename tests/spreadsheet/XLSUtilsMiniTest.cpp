#include "XLSUtilsMini.h"

#include <gtest/gtest.h>

#include "BIFFRecsMini.h"
#include "EXLSError.h"
#include "XLSBytes.h"

namespace vesk {
namespace {

TEST(XLSUtilsMini, CellReferencesAsText) {
    struct Case {
        int col, row;
        bool absCol, absRow;
        const char* text;
    };
    for (const Case& c : {Case{0, 0, false, false, "A1"}, Case{25, 9, false, true, "Z$10"},
                          Case{26, 0, true, false, "$AA1"}, Case{27, 0, true, true, "$AB$1"},
                          Case{255, 65535, false, false, "IV65536"}})
        EXPECT_EQ(ColRowToRefStr(c.col, c.row, c.absCol, c.absRow), c.text);
}

TEST(XLSUtilsMini, ReferenceTextParsesOnlyWholeValidShapes) {
    struct Good {
        const char* text;
        int col, row;
        bool absCol, absRow;
    };
    for (const Good& g : {Good{"A1", 0, 0, false, false}, Good{"$AB$1", 27, 0, true, true},
                          Good{"IV65536", 255, 65535, false, false}, Good{"I$7", 8, 6, false, true},
                          Good{"$IA2", 234, 1, true, false}}) {
        std::uint16_t col = 9, row = 9;
        bool ac = false, ar = false;
        ASSERT_TRUE(RefStrToColRow(g.text, col, row, ac, ar)) << g.text;
        EXPECT_EQ(col, g.col) << g.text;
        EXPECT_EQ(row, g.row) << g.text;
        EXPECT_EQ(ac, g.absCol) << g.text;
        EXPECT_EQ(ar, g.absRow) << g.text;
    }
    for (const char* bad : {"", "$", "A", "1", "a1", "JA1", "IZ5", "IW1", "A0", "A65537", "A1B", "ABC1", "A-1",
                            "$$A1", "A$$1", "A 1"}) {
        std::uint16_t col, row;
        bool ac, ar;
        EXPECT_FALSE(RefStrToColRow(bad, col, row, ac, ar)) << bad;
    }
}

TEST(XLSUtilsMini, AreaSplitsAtTheFirstColon) {
    std::uint16_t c1, r1, c2, r2;
    bool a1, a2, a3, a4;
    ASSERT_TRUE(AreaStrToColRow("B2:$C$10", c1, r1, c2, r2, a1, a2, a3, a4));
    EXPECT_EQ(c1, 1);
    EXPECT_EQ(r1, 1);
    EXPECT_EQ(c2, 2);
    EXPECT_EQ(r2, 9);
    EXPECT_FALSE(a1 || a2);
    EXPECT_TRUE(a3 && a4);
    EXPECT_FALSE(AreaStrToColRow("B2", c1, r1, c2, r2, a1, a2, a3, a4));
    EXPECT_FALSE(AreaStrToColRow("B2:", c1, r1, c2, r2, a1, a2, a3, a4));
    EXPECT_FALSE(AreaStrToColRow("B2:C3:D4", c1, r1, c2, r2, a1, a2, a3, a4));
}

TEST(XLSUtilsMini, CellKeyPacksColumnAndRow) {
    EXPECT_EQ(CellKey(0, 0), 0u);
    EXPECT_EQ(CellKey(255, 65535), 0xFFFFFFu);
    EXPECT_EQ(CellKey(256 + 3, 1), 0x103u);
}

TEST(XLSUtilsMini, ByteStrings) {
    EXPECT_EQ(ByteStrLength(""), 0u);
    EXPECT_EQ(ByteStrLength(std::string("\0ab", 3)), 2u);
    EXPECT_EQ(ByteStrLength(std::string("\1a\0b\0", 5)), 2u);
    const std::uint8_t narrow[] = {0x00, 'x', 0xE9, 'z'};
    EXPECT_EQ(BufferToWideString(narrow, sizeof narrow, 3), u"x\u00E9z");
    const std::uint8_t wide[] = {0x05, 0x41, 0x01, 0x42, 0x00};  // option bit 0 set
    EXPECT_EQ(BufferToWideString(wide, sizeof wide, 2), u"\u0141B");
    EXPECT_EQ(ByteStrFromBuffer(wide, sizeof wide, 2), std::string("\1\x41\1\x42\0", 5));
    EXPECT_THROW(BufferToWideString(wide, sizeof wide, 3), EXLSError);
    EXPECT_THROW(ByteStrFromBuffer(narrow, 0, 0), EXLSError);
    EXPECT_EQ(ByteStrToWideString(WideStringToByteStr(u"Zażółć")), u"Zażółć");
    EXPECT_EQ(ByteStrToWideString(std::string("\0\xB3", 2)), u"\u00B3");
    EXPECT_EQ(ByteStrToWideString("\xB3x"), u"łx");  // no option byte: code page text
    EXPECT_EQ(ByteStrToWideString(""), u"");
}

TEST(XLSUtilsMini, ErrorCodes) {
    const std::uint8_t codes[] = {0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A};
    for (std::uint8_t i = 1; i <= 7; ++i) {
        EXPECT_EQ(ErrorCodeToIndex(codes[i - 1]), i);
        EXPECT_EQ(ErrorCodeToText(codes[i - 1]), XLSErrorTexts[i]);
    }
    EXPECT_EQ(ErrorCodeToIndex(0x01), 0);
    EXPECT_EQ(ErrorCodeToText(0x01), "#???");
    EXPECT_EQ(ErrorIndexToCode(1), 0x00);
    EXPECT_EQ(ErrorIndexToCode(6), 0x24);
    EXPECT_EQ(ErrorIndexToCode(0x80 | 2), 0x07);
    for (std::uint8_t i : {0, 7, 8, 0x7F}) EXPECT_EQ(ErrorIndexToCode(i), 0x2A);
}

TEST(XLSUtilsMini, RKNumbers) {
    EXPECT_EQ(DecodeRK(0x66), 25.0);
    EXPECT_EQ(DecodeRK(0x67), 0.25);
    EXPECT_EQ(DecodeRK(static_cast<std::uint32_t>(-25 << 2) | 2), -25.0);
    EXPECT_EQ(DecodeRK(static_cast<std::uint32_t>(-1234 << 2) | 3), -12.34);
    EXPECT_EQ(DecodeRK(0x3FF00000), 1.0);       // the high 30 bits of 1.0
    EXPECT_EQ(DecodeRK(0xC0240000), -10.0);     // -10.0 as a double
    EXPECT_EQ(DecodeRK(0x3FF80001), 1.5 / 100);  // float form, then / 100
}

TEST(XLSUtilsMini, HexText) {
    EXPECT_EQ(HexPairToByte("3F"), 0x3F);
    EXPECT_EQ(HexPairToByte("00"), 0);
    EXPECT_THROW(HexToBytes("0A1bFF"), EXLSError) << "lower case is no hex digit";
    try {
        HexPairToByte("ABC");
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.message(), "Length error in hex string.");
        EXPECT_EQ(e.kind(), XLSErrorKind::Usage);
    }
    EXPECT_EQ(HexToBytes("0A10FF"), (std::vector<std::uint8_t>{0x0A, 0x10, 0xFF}));
    EXPECT_EQ(HexToBytes("0A1"), (std::vector<std::uint8_t>{0x0A}));
}

TEST(XLSUtilsMini, WideUpperCasing) {
    EXPECT_EQ(WideUpperCase(u"abc xyz 09"), u"ABC XYZ 09");
    EXPECT_EQ(WideUpperCase(u"zażółć gęślą jaźń"), u"ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    EXPECT_EQ(WideUpperCase(u"éàÿ÷ß"), u"ÉÀŸ÷ß");
    EXPECT_EQ(WideUpperCase(u"ľĺňčřšž"), u"ĽĹŇČŘŠŽ");
    EXPECT_EQ(WideUpperCase(u"ЖΩ"), u"ЖΩ");
}

TEST(XLSUtilsMini, NumberText) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& c : {Case{0, "0"}, Case{25, "25"}, Case{-0.25, "-0.25"}, Case{0.1, "0.1"},
                          Case{1.0 / 3, "0.333333333333333"}, Case{0.00001, "0.00001"}, Case{0.000001, "1E-6"},
                          Case{123456789012345.0, "123456789012345"}, Case{1e15, "1E15"},
                          Case{123456789012345678.0, "1.23456789012346E17"}, Case{-2.5e-7, "-2.5E-7"},
                          Case{100, "100"}, Case{1234.5678, "1234.5678"}})
        EXPECT_EQ(FloatToText(c.value), c.text) << c.value;
}

TEST(XLSBytes, ShortBodyNamesRecordAndOffset) {
    const std::vector<std::uint8_t> body = {1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    TRecordBody r(body, BIFFID_SST, 100);
    EXPECT_EQ(r.u16(0), 0x0201);
    EXPECT_EQ(r.u32(0), 0x04030201u);
    EXPECT_EQ(r.f64(4), 1.0);
    try {
        r.u32(10);
        FAIL();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Format);
        EXPECT_EQ(e.recordId(), BIFFID_SST);
        EXPECT_EQ(e.offset(), 114);
        EXPECT_NE(std::string(e.what()).find("record 00FC at offset 114"), std::string::npos) << e.what();
    }
    EXPECT_THROW(r.bytes(12, 1), EXLSError);
    EXPECT_NO_THROW(r.bytes(12, 0));
    std::vector<std::uint8_t> out;
    appendU16(out, 0x1234);
    appendU32(out, 0xA1B2C3D4);
    appendF64(out, -2.5);
    TRecordBody back(out, 0);
    EXPECT_EQ(back.u16(0), 0x1234);
    EXPECT_EQ(back.u32(2), 0xA1B2C3D4u);
    EXPECT_EQ(back.f64(6), -2.5);
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(EXLSError, LocationAndPrefix) {
    EXLSError plain(XLSErrorKind::Refused, "Can not write Excel 2.1/3.0 files");
    EXPECT_STREQ(plain.what(), "Can not write Excel 2.1/3.0 files");
    EXPECT_EQ(plain.recordId(), EXLSError::NoRecord);
    EXLSError located = plain.at(0x0203, 512);
    EXPECT_STREQ(located.what(), "Can not write Excel 2.1/3.0 files (record 0203 at offset 512)");
    EXPECT_EQ(located.at(0x0001, 1).recordId(), 0x0203) << "a known location stays";
    EXLSError prefixed = located.withPrefix("Record 12: ");
    EXPECT_EQ(prefixed.message(), "Record 12: Can not write Excel 2.1/3.0 files");
    EXPECT_EQ(prefixed.kind(), XLSErrorKind::Refused);
    EXPECT_EQ(prefixed.offset(), 512);
    EXPECT_STREQ(EXLSError(XLSErrorKind::Io, "x", EXLSError::NoRecord, 7).what(), "x (at offset 7)");
    EXPECT_STREQ(xlsErrorKindName(XLSErrorKind::Container), "Container");
}

}  // namespace
}  // namespace vesk
