// The navigation work of a walk: one routing step, which runs every frame of every walk,
// over a camera of eight walkable areas of twenty points, six obstacles and sixty
// way-points; and building the whole way-point table of a 200-way-point web, which is
// filled again after every camera change.
#include "Render/LDrawElement.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "container/LPropertyList.h"
#include "support/LTestNavigation.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {
using T = LTestNavigation;

std::string Name(const char* aPrefix, int aIndex)
{
    return aPrefix + std::to_string(aIndex);
}

// A grid of aColumns x aRows way-points aStep apart from (aX, aY), linked both ways to
// their neighbours along the rows and columns; row r is at aRowY[r] when given.
std::string Grid(int aColumns, int aRows, float aX, float aStep, const std::vector<float>& aRowY)
{
    std::string text;
    for (int r = 0; r < aRows; ++r) {
        for (int c = 0; c < aColumns; ++c) {
            std::string links;
            auto link = [&](int aC, int aR) {
                if (aC >= 0 && aC < aColumns && aR >= 0 && aR < aRows) {
                    links += (links.empty() ? "" : "|") + Name("wp", aR * aColumns + aC);
                }
            };
            link(c - 1, r);
            link(c + 1, r);
            link(c, r - 1);
            link(c, r + 1);
            const float y = aRowY.empty() ? r * aStep : aRowY[r];
            text += T::WayPoint(Name("wp", r * aColumns + c), aX + c * aStep, y, links);
        }
    }
    return text;
}

// Eight round areas of twenty points, each 100 further along x and overlapping the next,
// and a square obstacle in six of the necks between them.
std::string Corridor()
{
    constexpr int kAreas = 8;
    constexpr int kPoints = 20;
    constexpr float kRadius = 60.0f;
    std::string areas;
    for (int a = 0; a < kAreas; ++a) {
        std::vector<float> coords;
        for (int p = 0; p < kPoints; ++p) {
            const float angle = 6.2831853f * p / kPoints;
            coords.push_back(100.0f * a + kRadius * std::cos(angle));
            coords.push_back(kRadius * std::sin(angle));
        }
        areas += T::Bounds(Name("area", a), "cam01", a % 2 ? "stairs" : "floor", coords);
    }
    std::string obstacles;
    for (int o = 0; o < 6; ++o) {
        const float x = 100.0f * o + 50.0f;
        obstacles += T::Bounds(Name("post", o), "", "floor", T::Box(x - 8, -8, x + 8, 8));
    }
    return T::Data(areas, obstacles);
}

void BM_RoutingStep(benchmark::State& aState)
{
    std::unique_ptr<LDrawElement> scene(T::DepthElement());
    std::unique_ptr<LPathFindingWeb> web(T::Web(Grid(15, 4, -25.0f, 50.0f, {-25, -12, 12, 25})));
    std::unique_ptr<LPropertyList> data(T::List(Corridor()));
    LNavigationTDO navigation;
    if (!navigation.Create(data.get()) || !navigation.SetSceneRoot(scene.get()) ||
        !navigation.SetPathFinding(web.get()) || !navigation.SetCamera(LString("cam01"))) {
        aState.SkipWithError("navigation set-up failed");
        return;
    }
    navigation.SetPosition(LVector3(-30.0f, 0.0f, 0.0f));
    navigation.SetTarget(LVector3(730.0f, 5.0f, 0.0f));
    navigation.SetEnabled(true);
    for (auto _ : aState) {
        navigation.OnFrame();
        benchmark::DoNotOptimize(navigation.GetNextPoint()->x);
    }
    navigation.SetEnabled(false);
}
BENCHMARK(BM_RoutingStep);

void BM_WayPointTable200(benchmark::State& aState)
{
    constexpr int kWayPoints = 200;
    std::unique_ptr<LPathFindingWeb> web(T::Web(Grid(20, 10, 0.0f, 10.0f, {})));
    for (auto _ : aState) {
        web->ResetPaths();
        // The web fills its table a source at a time, on the first lookup from it.
        for (int from = 0; from < kWayPoints; ++from) {
            benchmark::DoNotOptimize(web->GetShortestPath(from, kWayPoints - 1 - from).mLength);
        }
    }
}
BENCHMARK(BM_WayPointTable200)->Unit(benchmark::kMillisecond);
} // namespace
