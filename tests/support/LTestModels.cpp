#include "support/LTestModels.h"

#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LSkinMesh.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LTestCreator.h"
#include "support/LTestStreams.h"
#include "writers/LDirectModelWriter.h"
#include "writers/LModelBuilder.h"

namespace {
// Format-5 vertices at the positions with normal (0, 1, 0) and texture coordinates
// (0.5, 0.25).
std::vector<float> Vertices(const std::vector<float>& aPositions)
{
    RegisterFake<LFakeDeviceCaps>("devicecaps");
    std::vector<float> vertices;
    for (size_t i = 0; i + 2 < aPositions.size(); i += 3) {
        vertices.insert(vertices.end(),
                        {aPositions[i], aPositions[i + 1], aPositions[i + 2], 0.0f, 1.0f, 0.0f, 0.5f, 0.25f});
    }
    return vertices;
}

LMatrix4 Scaled(float aScale, float aX, float aY, float aZ)
{
    LMatrix4 m;
    LMatrix4::Scaling(&m, aScale, aScale, aScale);
    m[12] = aX;
    m[13] = aY;
    m[14] = aZ;
    return m;
}
} // namespace

LFrame* LTestModels::Frame(const char* aName, const LMatrix4& aRest, LMesh* aMesh, const LMatrix4& aWorld)
{
    return LModelBuilder::Frame(aName, aRest, aMesh, aWorld);
}

LMesh* LTestModels::StaticMesh(const std::vector<float>& aPositions, const std::vector<unsigned>& aIndices)
{
    return LModelBuilder::StaticMesh(Vertices(aPositions), aIndices);
}

LSkinMesh* LTestModels::SkinMesh(const std::vector<float>& aPositions, const std::vector<unsigned>& aIndices)
{
    return LModelBuilder::SkinMesh(Vertices(aPositions), aIndices);
}

LMesh* LTestModels::Triangle()
{
    return StaticMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2});
}

LDrawElement* LTestModels::TreeModel()
{
    LSkinMesh* skin = SkinMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2});
    const uint32_t rootVertices[] = {0, 2};
    const uint32_t childVertices[] = {1, 2};
    const float weights[] = {1.0f, 0.5f};
    skin->AddBone(LString("Root"), 0, 2, rootVertices, weights, LMatrix4());
    skin->AddBone(LString("Child"), 0, 2, childVertices, weights, LMatrix4());
    LFrame* root = Frame("Root", Scaled(1, 0, 1, 0), Triangle());
    LFrame* child = Frame("Child", Scaled(1, 2, 0, 0), skin);
    root->SetFirstChild(child);
    child->SetNextSibling(Frame("Sibling", Scaled(1, 0, 0, 3)));
    LDrawElement* element = new LDrawElement();
    element->SetRoot(root);
    element->Update(nullptr);
    return element;
}

LDrawElement* LTestModels::DirectModel()
{
    LSkinMesh* skin = SkinMesh({0, 0, 0, 1, 0, 0, 0, 0, 1}, {0, 1, 2});
    const uint32_t vertices[] = {0, 1, 2};
    const float weights[] = {1.0f, 1.0f, 1.0f};
    skin->AddBone(LString("b1"), 1, 1, vertices, weights, LMatrix4());
    skin->AddBone(LString("b2"), 2, 2, vertices + 1, weights, LMatrix4());
    LFrame* root = Frame("Root", Scaled(2, 10, 20, 30), nullptr, Scaled(2, 10, 20, 30));
    LFrame* floor = Frame("WGN_Floor", Scaled(1, 1, 0, 0), Triangle(), Scaled(1, 11, 20, 30));
    LFrame* other = Frame("wgs_floor", LMatrix4(), skin, Scaled(1, 10, 20, 30));
    root->SetId(1);
    floor->SetId(2);
    other->SetId(3);
    root->SetFirstChild(floor);
    floor->SetNextSibling(other);
    LDrawElement* element = new LDrawElement();
    element->SetRoot(root);
    return element;
}

std::string LTestModels::TreeBytes(LDrawElement& aElement)
{
    LMemoryStream out(1024, LMemoryStream::GROW_DOUBLE);
    aElement.Write(&out);
    return WrittenBytes(out);
}

std::string LTestModels::DirectBytes(LDrawElement& aElement)
{
    LMemoryStream out(1024, LMemoryStream::GROW_DOUBLE);
    LDirectModelWriter::Write(aElement, &out);
    return WrittenBytes(out);
}
