// Vertex and index buffers live in memory; draws read them from there.
#include "D3D9Impl.h"

D3D9VertexBuffer::D3D9VertexBuffer(D3D9Device* aDevice, UINT aLength, DWORD aUsage, DWORD aFVF, D3DPOOL aPool)
    : D3D9MemoryBuffer(aDevice, aLength), mUsage(aUsage), mFVF(aFVF), mPool(aPool)
{
}

HRESULT D3D9VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* aDesc)
{
    if (!aDesc) {
        return D3DERR_INVALIDCALL;
    }
    *aDesc = D3DVERTEXBUFFER_DESC{D3DFMT_UNKNOWN, D3DRTYPE_VERTEXBUFFER, mUsage, mPool, Size(), mFVF};
    return D3D_OK;
}

D3D9IndexBuffer::D3D9IndexBuffer(D3D9Device* aDevice, UINT aLength, DWORD aUsage, D3DFORMAT aFormat, D3DPOOL aPool)
    : D3D9MemoryBuffer(aDevice, aLength), mUsage(aUsage), mFormat(aFormat), mPool(aPool)
{
}

HRESULT D3D9IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* aDesc)
{
    if (!aDesc) {
        return D3DERR_INVALIDCALL;
    }
    *aDesc = D3DINDEXBUFFER_DESC{mFormat, D3DRTYPE_INDEXBUFFER, mUsage, mPool, Size()};
    return D3D_OK;
}
