// Benchmarks of the synthesis core: the series per column, the whole column
// loop against a plain reference loop of the same arithmetic, the spectrum
// geometry, the terms of a shape from its samples and of a recorded second.

#include "core/core.h"
#include "referenceloop.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>


namespace {

using bench::manyTerms;
using bench::referenceLoop;

class NullSurface : public tavelo::PlotCanvas {
public:
    void firstPoint(float x, float y) override { benchmark::DoNotOptimize(x + y); }
    void nextPoint(const tavelo::PlotColumn& column) override { benchmark::DoNotOptimize(column.x + column.y); }
};

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

// The column loop against the reference, alternated in every iteration so that
// both see the same state of the machine; reports overhead = loop / reference.
void BM_ColumnLoopOverhead(benchmark::State& state)
{
    const tavelo::HarmonicParams params = manyTerms(250);
    const auto W = static_cast<double>(state.range(0));
    NullSurface surface;
    double loopSeconds = 0;
    double referenceSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(referenceLoop(params, W, 337));
        auto middle = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(tavelo::DrawColumns(params, W, 337, surface, [](double) { return true; }));
        auto end = std::chrono::steady_clock::now();
        referenceSeconds += std::chrono::duration<double>(middle - start).count();
        loopSeconds += std::chrono::duration<double>(end - middle).count();
    }
    state.counters["overhead"] = loopSeconds / referenceSeconds;
}
BENCHMARK(BM_ColumnLoopOverhead)->Arg(657)->Arg(9855)->Unit(benchmark::kMillisecond);

void BM_SpectrumBars(benchmark::State& state)
{
    const tavelo::HarmonicParams params = manyTerms(250);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavelo::spectrumBars(250, params.A, 1, 3255, 2055));
}
BENCHMARK(BM_SpectrumBars);

// The terms of a shape from its samples: a drawing's 657, and the most a
// pasted table may hold, 100,000.
void BM_AnalyseShape(benchmark::State& state)
{
    std::vector<double> samples(static_cast<std::size_t>(state.range(0)));
    for (std::size_t k = 0; k < samples.size(); ++k)
        samples[k] = std::sin(0.37 * double(k)) + 0.001 * double(k % 97);
    for (auto _ : state)
        benchmark::DoNotOptimize(tavelo::analyseShape(samples, true));
}
BENCHMARK(BM_AnalyseShape)->Arg(657)->Arg(4096)->Arg(100000)->Unit(benchmark::kMillisecond);

// A second recorded at 44.1 kHz to its terms: a voice-like tone of 20
// harmonics at the pitch given, in hertz.
void BM_AnalyseRecording(benchmark::State& state)
{
    const auto hertz = static_cast<double>(state.range(0));
    std::vector<float> samples(44100);
    for (std::size_t k = 0; k < samples.size(); ++k) {
        double v = 0;
        for (int n = 1; n <= 20; ++n)
            v += 0.3 / n * std::sin(2 * 3.141592653589793 * n * hertz * double(k) / 44100 + n);
        samples[k] = static_cast<float>(v);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(tavelo::analyseRecording(samples, 44100, true));
}
BENCHMARK(BM_AnalyseRecording)->Arg(100)->Arg(196)->Arg(1000)->Unit(benchmark::kMillisecond);

// The plot reader's places on a curve of 9,855 columns: the square wave of
// 250 terms over 15 periods, whose ripples make an extreme every few
// columns. Each search reads the whole curve, wherever it starts.
std::vector<double> squareColumns()
{
    tavelo::HarmonicParams params;
    params.N = 250;
    params.A.assign(251, 0.0);
    params.Fi.assign(251, 0.0);
    for (std::size_t n = 1; n <= 250; n += 2)
        params.A[n] = 1.0 / double(n);
    params.P = 15;
    params.sinBasis = true;
    std::vector<double> columns;
    for (int x = 0; x <= 9855; ++x)
        columns.push_back(tavelo::SeriesValue(params, x, 9855).value_or(0));
    return columns;
}

void BM_CurveJump(benchmark::State& state)
{
    const std::vector<double> columns = squareColumns();
    for (auto _ : state) {
        switch (state.range(0)) {
        case 0:
            benchmark::DoNotOptimize(tavelo::nextExtreme(columns, 9800, tavelo::Heading::Forward));
            break;
        case 1:
            benchmark::DoNotOptimize(tavelo::nextZeroCrossing(columns, 9800, tavelo::Heading::Forward));
            break;
        case 2:
            benchmark::DoNotOptimize(tavelo::nextJump(columns, 7, 9800, tavelo::Heading::Forward));
            break;
        default:
            benchmark::DoNotOptimize(tavelo::summarize(columns));
            break;
        }
    }
}
// 0 an extreme, 1 a zero crossing, 2 a jump, 3 the summary.
BENCHMARK(BM_CurveJump)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
