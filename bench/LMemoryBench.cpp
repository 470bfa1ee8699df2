// Allocate and free of small blocks: the tracked allocator against the system's, on one
// thread and on four threads at once (each thread its own loop; real time per pair).
#include "memory/LMemoryManager.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

static void BM_TrackedAllocateFree(benchmark::State& aState)
{
    const size_t size = static_cast<size_t>(aState.range(0));
    for (auto _ : aState) {
        void* block = LMemoryManager::Allocate(size, __FILE__, __LINE__);
        benchmark::DoNotOptimize(block);
        LMemoryManager::Free(block);
    }
}
BENCHMARK(BM_TrackedAllocateFree)->Arg(16)->Arg(64)->Arg(256)->Threads(1)->Threads(4)->UseRealTime();

static void BM_MallocFree(benchmark::State& aState)
{
    const size_t size = static_cast<size_t>(aState.range(0));
    for (auto _ : aState) {
        void* block = std::malloc(size);
        benchmark::DoNotOptimize(block);
        std::free(block);
    }
}
BENCHMARK(BM_MallocFree)->Arg(16)->Arg(64)->Arg(256)->Threads(1)->Threads(4)->UseRealTime();
