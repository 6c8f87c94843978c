// The engines beside named references, in one run:
//  - the 2048-point transform beside FFTW (single precision, measured plan) and KissFFT;
//  - a full 22-entry EQ response and sum beside a plain per-point complex evaluation of the
//    same biquads;
//  - a mode-file write plus read.
// The ratios are printed after the table.
#include <benchmark/benchmark.h>
#include <fftw3.h>
#include <kissfft/kiss_fft.h>
#include <unistd.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "FFTs.h"
#include "FilterResponse.h"
#include "ModeFile.h"

using namespace mz3;

namespace {

constexpr int kN = 2048;

std::vector<TComplex> randomInput() {
    std::mt19937 rng(1);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<TComplex> in(kN);
    for (auto& c : in) {
        c = {u(rng), 0.0f};
    }
    return in;
}

void BM_Fft2048_Ours(benchmark::State& state) {
    const auto in = randomInput();
    std::vector<TComplex> out(kN);
    Fft fft;
    fft.FFT(in.data(), out.data(), kN);
    for (auto _ : state) {
        fft.FFT(in.data(), out.data(), kN);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_Fft2048_FFTW(benchmark::State& state) {
    const auto src = randomInput();
    auto* in = fftwf_alloc_complex(kN);
    auto* out = fftwf_alloc_complex(kN);
    fftwf_plan plan = fftwf_plan_dft_1d(kN, in, out, FFTW_FORWARD, FFTW_MEASURE);
    for (int i = 0; i < kN; ++i) {
        in[i][0] = src[size_t(i)].Re;
        in[i][1] = 0.0f;
    }
    for (auto _ : state) {
        fftwf_execute(plan);
        benchmark::DoNotOptimize(out);
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
}

void BM_Fft2048_KissFFT(benchmark::State& state) {
    const auto src = randomInput();
    kiss_fft_cfg cfg = kiss_fft_alloc(kN, 0, nullptr, nullptr);
    std::vector<kiss_fft_cpx> in(kN);
    std::vector<kiss_fft_cpx> out(kN);
    for (int i = 0; i < kN; ++i) {
        in[size_t(i)].r = src[size_t(i)].Re;
        in[size_t(i)].i = 0.0f;
    }
    for (auto _ : state) {
        kiss_fft(cfg, in.data(), out.data());
        benchmark::DoNotOptimize(out.data());
    }
    kiss_fft_free(cfg);
}

// A busy module: 20 EQ points of every kind plus both crossovers.
std::vector<EQPoint> busyPoints() {
    std::vector<EQPoint> pts;
    for (int i = 0; i < 20; ++i) {
        pts.push_back({1 + i % 3, 30.0f * std::pow(1.4f, float(i)), float(i % 7) - 3.0f,
                       0.5f + 0.3f * float(i)});
    }
    pts.push_back({109, 80.0f, 0, 0});
    pts.push_back({212, 12000.0f, 0, 0});
    return pts;
}

void BM_Response22_Ours(benchmark::State& state) {
    FilterResponse r;
    const auto pts = busyPoints();
    for (size_t i = 0; i < pts.size(); ++i) {
        r.EQPointList[i] = pts[i];
    }
    for (auto _ : state) {
        for (int i = 0; i < 22; ++i) {
            r.computeEntry(i);
        }
        benchmark::DoNotOptimize(r.SumCurves(3, 21).data());
    }
}

// The reference: every grid point of every entry evaluated directly as |H(e^jw)| of the
// entry's sections in complex arithmetic.
void BM_Response22_PlainComplex(benchmark::State& state) {
    const auto pts = busyPoints();
    struct Section {
        double b0, b1, b2, a0, a1, a2;
    };
    const double s = std::sin(1.5707964);
    const double c = std::cos(1.5707964);
    std::vector<std::vector<Section>> sections;
    for (const EQPoint& p : pts) {
        std::vector<Section> list;
        if (p.Kind == 1) {
            const double A = std::pow(10.0, p.Gain / 40.0);
            const double al = s / (2 * 2.8 * (p.Q + 0.01));
            list.push_back({1 + al * A, -2 * c, 1 - al * A, 1 + al / A, -2 * c, 1 - al / A});
        } else if (p.Kind == 2 || p.Kind == 3) {
            const double A = std::pow(10.0, p.Gain / 40.0);
            const double al = s / 2 * std::sqrt(std::fabs((A + 1 / A) * (1 / 1.0 - 1) + 2));
            const double r = 2 * std::sqrt(A) * al;
            list.push_back({A * ((A + 1) - (A - 1) * c + r), 2 * A * ((A - 1) - (A + 1) * c),
                            A * ((A + 1) - (A - 1) * c - r), (A + 1) + (A - 1) * c + r,
                            -2 * ((A - 1) + (A + 1) * c), (A + 1) + (A - 1) * c - r});
        } else {
            const double al = s * std::sqrt(2.0) / 2;
            const bool hp = p.Kind < 200;
            const Section sec =
                hp ? Section{(1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + al, -2 * c, 1 - al}
                   : Section{(1 - c) / 2, 1 - c, (1 - c) / 2, 1 + al, -2 * c, 1 - al};
            list.assign(3, sec);
        }
        sections.push_back(list);
    }
    std::vector<double> total(CurveSteps + 1);
    for (auto _ : state) {
        std::fill(total.begin(), total.end(), 0.0);
        for (size_t e = 0; e < pts.size(); ++e) {
            const int centre = int(std::lround(gridPointOf(pts[e].Freq)));
            for (int p = 0; p <= CurveSteps; ++p) {
                const int idx = std::clamp(231 + (p - centre), 0, CurveSteps - 1);
                const double w = idx * M_PI / CurveSteps;
                const std::complex<double> z1 = std::polar(1.0, -w);
                const std::complex<double> z2 = z1 * z1;
                double db = 0;
                for (const Section& q : sections[e]) {
                    db += 20 * std::log10(std::abs((q.b0 + q.b1 * z1 + q.b2 * z2) /
                                                   (q.a0 + q.a1 * z1 + q.a2 * z2)));
                }
                total[size_t(p)] += db;
            }
        }
        benchmark::DoNotOptimize(total.data());
    }
}

class NullHost : public ModeFileHost {
public:
    void ShowBilingualMessage(const std::string&, const std::string&) override {}
    void DisCheckWindow(int) override {}
};

void BM_ModeFileRoundTrip(benchmark::State& state) {
    char pattern[] = "/tmp/mz3-bench-modes-XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(pattern);
    ParameterStore store;
    for (int m = 0; m <= 26; ++m) {
        for (int s = 0; s <= SlotCount[size_t(m)] && s < kSlotCapacity; ++s) {
            store.setDeviceValue(m, s, (m * 31 + s * 7) % 361);
        }
    }
    NullHost host;
    ModeFiles files(store, dir, dir, host);
    for (auto _ : state) {
        files.WriteModeFile(KindModeFile, "Bench");
        files.ReadModeFile(KindModeFile, "Bench");
    }
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_Fft2048_Ours);
BENCHMARK(BM_Fft2048_FFTW);
BENCHMARK(BM_Fft2048_KissFFT);
BENCHMARK(BM_Response22_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Response22_PlainComplex)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModeFileRoundTrip)->Unit(benchmark::kMicrosecond);

// Keeps every run's time per iteration so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Iteration) {
                ns[r.benchmark_name()] =
                    r.GetAdjustedRealTime() * (r.time_unit == benchmark::kMicrosecond ? 1e3 : 1.0);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> ns;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& t = reporter.ns;
    auto get = [&](const char* n) { return t.count(n) ? t[n] : 0.0; };
    const double ours = get("BM_Fft2048_Ours");
    std::printf("\nRatios (targets in brackets)\n");
    if (ours > 0) {
        std::printf("  transform / FFTW       %.2f  [at most 2.5]\n",
                    ours / get("BM_Fft2048_FFTW"));
        std::printf("  KissFFT / transform    %.2f  [at least 3]\n",
                    get("BM_Fft2048_KissFFT") / ours);
    }
    const double resp = get("BM_Response22_Ours");
    if (resp > 0) {
        std::printf("  22-entry response+sum  %.1f us  [under 100 us]; plain complex / ours %.1f\n",
                    resp / 1e3, get("BM_Response22_PlainComplex") / resp);
    }
    if (get("BM_ModeFileRoundTrip") > 0) {
        std::printf("  mode-file write+read   %.1f us  [under 1000 us]\n",
                    get("BM_ModeFileRoundTrip") / 1e3);
    }
    benchmark::Shutdown();
    return 0;
}
