#include <gtest/gtest.h>
#include <cmath>

#include "ScaleTables.h"
#include "ValueScales.h"

namespace mz3 {
namespace {

struct FormatCase {
    int kind;
    int index;
    const char* text;
};

class FormatValueTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueTest, ShowsTheIndexInItsUnit) {
    EXPECT_EQ(FormatValue(GetParam().kind, GetParam().index), GetParam().text)
        << "kind " << GetParam().kind << " index " << GetParam().index;
}

// Every kind at its bounds (and beyond them, clamped), plus the worked examples.
INSTANTIATE_TEST_SUITE_P(
    Kinds, FormatValueTest,
    ::testing::Values(
        FormatCase{1, 0, "BYPSS"}, FormatCase{1, 3, "HSEQ"}, FormatCase{1, 9, "HSEQ"},
        FormatCase{2, 0, "19.7Hz"}, FormatCase{2, 204, "1000Hz"}, FormatCase{2, 168, "500.0Hz"},
        FormatCase{2, 360, "20200Hz"}, FormatCase{2, 400, "20200Hz"}, FormatCase{3, 0, "-24.0dB"},
        FormatCase{3, 120, "0.0dB"}, FormatCase{3, 180, "12.0dB"}, FormatCase{3, 104, "-3.2dB"},
        FormatCase{3, -30, "-24.0dB"}, FormatCase{3, 185, "12.0dB"}, FormatCase{4, 0, "0.40"},
        FormatCase{4, 16, "1.00"}, FormatCase{4, 100, "128.00"}, FormatCase{4, 24, "1.60"},
        FormatCase{6, 0, "19.7Hz"}, FormatCase{6, 360, "20200Hz"}, FormatCase{8, 0, "0%"},
        FormatCase{8, 400, "400%"}, FormatCase{9, 200, "200"}, FormatCase{10, 0, "-50%"},
        FormatCase{10, 100, "50%"}, FormatCase{11, 250, "500ms"}, FormatCase{12, 1, "63ms"},
        FormatCase{12, 80, "5000ms"}, FormatCase{12, 3, "188ms"}, FormatCase{14, 0, "-16dBu"},
        FormatCase{14, 34, "18dBu"}, FormatCase{15, 0, "1.0"}, FormatCase{15, 40, "100"},
        FormatCase{16, 0, "Atk x 2"}, FormatCase{16, 7, "Atk x 32"}, FormatCase{17, 0, "0.5ms"},
        FormatCase{17, 19, "400ms"}, FormatCase{18, 0, "0.0ms"}, FormatCase{18, 500, "50.0ms"},
        FormatCase{18, 5, "0.5ms"}, FormatCase{20, 0, "-60dBu"}, FormatCase{20, 60, "0dBu"},
        FormatCase{21, 0, "-7"}, FormatCase{21, 14, "7"}, FormatCase{21, 7, "0"},
        FormatCase{22, 0, "-10.0dB"}, FormatCase{22, 40, "10.0dB"}, FormatCase{22, 1, "-9.5dB"},
        FormatCase{23, 4, "4"}, FormatCase{24, 0, "-90dBu"}, FormatCase{24, 60, "-30dBu"},
        FormatCase{25, 0, "-34dB"}, FormatCase{25, 34, "0dB"}, FormatCase{26, 250, "250ms"},
        FormatCase{27, 100, "0.0dB"}, FormatCase{27, 180, "12.0dB"}, FormatCase{28, 60, "-12.0dB"},
        FormatCase{28, 130, "0.0dB"}, FormatCase{29, 200, "400%"}, FormatCase{0, 57, "57"}));

TEST(ClampIndexTest, RangesAndRaisedLowerBounds) {
    EXPECT_EQ(ClampIndex(27, 100), 120);
    EXPECT_EQ(ClampIndex(28, 20), 60);
    EXPECT_EQ(ClampIndex(3, 185), 180);
    EXPECT_EQ(ClampIndex(3, -30), 0);
    EXPECT_EQ(ClampIndex(4, 101), 100);
    EXPECT_EQ(ClampIndex(0, 999), 999);  // set by the volume handlers
    EXPECT_EQ(ClampIndex(13, -5), -5);   // unused kind
}

TEST(ParseValueTest, TypedNumbersToIndices) {
    struct Case {
        int kind;
        double x;
        int index;
    };
    const Case cases[] = {
        {2, 1000, 204}, {2, 19, 0},     {2, 99999, 360}, {2, 20200, 360},
        {2, 20.3, 1},  // exactly between 20.1 and 20.5: the lower index
        {2, 20.31, 2},  {2, 995, 204},  {2, 20100, 360}, {3, -30, -30},
        {3, 13, 185},   {3, -3.3, 104}, {3, 0, 120},     {27, 12, 180},
        {4, 200, 101},  {4, 0.41, 1},   {4, 1.0, 16},    {9, 77.9, 77},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseValue(c.kind, c.x), c.index) << c.kind << " " << c.x;
    }
    EXPECT_EQ(ClampIndex(4, ParseValue(4, 200)), 100);
    EXPECT_EQ(FormatValue(3, ClampIndex(3, ParseValue(3, -30))), "-24.0dB");
}

TEST(FrequencyTableTest, GridShape) {
    EXPECT_EQ(FrequencyValues[204], 1000.0f);
    EXPECT_EQ(FrequencyValues[361], 20600.0f);
    for (int i = 1; i <= 361; ++i) {
        ASSERT_GT(FrequencyValues[size_t(i)], FrequencyValues[size_t(i - 1)]) << i;
    }
    for (int i = 0; i < 361; i += 37) {
        EXPECT_NEAR(std::log2(FrequencyValues[size_t(i)] / 19.7), i / 36.0, 0.03) << i;
    }
}

TEST(EqAddressingTest, FieldsBandsAndCrossovers) {
    EXPECT_EQ(eqFieldSlot(0, 0, 1), 11);
    EXPECT_EQ(eqFieldSlot(3, 19, 4), 15 + 95 + 4);
    EXPECT_EQ(eqFieldSlot(2, 1, 0), 12);  // DEQ band 2 type
    struct Case {
        int address;
        int band;
        int field;
    };
    const Case found[] = {{0 * 256 + 10, 0, 0},  {0 * 256 + 84, 14, 4}, {0 * 256 + 4, 15, 0},
                          {0 * 256 + 7, 16, 0},  {3 * 256 + 10, 20, 0}, {3 * 256 + 11, 21, 0},
                          {5 * 256 + 12, 8, 0},  {7 * 256 + 6, 7, 0},   {8 * 256 + 19, 11, 0},
                          {20 * 256 + 13, 3, 0}, {21 * 256 + 30, 5, 4}, {22 * 256 + 1, 0, 0},
                          {2 * 256 + 26, 2, 4}};
    for (const Case& c : found) {
        const auto bf = bandOf(c.address);
        ASSERT_TRUE(bf) << c.address;
        EXPECT_EQ(bf->band, c.band) << c.address;
        EXPECT_EQ(bf->field, c.field) << c.address;
    }
    for (int address : {0 * 256 + 85, 0 * 256 + 0, 4 * 256 + 20, 2 * 256 + 7, 22 * 256 + 26,
                        25 * 256 + 3, 21 * 256 + 31}) {
        EXPECT_FALSE(bandOf(address)) << address;
    }
}

TEST(EqAddressingTest, GroupsCountsResetCodesAndDefaults) {
    EXPECT_EQ(EqGroup(1), 0);
    EXPECT_EQ(EqGroup(19), 3);
    EXPECT_EQ(EqGroup(27), 3);
    EXPECT_EQ(EqGroup(2), 8);
    EXPECT_EQ(EqBandCount(21), 6);
    EXPECT_EQ(EqResetCode(4), 4);
    EXPECT_EQ(EqResetCode(9), 8);
    EXPECT_EQ(EqResetCode(21), 18);
    EXPECT_EQ(EqResetCode(24), 17);
    EXPECT_EQ(DefaultBandFrequency(1, 19), 360);
    EXPECT_EQ(DefaultBandFrequency(6, 3), 20);
    EXPECT_EQ(DefaultBandFrequency(7, 0), 0);
}

}  // namespace
}  // namespace mz3
