#include "support/GMTestWalkScene.h"

#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "support/GMTestRoots.h"
#include "support/LTestModels.h"
#include "support/LTestNavigation.h"

using T = LTestNavigation;

namespace {

std::string StairPoint(const std::string& aName, float aX, const std::string& aLinks, const char* aClass)
{
    return T::WayPoint(aName, aX, 50, aLinks) + "\tclass=" + aClass + "\n";
}

} // namespace

void GMTestWalkScene::Write(const GMTestRoots& aRoots, bool aWayPoints, bool aNavigation)
{
    if (aWayPoints) {
        aRoots.Write("data/scenes/walk/waypoints.txt",
                     T::WayPoint("U", 50, 50, "T") + StairPoint("T", 100, "U|B", "topstair") +
                         StairPoint("B", 200, "T|L", "bottomstair") + T::WayPoint("L", 250, 50, "B|S") +
                         T::WayPoint("S", 450, 50, "L"));
    }
    if (aNavigation) {
        aRoots.Write("data/scenes/walk/navigation.txt",
                     T::FileEntry("PS(floor)(cam01)", T::Box(0, 0, 300, 100)) +
                         T::FileEntry("PS(stairs)(cam02)", T::Box(400, 0, 500, 100)) +
                         T::FileEntry("PS(floor)(cam03)", T::Box(0, 0, 300, 100)) +
                         T::FileEntry("PS(missing)(cam03)", T::Box(400, 0, 500, 100)) +
                         T::FileEntry("PS(missing)(cam04)", T::Box(0, 0, 300, 100)) +
                         T::FileEntry("PS(floor)(cam04)", T::Box(0, 0, 300, 100)));
    }
}

LDrawElement* GMTestWalkScene::DepthMesh()
{
    LFrame* floor = LTestModels::Frame(
        "floor", LMatrix4(), LTestModels::StaticMesh({0, 0, 0, 300, 0, 0, 300, 0, 100, 0, 0, 100}, {0, 1, 2, 0, 2, 3}));
    LFrame* stairs = LTestModels::Frame(
        "stairs", LMatrix4(),
        LTestModels::StaticMesh({400, 0, 0, 500, 50, 0, 500, 50, 100, 400, 0, 100}, {0, 1, 2, 0, 2, 3}));
    floor->SetNextSibling(stairs);
    LDrawElement* element = new LDrawElement();
    element->SetRoot(floor);
    return element;
}

std::string GMTestWalkScene::SceneText()
{
    return "viewpoints\n"
           "\tvp01\n\t\tcamera\n\t\t\tid=cam01\n\t\tstartwaypoint=U\n"
           "\tvp02\n\t\tcamera\n\t\t\tid=cam02\n\t\tstartwaypoint=S\n"
           "\tvp03\n\t\tcamera\n\t\t\tid=cam03\n\t\tcharacters\n\t\t\tplayer\n\t\t\t\tvedrin\n"
           "\t\t\t\t\tstartwaypoint=L\n"
           "\tvp04\n\t\tcamera\n\t\t\tid=cam04\n\t\tstartwaypoint=U\n"
           "\tvp05\n\t\tstartwaypoint=U\n";
}

LPropertyList* GMTestWalkScene::SceneData()
{
    return LTestNavigation::List(SceneText());
}
