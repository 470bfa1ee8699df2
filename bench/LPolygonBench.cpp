// The polygon queries that walking runs every frame: point in polygon, a segment against
// the edges of several polygons, and the visibility search over them.
#include "LPolygon.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// A star-shaped polygon of aCount points around aCentre.
LPolygon Star(int aCount, const LVector2& aCentre, float aRadius)
{
    std::vector<LVector2> points;
    for (int i = 0; i < aCount; ++i) {
        const float angle = 6.2831853f * static_cast<float>(i) / static_cast<float>(aCount);
        const float radius = (i % 2 == 0) ? aRadius : aRadius * 0.6f;
        points.push_back(aCentre + LVector2(std::cos(angle), std::sin(angle)) * radius);
    }
    return LPolygon(points.data(), aCount, true);
}

} // namespace

static void BM_PolygonContains(benchmark::State& aState)
{
    const LPolygon polygon = Star(static_cast<int>(aState.range(0)), LVector2(400, 300), 250.0f);
    int step = 0;
    for (auto _ : aState) {
        const LVector2 point(150.0f + static_cast<float>(step % 500), 50.0f + static_cast<float>((step * 7) % 500));
        benchmark::DoNotOptimize(polygon.ContainsPoint(point));
        ++step;
    }
}
BENCHMARK(BM_PolygonContains)->Arg(8)->Arg(64)->Arg(512);

static void BM_SegmentAgainstPolygons(benchmark::State& aState)
{
    std::vector<LPolygon> obstacles;
    for (int i = 0; i < 8; ++i) {
        obstacles.push_back(Star(static_cast<int>(aState.range(0)), LVector2(100.0f * i, 300.0f), 40.0f));
    }
    std::vector<const LPolygon*> pointers;
    for (const LPolygon& polygon : obstacles) {
        pointers.push_back(&polygon);
    }
    int step = 0;
    for (auto _ : aState) {
        const LLine2 route(LVector2(0, static_cast<float>(step % 600)), LVector2(800, static_cast<float>((step * 3) % 600)),
                           L_LINE_SEGMENT);
        benchmark::DoNotOptimize(
            LPolygon::IntersectsMultiPolys(route, static_cast<int>(pointers.size()), pointers.data(), true, 0.01f));
        ++step;
    }
}
BENCHMARK(BM_SegmentAgainstPolygons)->Arg(8)->Arg(64);

static void BM_FindVisiblePoint(benchmark::State& aState)
{
    std::vector<LPolygon> obstacles;
    for (int i = 1; i < 8; ++i) {
        obstacles.push_back(Star(static_cast<int>(aState.range(0)), LVector2(100.0f * i, 250.0f + 20.0f * i), 30.0f));
    }
    std::vector<const LPolygon*> pointers;
    for (const LPolygon& polygon : obstacles) {
        pointers.push_back(&polygon);
    }
    const LLine2 target(LVector2(50, 550), LVector2(780, 50), L_LINE_SEGMENT);
    for (auto _ : aState) {
        LVector2 out;
        benchmark::DoNotOptimize(LPolygon::FindVisiblePoint_MP(LVector2(20, 20), target,
                                                               static_cast<int>(pointers.size()), pointers.data(), out,
                                                               0.01f));
    }
}
BENCHMARK(BM_FindVisiblePoint)->Arg(8)->Arg(64);
