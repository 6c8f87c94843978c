#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>

#include "FilterResponse.h"
#include "ScaleTables.h"

namespace mz3 {
namespace {

class MapReader : public PanelValueReader {
public:
    int panelValue(int addr) const override {
        auto it = values.find(addr);
        return it == values.end() ? 0 : it->second;
    }
    std::map<int, int> values;
};

// 20 log10 |H(e^jw)| in double precision, directly from the transfer function.
double directDb(double b0, double b1, double b2, double a0, double a1, double a2, double w) {
    const std::complex<double> z1 = std::polar(1.0, -w);
    const std::complex<double> z2 = z1 * z1;
    return 20.0 * std::log10(std::abs((b0 + b1 * z1 + b2 * z2) / (a0 + a1 * z1 + a2 * z2)));
}

TEST(EqResponseTest, FlatPointsAreZeroEverywhere) {
    FilterResponse r;
    Curve c;
    for (int kind : {0, 1, 7}) {
        c.fill(99.0f);
        r.PointResponse(c, 1000.0f, kind, kind == 1 ? 0.0f : 9.0f, 2.0f);
        for (float v : c) {
            ASSERT_EQ(v, 0.0f) << "kind " << kind;
        }
    }
}

TEST(EqResponseTest, PeakIsCentredAndReachesItsGain) {
    EXPECT_NEAR(gridPointOf(1000.0), 273.36, 0.01);
    FilterResponse r;
    Curve c;
    r.PointResponse(c, 1000.0f, 1, 12.0f, 2.0f);
    const auto peak = std::max_element(c.begin(), c.end()) - c.begin();
    EXPECT_EQ(peak, 273);
    EXPECT_NEAR(c[273], 12.0f, 1e-3);
    // The shape against the transfer function: grid point 273 + j is w = (231 + j) pi / 462.
    const double s = std::sin(double(1.5707964f));
    const double cw = std::cos(double(1.5707964f));
    const double A = std::pow(10.0, 12.0 / 40.0);
    const double alpha = s / (2 * 2.8 * 2.01);
    for (int j : {-200, -40, -5, 0, 7, 60, 180}) {
        const double w = (231 + j) * M_PI / 462;
        EXPECT_NEAR(c[size_t(273 + j)],
                    directDb(1 + alpha * A, -2 * cw, 1 - alpha * A, 1 + alpha / A, -2 * cw,
                             1 - alpha / A, w),
                    2e-3)
            << j;
    }
}

TEST(EqResponseTest, LowFrequencyPointsAreCentredAtZero) {
    FilterResponse r;
    Curve a;
    Curve b;
    r.PointResponse(a, 8.0f, 1, 6.0f, 1.0f);
    r.PointResponse(b, 10.0f, 1, 6.0f, 1.0f);
    EXPECT_EQ(a, b);
    EXPECT_NEAR(a[0], 6.0f, 1e-3);
}

TEST(EqResponseTest, QAdjustmentAndShelfSlopeLimit) {
    EXPECT_EQ(FilterResponse::adjustQ(128.0f), 103.0f);
    EXPECT_EQ(FilterResponse::adjustQ(121.0f), 102.0f);
    EXPECT_EQ(FilterResponse::adjustQ(102.0f), 98.0f);
    EXPECT_EQ(FilterResponse::adjustQ(96.0f), 96.0f);
    FilterResponse r;
    Curve q128;
    Curve q103;
    r.PointResponse(q128, 2000.0f, 1, -9.0f, 128.0f);
    r.PointResponse(q103, 2000.0f, 1, -9.0f, 103.0f);
    EXPECT_EQ(q128, q103);
    Curve slope5;
    Curve slope4;
    r.PointResponse(slope5, 300.0f, 2, 6.0f, 5.0f);
    r.PointResponse(slope4, 300.0f, 2, 6.0f, 4.0f);
    EXPECT_EQ(slope5, slope4);
    // A low shelf lifts the bottom and leaves the top; a high shelf the other way round.
    EXPECT_NEAR(slope4.front(), 6.0f, 0.05f);
    EXPECT_NEAR(slope4.back(), 0.0f, 0.05f);
    Curve high;
    r.PointResponse(high, 300.0f, 3, 6.0f, 1.0f);
    EXPECT_NEAR(high.back(), 6.0f, 0.05f);
    EXPECT_NEAR(high.front(), 0.0f, 0.05f);
}

TEST(EqResponseTest, LinkRileyCurvesAreExactDoubles) {
    FilterResponse r;
    for (int base : {100, 200}) {
        Curve first;
        Curve lr12;
        r.PointResponse(first, 500.0f, base + 1, 0.0f, 0.0f);
        r.PointResponse(lr12, 500.0f, base + 4, 0.0f, 0.0f);
        Curve bw;
        Curve lr24;
        r.PointResponse(bw, 500.0f, base + 3, 0.0f, 0.0f);
        r.PointResponse(lr24, 500.0f, base + 9, 0.0f, 0.0f);
        for (size_t p = 0; p < first.size(); ++p) {
            ASSERT_EQ(lr12[p], 2.0f * first[p]);
            ASSERT_EQ(lr24[p], 2.0f * bw[p]);
        }
    }
}

TEST(EqResponseTest, CrossoversHaveTheirSlopesAndNoInfinities) {
    FilterResponse r;
    // Approximate stop-band slopes per octave at the far end of the shape.
    const int orders[13] = {0, 1, 2, 2, 2, 3, 3, 4, 4, 4, 6, 6, 6};
    for (int t = 0; t <= 12; ++t) {
        for (int base : {100, 200}) {
            Curve c;
            r.PointResponse(c, 1000.0f, base + t, 0.0f, 0.0f);
            for (float v : c) {
                ASSERT_TRUE(std::isfinite(v)) << base + t;
            }
            const float passBand = base == 100 ? c.back() : c.front();
            EXPECT_NEAR(passBand, 0.0f, 0.1f) << base + t;
            // One octave away from the corner into the stop band.
            const size_t corner = 273;
            const size_t octave = size_t(std::lround(462 * std::log10(2.0) / SpanDecades));
            const float stop = base == 100 ? c[corner - octave] : c[corner + octave];
            if (orders[t] == 0) {
                EXPECT_EQ(stop, 0.0f);
            } else {
                EXPECT_LT(stop, -3.0f * orders[t]) << base + t;
            }
        }
    }
}

TEST(EqResponseTest, ThirdOrderLinkRileyIsTwiceTheButterworthPair) {
    FilterResponse r;
    Curve lr36;
    r.PointResponse(lr36, 1000.0f, 112, 0.0f, 0.0f);
    const double s = std::sin(double(1.5707964f));
    const double c = std::cos(double(1.5707964f));
    const double alpha = s * 0.5;  // n 3, k 0: Q 1
    for (int j : {-40, -10, 0, 10, 40}) {
        // Crossover grid: index 231 + j maps to w = (pi / 462) (231 + 231 j / 105).
        const double w = M_PI / 462 * (231 + 231.0 * j / 105.0);
        const double second =
            directDb((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha, w);
        const double first = directDb(1 + c, -(1 + c), 0, 1 + s + c, s - c - 1, 0, w);
        EXPECT_NEAR(lr36[size_t(273 + j)], 2 * (second + first), 5e-3) << j;
    }
}

TEST(EqResponseTest, LoadPointsAndSwitchedOffCrossovers) {
    MapReader v;
    // Music band 1: PEQ at 1000 Hz, +6 dB, Q 1.00; band 2 LSEQ with shelf slope index 30.
    v.values[10] = 1;
    v.values[11] = 204;
    v.values[12] = 150;
    v.values[13] = 16;
    v.values[15] = 2;
    v.values[16] = 100;
    v.values[17] = 120;
    v.values[18] = 5;
    v.values[19] = 30;
    v.values[4] = 9;  // high-pass type, frequency index 0: off
    v.values[5] = 0;
    v.values[6] = 3;  // low-pass type at index 360: off
    v.values[7] = 360;
    FilterResponse r;
    EXPECT_EQ(r.LoadEQPoints(100, 0, v), 14 + 200);
    EXPECT_EQ(r.EQPointList[0].Kind, 1);
    EXPECT_EQ(r.EQPointList[0].Freq, 1000.0f);
    EXPECT_EQ(r.EQPointList[0].Gain, 6.0f);
    EXPECT_EQ(r.EQPointList[0].Q, 1.0f);
    EXPECT_EQ(r.EQPointList[1].Q, QValues[30]);  // shelf slope from field 4
    EXPECT_EQ(r.EQPointList[15].Kind, 100);
    EXPECT_EQ(r.EQPointList[15].Freq, 19.7f);
    EXPECT_EQ(r.EQPointList[16].Kind, 200);
    v.values[5] = 40;
    v.values[7] = 200;
    r.LoadEQPoints(100, 0, v);
    EXPECT_EQ(r.EQPointList[15].Kind, 109);
    EXPECT_EQ(r.EQPointList[16].Kind, 203);
    // Modules without crossovers, and modules without a list.
    EXPECT_EQ(r.LoadEQPoints(100, 22, v), 4);
    EXPECT_EQ(r.LoadEQPoints(100, 2, v), 2);
    EXPECT_EQ(r.LoadEQPoints(100, 25, v), -1);
    // Values out of any table are clamped, never read outside it.
    v.values[3 * 256 + 16] = 5000;
    v.values[3 * 256 + 18] = -7;
    r.LoadEQPoints(0, 3, v);
    EXPECT_EQ(r.EQPointList[0].Freq, FrequencyValues[361]);
    EXPECT_EQ(r.EQPointList[0].Q, QValues[0]);
}

TEST(EqResponseTest, AuxiliaryGroupRuleInTheSum) {
    MapReader v;
    for (int i = 0; i < 6; ++i) {
        v.values[21 * 256 + 1 + 5 * i] = 1;
        v.values[21 * 256 + 2 + 5 * i] = 200;
        v.values[21 * 256 + 3 + 5 * i] = 170;  // +10 dB
        v.values[21 * 256 + 4 + 5 * i] = 16;
    }
    FilterResponse r;
    const int last = r.LoadEQPoints(100, 21, v, true) % 100;
    for (int i = 0; i <= last; ++i) {
        r.computeEntry(i);
    }
    // Leftover curves of the inactive group are not flat, yet they add nothing.
    r.ResponseCurve[4].fill(50.0f);
    const Curve& total = r.SumCurves(21, last);
    Curve expected{};
    for (int i = 0; i < 3; ++i) {
        for (size_t p = 0; p < expected.size(); ++p) {
            expected[p] += r.ResponseCurve[size_t(i)][p];
        }
    }
    EXPECT_EQ(total, expected);
    r.LoadEQPoints(100, 21, v, false);
    EXPECT_EQ(r.EQPointList[0].Kind, 0);
    EXPECT_EQ(r.EQPointList[3].Kind, 1);
}

}  // namespace
}  // namespace mz3
