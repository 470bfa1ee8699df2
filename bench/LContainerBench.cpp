// Keyed lookups of the engine's containers: the hashed key list (binary search on hashes
// plus key comparison), the hash list by hash, and the string bucket table.
#include "container/LHashKeyList.h"
#include "container/LHashList.h"
#include "container/LTableString.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<LString> MakeKeys(int aCount)
{
    std::vector<LString> keys;
    for (int i = 0; i < aCount; ++i) {
        keys.emplace_back(("key_" + std::to_string(i * 7919)).c_str());
    }
    return keys;
}

} // namespace

static void BM_HashKeyListGet(benchmark::State& aState)
{
    const auto keys = MakeKeys(static_cast<int>(aState.range(0)));
    LHashKeyList list(7, false);
    for (const LString& key : keys) {
        list.AddAt(key, const_cast<LString*>(&key), true);
    }
    size_t i = 0;
    for (auto _ : aState) {
        benchmark::DoNotOptimize(list.Get(keys[i++ % keys.size()]));
    }
}
BENCHMARK(BM_HashKeyListGet)->Arg(16)->Arg(256)->Arg(4096);

static void BM_HashKeyListSortedAdd(benchmark::State& aState)
{
    const auto keys = MakeKeys(static_cast<int>(aState.range(0)));
    for (auto _ : aState) {
        LHashKeyList list(7, false);
        for (const LString& key : keys) {
            list.AddAt(key, nullptr, true);
        }
        benchmark::DoNotOptimize(list.GetCount());
    }
}
BENCHMARK(BM_HashKeyListSortedAdd)->Arg(256);

static void BM_HashListGetItem(benchmark::State& aState)
{
    const int count = static_cast<int>(aState.range(0));
    LHashList list(7, false);
    for (int i = 1; i <= count; ++i) {
        list.Add(0xAA000000u | static_cast<unsigned int>(i), nullptr, true);
    }
    unsigned int i = 0;
    for (auto _ : aState) {
        benchmark::DoNotOptimize(list.GetItem(0xAA000000u | (1 + i++ % count)));
    }
}
BENCHMARK(BM_HashListGetItem)->Arg(16)->Arg(4096);

static void BM_TableStringGet(benchmark::State& aState)
{
    const auto keys = MakeKeys(static_cast<int>(aState.range(0)));
    LTableString table(100);
    for (const LString& key : keys) {
        table.Add(key, const_cast<LString*>(&key));
    }
    size_t i = 0;
    for (auto _ : aState) {
        void* value = nullptr;
        benchmark::DoNotOptimize(table.Get(keys[i++ % keys.size()], &value));
    }
}
BENCHMARK(BM_TableStringGet)->Arg(16)->Arg(256);
