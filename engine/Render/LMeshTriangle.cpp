#include "Render/LMeshTriangle.h"

LMeshTriangle::LMeshTriangle(uint32_t aMesh, const LVector3* aCorners)
    : mMesh(aMesh), mCorners {aCorners[0], aCorners[1], aCorners[2]}
{
}
