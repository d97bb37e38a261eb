#pragma once

#include <benchmark/benchmark.h>

// Runs the registered benchmarks with the command line's options. Returns 1
// for an option the benchmark library does not know.
inline int runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
