// The stencil shadow of one mesh. Create works out the mesh's topology once: its
// triangles welded by the mesh's duplicate table (vertices copied only for texture seams
// share their edges) and the distinct edges between them. Every frame, Update classifies
// the faces against the light and finds the silhouette, BuildVolume extrudes each
// silhouette edge away from the light into a quad, and Render draws the quads into the
// stencil buffer, once adding and once subtracting.
//
// Faces and edges keep vertex indices; positions are read from the mesh's vertex buffer
// when they are needed, so a skinned mesh that rewrites its positions every frame moves
// its shadow with it. A volume read from a cache file holds indices only and must be
// bound to its mesh with SetMesh before it can be updated.
//
// The cache record (Write, and Read after it), little-endian int32 throughout: the frame
// name (count n, then n + 1 UTF-16 units ending in 0), the edge count E and per edge
// start, end, face0, face1 (-1 for none), the face count F and per face its three
// vertex indices.
#pragma once
#include "LVector3.h"
#include "container/LString.h"
#include "object/LBase.h"
#include "object/LISerializable.h"

class LCamera;
class LIndexBuffer;
class LLight;
class LMesh;
class LShadowEdge;
class LShadowFace;
class LVertexBuffer;

class LShadowVolume : public LBase, public LISerializable
{
public:
    // How far silhouette edges are pulled away from the light.
    static constexpr float kExtrusion = 600.0f;
    static constexpr unsigned int kStencilMask = 0x00FFFFFF;
    // Vertex format 1 (position only) and index format 2 (32-bit).
    static constexpr int kVertexFormat = 1;
    static constexpr int kIndexFormat = 2;

    LShadowVolume();
    LShadowVolume(const LShadowVolume&) = delete;
    LShadowVolume& operator=(const LShadowVolume&) = delete;
    ~LShadowVolume() override;

    LString Dump() const override;

    // Builds faces and edges from every subset's triangles and binds the mesh. A null
    // mesh, or one without vertex or index data, is refused (logged, false); a mesh
    // without a duplicate table is used unwelded, logged once.
    bool Create(const LString& aName, LMesh* aMesh);
    // The cache record; Read replaces the faces and edges only when the whole record is
    // sound (counts within the bytes left, face references inside the faces) and unbinds
    // the mesh.
    bool Read(LIStream* aStream) override;
    bool Write(LIStream* aStream) override;
    // Binds a volume that was read: false (logged) without faces or edges, for a null
    // mesh, one without vertices, or when a stored index lies outside its vertices.
    bool SetMesh(LMesh* aMesh);
    // Face normals, away flags and the silhouette for the light: a directional light
    // shines along its direction, any other from its position.
    bool Update(const LLight* aLight);
    // Applies the camera and rebuilds the quads of the silhouette.
    bool BuildVolume(LCamera* aCamera);
    // Draws the quads into the stencil buffer in two passes; false without buffers.
    bool Render();

    const LString& GetName() const { return mName; }
    LMesh* GetMesh() const { return mMesh; }
    int GetFaceCount() const { return mFaceCount; }
    int GetEdgeCount() const { return mEdgeCount; }
    int GetSilhouetteCount() const { return mSilhouetteCount; }
    const LShadowFace* GetFace(int aIndex) const;
    const LShadowEdge* GetEdge(int aIndex) const;
    LVertexBuffer* GetVertexBuffer() const { return mVertexBuffer; }
    LIndexBuffer* GetIndexBuffer() const { return mIndexBuffer; }

private:
    void Free();
    // The position of a vertex of the bound mesh.
    bool Position(int aVertex, LVector3& aOut) const;
    // The direction from the light towards aPoint.
    LVector3 AwayFromLight(const LVector3& aPoint) const;

    int mFaceCount = 0;
    LShadowFace* mFaces = nullptr;
    int mEdgeCount = 0;
    LShadowEdge* mEdges = nullptr;
    int mSilhouetteCount = 0;
    LMesh* mMesh = nullptr;
    LString mName;
    // The light of the last Update, copied: the volume never depends on its owner.
    bool mHasLight = false;
    bool mDirectional = false;
    LVector3 mLightPosition;
    LVector3 mLightDirection;
    LVertexBuffer* mVertexBuffer = nullptr;
    LIndexBuffer* mIndexBuffer = nullptr;
};
