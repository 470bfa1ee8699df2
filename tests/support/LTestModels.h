// Models built in memory for the model tests, the fuzz corpora and the benchmarks, and
// their bytes in both model forms. Index buffers are checked against the device, so the
// builders register the fake device capabilities first (and nothing else: a test that
// draws registers the render fakes itself).
#pragma once
#include "LMatrix4.h"

#include <string>
#include <vector>

class LDrawElement;
class LFrame;
class LMesh;
class LSkinMesh;

class LTestModels
{
public:
    // A frame with a name, a rest (and local) matrix, a world matrix and an optional mesh.
    static LFrame* Frame(const char* aName, const LMatrix4& aRest = LMatrix4(), LMesh* aMesh = nullptr,
                         const LMatrix4& aWorld = LMatrix4());
    // A shown, indexed mesh of format-5 vertices at aPositions (x, y, z each; normal
    // (0, 1, 0), texture coordinates (0.5, 0.25)) with one subset drawing all faces of
    // aIndices (32-bit) from starts 0 with the default material.
    static LMesh* StaticMesh(const std::vector<float>& aPositions, const std::vector<unsigned>& aIndices);
    // The same as a skin (without bones).
    static LSkinMesh* SkinMesh(const std::vector<float>& aPositions, const std::vector<unsigned>& aIndices);
    // One triangle at (0, 0, 0), (1, 0, 0), (0, 0, 1).
    static LMesh* Triangle();

    // "Root" with a static triangle, its first child "Child" with a skin of three vertices
    // and two bones ("Root" moves vertices 0 and 2, "Child" vertices 1 and 2, each at
    // weight 1.0 and 0.5), and the child's next sibling "Sibling" without mesh.
    static LDrawElement* TreeModel();
    // Three frames with ids 1 to 3: "Root" (world scaled by 2 and moved to (10, 20, 30)),
    // its first child "WGN_Floor" with a static triangle (world translation (11, 20, 30))
    // and that frame's next sibling "wgs_floor" with a skin whose bones follow frames 1
    // and 2 by id.
    static LDrawElement* DirectModel();

    // The bytes of the tree form (Write) and of the direct form (the writer library).
    static std::string TreeBytes(LDrawElement& aElement);
    static std::string DirectBytes(LDrawElement& aElement);
};
