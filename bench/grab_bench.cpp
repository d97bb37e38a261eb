// ns per frame of Grab's per-frame routine, at 640 x 480 and 1280 x 720
// 24-bit frames held top-down as GStreamer holds them. Memcpy (one frame
// copied, cache-hot) is the yardstick.
#include "grabcore.h"
#include "grabtesting.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

using grab::GrabCore;
using grab::SubType;
using grab::testing::TestFrame;

struct Setup {
    explicit Setup(const benchmark::State& state, const grab::PixelKernels* kernels = nullptr)
        : w(static_cast<std::int32_t>(state.range(0)))
        , h(static_cast<std::int32_t>(state.range(1)))
        , core(Options(kernels))
        , frame(w, h, SubType::Rgb24)
    {
        frame.SetTopDown(true);
        std::mt19937 rng(1);
        frame.FillRandom(rng);
        core.SetFormat(w, h, SubType::Rgb24);
        core.SetRunning(true);
    }
    static GrabCore::Options Options(const grab::PixelKernels* kernels)
    {
        GrabCore::Options o;
        o.kernels = kernels;
        return o;
    }
    void Fore(const std::vector<std::uint8_t>& rgba)
    {
        grab::testing::WritePng(dir / "fore.png", w, h, grab::testing::PngKind::Rgba, 8, rgba);
        if (core.LoadFore((dir / "fore.png").c_str(), false) != grab::S_OK)
            std::abort();
        core.SetMergeFore(1);
    }
    void Run(benchmark::State& state)
    {
        const grab::FrameView view = frame.View();
        for (auto _ : state) {
            core.ProcessFrame(view);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * w * h * 3);
    }
    std::int32_t w, h;
    GrabCore core;
    TestFrame frame;
    grab::testing::TempDir dir;
};

void BM_Memcpy(benchmark::State& state)
{
    const std::size_t n = static_cast<std::size_t>(state.range(0) * state.range(1) * 3);
    std::vector<std::uint8_t> src(n, 1), dst(n, 2);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * n));
}

void BM_PassThrough(benchmark::State& state)
{
    Setup s(state);
    s.Run(state);
}

void BM_RawCopy(benchmark::State& state)
{
    Setup s(state);
    std::int32_t size = 0;
    s.core.GetBufferSize(&size);
    std::vector<std::uint8_t> buf(static_cast<std::size_t>(size));
    const grab::FrameView view = s.frame.View();
    for (auto _ : state) {
        s.core.CopyFrame(buf.data(), 0, 0);
        s.core.ProcessFrame(view);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
}

void Effect(benchmark::State& state, std::int32_t effect)
{
    Setup s(state);
    s.core.SetSpecialEffect(effect);
    s.Run(state);
}

void BM_EffectHalfMirror(benchmark::State& state)
{
    Effect(state, grab::kEffectHalfMirror);
}
void BM_EffectMaskMode(benchmark::State& state)
{
    Effect(state, grab::kEffectMaskMode);
}
void BM_EffectPointMirror(benchmark::State& state)
{
    Effect(state, grab::kEffectPointMirror);
}
void BM_EffectReflection(benchmark::State& state)
{
    Effect(state, grab::kEffectReflection);
}

// A decorative frame: opaque border, soft inner edge, transparent middle.
void BM_BlendDecorative(benchmark::State& state)
{
    Setup s(state);
    s.Fore(grab::testing::DecorativeFrameRgba(s.w, s.h));
    s.Run(state);
}

// Every pixel of a full-frame foreground partly transparent.
void BM_BlendFull(benchmark::State& state)
{
    Setup s(state);
    s.Fore(grab::testing::VeiledRgba(s.w, s.h));
    s.Run(state);
}

// The same with the scalar kernels, for comparison.
void BM_BlendFullScalar(benchmark::State& state)
{
    Setup s(state, &grab::ScalarKernels());
    s.Fore(grab::testing::VeiledRgba(s.w, s.h));
    s.Run(state);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"width", "height"})->Args({640, 480})->Args({1280, 720});
}

BENCHMARK(BM_Memcpy)->Apply(Sizes);
BENCHMARK(BM_PassThrough)->Apply(Sizes);
BENCHMARK(BM_RawCopy)->Apply(Sizes);
BENCHMARK(BM_EffectHalfMirror)->Apply(Sizes);
BENCHMARK(BM_EffectMaskMode)->Apply(Sizes);
BENCHMARK(BM_EffectPointMirror)->Apply(Sizes);
BENCHMARK(BM_EffectReflection)->Apply(Sizes);
BENCHMARK(BM_BlendDecorative)->Apply(Sizes);
BENCHMARK(BM_BlendFull)->Apply(Sizes);
BENCHMARK(BM_BlendFullScalar)->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
