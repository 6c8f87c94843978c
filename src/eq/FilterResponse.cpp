#include "FilterResponse.h"

#include <algorithm>
#include <cmath>

#include "ScaleTables.h"

namespace mz3 {

namespace {

constexpr int N = CurveSteps;
constexpr int H = N / 2;             // 231: the design frequency pi/2 sits here
constexpr int kShelfKnee = 108;      // round(120 N / 512)
constexpr int kCrossoverKnee = 126;  // round(140 N / 512)
constexpr float kW0 = 1.5707964f;    // pi/2 as a 32-bit float
constexpr double kPi = 3.14159265358979323846;

constexpr EqModuleLayout kLayouts[] = {
    {0, 15, 10, 5, 4, 6},   {2, 3, 2, 10, -1, -1}, {3, 20, 15, 5, 9, 11}, {4, 20, 15, 5, 9, 11},
    {5, 7, 14, 5, 9, 11},   {6, 7, 14, 5, 9, 11},  {7, 7, 11, 5, 6, 8},   {8, 10, 21, 5, 16, 18},
    {20, 3, 17, 5, 12, 14}, {21, 6, 1, 5, -1, -1}, {22, 5, 1, 5, -1, -1},
};

double warped(int i, int knee) {
    const double step = kPi / N;
    if (i <= knee) {
        return step;
    }
    if (i <= H) {
        return step * H * double(i - knee) / double(H - knee);
    }
    if (i <= N - knee) {
        return step * (H + H * double(i - H) / double(H - knee));
    }
    return step * (N - 1);
}

int roundHalfEven(double x) {
    return static_cast<int>(std::nearbyint(x));
}

}  // namespace

const EqModuleLayout* eqLayoutFor(int module) {
    for (const EqModuleLayout& l : kLayouts) {
        if (l.module == module) {
            return &l;
        }
    }
    return nullptr;
}

double gridPointOf(double frequency) {
    return (std::log10(frequency) - 1.0) / SpanDecades * N;
}

FilterResponse::FilterResponse() {
    for (int i = 0; i <= N; ++i) {
        const double w[3] = {i * kPi / N, warped(i, kShelfKnee), warped(i, kCrossoverKnee)};
        for (int g = 0; g < 3; ++g) {
            const float half = static_cast<float>(2.0 * std::sin(w[g] / 2.0));
            m_pGrid[size_t(g)][size_t(i)] = half * half;
        }
    }
}

float FilterResponse::adjustQ(float q) {
    if (q == 102.0f)
        return 98.0f;
    if (q == 108.0f)
        return 100.0f;
    if (q == 114.0f)
        return 101.0f;
    if (q == 121.0f)
        return 102.0f;
    if (q == 128.0f)
        return 103.0f;
    return q;
}

void FilterResponse::shapeOf(const Biquad& q, Grid grid, bool lowPass, Curve& out) const {
    const Curve& pTable = m_pGrid[size_t(grid)];
    const float bSum = q.b0 + q.b1 + q.b2;
    const float aSum = q.a0 + q.a1 + q.a2;
    const float B1 = q.b1 * (q.b0 + q.b2) + 4.0f * q.b0 * q.b2;
    const float A1 = q.a1 * (q.a0 + q.a2) + 4.0f * q.a0 * q.a2;
    const float bb = q.b0 * q.b2;
    const float aa = q.a0 * q.a2;
    const float bSq = bSum * bSum;
    const float aSq = aSum * aSum;
    float previous = 0.0f;
    for (int i = 0; i <= N; ++i) {
        const float P = pTable[size_t(i)];
        const float num = (bb * P - B1) * P + bSq;
        const float den = (aa * P - A1) * P + aSq;
        if (lowPass && (num <= 0.0f || den <= 0.0f)) {
            // The low-pass numerator vanishes at the top of the band: keep the last value.
            out[size_t(i)] = previous;
            continue;
        }
        // 10 log10(num) - 10 log10(den), taken as one logarithm of the quotient.
        previous = 10.0f * std::log10(num / den);
        out[size_t(i)] = previous;
    }
}

void FilterResponse::place(const Curve& shape, float frequency, Curve& curve) const {
    int f = static_cast<int>(std::nearbyint(frequency));
    if (f <= 10) {
        f = 10;
    }
    const int c = std::clamp(roundHalfEven(gridPointOf(f)), 0, N);
    for (int p = c; p >= 0; --p) {
        const int idx = H - (c - p);
        curve[size_t(p)] = idx >= 0 ? shape[size_t(idx)] : shape[0];
    }
    for (int p = c; p <= N; ++p) {
        const int idx = H + (p - c);
        curve[size_t(p)] = idx < N ? shape[size_t(idx)] : shape[N - 1];
    }
}

void FilterResponse::crossoverShape(int type, bool highPass, Curve& out) {
    const float s = std::sin(kW0);
    const float c = std::cos(kW0);
    auto second = [&](float alpha) {
        Biquad q{};
        q.a0 = 1.0f + alpha;
        q.a1 = -2.0f * c;
        q.a2 = 1.0f - alpha;
        if (highPass) {
            q.b0 = (1.0f + c) / 2.0f;
            q.b1 = -(1.0f + c);
            q.b2 = (1.0f + c) / 2.0f;
        } else {
            q.b0 = (1.0f - c) / 2.0f;
            q.b1 = 1.0f - c;
            q.b2 = (1.0f - c) / 2.0f;
        }
        return q;
    };
    auto butterworthSection = [&](int n, int k) {
        return second(s * static_cast<float>(std::sin(kPi * (k + 0.5) / n)));
    };
    Biquad first{};
    first.a0 = 1.0f + s + c;
    first.a1 = s - c - 1.0f;
    first.a2 = 0.0f;
    first.b0 = highPass ? 1.0f + c : s;
    first.b1 = highPass ? -(1.0f + c) : s;
    first.b2 = 0.0f;
    const Biquad bessel = second(s * std::sqrt(3.0f) / 2.0f);
    const Biquad butterworth = second(s * std::sqrt(2.0f) / 2.0f);
    const bool lp = !highPass;

    auto eval = [&](const Biquad& q, Curve& into) { shapeOf(q, Grid::Crossover, lp, into); };
    auto combine = [&](float wa, float wb) {
        for (int i = 0; i <= N; ++i) {
            out[size_t(i)] = wa * m_sectionA[size_t(i)] + wb * m_sectionB[size_t(i)];
        }
    };
    switch (type) {
        case 1:
            eval(first, out);
            return;
        case 2:
            eval(bessel, out);
            return;
        case 3:
            eval(butterworth, out);
            return;
        case 4:  // 12 dB Link-Riley: first order twice
            eval(first, m_sectionA);
            for (int i = 0; i <= N; ++i)
                out[size_t(i)] = m_sectionA[size_t(i)] + m_sectionA[size_t(i)];
            return;
        case 5:
            eval(bessel, m_sectionA);
            eval(first, m_sectionB);
            combine(1.0f, 1.0f);
            return;
        case 6:
            eval(butterworth, m_sectionA);
            eval(first, m_sectionB);
            combine(1.0f, 1.0f);
            return;
        case 7:
            eval(bessel, m_sectionA);
            for (int i = 0; i <= N; ++i)
                out[size_t(i)] = m_sectionA[size_t(i)] + m_sectionA[size_t(i)];
            return;
        case 8:
            eval(butterworthSection(4, 0), m_sectionA);
            eval(butterworthSection(4, 1), m_sectionB);
            combine(1.0f, 1.0f);
            return;
        case 9:
            eval(butterworth, m_sectionA);
            for (int i = 0; i <= N; ++i)
                out[size_t(i)] = m_sectionA[size_t(i)] + m_sectionA[size_t(i)];
            return;
        case 10:
            eval(bessel, m_sectionA);
            for (int i = 0; i <= N; ++i) {
                out[size_t(i)] = m_sectionA[size_t(i)] + 2.0f * m_sectionA[size_t(i)];
            }
            return;
        case 11:
            eval(butterworthSection(4, 0), m_sectionA);
            eval(butterworthSection(4, 1), m_sectionB);
            combine(1.0f, 2.0f);
            return;
        case 12:  // 2 x (third-order Butterworth pair)
            eval(butterworthSection(3, 0), m_sectionA);
            eval(first, m_sectionB);
            for (int i = 0; i <= N; ++i) {
                out[size_t(i)] = 2.0f * (m_sectionA[size_t(i)] + m_sectionB[size_t(i)]);
            }
            return;
        default:
            // Bypass, and types no type box offers: flat.
            out.fill(0.0f);
            return;
    }
}

void FilterResponse::PointResponse(Curve& curve, float frequency, int kind, float gain, float q) {
    q = adjustQ(q);
    const float s = std::sin(kW0);
    const float c = std::cos(kW0);
    if (kind >= 100 && kind < 300) {
        crossoverShape(kind % 100, kind < 200, m_shape);
        place(m_shape, frequency, curve);
        return;
    }
    if (kind == 2 || kind == 3) {
        const float S = std::min(q, 4.0f) + 0.001f;
        const float A = std::pow(10.0f, gain / 40.0f);
        const float alpha =
            (s / 2.0f) * std::sqrt(std::fabs((A + 1.0f / A) * (1.0f / S - 1.0f) + 2.0f));
        const float rootA = std::sqrt(A);
        Biquad b{};
        if (kind == 2) {
            b.b0 = A * ((A + 1) - (A - 1) * c + 2 * rootA * alpha);
            b.b1 = 2 * A * ((A - 1) - (A + 1) * c);
            b.b2 = A * ((A + 1) - (A - 1) * c - 2 * rootA * alpha);
            b.a0 = (A + 1) + (A - 1) * c + 2 * rootA * alpha;
            b.a1 = -2 * ((A - 1) + (A + 1) * c);
            b.a2 = (A + 1) + (A - 1) * c - 2 * rootA * alpha;
        } else {
            b.b0 = A * ((A + 1) + (A - 1) * c + 2 * rootA * alpha);
            b.b1 = -2 * A * ((A - 1) + (A + 1) * c);
            b.b2 = A * ((A + 1) + (A - 1) * c - 2 * rootA * alpha);
            b.a0 = (A + 1) - (A - 1) * c + 2 * rootA * alpha;
            b.a1 = 2 * ((A - 1) - (A + 1) * c);
            b.a2 = (A + 1) - (A - 1) * c - 2 * rootA * alpha;
        }
        shapeOf(b, Grid::Shelf, false, m_shape);
        place(m_shape, frequency, curve);
        return;
    }
    // Peaking; every other kind below 100 (and above the crossovers) is flat at 0 dB.
    const float G = kind == 1 ? gain : 0.0f;
    const float A = std::pow(10.0f, G / 40.0f);
    const float qPrime = (q + 0.01f) / (5.0f / 14.0f);
    const float alpha = s / (2.0f * qPrime);
    const Biquad b{1 + alpha * A, -2 * c, 1 - alpha * A, 1 + alpha / A, -2 * c, 1 - alpha / A};
    shapeOf(b, Grid::Linear, false, m_shape);
    place(m_shape, frequency, curve);
}

void FilterResponse::computeEntry(int index) {
    if (index < 0 || index >= kMaxEqPoints) {
        return;
    }
    const EQPoint& e = EQPointList[size_t(index)];
    PointResponse(ResponseCurve[size_t(index)], e.Freq, e.Kind, e.Gain, e.Q);
}

int FilterResponse::LoadEQPoints(int index, int module, const PanelValueReader& values,
                                 bool auxFirstGroupActive) {
    const EqModuleLayout* layout = eqLayoutFor(module);
    if (layout == nullptr) {
        return -1;
    }
    const int n = layout->points;
    auto value = [&](int slot) { return values.panelValue(module * 256 + slot); };
    auto freqAt = [](int idx) {
        return FrequencyValues[size_t(std::clamp(idx, 0, kFrequencyCount))];
    };
    auto qAt = [](int idx) { return QValues[size_t(std::clamp(idx, 0, kQCount - 1))]; };

    for (int i = 0; i < n; ++i) {
        if (index != 100 && index != i) {
            continue;
        }
        const int base = layout->firstSlot + layout->stride * i;
        EQPoint& p = EQPointList[size_t(i)];
        p.Kind = value(base);
        p.Freq = freqAt(value(base + 1));
        p.Gain = static_cast<float>(value(base + 2)) / 5.0f - 24.0f;
        p.Q = p.Kind <= 1 ? qAt(value(base + 3)) : qAt(value(base + 4));
    }
    const bool crossover = layout->hpTypeSlot >= 0;
    if (crossover && (index == 100 || index >= n - 1)) {
        EQPoint& hp = EQPointList[size_t(n)];
        const int hpIndex = value(layout->hpTypeSlot + 1);
        hp.Kind = hpIndex == 0 ? 100 : 100 + value(layout->hpTypeSlot);
        hp.Freq = freqAt(hpIndex);
        hp.Gain = 0.0f;
        EQPoint& lp = EQPointList[size_t(n + 1)];
        const int lpIndex = value(layout->lpTypeSlot + 1);
        lp.Kind = lpIndex >= 360 ? 200 : 200 + value(layout->lpTypeSlot);
        lp.Freq = freqAt(lpIndex);
        lp.Gain = 0.0f;
    }
    if (module == 21) {
        // One group of three points is active; the other is drawn flat.
        const int first = auxFirstGroupActive ? 3 : 0;
        for (int i = first; i < first + 3; ++i) {
            EQPointList[size_t(i)].Kind = 0;
        }
    }
    return (n - 1) + (crossover ? 200 : 0);
}

const Curve& FilterResponse::SumCurves(int module, int lastIndex) {
    TotalCurve.fill(0.0f);
    const int last = std::min(lastIndex, kMaxEqPoints - 1);
    for (int e = 0; e <= last; ++e) {
        if (module == 21 && EQPointList[size_t(e)].Kind == 0) {
            continue;
        }
        const Curve& c = ResponseCurve[size_t(e)];
        for (int p = 0; p <= N; ++p) {
            TotalCurve[size_t(p)] += c[size_t(p)];
        }
    }
    return TotalCurve;
}

}  // namespace mz3
