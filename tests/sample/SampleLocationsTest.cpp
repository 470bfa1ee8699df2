// The sample's two locations as data: every viewpoint names files and cameras that exist,
// depth meshes load as the scene loads them with the ground frames the navigation names,
// way-points and walk targets lie in the walkable areas, each location has its one global
// light, hotspots refer to evidence, items, interviews and voice-over files that exist,
// and the models and animations the generator wrote read back with their counts.
#include "LImage.h"
#include "LPolygon.h"
#include "LVector2.h"
#include "Render/LAnimation.h"
#include "Render/LCamera.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIRasterizer.h"
#include "Render/LLipSyncCurve.h"
#include "Render/LLipSyncData.h"
#include "Render/LMesh.h"
#include "Render/LNavigationTDO.h"
#include "Render/LPathFindingWeb.h"
#include "Render/LPickRay.h"
#include "Render/LPosBounds.h"
#include "Render/LSkinMesh.h"
#include "Render/LVertexBuffer.h"
#include "Render/LWayPoint.h"
#include "Render/LWebPath.h"
#include "TNavDataParser.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "container/LVectorString.h"
#include "stdlib/LIFileSystem.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LSampleRoots.h"
#include "support/LTestCreator.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct View
{
    std::string mScene;
    std::string mName;
    std::string mCamera;
};

const View kViews[] = {
    {"precinct", "vp01", "cam01"},
    {"case01/riverbank", "vp01", "cam01"},
    {"case01/riverbank", "vp02", "cam02"},
};

const char* const kScenes[] = {"precinct", "case01/riverbank"};

std::unique_ptr<LPropertyList> Load(const std::string& aPath)
{
    auto list = std::make_unique<LPropertyList>();
    return list->Load(FromStd(aPath), true) ? std::move(list) : nullptr;
}

std::string Text(const LPropertyList& aList, const std::string& aPath)
{
    bool found = false;
    const LString value = aList.GetString(FromStd(aPath), found);
    return found ? ToStd(value) : "<" + aPath + " missing>";
}

std::vector<std::string> Keys(const LPropertyList* aList)
{
    std::vector<std::string> keys;
    for (int i = 0; aList != nullptr && i < aList->GetCount(); ++i) {
        keys.push_back(ToStd(aList->GetKeyAt(i)));
    }
    return keys;
}

bool Exists(const std::string& aPath)
{
    return LIFileSystem::Get()->FileExists(FromStd(aPath), true);
}

// Whether the path names a value or a list.
bool Present(const LPropertyList& aList, const std::string& aPath)
{
    bool found = false;
    aList.GetProperty(FromStd(aPath), found);
    return found || aList.GetList(FromStd(aPath)) != nullptr;
}

std::vector<std::string> Values(const LPropertyList& aList, const std::string& aPath)
{
    bool found = false;
    const LVectorString values = aList.GetVectorString(FromStd(aPath), found);
    std::vector<std::string> out;
    for (int i = 0; i < values.GetCount(); ++i) {
        out.push_back(ToStd(values[i]));
    }
    return out;
}

template <typename T>
bool Has(const std::vector<T>& aKeys, const T& aKey)
{
    return std::find(aKeys.begin(), aKeys.end(), aKey) != aKeys.end();
}

LVector2 Point(const LPropertyList& aList, const std::string& aPath)
{
    bool found = false;
    const LVectorFloat values = aList.GetVectorFloat(FromStd(aPath), found);
    return found && values.GetCount() >= 2 ? LVector2(values[0], values[1]) : LVector2(1e9f, 1e9f);
}

// A location's areas from its navigation.txt: walkable ones by camera, and obstacles.
struct Areas
{
    std::multimap<std::string, LPolygon> mWalkable;
    std::vector<LPolygon> mObstacles;
    std::map<std::string, std::string> mGround; // by camera

    bool Walkable(const std::string& aCamera, const LVector2& aPoint) const
    {
        const auto range = mWalkable.equal_range(aCamera);
        return std::any_of(range.first, range.second,
                           [&aPoint](const auto& aArea) { return aArea.second.ContainsPoint(aPoint); });
    }
    bool Blocked(const LVector2& aPoint) const
    {
        return std::any_of(mObstacles.begin(), mObstacles.end(),
                           [&aPoint](const LPolygon& aArea) { return aArea.ContainsPoint(aPoint); });
    }
};

Areas ReadAreas(const std::string& aScene)
{
    Areas areas;
    const auto navigation = Load("//scenes/" + aScene + "/navigation.txt");
    for (const std::string& key : Keys(navigation.get())) {
        bool found = false;
        LPolygon polygon;
        polygon.SetPoints(navigation->GetVectorFloat(FromStd(key + ".coords"), found), true);
        // "PS(ground)(camera)" is walkable, any other kind an obstacle.
        if (key.rfind("PS(", 0) == 0) {
            const size_t close = key.find(')');
            const std::string camera = key.substr(close + 2, key.size() - close - 3);
            areas.mGround[camera] = key.substr(3, close - 3);
            areas.mWalkable.emplace(camera, polygon);
        } else {
            areas.mObstacles.push_back(polygon);
        }
    }
    return areas;
}

LVector3 Vector3(const LPropertyList& aList, const std::string& aPath)
{
    bool found = false;
    const LVectorFloat values = aList.GetVectorFloat(FromStd(aPath), found);
    return found && values.GetCount() >= 3 ? LVector3(values[0], values[1], values[2]) : LVector3(0, 0, 0);
}

// The viewpoint's camera as the scene sets it up from cameras.txt (the depth meshes' root
// frame is the identity, so positions stay as written).
bool SetUpCamera(const View& aView, LCamera& aCamera)
{
    const auto cameras = Load("//scenes/" + aView.mScene + "/cameras.txt");
    if (!cameras) {
        return false;
    }
    bool fov = false;
    bool zNear = false;
    bool zFar = false;
    const std::string id = aView.mCamera + ".";
    const LVector3 eye = Vector3(*cameras, id + "position");
    const LVector3 target = Vector3(*cameras, id + "target");
    const float fovx = cameras->GetFloat(FromStd(id + "fovx"), fov);
    const float nearZ = cameras->GetFloat(FromStd(id + "znear"), zNear);
    const float farZ = cameras->GetFloat(FromStd(id + "zfar"), zFar);
    return fov && zNear && zFar && aCamera.SetPerspectiveHFov(fovx, nearZ, farZ) &&
           aCamera.SetPosition(eye.x, eye.y, eye.z) && aCamera.SetTarget(target.x, target.y, target.z);
}

// Where the camera shows a world point on the 800 x 600 screen.
void Pixel(const LCamera& aCamera, const LVector3& aPoint, float& aX, float& aY)
{
    LMatrix4 viewProjection;
    LMatrix4::Multiply(&viewProjection, aCamera.GetViewMatrix(), aCamera.GetProjectionMatrix());
    LVector3 clip;
    LMatrix4::TransformCoord(&clip, &viewProjection, &aPoint);
    aX = (clip.x + 1.0f) * 400.0f;
    aY = (1.0f - clip.y) * 300.0f;
}

float Brightness(const LImage& aImage, float aX, float aY)
{
    const uint32_t argb = aImage.GetPixelARGB(static_cast<int>(std::lround(aX)), static_cast<int>(std::lround(aY)));
    return static_cast<float>(((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF));
}

std::unique_ptr<LDrawElement> LoadDepthMesh(const View& aView)
{
    LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
    auto depth = std::make_unique<LDrawElement>();
    const bool loaded =
        stream.CreateFromFile(FromStd("//scenes/" + aView.mScene + "/" + aView.mName + "_depth.lim"), true) &&
        depth->LoadModel(&stream, LDrawElement::kFlat);
    return loaded ? std::move(depth) : nullptr;
}

class SampleLocations : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LSampleRoots::Mount());
        RegisterFake<LFakeDeviceCaps>("devicecaps");
    }

    LLogCapture mLog;
};

} // namespace

TEST_F(SampleLocations, EveryViewpointNamesItsCameraFilesAndStartWayPoint)
{
    for (const View& view : kViews) {
        SCOPED_TRACE(view.mScene + " " + view.mName);
        const std::string folder = "//scenes/" + view.mScene + "/";
        const auto scene = Load(folder + "scene.txt");
        const auto cameras = Load(folder + "cameras.txt");
        const auto wayPoints = Load(folder + "waypoints.txt");
        ASSERT_TRUE(scene && cameras && wayPoints);
        const std::string vp = "viewpoints." + view.mName + ".";
        EXPECT_EQ(view.mCamera, Text(*scene, vp + "camera.id"));
        for (const char* key : {"position", "target", "fovx", "znear", "zfar"}) {
            EXPECT_TRUE(Present(*cameras, view.mCamera + "." + key)) << key;
        }
        EXPECT_TRUE(Exists(folder + Text(*scene, vp + "background")));
        EXPECT_TRUE(Exists(folder + Text(*scene, vp + "depthmesh")));
        EXPECT_TRUE(Exists(folder + Text(*scene, vp + "hotspots") + ".txt"));
        // Both readers of the start way-point find the same one, and it exists.
        const std::string start = Text(*scene, vp + "startwaypoint");
        EXPECT_EQ(start, Text(*scene, vp + "characters.player.vedrin.startwaypoint"));
        EXPECT_TRUE(Has(Keys(wayPoints.get()), start)) << start;
    }
    for (const char* name : kScenes) {
        const auto scene = Load(std::string("//scenes/") + name + "/scene.txt");
        ASSERT_TRUE(scene);
        EXPECT_EQ("vedrin.data", Text(*scene, "characters.player.vedrin.data"));
        EXPECT_TRUE(Has(Keys(scene->GetList(LString("viewpoints"))), Text(*scene, "defaultviewpoint")));
        for (const std::string& npc : Keys(scene->GetList(LString("characters.npcs")))) {
            EXPECT_TRUE(Exists("//characters/" + Text(*scene, "characters.npcs." + npc + ".data"))) << npc;
        }
    }
}

TEST_F(SampleLocations, DepthMeshesLoadFlatWithTheGroundFramesTheNavigationNames)
{
    for (const View& view : kViews) {
        SCOPED_TRACE(view.mScene + " " + view.mName);
        const auto loaded = LoadDepthMesh(view);
        ASSERT_TRUE(loaded);
        const LDrawElement& depth = *loaded;
        // The scene moves its camera by the first frame's matrix: the identity here.
        ASSERT_GT(depth.GetFrameCount(), 1);
        EXPECT_EQ(LMatrix4(), depth.GetFrameAt(0)->GetLocalMatrix());
        const Areas areas = ReadAreas(view.mScene);
        ASSERT_EQ(1u, areas.mGround.count(view.mCamera));
        LFrame* ground = depth.GetFrame(FromStd(areas.mGround.at(view.mCamera)), true);
        ASSERT_NE(nullptr, ground);
        ASSERT_NE(nullptr, ground->GetMesh());
        // The crate stands in riverbank's first viewpoint only.
        const bool crate = view.mScene == "case01/riverbank" && view.mName == "vp01";
        EXPECT_EQ(crate, depth.GetFrame(LString("crate"), true) != nullptr);
        EXPECT_NE(nullptr, depth.GetFrame(LString("surround"), true));
        EXPECT_EQ(crate ? 4 : 3, depth.GetFrameCount());
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleLocations, WayPointsAndWalkTargetsLieInTheWalkableAreas)
{
    for (const char* name : kScenes) {
        SCOPED_TRACE(name);
        const std::string folder = std::string("//scenes/") + name + "/";
        const Areas areas = ReadAreas(name);
        const auto wayPoints = Load(folder + "waypoints.txt");
        ASSERT_TRUE(wayPoints);
        const std::vector<std::string> names = Keys(wayPoints.get());
        int inBoth = 0;
        for (const std::string& point : names) {
            const LVector2 at = Point(*wayPoints, point + ".coords");
            int cameras = 0;
            for (const auto& ground : areas.mGround) {
                cameras += areas.Walkable(ground.first, at) ? 1 : 0;
            }
            EXPECT_GE(cameras, 1) << point;
            EXPECT_FALSE(areas.Blocked(at)) << point;
            inBoth += cameras > 1 ? 1 : 0;
            // Every link is walked both ways.
            const std::vector<std::string> links = Values(*wayPoints, point + ".links");
            EXPECT_FALSE(links.empty()) << point;
            for (const std::string& other : links) {
                ASSERT_TRUE(Has(names, other)) << point << " -> " << other;
                EXPECT_TRUE(Has(Values(*wayPoints, other + ".links"), point)) << other << " -> " << point;
            }
        }
        EXPECT_EQ(areas.mGround.size() > 1 ? 1 : 0, inBoth);
    }
    // Each navigate hotspot walks to a point of its own viewpoint's walkable space.
    const Areas riverbank = ReadAreas("case01/riverbank");
    for (const auto& [file, camera] : {std::pair {"vp01_hotspots.txt", "cam01"}, {"vp02_hotspots.txt", "cam02"}}) {
        const auto hotspots = Load(std::string("//scenes/case01/riverbank/") + file);
        ASSERT_TRUE(hotspots);
        int navigate = 0;
        for (const std::string& key : Keys(hotspots.get())) {
            if (Text(*hotspots, key + ".type") == "navigate") {
                ++navigate;
                EXPECT_TRUE(riverbank.Walkable(camera, Point(*hotspots, key + ".typedata.navigate.targetpos"))) << key;
            }
        }
        EXPECT_EQ(1, navigate) << file;
    }
}

TEST_F(SampleLocations, TheWayPointWebJoinsEveryWayPointToEveryOther)
{
    for (const char* name : kScenes) {
        SCOPED_TRACE(name);
        const auto wayPoints = Load(std::string("//scenes/") + name + "/waypoints.txt");
        ASSERT_TRUE(wayPoints);
        LPathFindingWeb web;
        ASSERT_TRUE(web.Create(wayPoints.get()));
        const int count = web.GetWayPointCount();
        ASSERT_EQ(static_cast<int>(Keys(wayPoints.get()).size()), count);
        for (int from = 0; from < count; ++from) {
            for (int to = 0; to < count; ++to) {
                EXPECT_TRUE(web.GetShortestPath(from, to).Exists()) << from << " -> " << to;
            }
        }
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleLocations, TheNavigationSetsUpForEveryCameraAndRoutesBetweenTheCameras)
{
    for (const View& view : kViews) {
        SCOPED_TRACE(view.mScene + " " + view.mName);
        const std::string folder = "//scenes/" + view.mScene + "/";
        LPropertyList* parsed = nullptr;
        ASSERT_TRUE(ParseNavigation(FromStd(folder + "navigation.txt"), &parsed));
        const std::unique_ptr<LPropertyList> data(parsed);
        const auto wayPoints = Load(folder + "waypoints.txt");
        const auto depth = LoadDepthMesh(view);
        ASSERT_TRUE(wayPoints && depth);
        LPathFindingWeb web;
        ASSERT_TRUE(web.Create(wayPoints.get()));
        LNavigationTDO navigation;
        ASSERT_TRUE(navigation.Create(data.get()));
        ASSERT_TRUE(navigation.SetSceneRoot(depth.get()));
        ASSERT_TRUE(navigation.SetPathFinding(&web));
        ASSERT_TRUE(navigation.SetCamera(FromStd(view.mCamera)));

        // Which way-points each camera's walkable areas hold.
        const Areas areas = ReadAreas(view.mScene);
        std::map<std::string, std::vector<int>> inside;
        for (const auto& ground : areas.mGround) {
            int count = 0;
            LPosBounds** bounds = nullptr;
            ASSERT_TRUE(navigation.GetPosBoundsForCamera(FromStd(ground.first), count, bounds));
            for (int w = 0; w < web.GetWayPointCount(); ++w) {
                for (int b = 0; b < count; ++b) {
                    if (bounds[b]->mArea.ContainsPoint(web.GetWayPoint(w)->mPoint)) {
                        inside[ground.first].push_back(w);
                        break;
                    }
                }
            }
            delete[] bounds;
        }
        for (int w = 0; w < web.GetWayPointCount(); ++w) {
            EXPECT_TRUE(std::any_of(inside.begin(), inside.end(),
                                    [w](const auto& aCamera) { return Has(aCamera.second, w); }))
                << ToStd(web.GetWayPoint(w)->mName);
        }
        // From this camera the walker reaches every way-point of the others' areas.
        for (int from : inside[view.mCamera]) {
            for (const auto& other : inside) {
                for (int to : other.second) {
                    EXPECT_TRUE(web.GetShortestPath(from, to).Exists())
                        << ToStd(web.GetWayPoint(from)->mName) << " -> " << ToStd(web.GetWayPoint(to)->mName);
                }
            }
        }
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleLocations, EachLocationHasOneGlobalLightAndLightsNameExistingCameras)
{
    for (const char* name : kScenes) {
        SCOPED_TRACE(name);
        const std::string folder = std::string("//scenes/") + name + "/";
        const auto lights = Load(folder + "lights_low.txt");
        const auto cameras = Load(folder + "cameras.txt");
        ASSERT_TRUE(lights && cameras);
        const std::vector<std::string> cameraIds = Keys(cameras.get());
        int global = 0;
        for (const std::string& light : Keys(lights.get())) {
            bool found = false;
            const bool isGlobal = lights->GetBool(FromStd(light + ".global"), found);
            const bool on = lights->GetBool(FromStd(light + ".on"), found);
            global += isGlobal && on ? 1 : 0;
            const std::string type = Text(*lights, light + ".type");
            EXPECT_TRUE(type == "directional" || type == "point") << light;
            const std::vector<std::string> used = Values(*lights, light + ".cameras");
            ASSERT_FALSE(used.empty()) << light;
            for (size_t i = 0; i < used.size(); ++i) {
                EXPECT_TRUE((i == 0 && used[i] == "all") || Has(cameraIds, used[i])) << light << " " << used[i];
            }
        }
        EXPECT_EQ(1, global);
    }
}

TEST_F(SampleLocations, HotspotsReferToEvidenceItemsInterviewsAndVoiceOverFiles)
{
    const std::string folder = "//scenes/case01/riverbank/";
    const auto hotspots = Load(folder + "vp01_hotspots.txt");
    const auto evidence = Load(folder + "evidence.txt");
    const auto scene = Load(folder + "scene.txt");
    const auto interviews = Load("//interviews/interviews.txt");
    const auto items = Load("//textures/pda/inventory/inventory_items.txt");
    const auto subtitles = Load("//scenes/vo_subtitles.txt");
    ASSERT_TRUE(hotspots && evidence && scene && interviews && items && subtitles);
    std::vector<std::string> types;
    for (const std::string& key : Keys(hotspots.get())) {
        types.push_back(Text(*hotspots, key + ".type"));
    }
    EXPECT_EQ((std::vector<std::string> {"navigate", "general", "target", "interview", "general", "interview", "general"}),
              types);
    // The drawer's look opens its close-up, whose hotspot gives an item of the list and
    // whose voice-over has its line.
    EXPECT_EQ("sta_sample_drawer|boolean|true", Text(*hotspots, "sample_drawer.data.look.statechanges"));
    const auto closeUps = Load(folder + Text(*scene, "viewpoints.vp01.closeups"));
    ASSERT_TRUE(closeUps);
    EXPECT_EQ("sta_sample_drawer", Text(*closeUps, "sample_drawer_cu.triggerstate"));
    const std::string ticket = Text(*closeUps, "sample_drawer_cu.hotspots.ticket.data.operatingid");
    EXPECT_NE(nullptr, items->GetList(FromStd("items.case1." + ticket))) << ticket;
    EXPECT_TRUE(Present(*subtitles, Text(*closeUps, "sample_drawer_cu.voiceover")));
    // The lab's van questions the crime lab, an expert of case 1.
    const std::string lab = Text(*hotspots, "lab_van.typedata.interview.interviewid");
    EXPECT_EQ("1CL_lab", lab);
    EXPECT_EQ("1CL_lab.txt", Text(*interviews, lab + ".data"));

    for (const char* hotspot : {"sample_object", "pen"}) {
        const std::string item = Text(*hotspots, std::string(hotspot) + ".data.operatingid");
        EXPECT_NE(nullptr, items->GetList(FromStd("items.case1." + item))) << item;
    }
    const std::string item = Text(*hotspots, "sample_object.data.operatingid");
    EXPECT_EQ(item, Text(*hotspots, "sample_target.typedata.target.satisfied"));
    const std::string interest = Text(*hotspots, "sample_object.data.objectofinterest.id");
    EXPECT_TRUE(Present(*evidence, interest + ".coords")) << interest;
    EXPECT_EQ("evt_sample_looked", Text(*hotspots, "sample_object.data.look.doneevents"));

    // The interview's witness is a character of the scene present in this viewpoint.
    const std::string interview = Text(*hotspots, "sample_witness.typedata.interview.interviewid");
    const std::string witness = Text(*interviews, interview + ".witness");
    EXPECT_EQ("vp01", Text(*scene, "characters.npcs." + witness + ".viewpoints"));

    // The look voice-over: subtitle, lip sync, gestures; its sound needs an encoder that
    // may be missing.
    const std::string line = Text(*hotspots, "sample_object.data.voiceovers.look");
    EXPECT_TRUE(Present(*subtitles, line));
    LLipSyncData lipSync;
    EXPECT_EQ(1, lipSync.Load(false, FromStd("//dataroot/lipsync/" + line + ".dat"), true));
    EXPECT_EQ(3, lipSync.GetCurveCount());
    const auto gestures = Load("//gestures/" + line + ".gk");
    ASSERT_TRUE(gestures);
    const std::string type = Text(*gestures, "keys.key01.type");
    EXPECT_EQ("primary", Text(*gestures, "keys.key01.character"));
    EXPECT_TRUE(Exists("//animations" + type)) << type;
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleLocations, CharacterDataNamesTheModelAndAnimationsThatExist)
{
    const auto player = Load("//characters/vedrin.data");
    const auto witness = Load("//characters/witness.data");
    ASSERT_TRUE(player && witness);
    for (const LPropertyList* data : {player.get(), witness.get()}) {
        EXPECT_TRUE(Exists("//meshes/" + Text(*data, "mesh")));
        for (const char* list : {"animations.idle", "animations.move"}) {
            for (const std::string& entry : Keys(data->GetList(LString(list)))) {
                EXPECT_TRUE(Exists("//animations/" + Text(*data, std::string(list) + "." + entry + ".file"))) << entry;
            }
        }
    }
    EXPECT_EQ("player", Text(*player, "type"));
    EXPECT_EQ("vd", Text(*player, "headtype"));
    EXPECT_EQ("4", Text(*player, "animations.move.walk.movespeed"));
    EXPECT_EQ("11", Text(*player, "animations.move.run.movespeed"));
    // The player's shadow-volume cache comes with the sample; the witness casts none.
    EXPECT_TRUE(Exists("//meshes/" + Text(*player, "shadowvolume")));
    EXPECT_FALSE(Present(*witness, "shadowvolume"));
    std::vector<std::string> weights;
    for (const std::string& gesture : Keys(player->GetList(LString("animations.ambient.gestures")))) {
        const std::string path = "animations.ambient.gestures." + gesture;
        weights.push_back(Text(*player, path + ".weight"));
        EXPECT_TRUE(Exists("//animations/" + Text(*player, path + ".gesture"))) << gesture;
    }
    EXPECT_EQ((std::vector<std::string> {"1", "3"}), weights);
    EXPECT_EQ("f", Text(*witness, "gender"));
    EXPECT_TRUE(Exists("//animations/" + Text(*witness, "interview.idleanim")));
}

TEST_F(SampleLocations, ModelsReadBackWithTheCountsTheyWereBuiltWith)
{
    struct Model
    {
        const char* mFile;
        int mFrames;
        int mVertices;
        unsigned mBones;
    };
    // The figure: a root holding the skin, fifteen bones, twelve boxes of 24 corners, each
    // moved by one bone.
    const Model models[] = {
        {"vedrin.lim1", 16, 288, 12}, {"camera.lim1", 1, 24, 0},       {"cell-phone.lim1", 1, 24, 0},
        {"polaroid.lim1", 1, 24, 0},  {"police-badge.lim1", 1, 24, 0},
    };
    for (const Model& model : models) {
        SCOPED_TRACE(model.mFile);
        LMemoryStream stream(1024, LMemoryStream::GROW_DOUBLE);
        ASSERT_TRUE(stream.CreateFromFile(FromStd(std::string("//meshes/") + model.mFile), true));
        LDrawElement element;
        ASSERT_TRUE(element.Read(&stream));
        EXPECT_EQ(model.mFrames, element.GetFrameCount());
        ASSERT_EQ(1, element.GetMeshCount());
        LMesh* mesh = element.GetMesh(0);
        EXPECT_EQ(model.mVertices, mesh->GetVertexBuffer()->GetVertexCount());
        // Each box corner is shared by three sides, whose later two point to the first
        // vertex at that position (the figure's boxes also meet at some corners).
        ASSERT_EQ(model.mVertices, mesh->GetDuplicateCount());
        const uint32_t* duplicates = mesh->GetDuplicateTable();
        int shared = 0;
        for (int v = 0; v < model.mVertices; ++v) {
            ASSERT_LE(duplicates[v], static_cast<uint32_t>(v));
            shared += duplicates[v] != static_cast<uint32_t>(v) ? 1 : 0;
        }
        EXPECT_GE(shared, model.mVertices * 2 / 3);
        EXPECT_LT(shared, model.mVertices);
        const bool skinned = mesh->GetType() == LMesh::kSkinned;
        EXPECT_EQ(model.mBones, skinned ? static_cast<LSkinMesh*>(mesh)->GetBoneCount() : 0u);
    }
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleLocations, AnimationsAndPhonemePosesReadBackWithTheirCounts)
{
    // Every bone of the figure has a channel; the frame counts the generator gave.
    const std::map<std::string, unsigned> frames = {
        {"vd_idle.lia1", 60},          {"vd_walk.lia1", 36},          {"vd_run.lia1", 24},
        {"Turn-90-CW_M.lia1", 30},     {"Turn-Walk_135-CCW_F.lia1", 36}, {"camera_out-up_M.lia1", 120},
        {"SS_M/SS_A1_AB.lia1", 45},    {"Cell-Phone_idle_M.lia1", 30},
    };
    const auto files = LSampleRoots::Files({".lia1"});
    // Seven of the characters' own, ten actions, 24 turns and three fallback gestures.
    EXPECT_EQ(44u, files.size());
    for (const std::string& file : files) {
        LAnimation animation;
        ASSERT_EQ(1, animation.Load(FromStd("//dataroot/" + file), true)) << file;
        EXPECT_EQ(15u, animation.GetChannelCount()) << file;
        const std::string name = file.substr(std::string("animations/").size());
        if (frames.count(name) != 0) {
            EXPECT_EQ(frames.at(name), animation.GetFrameCount()) << file;
        }
    }
    for (int type = 0; type < LLipSyncCurve::kPhonemeCount; ++type) {
        const LString path = LString("//dataroot/phonemes/vd/") + LString(LLipSyncCurve::GetPhonemeName(type)) + ".lia";
        LAnimation pose;
        ASSERT_EQ(1, pose.Load(path, true)) << ToStd(path);
        EXPECT_EQ(2u, pose.GetChannelCount());
        EXPECT_EQ(1u, pose.GetFrameCount());
    }
    EXPECT_EQ(static_cast<size_t>(LLipSyncCurve::kPhonemeCount), LSampleRoots::Files({".lia"}).size());
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleLocations, APickAtAGridCrossingOfTheBackgroundHitsTheFloorThere)
{
    RegisterFakeRender();
    ASSERT_NE(nullptr, LIRasterizer::Get());
    LFakeRasterizer::Instance()->SetViewport(0, 0, 800, 600, 0.0f, 1.0f);
    // Crossings of the 40-unit grid on every viewpoint's floor and clear of the crate.
    const LVector3 crossings[] = {{0, 0, 0}, {-80, 0, 40}, {-120, 0, -40}, {120, 0, 40}};
    std::vector<uint32_t> corners;
    for (const View& view : kViews) {
        SCOPED_TRACE(view.mScene + " " + view.mName);
        LCamera camera;
        ASSERT_TRUE(SetUpCamera(view, camera));
        const auto depth = LoadDepthMesh(view);
        ASSERT_TRUE(depth);
        LImage* background = nullptr;
        const std::string picture = "//scenes/" + view.mScene + "/" + view.mName + "_bg.bmp";
        ASSERT_TRUE(LImage::CreateFromFile(FromStd(picture), &background));
        std::unique_ptr<LImage> owned(background);
        ASSERT_EQ(800, background->GetWidth());
        ASSERT_EQ(600, background->GetHeight());
        corners.push_back(background->GetPixelARGB(4, 4));
        for (const LVector3& crossing : crossings) {
            float x = 0;
            float y = 0;
            float cellX = 0;
            float cellY = 0;
            Pixel(camera, crossing, x, y);
            Pixel(camera, crossing + LVector3(20, 0, 20), cellX, cellY);
            // The picture shows the grid's line there, brighter than the middle of a cell.
            EXPECT_GT(Brightness(*background, x, y), Brightness(*background, cellX, cellY) + 60.0f)
                << crossing.x << ", " << crossing.z;
            LPickRay ray(&camera, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
            LPickRay world(&camera);
            ASSERT_TRUE(ray.Transform(world));
            LVector3 hit;
            ASSERT_TRUE(world.Pick(depth.get(), hit)) << crossing.x << ", " << crossing.z;
            EXPECT_NEAR(0.0f, hit.y, 0.01f);
            EXPECT_LT(std::hypot(hit.x - crossing.x, hit.z - crossing.z), 4.0f) << crossing.x << ", " << crossing.z;
        }
    }
    // Each viewpoint has its own colour, so screenshots tell them apart.
    std::sort(corners.begin(), corners.end());
    EXPECT_EQ(corners.end(), std::adjacent_find(corners.begin(), corners.end()));
    EXPECT_EQ("", mLog.Problems());
}

TEST_F(SampleLocations, HotspotRectanglesCoverWhatTheBackgroundShowsThere)
{
    const std::string folder = "//scenes/case01/riverbank/";
    const auto hotspots = Load(folder + "vp01_hotspots.txt");
    const auto evidence = Load(folder + "evidence.txt");
    const auto scene = Load(folder + "scene.txt");
    ASSERT_TRUE(hotspots && evidence && scene);
    // The camera takes the rasterizer when it is made.
    RegisterFakeRender();
    LCamera camera;
    ASSERT_TRUE(SetUpCamera({"case01/riverbank", "vp01", "cam01"}, camera));
    // The object by its evidence point, the witness at her middle, the trodden patch the
    // generator draws around (140, -140).
    const std::pair<const char*, LVector3> shown[] = {
        {"sample_object", Vector3(*evidence, "sample_object.coords")},
        {"sample_witness", Vector3(*scene, "characters.npcs.witness.position") + LVector3(0, 34, 0)},
        {"sample_target", LVector3(140, 0, -140)},
    };
    for (const auto& [hotspot, point] : shown) {
        bool found = false;
        const std::string boundary = std::string(hotspot) + ".boundary.";
        const LVectorFloat rectangle = hotspots->GetVectorFloat(FromStd(boundary + "coords"), found);
        ASSERT_TRUE(found && rectangle.GetCount() == 4) << hotspot;
        const LVector2 at = Point(*hotspots, boundary + "position");
        float x = 0;
        float y = 0;
        Pixel(camera, point, x, y);
        EXPECT_GT(x, at.x + rectangle[0]) << hotspot;
        EXPECT_LT(x, at.x + rectangle[0] + rectangle[2]) << hotspot;
        EXPECT_GT(y, at.y + rectangle[1]) << hotspot;
        EXPECT_LT(y, at.y + rectangle[1] + rectangle[3]) << hotspot;
    }
    EXPECT_EQ("", mLog.Problems());
}
