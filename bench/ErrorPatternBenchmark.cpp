// NormalizeNarrowMessage on error messages of 1 KB to 16 MB with names, GUIDs and numbers throughout,
// as page ids of any length reach the log. "MB/s" is the bytes_per_second counter; the scan is
// linear, so the aim is the same MB/s at every size.
#include "Logging/ErrorPattern.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Message(size_t bytes) {
    const std::string piece = "Door 'D12' in {0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9} failed: error 42; ";
    std::string message;
    message.reserve(bytes + piece.size());
    while (message.size() < bytes) {
        message += piece;
    }
    return message;
}

void NormalizeMessage(benchmark::State& state) {
    const std::string message = Message(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ErrorAggregation::NormalizeNarrowMessage(message));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(message.size()));
}

BENCHMARK(NormalizeMessage)->RangeMultiplier(16)->Range(1 << 10, 1 << 24)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
