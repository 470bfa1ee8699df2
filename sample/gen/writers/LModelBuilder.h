// Meshes and frames built in memory, for the sample generator's models and the model
// tests: indexed meshes of format-5 vertices (position, normal, texture coordinates) with
// one subset over all faces, boxes to build them from, and the duplicate table of a mesh
// computed from its positions.
#pragma once
#include "LMatrix4.h"
#include "LVector3.h"

#include <vector>

class LFrame;
class LMesh;
class LSkinMesh;

class LModelBuilder
{
public:
    // Floats per format-5 vertex.
    static constexpr int kVertexFloats = 8;

    // A frame with a name, a rest (and local) matrix, a world matrix and an optional mesh.
    static LFrame* Frame(const char* aName, const LMatrix4& aRest = LMatrix4(), LMesh* aMesh = nullptr,
                         const LMatrix4& aWorld = LMatrix4());
    // A shown, indexed mesh of the vertices (kVertexFloats each) drawing every face of
    // aIndices (32-bit) with the default material. A skin gets its rest pose taken.
    static LMesh* StaticMesh(const std::vector<float>& aVertices, const std::vector<unsigned>& aIndices);
    static LSkinMesh* SkinMesh(const std::vector<float>& aVertices, const std::vector<unsigned>& aIndices);

    // Appends an axis-aligned box from aMin to aMax: four vertices per side with the side's
    // normal, two faces per side wound clockwise seen from outside. Without aBottom the
    // side facing down is left out. Returns the index of its first vertex.
    static unsigned AddBox(std::vector<float>& aVertices, std::vector<unsigned>& aIndices, const LVector3& aMin,
                           const LVector3& aMax, bool aBottom = true);
    // Appends a flat four-cornered side with the normal aNormal, its two faces wound
    // clockwise seen from the side aNormal points to (whatever order the corners come in).
    static void AddQuad(std::vector<float>& aVertices, std::vector<unsigned>& aIndices, const LVector3 aCorners[4],
                        const LVector3& aNormal);
    // Sets the mesh's duplicate table from the vertices it was built of: for every vertex
    // the first vertex at the same position. True when it was set.
    static bool SetDuplicates(LMesh& aMesh, const std::vector<float>& aVertices);
    // A translation matrix.
    static LMatrix4 Translation(float aX, float aY, float aZ);
};
