// The first way-point path query after a reset, which computes the table row of its
// source: a chain (each way-point linked to the next) and a grid (linked to its four
// neighbours both ways) of 200 and 1,024 way-points, asking from one corner to the other.
#include "Render/LPathFindingWeb.h"
#include "container/LPropertyList.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Name(int aIndex)
{
    return "w" + std::to_string(aIndex);
}

// aWidth way-points a row; a width of aCount makes a one-way chain.
std::string WayPoints(int aCount, int aWidth)
{
    std::string text;
    for (int i = 0; i < aCount; ++i) {
        const int x = i % aWidth;
        const int y = i / aWidth;
        std::string links;
        auto link = [&](int aTo) { links += (links.empty() ? "" : "|") + Name(aTo); };
        if (x + 1 < aWidth && i + 1 < aCount) {
            link(i + 1);
        }
        if (aWidth < aCount) {
            if (x > 0) {
                link(i - 1);
            }
            if (i + aWidth < aCount) {
                link(i + aWidth);
            }
            if (y > 0) {
                link(i - aWidth);
            }
        }
        text += Name(i) + "\n\tcoords=" + std::to_string(x) + "|" + std::to_string(y) + "\n\tlinks=" + links + "\n";
    }
    return text;
}

void FirstQuery(benchmark::State& aState, int aWidth)
{
    const int count = static_cast<int>(aState.range(0));
    const std::string text = WayPoints(count, aWidth ? aWidth : count);
    LPropertyList list;
    list.Parse(text.data(), static_cast<int>(text.size()));
    LPathFindingWeb web;
    web.Create(&list);
    for (auto _ : aState) {
        web.ResetPaths();
        benchmark::DoNotOptimize(web.GetShortestPath(0, count - 1).mLength);
    }
}

void BM_FirstQueryChain(benchmark::State& aState)
{
    FirstQuery(aState, 0);
}

void BM_FirstQueryGrid(benchmark::State& aState)
{
    FirstQuery(aState, 32);
}

} // namespace

BENCHMARK(BM_FirstQueryChain)->Arg(200)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstQueryGrid)->Arg(200)->Arg(1024)->Unit(benchmark::kMicrosecond);
