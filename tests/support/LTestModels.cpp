#include "support/LTestModels.h"

#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMeshSubset.h"
#include "Render/LSkinMesh.h"
#include "Render/LVertexBuffer.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeDeviceCaps.h"
#include "support/LTestCreator.h"
#include "support/LTestStreams.h"
#include "writers/LDirectModelWriter.h"

namespace {
template <typename T>
T* Fill(T* aMesh, const std::vector<float>& aPositions, const std::vector<unsigned>& aIndices)
{
    RegisterFake<LFakeDeviceCaps>("devicecaps");
    const int count = static_cast<int>(aPositions.size() / 3);
    std::vector<float> vertices;
    for (int i = 0; i < count; ++i) {
        vertices.insert(vertices.end(), {aPositions[i * 3], aPositions[i * 3 + 1], aPositions[i * 3 + 2], 0.0f, 1.0f,
                                         0.0f, 0.5f, 0.25f});
    }
    LVertexBuffer* vertexBuffer = new LVertexBuffer();
    vertexBuffer->Create(5, vertices.data(), count);
    LIndexBuffer* indexBuffer = new LIndexBuffer();
    indexBuffer->Create(2, aIndices.data(), static_cast<int>(aIndices.size()));
    aMesh->SetVertexBuffer(vertexBuffer);
    aMesh->SetIndexBuffer(indexBuffer);
    LMeshSubset* subset = new LMeshSubset();
    LIndexBuffer* own = new LIndexBuffer();
    own->Create(2, aIndices.data(), static_cast<int>(aIndices.size()));
    subset->SetIndexBuffer(own);
    subset->SetRange(0, static_cast<uint32_t>(aIndices.size() / 3), 0, static_cast<uint32_t>(count));
    aMesh->AddSubset(subset);
    aMesh->AddMaterial(subset->GetMaterial());
    aMesh->SetFlags(LMesh::kIndexed);
    return aMesh;
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
    LFrame* frame = new LFrame();
    frame->SetName(LString(aName));
    frame->SetRestMatrix(aRest);
    frame->SetWorldMatrix(aWorld);
    frame->SetMesh(aMesh);
    return frame;
}

LMesh* LTestModels::StaticMesh(const std::vector<float>& aPositions, const std::vector<unsigned>& aIndices)
{
    return Fill(new LMesh(), aPositions, aIndices);
}

LSkinMesh* LTestModels::SkinMesh(const std::vector<float>& aPositions, const std::vector<unsigned>& aIndices)
{
    LSkinMesh* skin = Fill(new LSkinMesh(), aPositions, aIndices);
    skin->PrepareSkin();
    return skin;
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
