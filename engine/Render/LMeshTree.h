// What the mesh octree and the mesh quadtree share: the ids of the meshes added, in
// order (a triangle's mesh index is a position in that list), and the triangle records
// filed in the loose tree TTree, which the mesh tree owns. Triangles are moved into world
// space once, when their mesh is added; queries only read the records.
#pragma once
#include "LMatrix4.h"
#include "Render/LMesh.h"
#include "Render/LMeshTriangle.h"
#include "container/LVectorString.h"
#include "stdlib/LLog.h"

template <typename TTree>
class LMeshTree : public TTree
{
public:
    using typename TTree::Box;
    using typename TTree::Node;
    using typename TTree::Vector;

    LMeshTree() = default;
    ~LMeshTree() override { FreeRecords(); }

    // Builds the tree anew (see the loose tree's Setup); the records and ids of an
    // earlier setup are freed first.
    int Setup(const Vector& aCentre, float aSize, int aNumLevels)
    {
        FreeRecords();
        mIds.RemoveAll();
        return TTree::Setup(aCentre, aSize, aNumLevels);
    }

    const LVectorString& GetIds() const { return mIds; }
    int GetMeshCount() const { return mIds.GetCount(); }

protected:
    // Appends aId and files every triangle of the mesh, transformed by aWorld, under the
    // box aMakeBox(corners) gives. False for a mesh without vertex or index buffer (nothing
    // added, nothing logged), a tree never set up, or a failed insertion (the remaining
    // triangles are still filed; aInsertFailure, when given, is logged as an assertion).
    template <typename MakeBox>
    bool AddTriangles(const LString& aId, const LMesh* aMesh, const LMatrix4& aWorld, MakeBox&& aMakeBox,
                      const char* aInsertFailure)
    {
        if (aMesh == nullptr) {
            L_ASSERT_FAILURE("AddMesh failure. NULL arg.");
            return false;
        }
        if (aMesh->GetVertexBuffer() == nullptr || aMesh->GetIndexBuffer() == nullptr) {
            return false;
        }
        if (this->GetRoot() == nullptr) {
            L_ASSERT_FAILURE("AddMesh failure. Root undefined.");
            return false;
        }
        const uint32_t mesh = static_cast<uint32_t>(mIds.GetCount());
        mIds.Add(aId);
        bool result = true;
        aMesh->ForEachTriangle(aWorld, [&](const LVector3* aCorners) {
            LMeshTriangle* record = L_NEW LMeshTriangle(mesh, aCorners);
            if (record == nullptr || !this->Insert(record, aMakeBox(aCorners))) {
                delete record;
                result = false;
            }
        });
        if (!result && aInsertFailure != nullptr) {
            L_ASSERT_FAILURE(aInsertFailure);
        }
        return result;
    }

    // Calls aVisit(record) for every record of the nodes in aNodes, in order.
    template <typename F>
    static void ForEachRecord(const LVector& aNodes, F&& aVisit)
    {
        for (int i = 0; i < aNodes.GetCount(); ++i) {
            const LVector& items = static_cast<const Node*>(aNodes.GetAt(i))->GetItems();
            for (int j = 0; j < items.GetCount(); ++j) {
                if (!aVisit(*static_cast<const LMeshTriangle*>(items.GetAt(j)))) {
                    return;
                }
            }
        }
    }

private:
    void FreeRecords() { FreeRecords(this->GetRoot()); }

    // Walks the nodes themselves: a deep tree has tens of thousands of them, and
    // gathering them in a list first costs more than the records.
    static void FreeRecords(Node* aNode)
    {
        if (aNode == nullptr) {
            return;
        }
        LVector& items = aNode->GetItems();
        for (int j = 0; j < items.GetCount(); ++j) {
            delete static_cast<LMeshTriangle*>(items.GetAt(j));
        }
        items.RemoveAll();
        for (int i = 0; i < Node::kChildCount && aNode->HasChildren(); ++i) {
            FreeRecords(aNode->GetChildAt(i));
        }
    }

    LVectorString mIds;
};
