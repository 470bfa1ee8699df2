#include "Render/LAnimationChannel.h"
#include "Render/LDrawElement.h"
#include "Render/LFrame.h"
#include "Render/LIAnimator.h"
#include "Render/LMesh.h"
#include "Render/LSkinMesh.h"
#include "stdlib/LMemoryStream.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"
#include "support/LTestModels.h"
#include "support/LTestStreams.h"
#include "writers/LImageBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {
using Element = std::unique_ptr<LDrawElement>;

// Offsets inside a direct-form frame record, and the size of one without mesh.
constexpr size_t kDirectHeader = 16;
constexpr size_t kSiblingAt = 136;
constexpr size_t kChildAt = 140;
size_t BareFrameBytes(const char* aName)
{
    return 152 + std::string(aName).size() + 1;
}

void Patch(std::string& aBytes, size_t aAt, uint32_t aValue)
{
    aBytes.replace(aAt, 4, LImageBytes::U32(aValue));
}

bool ReadTree(LDrawElement& aElement, const std::string& aBytes)
{
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    Load(in, aBytes);
    return aElement.Read(&in);
}

bool LoadDirect(LDrawElement& aElement, const std::string& aBytes, int aMode)
{
    LMemoryStream in(16, LMemoryStream::GROW_DOUBLE);
    Load(in, aBytes);
    return aElement.LoadModel(&in, aMode);
}

// A direct-form model of bare frames named by the letters of aNames, ids 1, 2, ... in file
// order, without links.
std::string BareDirect(const std::vector<const char*>& aNames)
{
    std::vector<LFrame*> frames;
    for (const char* name : aNames) {
        frames.push_back(LTestModels::Frame(name));
    }
    for (size_t i = 1; i < frames.size(); ++i) {
        frames[i - 1]->SetNextSibling(frames[i]);
    }
    LDrawElement element;
    element.SetRoot(frames[0]);
    std::string bytes = LTestModels::DirectBytes(element);
    size_t at = kDirectHeader;
    for (const char* name : aNames) {
        Patch(bytes, at + kSiblingAt, 0);
        at += BareFrameBytes(name);
    }
    return bytes;
}

size_t DirectFrameAt(const std::vector<const char*>& aNames, size_t aIndex)
{
    size_t at = kDirectHeader;
    for (size_t i = 0; i < aIndex; ++i) {
        at += BareFrameBytes(aNames[i]);
    }
    return at;
}

std::vector<std::string> Names(const LDrawElement& aElement)
{
    std::vector<std::string> names;
    for (int i = 0; i < aElement.GetFrameCount(); ++i) {
        char* text = nullptr;
        aElement.GetFrameAt(i)->GetName().ToAnsi(&text);
        names.emplace_back(text != nullptr ? text : "");
        delete[] text;
    }
    return names;
}

float RowLength(const LMatrix4& aM, int aRow)
{
    return std::sqrt(aM[aRow * 4] * aM[aRow * 4] + aM[aRow * 4 + 1] * aM[aRow * 4 + 1] +
                     aM[aRow * 4 + 2] * aM[aRow * 4 + 2]);
}

class Counter : public LIAnimator
{
public:
    void Update() override { ++mUpdates; }
    int mUpdates = 0;
};
} // namespace

TEST(ModelTree, BuiltElementWritesReadsBackAndWritesAgainByteForByte)
{
    RegisterFakeRender();
    Element built(LTestModels::TreeModel());
    // Only the even entries of a face-neighbour table are stored.
    const uint32_t neighbours[] = {7, 8, 9};
    built->GetFrameAt(0)->GetMesh()->SetFaceNeighbours(neighbours, 3);
    // Each vertex maps to the first vertex at its position.
    const uint32_t duplicates[] = {0, 1, 0};
    const uint32_t outside[] = {0, 3, 0};
    EXPECT_EQ(0, built->GetFrameAt(0)->GetMesh()->SetDuplicateTable(outside, 3));
    EXPECT_EQ(1, built->GetFrameAt(0)->GetMesh()->SetDuplicateTable(duplicates, 3));
    const std::string bytes = LTestModels::TreeBytes(*built);

    LDrawElement read;
    ASSERT_TRUE(ReadTree(read, bytes));
    EXPECT_EQ(bytes, LTestModels::TreeBytes(read));
    EXPECT_EQ((std::vector<std::string> {"Root", "Child", "Sibling"}), Names(read));
    EXPECT_EQ(LDrawElement::kFlat, read.GetRenderMode());
    for (int i = 0; i < read.GetFrameCount(); ++i) {
        EXPECT_EQ(0u, read.GetFrameAt(i)->GetId());
    }
    for (int c = 0; c < LDrawElement::kClassCount; ++c) {
        EXPECT_EQ(0, read.GetClassCount(c));
    }
    LFrame* root = read.GetRootFrame();
    EXPECT_EQ(root, read.GetFrameAt(1)->GetParent());
    EXPECT_EQ(root, read.GetFrameAt(2)->GetParent());
    EXPECT_EQ(read.GetFrameAt(2), read.GetFrameAt(1)->GetNextSibling());
    ASSERT_EQ(2, read.GetMeshCount());
    EXPECT_EQ(LMesh::kStatic, read.GetMesh(0)->GetType());
    EXPECT_EQ(LMesh::kSkinned, read.GetMesh(1)->GetType());
    EXPECT_EQ(1.0f, read.GetMesh(0)->GetFloatValue());
    const LMesh* mesh = read.GetMesh(0);
    ASSERT_EQ(3, mesh->GetFaceNeighbourCount());
    EXPECT_EQ((std::vector<uint32_t> {7, 0, 9}),
              std::vector<uint32_t>(mesh->GetFaceNeighbours(), mesh->GetFaceNeighbours() + 3));
    ASSERT_EQ(3, mesh->GetDuplicateCount());
    EXPECT_EQ(0u, mesh->GetDuplicateTable()[2]);
    EXPECT_EQ(nullptr, read.GetMesh(1)->GetDuplicateTable());
    const LSkinMesh* skin = static_cast<const LSkinMesh*>(read.GetMesh(1));
    ASSERT_EQ(2u, skin->GetBoneCount());
    EXPECT_EQ(LString("Child"), skin->GetBone(1)->mName);
    EXPECT_EQ(0u, skin->GetBone(1)->mFrameId);
    EXPECT_FALSE(skin->IsBound());
}

TEST(ModelTree, EmptyElementWritesAFalseRootFlag)
{
    LDrawElement empty;
    EXPECT_EQ(std::string(1, '\0'), LTestModels::TreeBytes(empty));
    LDrawElement read;
    EXPECT_TRUE(ReadTree(read, std::string(1, '\0')));
    EXPECT_EQ(0, read.GetFrameCount());
}

TEST(ModelFrames, LookupsByNameKeyAndIndex)
{
    RegisterFakeRender();
    LLogCapture log;
    Element element(LTestModels::TreeModel());
    LFrame* child = element->GetFrameAt(1);
    EXPECT_EQ(child, element->GetFrame(LString("Child"), false));
    EXPECT_EQ(nullptr, element->GetFrame(LString("child"), false));
    EXPECT_EQ(child, element->GetFrame(LString("CHILD"), true));
    EXPECT_EQ(child, element->GetFrame(LAnimationChannel::FrameId(LString("Child"))));
    EXPECT_EQ(child, element->GetFrame(LString("Child")));
    EXPECT_EQ(nullptr, element->GetFrame(LString("child")));
    EXPECT_EQ(1, element->GetFrameIndex(LString("cHILD"), true));
    EXPECT_EQ(-1, element->GetFrameIndex(LString("cHILD"), false));
    EXPECT_EQ(nullptr, element->GetFrameAt(-1));
    EXPECT_EQ(nullptr, element->GetFrameAt(3));
    EXPECT_EQ(child, element->GetRootFrame()->FindFrame(LString("Child")));
    EXPECT_EQ(element->GetFrameAt(2), child->FindFrame(LString("Sibling")));
    EXPECT_EQ(element->GetRootFrame(), element->GetFrameAt(2)->GetRoot());

    int count = -1;
    LMesh** meshes = nullptr;
    ASSERT_EQ(1, element->GetMeshes(&count, &meshes));
    EXPECT_EQ(2, count);
    EXPECT_EQ(child->GetMesh(), meshes[1]);
    delete[] meshes;
    LDrawElement empty;
    EXPECT_EQ(0, empty.GetMeshes(&count, &meshes));
    EXPECT_TRUE(log.Contains("Frames undefined."));
}

TEST(ModelDirect, LoadsFramesLinkedByIdWithTranslationsRelativeToTheFirstFrame)
{
    RegisterFakeRender();
    Element built(LTestModels::DirectModel());
    LDrawElement element;
    ASSERT_TRUE(LoadDirect(element, LTestModels::DirectBytes(*built), LDrawElement::kHierarchical));
    ASSERT_EQ(3, element.GetFrameCount());
    LFrame* root = element.GetFrameAt(0);
    LFrame* floor = element.GetFrameAt(1);
    LFrame* other = element.GetFrameAt(2);
    EXPECT_EQ(root, element.GetRootFrame());
    EXPECT_EQ((std::vector<unsigned> {1, 2, 3}),
              (std::vector<unsigned> {root->GetId(), floor->GetId(), other->GetId()}));
    EXPECT_EQ(floor, root->GetFirstChild());
    EXPECT_EQ(other, floor->GetNextSibling());
    EXPECT_EQ(nullptr, root->GetNextSibling());
    EXPECT_EQ(nullptr, other->GetNextSibling());
    EXPECT_EQ(nullptr, other->GetFirstChild());
    EXPECT_EQ(nullptr, floor->GetParent());

    EXPECT_EQ(LVector3(10, 20, 30), LVector3(root->GetWorldMatrix()[12], root->GetWorldMatrix()[13],
                                             root->GetWorldMatrix()[14]));
    EXPECT_EQ(LVector3(1, 0, 0), LVector3(floor->GetWorldMatrix()[12], floor->GetWorldMatrix()[13],
                                          floor->GetWorldMatrix()[14]));
    EXPECT_EQ(LVector3(0, 0, 0), LVector3(other->GetWorldMatrix()[12], other->GetWorldMatrix()[13],
                                          other->GetWorldMatrix()[14]));
    for (const LMatrix4* m : {&root->GetWorldMatrix(), &root->GetLocalMatrix(), &root->GetRestMatrix()}) {
        for (int row = 0; row < 3; ++row) {
            EXPECT_FLOAT_EQ(1.0f, RowLength(*m, row)) << row;
        }
    }
    // The scale of the other frames is kept.
    EXPECT_FLOAT_EQ(1.0f, RowLength(floor->GetRestMatrix(), 0));

    const LSkinMesh* skin = static_cast<const LSkinMesh*>(other->GetMesh());
    ASSERT_EQ(LMesh::kSkinned, skin->GetType());
    EXPECT_TRUE(skin->IsBound());
    EXPECT_EQ(&root->GetWorldMatrix(), skin->GetBone(0)->mFrameWorld);
    EXPECT_EQ(&floor->GetWorldMatrix(), skin->GetBone(1)->mFrameWorld);
    EXPECT_EQ(0, element.GetClassCount(LDrawElement::kClassG));
    EXPECT_EQ(2, element.GetMeshCount());
    EXPECT_EQ(LDrawElement::kHierarchical, element.GetRenderMode());
}

TEST(ModelDirect, LinksOfZeroOrOfNoFrameGiveNoLink)
{
    const std::vector<const char*> names = {"A", "B", "C"};
    std::string bytes = BareDirect(names);
    Patch(bytes, DirectFrameAt(names, 0) + kChildAt, 2);   // A: first child B
    Patch(bytes, DirectFrameAt(names, 1) + kSiblingAt, 99); // B: a sibling that does not exist
    Patch(bytes, DirectFrameAt(names, 2) + kChildAt, 3);   // C: itself, which is no pair
    LDrawElement element;
    ASSERT_TRUE(LoadDirect(element, bytes, LDrawElement::kHierarchical));
    EXPECT_EQ(element.GetFrameAt(1), element.GetFrameAt(0)->GetFirstChild());
    EXPECT_EQ(nullptr, element.GetFrameAt(0)->GetNextSibling());
    EXPECT_EQ(nullptr, element.GetFrameAt(1)->GetNextSibling());
    EXPECT_EQ(nullptr, element.GetFrameAt(2)->GetFirstChild());
}

TEST(ModelDirect, FlatModeClassifiesFramesByTheLettersOfTheirNames)
{
    const std::vector<const char*> names = {"W_Floor", "WFloor", "WGN_Floor", "wgs_floor", "WCRX_A_B", "Floor_W"};
    LDrawElement element;
    ASSERT_TRUE(LoadDirect(element, BareDirect(names), LDrawElement::kFlat));
    const struct {
        int mClass;
        std::vector<int> mFrames;
    } expected[] = {
        {LDrawElement::kClassG, {2, 3}}, {LDrawElement::kClassN, {2}}, {LDrawElement::kClassC, {4}},
        {LDrawElement::kClassS, {3}},    {LDrawElement::kClassR, {4}},
    };
    for (const auto& row : expected) {
        ASSERT_EQ(static_cast<int>(row.mFrames.size()), element.GetClassCount(row.mClass)) << row.mClass;
        for (size_t i = 0; i < row.mFrames.size(); ++i) {
            EXPECT_EQ(element.GetFrameAt(row.mFrames[i]), element.GetClassFrame(row.mClass, static_cast<int>(i)));
        }
        EXPECT_EQ(nullptr, element.GetClassFrame(row.mClass, static_cast<int>(row.mFrames.size())));
    }
    EXPECT_EQ(0u, LDrawElement::GetFrameClass(LString("W_Floor")));
    EXPECT_EQ(3u, LDrawElement::GetFrameClass(LString("WGN_Floor")));
    EXPECT_EQ(0, element.GetClassCount(5));

    LDrawElement tree;
    ASSERT_TRUE(LoadDirect(tree, BareDirect(names), LDrawElement::kHierarchical));
    EXPECT_EQ(0, tree.GetClassCount(LDrawElement::kClassG));
}

TEST(ModelDirect, TreeModeDrawsFromTheRootAndFlatModeInFileOrder)
{
    RegisterFakeRender();
    // File order A, B, C, D; tree A → C → B (C first child, B its sibling); D unlinked.
    const char* names[] = {"A", "B", "C", "D"};
    LFrame* frames[4];
    for (int i = 0; i < 4; ++i) {
        LMatrix4 world;
        world[12] = static_cast<float>(i);
        frames[i] = LTestModels::Frame(names[i], world, LTestModels::Triangle(), world);
        frames[i]->SetId(static_cast<unsigned>(i + 1));
    }
    frames[0]->SetNextSibling(frames[1]);
    frames[1]->SetNextSibling(frames[2]);
    frames[2]->SetNextSibling(frames[3]);
    LDrawElement built;
    built.SetRoot(frames[0]);
    std::string bytes = LTestModels::DirectBytes(built);
    // Relink: A's first child C, C's next sibling B, nothing else (the records are of one size).
    const size_t record = (bytes.size() - kDirectHeader) / 4;
    for (size_t i = 0; i < 4; ++i) {
        Patch(bytes, kDirectHeader + i * record + kSiblingAt, i == 2 ? 2 : 0);
        Patch(bytes, kDirectHeader + i * record + kChildAt, i == 0 ? 3 : 0);
    }
    const std::vector<int> flatOrder = {0, 1, 2, 3};
    const std::vector<int> treeOrder = {0, 2, 1};
    for (int mode : {LDrawElement::kFlat, LDrawElement::kHierarchical}) {
        LDrawElement element;
        ASSERT_TRUE(LoadDirect(element, bytes, mode));
        element.Update(nullptr);
        LIRasterizer::Get();
        LFakeRasterizer::Instance()->Reset();
        EXPECT_EQ(1, element.Render());
        std::vector<int> order;
        for (const LFakeRasterizer::Draw& draw : LFakeRasterizer::Instance()->Draws()) {
            order.push_back(static_cast<int>(draw.mWorld[12]));
        }
        EXPECT_EQ(mode == LDrawElement::kFlat ? flatOrder : treeOrder, order) << mode;
    }
}

TEST(ModelDirect, UpdateComposesWorldAsLocalTimesParentWorld)
{
    RegisterFakeRender();
    Element element(LTestModels::TreeModel());
    LMatrix4 world;
    LMatrix4::Translation(&world, 100, 0, 0);
    Counter* animator = new Counter();
    EXPECT_EQ(1, element->SetAnimator(animator));
    EXPECT_EQ(0, element->SetAnimator(nullptr));
    EXPECT_EQ(1, element->Update(&world));
    // Without an animation controller the animator waits.
    EXPECT_EQ(0, animator->mUpdates);
    const LMatrix4& child = element->GetFrameAt(1)->GetWorldMatrix();
    EXPECT_EQ(LVector3(102, 1, 0), LVector3(child[12], child[13], child[14]));
    const LMatrix4& sibling = element->GetFrameAt(2)->GetWorldMatrix();
    EXPECT_EQ(LVector3(100, 1, 3), LVector3(sibling[12], sibling[13], sibling[14]));
    element->GetRootFrame()->UpdateMatrices(nullptr);
    EXPECT_EQ(LMatrix4(), element->GetRootFrame()->GetWorldMatrix());
    EXPECT_EQ(LVector3(2, 0, 0), LVector3(child[12], child[13], child[14]));
}

TEST(ModelFaults, TruncatedFilesFailAndLeaveTheElementEmpty)
{
    RegisterFakeRender();
    LLogCapture log;
    Element tree(LTestModels::TreeModel());
    Element direct(LTestModels::DirectModel());
    const std::string treeBytes = LTestModels::TreeBytes(*tree);
    const std::string directBytes = LTestModels::DirectBytes(*direct);
    LDrawElement element;
    for (size_t cut = 0; cut < treeBytes.size(); ++cut) {
        ASSERT_TRUE(ReadTree(element, treeBytes));
        EXPECT_FALSE(ReadTree(element, treeBytes.substr(0, cut))) << cut;
        EXPECT_EQ(0, element.GetFrameCount()) << cut;
        EXPECT_EQ(nullptr, element.GetRootFrame());
    }
    for (size_t cut = 0; cut < directBytes.size(); ++cut) {
        ASSERT_TRUE(LoadDirect(element, directBytes, 1));
        EXPECT_FALSE(LoadDirect(element, directBytes.substr(0, cut), 1)) << cut;
        EXPECT_EQ(0, element.GetFrameCount()) << cut;
        EXPECT_EQ(0, element.GetMeshCount()) << cut;
    }
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: "));
}

TEST(ModelFaults, CountsFarBeyondTheDataAreRefusedBeforeAllocating)
{
    RegisterFakeRender();
    LLogCapture log;
    Element direct(LTestModels::DirectModel());
    const std::string bytes = LTestModels::DirectBytes(*direct);
    std::string frames = bytes;
    Patch(frames, 8, 0x7FFFFFF0u);
    LDrawElement element;
    EXPECT_FALSE(LoadDirect(element, frames, 1));
    EXPECT_TRUE(log.Contains("Invalid frame count"));
    // The material count of the second frame's mesh, right after its name.
    std::string materials = bytes;
    Patch(materials, kDirectHeader + BareFrameBytes("Root") + BareFrameBytes("WGN_Floor"), 0x40000000u);
    EXPECT_FALSE(LoadDirect(element, materials, 1));
    EXPECT_TRUE(log.Contains("Material count exceeds the data left"));

    // Every 4-byte window of either form set to a huge count: refused or read, never a
    // huge allocation, a crash or a hang.
    Element tree(LTestModels::TreeModel());
    const std::string treeBytes = LTestModels::TreeBytes(*tree);
    for (uint32_t huge : {0x7FFFFFF0u, 0x40000000u, 0xFFFFFFFFu}) {
        for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
            std::string patched = bytes;
            Patch(patched, at, huge);
            LDrawElement loaded;
            LoadDirect(loaded, patched, static_cast<int>(at % 2));
            loaded.Update(nullptr);
            loaded.Render();
        }
        for (size_t at = 0; at + 4 <= treeBytes.size(); ++at) {
            std::string patched = treeBytes;
            Patch(patched, at, huge);
            LDrawElement loaded;
            ReadTree(loaded, patched);
            loaded.Update(nullptr);
        }
    }
}

TEST(ModelFaults, LinksThatWouldRevisitAFrameAreRefused)
{
    LLogCapture log;
    // A → B → C → A as first children, and B its own sibling.
    const std::vector<const char*> names = {"A", "B", "C"};
    std::string bytes = BareDirect(names);
    Patch(bytes, DirectFrameAt(names, 0) + kChildAt, 2);
    Patch(bytes, DirectFrameAt(names, 1) + kChildAt, 3);
    Patch(bytes, DirectFrameAt(names, 2) + kChildAt, 1);
    Patch(bytes, DirectFrameAt(names, 2) + kSiblingAt, 2);
    LDrawElement element;
    ASSERT_TRUE(LoadDirect(element, bytes, LDrawElement::kHierarchical));
    EXPECT_EQ(element.GetFrameAt(1), element.GetFrameAt(0)->GetFirstChild());
    EXPECT_EQ(element.GetFrameAt(2), element.GetFrameAt(1)->GetFirstChild());
    EXPECT_EQ(nullptr, element.GetFrameAt(2)->GetFirstChild());
    EXPECT_EQ(nullptr, element.GetFrameAt(2)->GetNextSibling());
    EXPECT_EQ(2, log.Count("link refused"));
    EXPECT_EQ(1, element.Update(nullptr));
    EXPECT_EQ(1, element.Render());
    EXPECT_EQ(nullptr, element.GetRootFrame()->FindFrame(LString("none")));
    EXPECT_EQ(1, element.GetRootFrame()->SetParent(nullptr));

    // The same links made in memory.
    LFrame* a = element.GetFrameAt(0);
    LFrame* b = element.GetFrameAt(1);
    LFrame* c = element.GetFrameAt(2);
    EXPECT_EQ(0, c->SetFirstChild(a));
    EXPECT_EQ(0, c->SetNextSibling(b));
    EXPECT_EQ(0, a->SetNextSibling(a));
    EXPECT_EQ(0, a->SetNextSibling(c)); // C is B's child already
    EXPECT_EQ(0, a->SetParent(c));
    EXPECT_EQ(a, c->GetRoot());
    LVector list;
    EXPECT_EQ(1, a->AddToList(&list));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(0, a->AddToList(nullptr));
}

TEST(ModelFaults, AHundredThousandSiblingsTakeNoStack)
{
    constexpr int kCount = 100000;
    LFrame* root = LTestModels::Frame("root");
    LFrame* last = LTestModels::Frame("s0");
    root->SetFirstChild(last);
    for (int i = 1; i < kCount; ++i) {
        LFrame* next = LTestModels::Frame(i == kCount - 1 ? "last" : "s");
        ASSERT_EQ(1, last->SetNextSibling(next));
        last = next;
    }
    LDrawElement built;
    built.SetRoot(root);
    ASSERT_EQ(kCount + 1, built.GetFrameCount());
    const std::string bytes = LTestModels::TreeBytes(built);
    LDrawElement read;
    ASSERT_TRUE(ReadTree(read, bytes));
    ASSERT_EQ(kCount + 1, read.GetFrameCount());
    EXPECT_EQ(read.GetFrameAt(kCount), read.GetRootFrame()->FindFrame(LString("last")));
    EXPECT_EQ(1, read.Update(nullptr));
    EXPECT_EQ(1, read.Render());
    EXPECT_EQ(1, read.GetRootFrame()->SetParent(nullptr));
    EXPECT_EQ(read.GetRootFrame(), read.GetFrameAt(kCount)->GetRoot());
    read.GetRootFrame()->UpdateMatrices(nullptr);

    // As a direct-form chain of first children, and in the tree form nested too deeply.
    LFrame* top = LTestModels::Frame("n");
    LFrame* deepest = top;
    for (int i = 0; i < LDrawElement::kMaxDepth + 1; ++i) {
        LFrame* child = LTestModels::Frame("n");
        deepest->SetFirstChild(child);
        deepest = child;
    }
    LDrawElement deep;
    deep.SetRoot(top);
    LLogCapture log;
    LDrawElement nested;
    EXPECT_FALSE(ReadTree(nested, LTestModels::TreeBytes(deep)));
    EXPECT_TRUE(log.Contains("Frames nested too deeply."));
    EXPECT_TRUE(LoadDirect(nested, LTestModels::DirectBytes(deep), LDrawElement::kHierarchical));
    EXPECT_EQ(1, nested.Update(nullptr));
    EXPECT_EQ(1, nested.Render());
}
