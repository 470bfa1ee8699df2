// The locations' depth meshes and backgrounds: for every viewpoint a model in the direct
// form (an identity root, the frame "floor" with one quad under the walkable areas,
// the frame "surround" and, where one stands, the frame "crate") and an 800 x 600 picture
// of the same floor, its grid and the crate seen through the viewpoint's camera of the
// hand-written cameras.txt, projected as the engine's camera projects them, so that a
// click on the picture hits the depth mesh where the picture shows it.
//
// The surround is the ground around the floor, at the floor's height, that the picture
// leaves to its backdrop. Stencil shadow volumes are open at their far end, below the
// ground: without a depth surface in front of that end, a pixel that looks past the
// floor's edge into the space under it would be darkened wherever it sees the volume's
// sides without its missing end. The surround gives every such pixel its depth.
#include "SampleContent.h"
#include "SampleOutput.h"

#include "LMatrix4.h"
#include "LVector3.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LMesh.h"
#include "container/LPropertyList.h"
#include "container/LVectorFloat.h"
#include "stdlib/LMemoryStream.h"
#include "writers/LCanvas.h"
#include "writers/LDirectModelWriter.h"
#include "writers/LModelBuilder.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr float kGrid = 40.0f;
// How far the surround reaches on every side of the floor: past every place where a line
// of sight into the space under the floor meets the ground, for shadows that reach 600
// units along the light from a figure on the floor.
constexpr float kSurround = 800.0f;

struct Box
{
    LVector3 mMin;
    LVector3 mMax;
};

struct Viewpoint
{
    const char* mScene;
    const char* mName;
    const char* mCamera;
    // The floor quad: x and z from and to.
    float mFloor[4];
    LCanvas::Color mBase;
    bool mCrate;
};

// The crate of riverbank's south half (its obstacle in navigation.txt is 5 units wider).
const Box kCrate {{40, 0, -140}, {100, 60, -80}};
// What the look and use hotspots of riverbank's vp01 show: an object on the ground and a
// patch of trodden mud.
const Box kObject {{-72, 0, -112}, {-48, 14, -88}};
const Box kPatch {{120, 0, -160}, {160, 0.5f, -120}};

const Viewpoint kViewpoints[] = {
    {"precinct", "vp01", "cam01", {-160, -160, 160, 160}, {92, 108, 96, 255}, false},
    {"case01/riverbank", "vp01", "cam01", {-200, -200, 200, 80}, {86, 112, 150, 255}, true},
    {"case01/riverbank", "vp02", "cam02", {-200, -80, 200, 200}, {150, 104, 80, 255}, false},
};

LVector3 Vector(const LPropertyList& aList, const std::string& aPath, const LVector3& aDefault)
{
    bool found = false;
    const LVectorFloat values = aList.GetVectorFloat(LString(aPath.c_str()), found);
    return found && values.GetCount() >= 3 ? LVector3(values[0], values[1], values[2]) : aDefault;
}

// Screen pixels of world points through one viewpoint's camera.
class Projector
{
public:
    // The camera of the scene's cameras.txt as the scene sets it up (its depth mesh's
    // root is the identity): the engine camera's view and projection, made by the same
    // matrix code (a camera object would look for a rasterizer, which the generator
    // has not got). False when the camera or one of its values is missing.
    bool Load(const Viewpoint& aView)
    {
        const std::string bytes = SampleOutput::ReadSource(std::string("scenes/") + aView.mScene + "/cameras.txt");
        LPropertyList cameras;
        if (bytes.empty() || !cameras.Parse(bytes.data(), static_cast<int>(bytes.size()))) {
            return false;
        }
        const std::string id = aView.mCamera;
        bool fov = false;
        bool nearZ = false;
        bool farZ = false;
        mEye = Vector(cameras, id + ".position", LVector3(0, 0, -10));
        const LVector3 target = Vector(cameras, id + ".target", LVector3(0, 0, 0));
        const LVector3 up = Vector(cameras, id + ".upvector", LVector3(0, 1, 0));
        const float fovx = cameras.GetFloat(LString((id + ".fovx").c_str()), fov);
        const float zNear = cameras.GetFloat(LString((id + ".znear").c_str()), nearZ);
        const float zFar = cameras.GetFloat(LString((id + ".zfar").c_str()), farZ);
        // The horizontal field of view turned into the vertical one at the screen's aspect.
        const float aspect = static_cast<float>(kWidth) / kHeight;
        const float fovy = 2.0f * std::atan(std::tan(fovx / 2.0f) / aspect);
        LMatrix4 view;
        LMatrix4 projection;
        LMatrix4::LookAt(&view, &mEye, &target, &up);
        LMatrix4::PerspectiveFov(&projection, fovy, aspect, zNear, zFar);
        LMatrix4::Multiply(&mViewProjection, &view, &projection);
        return fov && nearZ && farZ;
    }
    void Project(const LVector3& aPoint, float& aX, float& aY) const
    {
        LVector3 clip;
        LMatrix4::TransformCoord(&clip, &mViewProjection, &aPoint);
        aX = (clip.x + 1.0f) * 0.5f * kWidth;
        aY = (1.0f - clip.y) * 0.5f * kHeight;
    }
    const LVector3& GetEye() const { return mEye; }

private:
    LVector3 mEye;
    LMatrix4 mViewProjection;
};

LCanvas::Color Shade(LCanvas::Color aColor, float aFactor)
{
    const auto channel = [aFactor](uint8_t aValue) {
        return static_cast<uint8_t>(std::clamp(aValue * aFactor, 0.0f, 255.0f));
    };
    return {channel(aColor.mR), channel(aColor.mG), channel(aColor.mB), 255};
}

void FillQuad(LCanvas& aCanvas, const Projector& aProjector, const LVector3 aCorners[4], LCanvas::Color aColor)
{
    float x[4];
    float y[4];
    for (int i = 0; i < 4; ++i) {
        aProjector.Project(aCorners[i], x[i], y[i]);
    }
    aCanvas.Triangle(x[0], y[0], x[1], y[1], x[2], y[2], aColor);
    aCanvas.Triangle(x[0], y[0], x[2], y[2], x[3], y[3], aColor);
}

// The sides of a box, farthest first, each lit by how much it faces up and towards the
// south-west light of the data.
void DrawBox(LCanvas& aCanvas, const Projector& aProjector, const Box& aBox, LCanvas::Color aColor)
{
    std::vector<float> vertices;
    std::vector<unsigned> indices;
    LModelBuilder::AddBox(vertices, indices, aBox.mMin, aBox.mMax, false);
    struct Side
    {
        float mDistance;
        LVector3 mCorners[4];
        float mLight;
    };
    std::vector<Side> sides;
    for (size_t first = 0; first < vertices.size(); first += 4 * LModelBuilder::kVertexFloats) {
        Side side {};
        LVector3 centre(0, 0, 0);
        for (int i = 0; i < 4; ++i) {
            const float* v = &vertices[first + i * LModelBuilder::kVertexFloats];
            side.mCorners[i].Set(v[0], v[1], v[2]);
            centre = centre + side.mCorners[i] * 0.25f;
        }
        const float* n = &vertices[first + 3];
        const LVector3 normal(n[0], n[1], n[2]);
        const LVector3 toEye = aProjector.GetEye() - centre;
        if (LVector3::Dot(normal, toEye) <= 0.0f) {
            continue; // faces away
        }
        side.mDistance = LVector3::Dot(toEye, toEye);
        side.mLight = 0.6f + 0.3f * normal.y + 0.2f * (normal.x * 0.4f - normal.z * 0.5f);
        sides.push_back(side);
    }
    std::sort(sides.begin(), sides.end(),
              [](const Side& aA, const Side& aB) { return aA.mDistance > aB.mDistance; });
    for (const Side& side : sides) {
        FillQuad(aCanvas, aProjector, side.mCorners, Shade(aColor, side.mLight));
    }
}

LCanvas Background(const Viewpoint& aView, const Projector& aProjector)
{
    LCanvas canvas(kWidth, kHeight);
    canvas.Gradient(0, 0, kWidth, kHeight, Shade(aView.mBase, 1.3f), Shade(aView.mBase, 0.7f));
    const float x0 = aView.mFloor[0];
    const float z0 = aView.mFloor[1];
    const float x1 = aView.mFloor[2];
    const float z1 = aView.mFloor[3];
    const LVector3 floor[4] = {{x0, 0, z0}, {x1, 0, z0}, {x1, 0, z1}, {x0, 0, z1}};
    FillQuad(canvas, aProjector, floor, Shade(aView.mBase, 0.55f));
    // The grid: a line at every multiple of kGrid inside the floor.
    const LCanvas::Color line = Shade(aView.mBase, 1.6f);
    for (float x = std::ceil(x0 / kGrid) * kGrid; x <= x1; x += kGrid) {
        float ax, ay, bx, by;
        aProjector.Project(LVector3(x, 0, z0), ax, ay);
        aProjector.Project(LVector3(x, 0, z1), bx, by);
        canvas.Line(ax, ay, bx, by, 1.5f, line);
    }
    for (float z = std::ceil(z0 / kGrid) * kGrid; z <= z1; z += kGrid) {
        float ax, ay, bx, by;
        aProjector.Project(LVector3(x0, 0, z), ax, ay);
        aProjector.Project(LVector3(x1, 0, z), bx, by);
        canvas.Line(ax, ay, bx, by, 1.5f, line);
    }
    if (aView.mCrate) {
        const LVector3 patch[4] = {{kPatch.mMin.x, 0, kPatch.mMin.z},
                                   {kPatch.mMax.x, 0, kPatch.mMin.z},
                                   {kPatch.mMax.x, 0, kPatch.mMax.z},
                                   {kPatch.mMin.x, 0, kPatch.mMax.z}};
        FillQuad(canvas, aProjector, patch, LCanvas::Color {70, 52, 36, 255});
        DrawBox(canvas, aProjector, kObject, LCanvas::Color {200, 190, 150, 255});
        DrawBox(canvas, aProjector, kCrate, LCanvas::Color {150, 110, 60, 255});
    }
    return canvas;
}

LMesh* Mesh(const std::vector<float>& aVertices, const std::vector<unsigned>& aIndices)
{
    LMesh* mesh = LModelBuilder::StaticMesh(aVertices, aIndices);
    LModelBuilder::SetDuplicates(*mesh, aVertices);
    return mesh;
}

std::string DepthMesh(const Viewpoint& aView)
{
    std::vector<float> vertices;
    std::vector<unsigned> indices;
    const LVector3 floor[4] = {{aView.mFloor[0], 0, aView.mFloor[1]},
                               {aView.mFloor[2], 0, aView.mFloor[1]},
                               {aView.mFloor[2], 0, aView.mFloor[3]},
                               {aView.mFloor[0], 0, aView.mFloor[3]}};
    LModelBuilder::AddQuad(vertices, indices, floor, LVector3(0, 1, 0));
    LFrame* root = LModelBuilder::Frame("Scene_Root");
    LFrame* last = LModelBuilder::Frame("floor", LMatrix4(), Mesh(vertices, indices));
    root->SetFirstChild(last);
    // The surround: four strips around the floor, facing up, that meet the floor's edges.
    vertices.clear();
    indices.clear();
    const float x0 = aView.mFloor[0];
    const float z0 = aView.mFloor[1];
    const float x1 = aView.mFloor[2];
    const float z1 = aView.mFloor[3];
    const float outX0 = x0 - kSurround;
    const float outZ0 = z0 - kSurround;
    const float outX1 = x1 + kSurround;
    const float outZ1 = z1 + kSurround;
    const LVector3 strips[4][4] = {
        {{outX0, 0, outZ0}, {outX1, 0, outZ0}, {outX1, 0, z0}, {outX0, 0, z0}}, // in front
        {{outX0, 0, z1}, {outX1, 0, z1}, {outX1, 0, outZ1}, {outX0, 0, outZ1}}, // behind
        {{outX0, 0, z0}, {x0, 0, z0}, {x0, 0, z1}, {outX0, 0, z1}},             // left
        {{x1, 0, z0}, {outX1, 0, z0}, {outX1, 0, z1}, {x1, 0, z1}},             // right
    };
    for (const auto& strip : strips) {
        LModelBuilder::AddQuad(vertices, indices, strip, LVector3(0, 1, 0));
    }
    LFrame* surround = LModelBuilder::Frame("surround", LMatrix4(), Mesh(vertices, indices));
    last->SetNextSibling(surround);
    last = surround;
    if (aView.mCrate) {
        vertices.clear();
        indices.clear();
        LModelBuilder::AddBox(vertices, indices, kCrate.mMin, kCrate.mMax, false);
        last->SetNextSibling(LModelBuilder::Frame("crate", LMatrix4(), Mesh(vertices, indices)));
    }
    LDrawElement element;
    element.SetRoot(root);
    LMemoryStream stream(4096, LMemoryStream::GROW_DOUBLE);
    if (!LDirectModelWriter::Write(element, &stream)) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(stream.GetBuffer()), static_cast<size_t>(stream.GetPosition()));
}

} // namespace

void WriteLocations(SampleOutput& aOut)
{
    for (const Viewpoint& view : kViewpoints) {
        const std::string folder = std::string("scenes/") + view.mScene + "/" + view.mName;
        Projector projector;
        if (!projector.Load(view)) {
            aOut.Fail("no camera " + std::string(view.mCamera) + " in " + view.mScene + "/cameras.txt");
            return;
        }
        const std::string depth = DepthMesh(view);
        if (depth.empty()) {
            aOut.Fail("depth mesh " + folder);
            return;
        }
        aOut.Write(folder + "_depth.lim", depth);
        aOut.WriteImage(folder + "_bg.bmp", Background(view, projector));
    }
}
