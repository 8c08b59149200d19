// Benchmarks of the synthesis core: the series per column, the whole column
// loop against a plain reference loop of the same arithmetic, and the spectrum
// geometry.

#include "core/core.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

tavelo::HarmonicParams manyTerms(int n)
{
    tavelo::HarmonicParams params;
    params.N = n;
    params.A.assign(static_cast<std::size_t>(n) + 1, 0.0);
    params.Fi.assign(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        params.A[static_cast<std::size_t>(i)] = 1.0 / i;
        params.Fi[static_cast<std::size_t>(i)] = 0.01 * i;
    }
    params.P = 2;
    params.Amax = 3;
    params.sinBasis = true;
    return params;
}

class NullSurface : public tavelo::PlotSurface {
public:
    void PSet(float x, float y) override { benchmark::DoNotOptimize(x + y); }
    void Line(float x, float y) override { benchmark::DoNotOptimize(x + y); }
};

// The same arithmetic as the column loop with nothing around it: no fault
// tests, no surface, no yield.
double referenceLoop(const tavelo::HarmonicParams& p, double W, double Hs)
{
    double checksum = 0;
    for (double x = 0; x <= W; x = x + 1) {
        double f = 0;
        for (double n = 1; n <= p.N; n = n + 1) {
            const auto i = static_cast<std::size_t>(n);
            const double angle = x != 0 ? (tavelo::kPhaseFactor * p.Fi[i]) + ((((n * 6.283) * x) * p.P) / W)
                                        : tavelo::kPhaseFactor * p.Fi[i];
            f = (std::sin(angle) * p.A[i]) + f;
        }
        checksum += static_cast<float>(tavelo::ColumnY(f, Hs, p.Amax));
    }
    return checksum;
}

void BM_SeriesValue(benchmark::State& state)
{
    const tavelo::HarmonicParams params = manyTerms(static_cast<int>(state.range(0)));
    double x = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tavelo::SeriesValue(params, x, 657));
        x = x >= 657 ? 1 : x + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SeriesValue)->Arg(1)->Arg(25)->Arg(250);

void BM_ColumnLoop(benchmark::State& state)
{
    const tavelo::HarmonicParams params = manyTerms(250);
    const auto W = static_cast<double>(state.range(0));
    NullSurface surface;
    for (auto _ : state)
        benchmark::DoNotOptimize(tavelo::DrawColumns(params, W, 337, surface, [](double) { return true; }));
}
BENCHMARK(BM_ColumnLoop)->Arg(657)->Arg(9855)->Unit(benchmark::kMicrosecond);

void BM_ReferenceLoop(benchmark::State& state)
{
    const tavelo::HarmonicParams params = manyTerms(250);
    const auto W = static_cast<double>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(referenceLoop(params, W, 337));
}
BENCHMARK(BM_ReferenceLoop)->Arg(657)->Arg(9855)->Unit(benchmark::kMicrosecond);

void BM_SpectrumBars(benchmark::State& state)
{
    const tavelo::HarmonicParams params = manyTerms(250);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavelo::spectrumBars(250, params.A, 1, 3255, 2055));
}
BENCHMARK(BM_SpectrumBars);

} // namespace

BENCHMARK_MAIN();
