// Parses the input as a scene's "navigation.txt", creates the navigation from it on a small
// depth mesh ("floor", "stairs") and way-point web, sets every camera the areas name, and
// routes a walker a few frames towards targets taken from the coordinates in the input,
// moving it to each next point. Every point the routing gives must be finite when the
// input's coordinates are moderate.
#include "Render/LDrawElement.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LPosBounds.h"
#include "TNavDataParser.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "stdlib/LFrameManager.h"
#include "support/LFuzzDataRoot.h"
#include "support/LTestNavigation.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kMaxCameras = 4;
constexpr int kMaxTargets = 4;
constexpr int kFrames = 3;

LTestDirectory* gDirectory = nullptr;
LDrawElement* gScene = nullptr;
LPathFindingWeb* gWeb = nullptr;

bool Prepare()
{
    gDirectory = &FuzzDataRoot("//navdata");
    gScene = LTestNavigation::DepthElement();
    gWeb = LTestNavigation::Web(
        LTestNavigation::WayPoint("A", 20, 20, "B|D") + LTestNavigation::WayPoint("B", 80, 20, "A|C") +
        LTestNavigation::WayPoint("C", 80, 80, "B|D") + LTestNavigation::WayPoint("D", 20, 80, "A|C") +
        LTestNavigation::WayPoint("E", 250, 50, "B"));
    return true;
}

constexpr float kModerate = 1.0e6f;

bool Moderate(float aX, float aY)
{
    return std::fabs(aX) < kModerate && std::fabs(aY) < kModerate;
}

// The cameras of the walkable areas and the first point of every area with two
// coordinates, as far as the limits go; false when some coordinate is not moderate.
bool Collect(const LNavigationTDO& aNavigation, std::vector<LString>& aCameras, std::vector<LVector2>& aTargets)
{
    bool moderate = true;
    const LHashKeyList& areas = aNavigation.GetWalkableAreas();
    for (int i = 0; i < areas.GetCount(); ++i) {
        const LPosBounds* area = static_cast<const LPosBounds*>(areas.GetAt(i));
        if (static_cast<int>(aCameras.size()) < kMaxCameras) {
            aCameras.push_back(area->mCamera);
        }
        for (int p = 0; p < area->mArea.GetNumPoints(); ++p) {
            const LVector2& point = area->mArea.GetPoints()[p];
            moderate = moderate && Moderate(point.x, point.y);
        }
        if (area->mArea.GetNumPoints() > 0 && static_cast<int>(aTargets.size()) < kMaxTargets) {
            aTargets.push_back(area->mArea.GetPoints()[0] + LVector2(1.5f, -0.5f));
        }
    }
    const LHashKeyList& obstacles = aNavigation.GetObstacles();
    for (int i = 0; i < obstacles.GetCount(); ++i) {
        const LPolygon& area = static_cast<const LBounds*>(obstacles.GetAt(i))->mArea;
        for (int p = 0; p < area.GetNumPoints(); ++p) {
            moderate = moderate && Moderate(area.GetPoints()[p].x, area.GetPoints()[p].y);
        }
    }
    return moderate;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* aData, size_t aSize)
{
    if (aSize > (1u << 11)) {
        return 0;
    }
    static const bool sPrepared = Prepare();
    (void)sPrepared;
    gDirectory->Write("navigation.txt", std::string(reinterpret_cast<const char*>(aData), aSize));

    LPropertyList* data = nullptr;
    if (!ParseNavigation(LString("//navdata/navigation.txt"), &data)) {
        return 0;
    }
    std::unique_ptr<LPropertyList> owned(data);
    LNavigationTDO navigation;
    navigation.Create(data);
    navigation.SetSceneRoot(gScene);
    navigation.SetPathFinding(gWeb);
    std::vector<LString> cameras;
    std::vector<LVector2> targets;
    const bool moderate = Collect(navigation, cameras, targets);
    targets.push_back(LVector2(-250.0f, -205.0f));
    for (const LString& camera : cameras) {
        if (!navigation.SetCamera(camera)) {
            continue;
        }
        for (const LVector2& target : targets) {
            navigation.SetPosition(LVector3(50.0f, 50.0f, 0.0f));
            navigation.SetTarget(LVector3(target));
            navigation.SetEnabled(true);
            for (int frame = 0; frame < kFrames; ++frame) {
                LFrameManager::Get()->Update();
                const LVector3 next = *navigation.GetNextPoint();
                if (moderate && !(std::isfinite(next.x) && std::isfinite(next.y))) {
                    std::abort();
                }
                navigation.SetPosition(next);
            }
            navigation.SetEnabled(false);
        }
    }
    return 0;
}
